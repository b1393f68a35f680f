#include "blend/alpha.h"

namespace {

F4 mask(bool on) { return on ? F4(_mm_castsi128_ps(_mm_set1_epi32(-1))) : F4::zero(); }

}  // namespace

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
    k.normalize = mask(isSet(s.normalizeAlpha));
    k.blackout = mask(isSet(s.blackoutHighlights));
    k.invert = mask(context.invertAlphaOn != 0);
    return k;
}
