// What the waveform and vectorscope tasks share: the sample type of a converter's depth, the
// lanes of a working vector, and the clamp that keeps a trace point inside its panel.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include "pixel/ycbcr_converter.h"
#include "scope/scope_canvas.h"

template <class Converter>
struct SampleOf;
template <class L>
struct SampleOf<PixelYCbCr_8bit<L>> {
    using type = uint8_t;
};
template <class L>
struct SampleOf<PixelYCbCr_214bit<L>> {
    using type = int16_t;
};
template <class L>
struct SampleOf<PixelYCbCr_32bit<L>> {
    using type = float;
};

inline std::array<float, 4> lanesOf(F4 v) {
    std::array<float, 4> a;
    _mm_storeu_ps(a.data(), v.v);
    return a;
}

// A trace point clamped to the canvas's value range, so that samples of extreme value (2.14
// and float reach beyond the axes) stay in the panel; none for NaN.
struct ValuePoint {
    float x, y;
};
inline std::optional<ValuePoint> withinAxes(const ScopeCanvas& c, float x, float y) {
    if (std::isnan(x) || std::isnan(y)) return std::nullopt;
    const auto within = [](float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; };
    return ValuePoint{within(x, c.xMin, c.xMax), within(y, c.yMin, c.yMax)};
}

// Four trace points at once, clamped to the axes (NaN ones dropped), and the pairs they land
// on: pairOfPoint lane by lane.
struct TraceLanes {
    F4 x, y;  // the clamped values
    PairHits hits;
};
inline TraceLanes traceLanes(const ScopeCanvas& c, F4 x, F4 y) {
    TraceLanes t;
    const int valid = _mm_movemask_ps(((x == x) & (y == y)).v);
    // The value first: a NaN lane takes the bound, and is dropped by `valid` anyway.
    t.x = clamp(x, F4::all(c.xMin), F4::all(c.xMax));
    t.y = clamp(y, F4::all(c.yMin), F4::all(c.yMax));
    const F4 columns = (t.x - F4::all(c.xMin)) * F4::all(c.xScale);
    const F4 rows = (t.y - F4::all(c.yMin)) * F4::all(c.yScale);
    const __m128i columnCodes = _mm_cvttps_epi32(columns.v), rowCodes = _mm_cvttps_epi32(rows.v);
    if (vectorHits(c)) {
        pairsInPanel(c, columnCodes, rowCodes, valid, t.hits);
        return t;
    }
    // A frame too large for 32-bit indices: the same rules lane by lane.
    alignas(16) int32_t column[4], row[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(column), columnCodes);
    _mm_store_si128(reinterpret_cast<__m128i*>(row), rowCodes);
    for (int k = 0; k < 4; ++k) {
        const PairHit h = (valid >> k) & 1 ? pairInPanel(c, column[k], row[k]) : PairHit{};
        t.hits.found |= h ? 1 << k : 0;
        t.hits.second |= h.second ? 1 << k : 0;
        t.hits.pixel[k] = h ? (h.pair - c.pixels) / static_cast<int64_t>(c.pixelBytes) : 0;
    }
    return t;
}

// The chroma codes of four working values in sample type S, made in vector code.
template <class S>
std::array<S, 4> chromaCodes(F4 v) {
    std::array<S, 4> out;
    if constexpr (std::is_same_v<S, float>) {
        _mm_storeu_ps(out.data(), v.v);
    } else {
        // 8-bit rounds to nearest (the processor's mode, ties to even), 2.14 truncates.
        alignas(16) int32_t codes[4];
        if constexpr (std::is_same_v<S, uint8_t>) {
            const F4 code =
                clamp(v * F4::all(224.0f) + F4::all(128.0f), F4::zero(), F4::all(255.0f));
            _mm_store_si128(reinterpret_cast<__m128i*>(codes), _mm_cvtps_epi32(code.v));
        } else {
            const F4 code = clamp(v * F4::all(16384.0f), F4::all(-32768.0f), F4::all(32767.0f));
            _mm_store_si128(reinterpret_cast<__m128i*>(codes), _mm_cvttps_epi32(code.v));
        }
        for (int k = 0; k < 4; ++k) out[k] = static_cast<S>(codes[k]);
    }
    return out;
}

// Four groups' working vectors, lane by lane: vector k holds lane k of each group.
using GroupLanes = std::array<F4, 4>;

// The input's groups four at a time: `of(converter)` gives a loaded group's N vectors, and
// `trace(lanes)` gets each of them as GroupLanes. Past the last group every lane is NaN,
// which every trace drops.
template <size_t N, class Converter, class Of, class Trace>
void byFourGroups(Converter& conv, const uint8_t* input, uint64_t groups, Of of, Trace trace) {
    for (uint64_t g = 0; g < groups; g += 4) {
        std::array<GroupLanes, N> lanes;  // by quantity, then by group until transposed
        for (uint64_t k = 0; k < 4; ++k) {
            std::array<F4, N> q;
            q.fill(F4::all(std::numeric_limits<float>::quiet_NaN()));
            if (g + k < groups) {
                conv.load(input + (g + k) * Converter::kGroupBytes);
                q = of(conv);
            }
            for (size_t n = 0; n < N; ++n) lanes[n][k] = q[n];
        }
        for (GroupLanes& l : lanes) _MM_TRANSPOSE4_PS(l[0].v, l[1].v, l[2].v, l[3].v);
        trace(lanes);
    }
}

// Each group's sum of its lanes, added lane 0 to 3 in order.
inline F4 laneSum(const GroupLanes& l) { return ((l[0] + l[1]) + l[2]) + l[3]; }

// The pair of a clamped trace point.
inline PairHit tracePair(const ScopeCanvas& c, float x, float y) {
    const auto p = withinAxes(c, x, y);
    return p ? pairOfPoint(c, p->x, p->y) : PairHit{};
}

// Whether a canvas has a panel to draw in.
inline bool hasPanel(const ScopeCanvas& c) {
    return c.panelWidth > 0 && c.panelHeight > 0 && drawable(c.depth, c.pixelBytes);
}
