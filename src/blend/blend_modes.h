// The blend formulas s = f(a, b), one functor per kernel, each written once. a is the
// foreground channel, b the background channel, m the Magic, h = m / 2. Every case is
// computed for every lane and chosen per lane by mask; a discarded case may divide by zero
// there (exceptions are masked), its value never reaches the output. Each is one template
// over the lane type V (F4, or F8 and F16 on the wider paths).
#pragma once

#include <cstdint>

#include "pixel/f4.h"

// The values every formula reads, made once per frame.
template <class V>
struct ModeValues {
    V m;     // the Magic, never 0
    V h;     // m / 2
    V invM;  // 1 / m, once per frame
    V zero;
    V hardMixCap;  // +infinity when m > 0, else h (see HardMix)
    V hardMixTop;  // max(m, h): the dodge lanes at or above it are m whatever b is
};

inline ModeValues<F4> makeModeValues(F4 m) {
    const F4 h = m * F4::all(0.5f);
    return {m, h, F4::all(1.0f) / m, F4::zero(),
            select(m > F4::zero(), F4::all(__builtin_inff()), h), max(m, h)};
}

// What a formula reads: the frame's values, and the reciprocal that its divisions multiply
// by, chosen by the sample depth (pixel_io.h).
template <class V, class Reciprocal>
struct ModeConstants : ModeValues<V> {
    static V rcp(V x) { return Reciprocal::of(x); }
};

namespace mode {

// The inputs a formula reads: a, the foreground, and b, the background.
struct Inputs {
    bool foreground = true;
    bool background = true;
};

// (2 * x * y) / m, with the product added to itself as written.
template <class V>
V twiceProductOverM(V x, V y, const ModeValues<V>& k) {
    const V p = x * y;
    return (p + p) * k.invM;
}

// Overlay and Hardlight: the lower case where `test` < h.
template <class V>
V hardCases(V test, V a, V b, const ModeValues<V>& k) {
    const V low = twiceProductOverM(a, b, k);
    const V high = k.m - twiceProductOverM(k.m - a, k.m - b, k);
    return select(test < k.h, low, high);
}

// The vivid-light value v of Vivid Light; Hard Mix decides v >= h without forming v (below).
// A lane takes the burn half below h and the dodge half from h up, so one division serves
// both: each lane divides by the divisor of its own half, which is not positive exactly
// where the half's first case holds (c <= 0 in the burn half, d >= m in the dodge half).
// The other half's quotient is never formed, so the dodge half costs no more than its
// selects and there is nothing left for a group below h to skip.
//
// d = 2 (a - h) is computed as c - m: doubling is exact and commutes with rounding, and
// m = 2 h exactly, so both give the same bits short of overflow. The burn's max(0, m - q)
// is m - min(m, q), NaN and infinities included, so both halves share min(m, q).
template <class V, class K>
V vivid(V a, V b, const K& k) {
    const V dodgeLanes = a >= k.h;
    const V c = a + a;
    const V d = c - k.m;
    const V divisor = select(dodgeLanes, k.m - d, c);
    const V t = min(k.m, select(dodgeLanes, k.m * b, k.m - b) * k.rcp(divisor));
    const V quotientCase = select(dodgeLanes, t, k.m - t);
    const V firstCase = select(dodgeLanes, d, c);  // the blend mask is already in place
    const V v = select(divisor <= k.zero, firstCase, quotientCase);
    return select(andNot(dodgeLanes, b >= k.m), b, v);  // b >= m comes first in the burn half
}

// Normal: the foreground scaled by m; the only formula that never reads b.
struct Normal {
    static constexpr Inputs kInputs{.background = false};
    template <class V, class K>
    static V f(V a, V, const K& k) {
        return k.m * a;
    }
};

// clang-format off
struct Add        { template <class V, class K> static V f(V a, V b, const K& k) { return min(k.m, a + b); } };
struct Subtract   { template <class V, class K> static V f(V a, V b, const K& k) { return (b - a) * k.m; } };
struct Difference { template <class V, class K> static V f(V a, V b, const K& k) { return abs(b - a) * k.m * k.m; } };
struct Multiply   { template <class V, class K> static V f(V a, V b, const K& k) { return (a * b) * k.invM; } };
struct Screen     { template <class V, class K> static V f(V a, V b, const K& k) { return k.m - ((k.m - a) * (k.m - b)) * k.invM; } };
struct Overlay    { template <class V, class K> static V f(V a, V b, const K& k) { return hardCases(b, a, b, k); } };
struct Hardlight  { template <class V, class K> static V f(V a, V b, const K& k) { return hardCases(a, a, b, k); } };
struct Darken     { template <class V, class K> static V f(V a, V b, const K&)   { return min(a, b); } };
struct Lighten    { template <class V, class K> static V f(V a, V b, const K&)   { return max(a, b); } };
struct Negation   { template <class V, class K> static V f(V a, V b, const K& k) { return k.m - abs(k.m - b - a); } };
struct Exclusion  { template <class V, class K> static V f(V a, V b, const K& k) { return a + b - twiceProductOverM(a, b, k); } };
struct LinearBurn { template <class V, class K> static V f(V a, V b, const K& k) { return a - k.m + b; } };
struct LinearLight{ template <class V, class K> static V f(V a, V b, const K& k) { return a + a + b - k.m; } };
struct VividLight { template <class V, class K> static V f(V a, V b, const K& k) { return vivid(a, b, k); } };
struct Phoenix    { template <class V, class K> static V f(V a, V b, const K& k) { return min(a, b) - max(a, b) + k.m; } };
// clang-format on

struct Softlight {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        const V ha = k.h + a;
        const V low = (b * k.invM) * ha;
        const V lowLanes = b < k.h;
        if (allLanes(lowLanes)) return low;  // the second case is skipped when no lane needs it
        const V t = k.m - V::all(0.5f) * ha;
        const V p = t * (k.m - b);
        const V high = k.m - (p + p) * k.invM;
        return select(lowLanes, low, high);
    }
};

// Hard Mix: m where v(a, b) >= h, else 0. Solved for b, the test needs no division. For
// m > 0, with c = 2 a:
//   a < h:  b >= m - max(a m, 0)   (b >= m, c <= 0 and the quotient case of v in one test)
//   a >= h: a >= m (then d >= m), or b >= m - a
// For m < 0 every burn lane has c <= 0, so v >= h only through b >= m, that is b >= h, the
// cap making the limit m - h = h; every dodge lane has v = d >= 0 > h and a >= m.
// In exact arithmetic these are the lanes of v >= h; in single precision only a v within
// rounding of h can fall on the other side, much closer than through a reciprocal estimate.
// Each half tests b against a limit of its own, so a lane chooses its limit and tests b once;
// it chooses what to take from m, and one subtraction serves both halves with the same bits.
// The dodge half's a >= m is tested as a >= max(m, h), which no burn lane passes. A NaN a
// fails every test and takes the burn limit, as it did.
struct HardMix {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        const V limit = k.m - select(a >= k.h, a, min(max(a * k.m, k.zero), k.hardMixCap));
        return ((b >= limit) | (a >= k.hardMixTop)) & k.m;
    }
};

struct ColorDodge {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        return select(a >= k.m, a, min(k.m, (k.m * b) * k.rcp(k.m - a)));
    }
};

struct ColorBurn {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        const V burn = max(k.zero, k.m - (k.m - b) * k.rcp(a));
        return select(b >= k.m, b, select(a <= k.zero, a, burn));
    }
};

struct PinLight {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        const V lowLanes = a < k.h;
        const V low = min(b, a + a);
        if (allLanes(lowLanes)) return low;  // the second case is skipped when no lane needs it
        const V high = max((a - k.h) + (a - k.h), b);
        return select(lowLanes, low, high);
    }
};

struct Reflect {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        return select(a >= k.m, a, min(k.m, (b * b) * k.rcp(k.m - a)));
    }
};

struct Glow {
    template <class V, class K>
    static V f(V a, V b, const K& k) {
        return select(b >= k.m, b, min(k.m, (a * a) * k.rcp(k.m - b)));
    }
};

// Fill with Magic: the constant m; its kernel never reads the foreground or the background.
struct FillWithMagic {
    static constexpr Inputs kInputs{.foreground = false, .background = false};
    template <class V, class K>
    static V f(V, V, const K& k) {
        return k.m;
    }
};

// Which of a and b the formula reads: both, unless the mode says otherwise. With a mix of 1
// the mix does not read b either, so a loop then need not load the background of a mode that
// does not.
template <class Mode>
constexpr Inputs inputsOf() {
    if constexpr (requires { Mode::kInputs; })
        return Mode::kInputs;
    else
        return {};
}

}  // namespace mode
