#include "blend/alpha.h"

AlphaConstants<F4> makeAlphaConstants(const KernelContext& context) {
    const BlendSettings& s = *context.settings;
    const F4 low = context.alphaLowV, high = context.alphaHighV;
    const F4 softLow = context.alphaSoftLowV, softHigh = context.alphaSoftHighV;
    const F4 softLowOn = softLow > F4::zero(), softHighOn = softHigh > F4::zero();
    // The distances that matter are not negative: y <= L below, y >= H above.
    const F4 never = F4::all(-1.0f);

    AlphaConstants<F4> k{};
    k.rotate = s.alphaRotateV;
    k.low = low;
    k.high = high;

    k.invSoftLow = rcp(softLow);
    k.lowKnee1 = softLow * F4::all(1.5f);
    k.lowKnee3 = softLow * F4::all(0.5f);
    k.lowReach = select(softLowOn, softLow, never);  // e <= SL
    k.lowBeyond = select(softLowOn, low - softLow, low);

    k.invSoftHigh = rcp(softHigh);
    if (isSet(s.blackoutHighlights)) {
        // H + D t^2 (3 - 2 t) with D = L - (H + SL): from H at t = 0 to L - SL at t = 1.
        const F4 fall = low - (high + softLow);
        k.highRamp1 = F4::zero();
        k.highRamp2 = fall * F4::all(3.0f);
        k.highRamp3 = fall * F4::all(-2.0f);
        k.highBeyond = select(softHighOn, low - softLow, low);
    } else {
        // H + SH / 2 * t (3 - t^2): from H at t = 0 to H + SH at t = 1.
        k.highRamp1 = softHigh * F4::all(1.5f);
        k.highRamp2 = F4::zero();
        k.highRamp3 = softHigh * F4::all(-0.5f);
        k.highBeyond = select(softHighOn, high + softHigh, high);
    }
    k.highReach = select(softHighOn, softHigh, never);  // e < SH

    if (isSet(s.normalizeAlpha)) {
        k.rampStart = context.lowRampStartV;
        const F4 span = F4(context.highRampEndV) - k.rampStart;
        k.rampScale = select(span == F4::zero(), F4::all(1e8f), rcp(span));
    } else {
        k.rampStart = F4::zero();
        k.rampScale = F4::all(1.0f);
    }
    k.invert = F4::mask(context.invertAlphaOn != 0);
    return k;
}
