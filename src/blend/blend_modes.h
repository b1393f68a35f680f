// The blend formulas s = f(a, b), one functor per kernel, each written once. a is the
// foreground channel, b the background channel, m the Magic, h = m / 2. Every case is
// computed for all four lanes and chosen per lane by mask; a discarded case may divide by
// zero there (exceptions are masked), its value never reaches the output.
#pragma once

#include <cstdint>

#include "pixel/f4.h"

// The values every formula reads, made once per frame.
struct ModeValues {
    F4 m;     // the Magic, never 0
    F4 h;     // m / 2
    F4 invM;  // 1 / m, once per frame
    F4 zero;
    F4 hardMixCap;  // +infinity when m > 0, else h (see HardMix)
};

inline ModeValues makeModeValues(F4 m) {
    const F4 h = m * F4::all(0.5f);
    return {m, h, F4::all(1.0f) / m, F4::zero(),
            select(m > F4::zero(), F4::all(__builtin_inff()), h)};
}

// What a formula reads: the frame's values, and the reciprocal that its divisions multiply
// by, chosen by the sample depth (pixel_io.h).
template <class Reciprocal>
struct ModeConstants : ModeValues {
    static F4 rcp(F4 x) { return Reciprocal::of(x); }
};

namespace mode {

// (2 * x * y) / m, with the product added to itself as written.
inline F4 twiceProductOverM(F4 x, F4 y, const ModeValues& k) {
    const F4 p = x * y;
    return (p + p) * k.invM;
}

// Overlay and Hardlight: the lower case where `test` < h.
inline F4 hardCases(F4 test, F4 a, F4 b, const ModeValues& k) {
    const F4 low = twiceProductOverM(a, b, k);
    const F4 high = k.m - twiceProductOverM(k.m - a, k.m - b, k);
    return select(test < k.h, low, high);
}

// The vivid-light value V of Vivid Light; Hard Mix decides V >= h without forming V (below).
// A lane takes the burn half below h and the dodge half from h up, so one division serves
// both: each lane divides by the divisor of its own half, which is not positive exactly
// where the half's first case holds (c <= 0 in the burn half, d >= m in the dodge half).
// The other half's quotient is never formed, so the dodge half costs no more than its
// selects and there is nothing left for a group below h to skip.
//
// d = 2 (a - h) is computed as c - m: doubling is exact and commutes with rounding, and
// m = 2 h exactly, so both give the same bits short of overflow. The burn's max(0, m - q)
// is m - min(m, q), NaN and infinities included, so both halves share min(m, q).
template <class K>
F4 vivid(F4 a, F4 b, const K& k) {
    const F4 dodgeLanes = a >= k.h;
    const F4 c = a + a;
    const F4 d = c - k.m;
    const F4 divisor = select(dodgeLanes, k.m - d, c);
    const F4 t = min(k.m, select(dodgeLanes, k.m * b, k.m - b) * k.rcp(divisor));
    const F4 quotientCase = select(dodgeLanes, t, k.m - t);
    const F4 firstCase = select(dodgeLanes, d, c);  // the blend mask is already in place
    const F4 v = select(divisor <= k.zero, firstCase, quotientCase);
    return select(andNot(dodgeLanes, b >= k.m), b, v);  // b >= m comes first in the burn half
}

// clang-format off
struct Normal     { static F4 f(F4 a, F4,   const ModeValues& k) { return k.m * a; } };
struct Add        { static F4 f(F4 a, F4 b, const ModeValues& k) { return min(k.m, a + b); } };
struct Subtract   { static F4 f(F4 a, F4 b, const ModeValues& k) { return (b - a) * k.m; } };
struct Difference { static F4 f(F4 a, F4 b, const ModeValues& k) { return abs(b - a) * k.m * k.m; } };
struct Multiply   { static F4 f(F4 a, F4 b, const ModeValues& k) { return (a * b) * k.invM; } };
struct Screen     { static F4 f(F4 a, F4 b, const ModeValues& k) { return k.m - ((k.m - a) * (k.m - b)) * k.invM; } };
struct Overlay    { static F4 f(F4 a, F4 b, const ModeValues& k) { return hardCases(b, a, b, k); } };
struct Hardlight  { static F4 f(F4 a, F4 b, const ModeValues& k) { return hardCases(a, a, b, k); } };
struct Darken     { static F4 f(F4 a, F4 b, const ModeValues&)   { return min(a, b); } };
struct Lighten    { static F4 f(F4 a, F4 b, const ModeValues&)   { return max(a, b); } };
struct Negation   { static F4 f(F4 a, F4 b, const ModeValues& k) { return k.m - abs(k.m - b - a); } };
struct Exclusion  { static F4 f(F4 a, F4 b, const ModeValues& k) { return a + b - twiceProductOverM(a, b, k); } };
struct LinearBurn { static F4 f(F4 a, F4 b, const ModeValues& k) { return a - k.m + b; } };
struct LinearLight{ static F4 f(F4 a, F4 b, const ModeValues& k) { return a + a + b - k.m; } };
struct VividLight { template <class K> static F4 f(F4 a, F4 b, const K& k) { return vivid(a, b, k); } };
struct Phoenix    { static F4 f(F4 a, F4 b, const ModeValues& k) { return min(a, b) - max(a, b) + k.m; } };
// clang-format on

struct Softlight {
    static F4 f(F4 a, F4 b, const ModeValues& k) {
        const F4 ha = k.h + a;
        const F4 low = (b * k.invM) * ha;
        const F4 lowLanes = b < k.h;
        if (allLanes(lowLanes)) return low;  // the second case is skipped when no lane needs it
        const F4 t = k.m - F4::all(0.5f) * ha;
        const F4 p = t * (k.m - b);
        const F4 high = k.m - (p + p) * k.invM;
        return select(lowLanes, low, high);
    }
};

// Hard Mix: m where V(a, b) >= h, else 0. Solved for b, the test needs no division. For
// m > 0, with c = 2 a:
//   a < h:  b >= m - max(a m, 0)   (b >= m, c <= 0 and the quotient case of V in one test)
//   a >= h: a >= m (then d >= m), or b >= m - a
// For m < 0 every burn lane has c <= 0, so V >= h only through b >= m, that is b >= h, the
// cap making the limit m - h = h; every dodge lane has V = d >= 0 > h and a >= m.
// In exact arithmetic these are the lanes of V >= h; in single precision only a V within
// rounding of h can fall on the other side, much closer than through a reciprocal estimate.
struct HardMix {
    static F4 f(F4 a, F4 b, const ModeValues& k) {
        const F4 burnHigh = b >= k.m - min(max(a * k.m, k.zero), k.hardMixCap);
        const F4 dodgeHigh = (a >= k.m) | (b >= k.m - a);
        return select(a >= k.h, dodgeHigh, burnHigh) & k.m;
    }
};

struct ColorDodge {
    template <class K>
    static F4 f(F4 a, F4 b, const K& k) {
        return select(a >= k.m, a, min(k.m, (k.m * b) * k.rcp(k.m - a)));
    }
};

struct ColorBurn {
    template <class K>
    static F4 f(F4 a, F4 b, const K& k) {
        const F4 burn = max(k.zero, k.m - (k.m - b) * k.rcp(a));
        return select(b >= k.m, b, select(a <= k.zero, a, burn));
    }
};

struct PinLight {
    static F4 f(F4 a, F4 b, const ModeValues& k) {
        const F4 lowLanes = a < k.h;
        const F4 low = min(b, a + a);
        if (allLanes(lowLanes)) return low;  // the second case is skipped when no lane needs it
        const F4 high = max((a - k.h) + (a - k.h), b);
        return select(lowLanes, low, high);
    }
};

struct Reflect {
    template <class K>
    static F4 f(F4 a, F4 b, const K& k) {
        return select(a >= k.m, a, min(k.m, (b * b) * k.rcp(k.m - a)));
    }
};

struct Glow {
    template <class K>
    static F4 f(F4 a, F4 b, const K& k) {
        return select(b >= k.m, b, min(k.m, (a * a) * k.rcp(k.m - b)));
    }
};

// Fill with Magic: the constant m; its kernel never reads the foreground.
struct FillWithMagic {
    static constexpr bool kReadsForeground = false;
    static F4 f(F4, F4, const ModeValues& k) { return k.m; }
};

template <class Mode>
constexpr bool readsForeground() {
    if constexpr (requires { Mode::kReadsForeground; })
        return Mode::kReadsForeground;
    else
        return true;
}

}  // namespace mode
