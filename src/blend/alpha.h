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
template <class V>
struct AlphaConstants {
    V rotate;
    V low, high;  // L, H
    // Below L: L - t (knee1 - knee3 t^2), which is L - SL / 2 * t (3 - t^2).
    V invSoftLow, lowKnee1, lowKnee3, lowReach, lowBeyond;
    // Above H: H + ((ramp3 t + ramp2) t + ramp1) t, the knee up to H + SH, or with blackout
    // the smoothstep from H down to L - SL.
    V invSoftHigh, highRamp1, highRamp2, highRamp3, highReach, highBeyond;
    // Normalising: (r - rampStart) * rampScale, with lo_a and 1 / (hi_a - lo_a) (1e8 for an
    // empty span); 0 and 1 when it is off, which leaves r as it is.
    V rampStart, rampScale;
    V invert;  // all lanes set when the alpha is inverted
};

AlphaConstants<F4> makeAlphaConstants(const KernelContext& context);

namespace alpha {

// Hue as a fraction of a turn. The test on B comes first, so magenta takes the B formula.
// A grey pixel has no hue: its lanes are 0 explicitly rather than through a NaN.
template <class V>
V hue(V r, V g, V b) {
    const V hi = max(max(r, g), b), lo = min(min(r, g), b);
    const V d = hi - lo;
    const V inv = rcp(d);
    const V h6 = select(hi == b, (r - g) * inv + V::all(4.0f),
                        select(hi == g, (b - r) * inv + V::all(2.0f), (g - b) * inv));
    V degrees = h6 * V::all(60.0f);
    degrees = select(degrees < V::zero(), degrees + V::all(360.0f), degrees);
    return select(d > V::zero(), degrees * V::all(1.0f / 360.0f), V::zero());
}

// (max - min) / max; 0 where max is 0 (black), explicitly.
template <class V>
V saturation(V r, V g, V b) {
    const V hi = max(max(r, g), b), lo = min(min(r, g), b);
    return select(hi == V::zero(), V::zero(), (hi - lo) * rcp(hi));
}

// Raw alpha x of a matte group for the source of stage `Stage` (alphaStageOf; the stage
// beyond the last source takes A unchanged).
template <uint32_t Stage, class V>
V source(V r, V g, V b, V a) {
    constexpr auto S = static_cast<AlphaSource>(Stage);
    if constexpr (S == AlphaSource::Matte)
        return V::all(1.0f) - a;
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
        return (max(max(r, g), b) + min(min(r, g), b)) * V::all(0.5f);
    else
        return a;
}

// The keying window applied to y (already clamped and rotated). `Below` and `Above` say
// whether any lane of the run of groups lies below L or above H; a run without such a lane
// skips that half, which leaves every lane as computing it would. Within a run every lane
// takes both halves, branch-free: on a matte whose values change from pixel to pixel a
// branch per group mispredicts about every other group and costs more than the arithmetic.
// A lane at or above H takes the upper half even when it also lies at or below L (H <= L).
template <bool Below, bool Above, class V>
V window(V y, const AlphaConstants<V>& k) {
    V r = y;
    if constexpr (Below) {
        const V e = k.low - y;
        const V t = e * k.invSoftLow;
        const V knee = t * (k.lowKnee1 - k.lowKnee3 * (t * t));
        r = select(y <= k.low, select(e <= k.lowReach, k.low - knee, k.lowBeyond), r);
    }
    if constexpr (Above) {
        const V e = y - k.high;
        const V t = e * k.invSoftHigh;
        const V ramp = k.high + ((k.highRamp3 * t + k.highRamp2) * t + k.highRamp1) * t;
        r = select(y >= k.high, select(e < k.highReach, ramp, k.highBeyond), r);
    }
    return clamp((r - k.rampStart) * k.rampScale, V::zero(), V::all(1.0f));
}

// Clamp to [0, 1] and rotate, with one wrap. `Turned` is false when the frame neither
// rotates nor inverts its alpha: y + 0 never passes 1, so the clamp alone is the same value.
template <bool Turned, class V>
V rotated(V x, const AlphaConstants<V>& k) {
    const V one = V::all(1.0f);
    const V y = clamp(x, V::zero(), one);
    if constexpr (!Turned) return y;
    const V turned = y + k.rotate;
    return select(turned > one, turned - one, turned);
}

template <bool Turned, class V>
V inverted(V y, const AlphaConstants<V>& k) {
    if constexpr (!Turned) return y;
    return select(k.invert, V::all(1.0f) - y, y);
}

}  // namespace alpha
