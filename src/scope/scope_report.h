// The scope's one-line report of a frame: what the frame is, what was out of range, and the
// frame number, built in a fixed buffer without allocation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixel/frame_format.h"

class ScopeReport {
public:
    static constexpr size_t kCapacity = 1024;

    void clear();
    // printf-style, written at the current end; what does not fit is cut off.
    void append(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // A piece of the console log's vocabulary, whose leading "%s" stands for the text so far.
    void appendPiece(const char* piece);
    const char* text() const { return text_; }

private:
    char text_[kCapacity] = {};
    size_t length_ = 0;
};

struct ReportSizes {
    int32_t projectWidth, projectHeight, auxWidth, auxHeight;
};

// The header: colour space, layout, depth and range names run together (a code beyond its
// list leaves its name out), then the project, aux and buffer sizes.
void writeReportHeader(ScopeReport& report, const FrameFormat& frame, const ReportSizes& sizes);
