// The alpha derived from the matte layer: the raw value of the chosen source, then clamp and
// rotation, the keying window with its soft edges, normalisation and invert.
#pragma once

#include <cstdint>

#include "blend/alpha_sources.h"
#include "blend/blend_settings.h"
#include "blend/kernel_context.h"
#include "blend/luma.h"
#include "pixel/f4.h"

// The keying window as numbers made once per frame, so that its switches (soft edges,
// blackout, normalise) cost no operation per pixel. Each soft edge is a cubic in
// t = distance / soft width, reached while the distance stays within `reach`, a constant
// beyond it; an edge that is off has a reach no distance meets.
struct AlphaConstants {
    F4 rotate;
    F4 low, high;  // L, H
    // Below L: L - t (knee1 - knee3 t^2), which is L - SL / 2 * t (3 - t^2).
    F4 invSoftLow, lowKnee1, lowKnee3, lowReach, lowBeyond;
    // Above H: H + ((ramp3 t + ramp2) t + ramp1) t, the knee up to H + SH, or with blackout
    // the smoothstep from H down to L - SL.
    F4 invSoftHigh, highRamp1, highRamp2, highRamp3, highReach, highBeyond;
    // Normalising: (r - rampStart) * rampScale, with lo_a and 1 / (hi_a - lo_a) (1e8 for an
    // empty span); 0 and 1 when it is off, which leaves r as it is.
    F4 rampStart, rampScale;
    F4 invert;  // all lanes set when the alpha is inverted
};

AlphaConstants makeAlphaConstants(const KernelContext& context);

namespace alpha {

// Hue as a fraction of a turn. The test on B comes first, so magenta takes the B formula.
// A grey pixel has no hue: its lanes are 0 explicitly rather than through a NaN.
inline F4 hue(F4 r, F4 g, F4 b) {
    const F4 hi = max(max(r, g), b), lo = min(min(r, g), b);
    const F4 d = hi - lo;
    const F4 inv = rcp(d);
    const F4 h6 = select(hi == b, (r - g) * inv + F4::all(4.0f),
                         select(hi == g, (b - r) * inv + F4::all(2.0f), (g - b) * inv));
    F4 degrees = h6 * F4::all(60.0f);
    degrees = select(degrees < F4::zero(), degrees + F4::all(360.0f), degrees);
    return select(d > F4::zero(), degrees * F4::all(1.0f / 360.0f), F4::zero());
}

// (max - min) / max; 0 where max is 0 (black), explicitly.
inline F4 saturation(F4 r, F4 g, F4 b) {
    const F4 hi = max(max(r, g), b), lo = min(min(r, g), b);
    return select(hi == F4::zero(), F4::zero(), (hi - lo) * rcp(hi));
}

// Raw alpha x of a matte group for the source of stage `Stage` (alphaStageOf; the stage
// beyond the last source takes A unchanged).
template <uint32_t Stage>
F4 source(F4 r, F4 g, F4 b, F4 a) {
    constexpr auto S = static_cast<AlphaSource>(Stage);
    if constexpr (S == AlphaSource::Matte)
        return F4::all(1.0f) - a;
    else if constexpr (S == AlphaSource::Red)
        return r;
    else if constexpr (S == AlphaSource::Green)
        return g;
    else if constexpr (S == AlphaSource::Blue)
        return b;
    else if constexpr (S == AlphaSource::Luminance)
        return luma709::of(r, g, b);
    else if constexpr (S == AlphaSource::Hue)
        return hue(r, g, b);
    else if constexpr (S == AlphaSource::Saturation)
        return saturation(r, g, b);
    else if constexpr (S == AlphaSource::Value)
        return max(max(r, g), b);
    else if constexpr (S == AlphaSource::Lightness)
        return (max(max(r, g), b) + min(min(r, g), b)) * F4::all(0.5f);
    else
        return a;
}

// The keying window applied to y (already clamped and rotated). `Below` and `Above` say
// whether any lane of the run of groups lies below L or above H; a run without such a lane
// skips that half, which leaves every lane as computing it would. Within a run every lane
// takes both halves, branch-free: on a matte whose values change from pixel to pixel a
// branch per group mispredicts about every other group and costs more than the arithmetic.
// A lane at or above H takes the upper half even when it also lies at or below L (H <= L).
template <bool Below, bool Above>
F4 window(F4 y, const AlphaConstants& k) {
    F4 r = y;
    if constexpr (Below) {
        const F4 e = k.low - y;
        const F4 t = e * k.invSoftLow;
        const F4 knee = t * (k.lowKnee1 - k.lowKnee3 * (t * t));
        r = select(y <= k.low, select(e <= k.lowReach, k.low - knee, k.lowBeyond), r);
    }
    if constexpr (Above) {
        const F4 e = y - k.high;
        const F4 t = e * k.invSoftHigh;
        const F4 ramp = k.high + ((k.highRamp3 * t + k.highRamp2) * t + k.highRamp1) * t;
        r = select(y >= k.high, select(e < k.highReach, ramp, k.highBeyond), r);
    }
    return clamp((r - k.rampStart) * k.rampScale, F4::zero(), F4::all(1.0f));
}

// Clamp to [0, 1] and rotate, with one wrap. `Turned` is false when the frame neither
// rotates nor inverts its alpha: y + 0 never passes 1, so the clamp alone is the same value.
template <bool Turned>
F4 rotated(F4 x, const AlphaConstants& k) {
    const F4 one = F4::all(1.0f);
    const F4 y = clamp(x, F4::zero(), one);
    if constexpr (!Turned) return y;
    const F4 turned = y + k.rotate;
    return select(turned > one, turned - one, turned);
}

template <bool Turned>
F4 inverted(F4 y, const AlphaConstants& k) {
    if constexpr (!Turned) return y;
    return select(k.invert, F4::all(1.0f) - y, y);
}

}  // namespace alpha
