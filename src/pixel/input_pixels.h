// The pixels of an input as a pass reads them: a copy when they share bytes with the output
// the pass writes, made before the output changes, so that nothing the pass writes feeds back
// into what it reads.
#pragma once

#include <cstdint>
#include <memory>

class InputPixels {
public:
    // `inPlace`: an input that is exactly the output may be read where it is, for a pass that
    // reads each group before it writes it. Raises 0x80000002 when the copy cannot be made.
    InputPixels(const uint8_t* input, const uint8_t* output, uint64_t bytes, bool inPlace);
    const uint8_t* get() const { return pixels_; }

private:
    std::unique_ptr<uint8_t[]> copy_;
    const uint8_t* pixels_;
};
