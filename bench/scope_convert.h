// One frame group by group with a converter as its concrete class, as a scope pass walks it:
// flattened, so that every operation is inlined into the loop. The false-colour case builds
// its lookup once per frame, as the render does. Shared by the four- and eight-lane cases.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixel/frame_format.h"
#include "scope/false_colour_map.h"

template <bool FalseColour, class Converter>
[[gnu::flatten]] void convertFrame(Converter& c, const uint8_t* in, uint8_t* out, size_t bytes) {
    constexpr size_t kGroupBytes = Converter::kGroupBytes;
    if constexpr (FalseColour) c.falseColour.build(0, 1.0f);
    for (size_t i = 0; i + kGroupBytes <= bytes; i += kGroupBytes) {
        c.load(in + i);
        if constexpr (FalseColour) mapThroughFalseColour(c);
        c.store(out + i);
    }
    c.finish();
}

namespace avx2 {
// One frame of `depth` (video levels, CbYCrY) through an eight-lane converter.
void convertFrame(PixelDepth depth, bool falseColour, const uint8_t* in, uint8_t* out,
                  size_t bytes);
}  // namespace avx2
