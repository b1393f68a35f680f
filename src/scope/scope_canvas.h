// What the scope draws on: a panel of the output frame with the value range its axes show,
// and the one way every marker, trace, graticule and legend reaches a pixel. A value point
// maps to a 2-pixel pair; a pair is written only when it lies inside the frame and inside
// the area the canvas's owner may write, in the frame's depth and sample order.
#pragma once

#include <smmintrin.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "pixel/frame_format.h"

// The reference colours, as the 75 % Rec.709 colour bars code them.
enum class ScopeColour : uint8_t {
    White75,
    Yellow75,
    Cyan75,
    Green75,
    Magenta75,
    Red75,
    Blue75,
    Black
};

// Each colour in the three encodings the scope writes, Y first: 8-bit codes, 2.14 samples,
// and floats (luma normalised by 219, chroma by 240).
struct ScopeColourTable {
    uint8_t bits8[8][3];
    int16_t fixed2_14[8][3];
    float floats[8][3];
};

// clang-format off
inline constexpr ScopeColourTable kScopeColours{
    {{180, 128, 128}, {168, 44, 136}, {145, 147, 44}, {133, 63, 52},
     {63, 193, 204},  {51, 109, 212}, {28, 212, 120}, {16, 128, 128}},
    {{12269, 0, 0},   {11372, -5734, 546}, {9651, 1297, -5734}, {8753, -4437, -5188},
     {3516, 4437, 5188}, {2618, -1297, 5734}, {898, 5734, -546}, {0, 0, 0}},
    {{164.0f / 219, 0, 0},                  {152.0f / 219, -84.0f / 240, 8.0f / 240},
     {129.0f / 219, 19.0f / 240, -84.0f / 240}, {117.0f / 219, -65.0f / 240, -76.0f / 240},
     {47.0f / 219, 65.0f / 240, 76.0f / 240},   {35.0f / 219, -19.0f / 240, 84.0f / 240},
     {12.0f / 219, 84.0f / 240, -8.0f / 240},   {0, 0, 0}},
};
// clang-format on

// A rectangle of the frame in pixels, both ends included.
struct PixelArea {
    int64_t firstRow = 0, lastRow = -1;
    int64_t firstColumn = 0, lastColumn = -1;
};

struct ScopeCanvas {
    ScopeColourTable colours = kScopeColours;
    int32_t palette = 0;  // with false colour on the waveform canvas only
    float gamma = 1.0f;
    PixelDepth depth = PixelDepth::None;
    ValueRange range = ValueRange::None;
    PixelLayout layout = PixelLayout::None;
    uint8_t* pixels = nullptr;
    uint64_t frameBytes = 0;
    uint64_t framePixels = 0;  // frameBytes / pixelBytes
    uint64_t width = 0, height = 0;
    uint64_t pixelBytes = 0;
    uint64_t topLeft = 0;     // pixel index of the panel's top-left corner
    uint64_t bottomLeft = 0;  // topLeft + panelHeight * width: the row below the panel
    uint32_t left = 0, top = 0;
    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    float xScale = 0, yScale = 0;  // pixels per value unit
    uint32_t panelHeight = 0, panelWidth = 0;
    // Where the canvas's owner may write: a worker its own part of the reserved rectangle.
    PixelArea area;
};

// The depths the scope draws into, with the bytes of one sample.
constexpr bool drawable(PixelDepth depth, uint64_t pixelBytes) {
    return pixelBytes != 0 && pixelBytes == ycbcr422PixelBytes(depth);
}

// The first byte of the pair that starts at pixel `index` (even), or null when any byte of
// the pair lies outside the frame.
inline uint8_t* pairAt(const ScopeCanvas& c, int64_t index) {
    if (index < 0) return nullptr;
    const auto first = static_cast<uint64_t>(index);
    if (first >= c.framePixels || c.framePixels - first < 2) return nullptr;
    return c.pixels + first * c.pixelBytes;
}

// The panel position of a value point: whole pixels right of the panel's left edge and up
// from the row below it, truncated. None for NaN, and for a point too far out to convert.
struct PanelPosition {
    int64_t column, row;
};
inline std::optional<PanelPosition> panelPosition(const ScopeCanvas& c, float vx, float vy) {
    const float x = (vx - c.xMin) * c.xScale, y = (vy - c.yMin) * c.yScale;
    constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
    if (!(std::fabs(x) <= kLimit && std::fabs(y) <= kLimit)) return std::nullopt;
    return PanelPosition{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

// A pair a point landed on, and whether the point is its second pixel (an odd pixel index).
struct PairHit {
    uint8_t* pair = nullptr;
    bool second = false;
    explicit operator bool() const { return pair != nullptr; }
};

// The pair at `column` right of the panel's left edge and `row` up from the row below it,
// rounded down to even, when the pair's first pixel lies in the canvas's area.
inline PairHit pairInPanel(const ScopeCanvas& c, int64_t column, int64_t row) {
    const int64_t index =
        static_cast<int64_t>(c.bottomLeft) + column - row * static_cast<int64_t>(c.width);
    const int64_t frameRow = int64_t{c.top} + int64_t{c.panelHeight} - row;
    const int64_t frameColumn = int64_t{c.left} + column - (index & 1);
    if (frameRow < c.area.firstRow || frameRow > c.area.lastRow ||
        frameColumn < c.area.firstColumn || frameColumn > c.area.lastColumn)
        return {};
    return {pairAt(c, index & ~int64_t{1}), (index & 1) != 0};
}

// Four points at once, each as pairInPanel takes it: panel columns and rows of the lanes in
// `valid` (bit k for lane k). The pixel index of each pair found, and bits of the lanes that
// found a pair and of those whose point is the pair's second pixel. Worked in 32 bits, for
// canvases whose frame holds fewer than 2^30 pixels (vectorHits). Written in place: a
// returned copy would read the two bit sets back as one vector straight after storing them
// apart, which stalls the processor on every group.
struct PairHits {
    int found = 0, second = 0;
    alignas(16) std::array<int64_t, 4> pixel{};
};
inline bool vectorHits(const ScopeCanvas& c) {
    return c.framePixels + 2 * c.width < (uint64_t{1} << 30);
}
inline void pairsInPanel(const ScopeCanvas& c, __m128i columns, __m128i rows, int valid,
                         PairHits& h) {
    const auto all = [](int64_t v) { return _mm_set1_epi32(static_cast<int32_t>(v)); };
    const __m128i index = _mm_sub_epi32(_mm_add_epi32(all(int64_t(c.bottomLeft)), columns),
                                        _mm_mullo_epi32(rows, all(int64_t(c.width))));
    const __m128i odd = _mm_and_si128(index, _mm_set1_epi32(1));
    const __m128i pair = _mm_andnot_si128(_mm_set1_epi32(1), index);
    const __m128i frameRow = _mm_sub_epi32(all(int64_t{c.top} + c.panelHeight), rows);
    const __m128i frameColumn = _mm_sub_epi32(_mm_add_epi32(all(c.left), columns), odd);
    // Inside where neither bound is passed: first <= v and v <= last, as v > first - 1 and
    // last + 1 > v.
    const auto within = [&all](__m128i v, int64_t first, int64_t last) {
        return _mm_and_si128(_mm_cmpgt_epi32(v, all(first - 1)), _mm_cmpgt_epi32(all(last + 1), v));
    };
    const __m128i inside =
        _mm_and_si128(_mm_and_si128(within(frameRow, c.area.firstRow, c.area.lastRow),
                                    within(frameColumn, c.area.firstColumn, c.area.lastColumn)),
                      within(pair, 0, static_cast<int64_t>(c.framePixels) - 2));
    h.found = _mm_movemask_ps(_mm_castsi128_ps(inside)) & valid;
    h.second = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(odd, _mm_set1_epi32(1))));
    _mm_store_si128(reinterpret_cast<__m128i*>(h.pixel.data()), _mm_cvtepi32_epi64(pair));
    _mm_store_si128(reinterpret_cast<__m128i*>(h.pixel.data()) + 1,
                    _mm_cvtepi32_epi64(_mm_srli_si128(pair, 8)));
}
inline PairHit hitOf(const ScopeCanvas& c, const PairHits& h, int lane) {
    return {c.pixels + static_cast<uint64_t>(h.pixel[lane]) * c.pixelBytes,
            ((h.second >> lane) & 1) != 0};
}

// The pair a value point lands on.
inline PairHit pairOfPoint(const ScopeCanvas& c, float vx, float vy) {
    const auto p = panelPosition(c, vx, vy);
    return p ? pairInPanel(c, p->column, p->row) : PairHit{};
}

// The samples of one pair in the frame's order: layout 1 Y0 Cb Y1 Cr, every other Cb Y0 Cr Y1.
struct PairOrder {
    int y0, cb, y1, cr;
};
constexpr PairOrder pairOrder(PixelLayout layout) {
    return layout == PixelLayout::YCbYCr_NoA ? PairOrder{0, 1, 2, 3} : PairOrder{1, 0, 3, 2};
}

// One sample of a pair, by its slot, in the type of the depth (uint8_t, int16_t, float).
template <class Sample>
Sample sampleAt(const uint8_t* pair, int slot) {
    Sample s;
    std::memcpy(&s, pair + slot * sizeof(Sample), sizeof(Sample));
    return s;
}
template <class Sample>
void setSample(uint8_t* pair, int slot, Sample s) {
    std::memcpy(pair + slot * sizeof(Sample), &s, sizeof(Sample));
}

// Overwrites a pair with a reference colour in the canvas's depth; nothing in another depth.
void putColour(const ScopeCanvas& c, uint8_t* pair, ScopeColour colour);
