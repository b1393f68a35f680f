// The blend formulas s = f(a, b), one functor per kernel, each written once. a is the
// foreground channel, b the background channel, m the Magic, h = m / 2. Every case is
// computed for all four lanes and chosen per lane by mask; a discarded case may divide by
// zero there (exceptions are masked), its value never reaches the output.
#pragma once

#include <cstdint>

#include "pixel/f4.h"

struct ModeConstants {
    F4 m;     // the Magic, never 0
    F4 h;     // m / 2
    F4 invM;  // 1 / m, once per frame
    F4 zero;
};

namespace mode {

// (2 * x * y) / m, with the product added to itself as written.
inline F4 twiceProductOverM(F4 x, F4 y, const ModeConstants& k) {
    const F4 p = x * y;
    return (p + p) * k.invM;
}

// Overlay and Hardlight: the lower case where `test` < h.
inline F4 hardCases(F4 test, F4 a, F4 b, const ModeConstants& k) {
    const F4 low = twiceProductOverM(a, b, k);
    const F4 high = k.m - twiceProductOverM(k.m - a, k.m - b, k);
    return select(test < k.h, low, high);
}

// The vivid-light value shared by Vivid Light and Hard Mix.
inline F4 vivid(F4 a, F4 b, const ModeConstants& k) {
    const F4 c = a + a;
    const F4 burn = max(k.zero, k.m - (k.m - b) * rcp(c));
    F4 v = select(b >= k.m, b, select(c <= k.zero, c, burn));
    const F4 dodgeLanes = a >= k.h;
    if (!anyLane(dodgeLanes)) return v;  // the dodge half is skipped when no lane needs it
    const F4 d = (a - k.h) + (a - k.h);
    const F4 dodge = select(d >= k.m, d, min(k.m, (k.m * b) * rcp(k.m - d)));
    return select(dodgeLanes, dodge, v);
}

// clang-format off
struct Normal     { static F4 f(F4 a, F4,   const ModeConstants& k) { return k.m * a; } };
struct Add        { static F4 f(F4 a, F4 b, const ModeConstants& k) { return min(k.m, a + b); } };
struct Subtract   { static F4 f(F4 a, F4 b, const ModeConstants& k) { return (b - a) * k.m; } };
struct Difference { static F4 f(F4 a, F4 b, const ModeConstants& k) { return abs(b - a) * k.m * k.m; } };
struct Multiply   { static F4 f(F4 a, F4 b, const ModeConstants& k) { return (a * b) * k.invM; } };
struct Screen     { static F4 f(F4 a, F4 b, const ModeConstants& k) { return k.m - ((k.m - a) * (k.m - b)) * k.invM; } };
struct Overlay    { static F4 f(F4 a, F4 b, const ModeConstants& k) { return hardCases(b, a, b, k); } };
struct Hardlight  { static F4 f(F4 a, F4 b, const ModeConstants& k) { return hardCases(a, a, b, k); } };
struct Darken     { static F4 f(F4 a, F4 b, const ModeConstants&)   { return min(a, b); } };
struct Lighten    { static F4 f(F4 a, F4 b, const ModeConstants&)   { return max(a, b); } };
struct Negation   { static F4 f(F4 a, F4 b, const ModeConstants& k) { return k.m - abs(k.m - b - a); } };
struct Exclusion  { static F4 f(F4 a, F4 b, const ModeConstants& k) { return a + b - twiceProductOverM(a, b, k); } };
struct LinearBurn { static F4 f(F4 a, F4 b, const ModeConstants& k) { return a - k.m + b; } };
struct LinearLight{ static F4 f(F4 a, F4 b, const ModeConstants& k) { return a + a + b - k.m; } };
struct VividLight { static F4 f(F4 a, F4 b, const ModeConstants& k) { return vivid(a, b, k); } };
struct HardMix    { static F4 f(F4 a, F4 b, const ModeConstants& k) { return select(vivid(a, b, k) < k.h, k.zero, k.m); } };
struct Phoenix    { static F4 f(F4 a, F4 b, const ModeConstants& k) { return min(a, b) - max(a, b) + k.m; } };
// clang-format on

struct Softlight {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
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

struct ColorDodge {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
        return select(a >= k.m, a, min(k.m, (k.m * b) * rcp(k.m - a)));
    }
};

struct ColorBurn {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
        const F4 burn = max(k.zero, k.m - (k.m - b) * rcp(a));
        return select(b >= k.m, b, select(a <= k.zero, a, burn));
    }
};

struct PinLight {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
        const F4 lowLanes = a < k.h;
        const F4 low = min(b, a + a);
        if (allLanes(lowLanes)) return low;  // the second case is skipped when no lane needs it
        const F4 high = max((a - k.h) + (a - k.h), b);
        return select(lowLanes, low, high);
    }
};

struct Reflect {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
        return select(a >= k.m, a, min(k.m, (b * b) * rcp(k.m - a)));
    }
};

struct Glow {
    static F4 f(F4 a, F4 b, const ModeConstants& k) {
        return select(b >= k.m, b, min(k.m, (a * a) * rcp(k.m - b)));
    }
};

// Fill with Magic: the constant m; its kernel never reads the foreground.
struct FillWithMagic {
    static constexpr bool kReadsForeground = false;
    static F4 f(F4, F4, const ModeConstants& k) { return k.m; }
};

template <class Mode>
constexpr bool readsForeground() {
    if constexpr (requires { Mode::kReadsForeground; })
        return Mode::kReadsForeground;
    else
        return true;
}

}  // namespace mode
