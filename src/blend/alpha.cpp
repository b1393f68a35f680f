#include "blend/alpha.h"

AlphaConstants makeAlphaConstants(const KernelContext& context) {
    const BlendSettings& s = *context.settings;
    AlphaConstants k{};
    k.rotate = s.alphaRotateV;
    k.low = context.alphaLowV;
    k.high = context.alphaHighV;
    k.softLow = context.alphaSoftLowV;
    k.softHigh = context.alphaSoftHighV;
    k.invSoftLow = rcp(k.softLow);
    k.invSoftHigh = rcp(k.softHigh);
    k.softLowOn = k.softLow > F4::zero();
    k.softHighOn = k.softHigh > F4::zero();
    k.rampStart = context.lowRampStartV;
    const F4 span = F4(context.highRampEndV) - k.rampStart;
    k.invSpan = select(span == F4::zero(), F4::all(1e8f), rcp(span));
    k.normalize = F4::mask(isSet(s.normalizeAlpha));
    k.blackout = F4::mask(isSet(s.blackoutHighlights));
    k.invert = F4::mask(context.invertAlphaOn != 0);
    return k;
}
