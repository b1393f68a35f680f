#include "scope/scope_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void ScopeReport::clear() {
    std::memset(text_, 0, sizeof text_);
    length_ = 0;
}

void ScopeReport::append(const char* format, ...) {
    if (length_ + 1 >= kCapacity) return;
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text_ + length_, kCapacity - length_, format, args);
    va_end(args);
    if (written > 0) length_ += std::min(static_cast<size_t>(written), kCapacity - 1 - length_);
}

void ScopeReport::appendPiece(const char* piece) {
    if (!piece) return;
    if (std::strncmp(piece, "%s", 2) == 0) piece += 2;
    append("%s", piece);
}

void writeReportHeader(ScopeReport& report, const FrameFormat& frame, const ReportSizes& sizes) {
    report.clear();
    report.appendPiece(colourSpaceToken(frame.colourSpace));
    report.appendPiece(layoutToken(frame.layout));
    report.appendPiece(depthToken(frame.depth));
    report.appendPiece(rangeToken(frame.range));
    // Each size as the unsigned 32-bit value it is, widened to what "%lu" takes everywhere.
    const auto u = [](auto v) { return static_cast<unsigned long>(static_cast<uint32_t>(v)); };
    report.append(":PJ: %lu x %lu (%lu x %lu ):buf(%lu x %lu x %lusz) :", u(sizes.projectWidth),
                  u(sizes.projectHeight), u(sizes.auxWidth), u(sizes.auxHeight), u(frame.width),
                  u(frame.height), u(frame.pixelBytes));
}
