// The scope's walk over the whole frame on the render's own thread: every 8-pixel group of
// the input is loaded, its averages go into the statistics, and the output group is written
// as the mode asks: the legal-range map, false colour everywhere, false colour around the
// panel, or the picture around the panel. Pairs the workers own are never written.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "pixel/frame_format.h"
#include "pixel/simd_path.h"
#include "scope/eight_bit_codes.h"
#include "scope/false_colour_map.h"
#include "scope/scope_layout.h"
#include "scope/scope_statistics.h"

enum class MainPassMode {
    LegalMap,           // neither false colour nor the waveform
    FalseColour,        // false colour over the whole frame
    FalseColourAround,  // false colour outside the reserved rectangle
    PictureAround,      // the picture outside the reserved rectangle and below its start
};

struct MainPassJob {
    const uint8_t* input;
    uint8_t* output;
    uint64_t groups;  // whole groups of 8 pixels
    uint64_t width;   // pixels per row
    ReservedArea reserved;
    MainPassMode mode;
    uint64_t first = 0;  // the group the walk starts at
    // At 8-bit, the frame's tables for the legal map and for false colour over the whole
    // frame; where one is null that mode maps through the floats.
    const LegalMapCodes* legalCodes = nullptr;
    const FalseColourPairCodes* falseColourCodes = nullptr;
};

namespace main_pass {

// Each luma becomes 0.9 above 1.0, 0.3 from 0.0 to 1.0 and 0.0 below (NaN too); each chroma
// -0.375 below -0.375, 0.375 above 0.375, and 0.0 otherwise.
template <class V>
void legalise(V& cb, V& y0, V& cr, V& y1) {
    const auto luma = [](V y) {
        return select(y > V::all(1.0f), V::all(0.9f),
                      select(y >= V::zero(), V::all(0.3f), V::zero()));
    };
    const auto chroma = [](V c) {
        return select(c < V::all(-0.375f), V::all(-0.375f),
                      select(c > V::all(0.375f), V::all(0.375f), V::zero()));
    };
    cb = chroma(cb), cr = chroma(cr), y0 = luma(y0), y1 = luma(y1);
}

// Which of the group's pairs lie outside the reserved rectangle (bit k for pair k), for the
// group of the converter's pairs that starts at pixel `pixel` in column `column`.
template <class Converter>
unsigned pairsOutside(const MainPassJob& job, uint64_t pixel, uint64_t column) {
    constexpr unsigned Pairs = Converter::kPairs;
    constexpr unsigned allPairs = (1u << Pairs) - 1;
    const ReservedArea& r = job.reserved;
    const uint64_t lastPair = pixel + 2 * (Pairs - 1);
    if (lastPair < r.start || pixel > r.end) return allPairs;
    // Within one row the columns decide the whole group.
    if (column + 2 * (Pairs - 1) < job.width && r.start <= pixel && lastPair <= r.end) {
        if (column > r.columnLimit) return allPairs;
        if (column + 2 * (Pairs - 1) <= r.columnLimit) return 0;
    }
    unsigned outside = 0;
    for (unsigned k = 0; k < Pairs; ++k) {
        const uint64_t p = pixel + 2 * k;
        if (!reservedPixel(r, p, p % job.width)) outside |= 1u << k;
    }
    return outside;
}

}  // namespace main_pass

// `Converter` is the concrete class of the render's converter, so nothing here is a virtual
// call. The group walk is the same in every mode; the mode is a template argument. Flattened,
// so that the converter's operations and the mapping are inlined into the loop. A load takes
// Converter::kPairs / 4 of the job's groups; the walk stops before a load would pass the
// last whole group and returns the group it stopped at.
template <MainPassMode Mode, class Converter, class Statistics>
[[gnu::flatten]] uint64_t runMainPass(Converter& c, const MainPassJob& job, Statistics& stats) {
    constexpr unsigned kPairs = Converter::kPairs;
    constexpr uint64_t kGroupBytes = Converter::kGroupBytes;
    constexpr uint64_t kPairBytes = kGroupBytes / kPairs;
    constexpr uint64_t kStep = kPairs / 4;  // groups of 8 pixels per load
    constexpr unsigned kAll = (1u << kPairs) - 1;
    constexpr bool kAround =
        Mode == MainPassMode::FalseColourAround || Mode == MainPassMode::PictureAround;
    alignas(32) uint8_t mapped[kGroupBytes];
    const uint64_t loads = job.first < job.groups ? (job.groups - job.first) / kStep : 0;
    uint64_t column = kAround && job.width != 0 ? job.first * 8 % job.width : 0;
    for (uint64_t i = 0; i < loads; ++i) {
        const uint64_t g = job.first + i * kStep;
        const uint64_t offset = g * (kGroupBytes / kStep), pixel = g * 8;
        c.load(job.input + offset);
        stats.add(c.cb, c.y0, c.cr, c.y1);
        uint8_t* out = job.output + offset;
        if constexpr (Mode == MainPassMode::LegalMap) {
            main_pass::legalise(c.cb, c.y0, c.cr, c.y1);
            c.store(out);
        } else if constexpr (Mode == MainPassMode::FalseColour) {
            mapThroughFalseColour(c);
            c.store(out);
        } else {
            // Groups before the rectangle's start keep the rows the render copied there.
            const bool before = Mode == MainPassMode::PictureAround && pixel < job.reserved.start;
            const unsigned outside =
                before ? 0u : main_pass::pairsOutside<Converter>(job, pixel, column);
            if (outside != 0) {
                const uint8_t* from = c.saved;
                if constexpr (Mode == MainPassMode::FalseColourAround) {
                    mapThroughFalseColour(c);
                    if (outside == kAll) {
                        c.store(out);
                    } else {
                        c.store(mapped);
                        from = mapped;
                    }
                } else if (outside == kAll) {
                    c.copySaved(out);
                }
                if (outside != kAll)
                    for (unsigned k = 0; k < kPairs; ++k)
                        if (outside & (1u << k))
                            std::memcpy(out + k * kPairBytes, from + k * kPairBytes, kPairBytes);
            }
        }
        if constexpr (kAround) {
            column += 2 * kPairs;
            while (column >= job.width) column -= job.width;
        }
    }
    c.finish();
    return job.first + loads * kStep;
}

// What a walk by 8-bit codes writes: the legal map, or false colour with or without pairs
// that keep their chroma.
enum class CodeWrite { LegalMap, FalseColour, FalseColourKeepingChroma };

// The 8-bit legal map or false colour over the whole frame by the frame's code tables: the
// statistics from the values the converter unpacks, the output looked up from the input's
// codes. Everything the loop touches is held locally, so no write to the frame makes the
// compiler read it again. Steps and stops as runMainPass does.
template <CodeWrite Write, class Converter, class Statistics>
[[gnu::flatten]] uint64_t runCodeWalk(const Converter& c, const MainPassJob& job,
                                      Statistics& stats) {
    constexpr int kGroupBytes = Converter::kGroupBytes;
    constexpr uint64_t kStep = Converter::kPairs / 4;
    const uint8_t* in = job.input + job.first * (kGroupBytes / kStep);
    uint8_t* out = job.output + job.first * (kGroupBytes / kStep);
    const LegalMapCodes* legal = job.legalCodes;
    const FalseColourPairCodes* falseColour = job.falseColourCodes;
    const uint64_t loads = job.first < job.groups ? (job.groups - job.first) / kStep : 0;
    const auto write = [&](const uint8_t* from, uint8_t* to, int bytes) {
        if constexpr (Write == CodeWrite::LegalMap)
            legal->map(from, to, bytes);
        else
            falseColour->template map<Write == CodeWrite::FalseColourKeepingChroma>(from, to,
                                                                                    bytes);
    };
    Statistics local = stats;
    for (uint64_t i = 0; i < loads; ++i, in += kGroupBytes, out += kGroupBytes) {
        const auto v = c.unpack(in);
        local.template add<false>(v.v0, v.v1, v.v2, v.v3);
        write(in, out, kGroupBytes);
    }
    if (loads != 0) local.sawNumbers();
    stats = local;
    return job.first + loads * kStep;
}

// The walk in the job's mode.
template <class Converter, class Statistics>
uint64_t runMainPass(Converter& c, const MainPassJob& job, Statistics& stats) {
    // The code tables hold what the 8-bit converters write.
    if constexpr (std::is_same_v<Converter, PixelYCbCr_8bit<typename Converter::Lanes>>) {
        if (job.mode == MainPassMode::LegalMap && job.legalCodes)
            return runCodeWalk<CodeWrite::LegalMap>(c, job, stats);
        if (job.mode == MainPassMode::FalseColour && job.falseColourCodes)
            return job.falseColourCodes->keepsChroma()
                       ? runCodeWalk<CodeWrite::FalseColourKeepingChroma>(c, job, stats)
                       : runCodeWalk<CodeWrite::FalseColour>(c, job, stats);
    }
    switch (job.mode) {
        case MainPassMode::LegalMap:
            return runMainPass<MainPassMode::LegalMap>(c, job, stats);
        case MainPassMode::FalseColour:
            return runMainPass<MainPassMode::FalseColour>(c, job, stats);
        case MainPassMode::FalseColourAround:
            return runMainPass<MainPassMode::FalseColourAround>(c, job, stats);
        case MainPassMode::PictureAround:
            return runMainPass<MainPassMode::PictureAround>(c, job, stats);
    }
    return job.first;
}

namespace avx2 {
// Where the processor runs AVX2: the walk sixteen pixels at a time, with an eight-lane
// converter of the frame's format (a depth the scope draws, with its pixel size) and a
// false-colour lookup built from `palette` and `gamma`.
// Returns the group it stopped at (the last group of an odd count, and float frames, are left
// to the four-lane walk) and the statistics of the groups it walked.
uint64_t runWideMainPass(const MainPassJob& job, const FrameFormat& frame, int32_t palette,
                         float gamma, ScopeStatistics& stats);
}  // namespace avx2
namespace avx512vl {
// The same walk built with AVX-512VL as well, where the processor runs that.
uint64_t runWideMainPass(const MainPassJob& job, const FrameFormat& frame, int32_t palette,
                         float gamma, ScopeStatistics& stats);
}  // namespace avx512vl

// The walk sixteen pixels at a time in the eight-lane build of `path`; on the four-lane path
// it walks nothing and returns job.first.
uint64_t runWideMainPass(SimdPath path, const MainPassJob& job, const FrameFormat& frame,
                         int32_t palette, float gamma, ScopeStatistics& stats);
