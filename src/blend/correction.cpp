#include "blend/correction.h"

#include "blend/luma.h"

CorrectionConstants<F4> makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                       __m128 saturation, __m128 shiftR, __m128 shiftG,
                                       __m128 shiftB) {
    const F4 one = F4::all(1.0f);
    const F4 contrastPlus1 = F4(contrast) + one;
    const F4 lineOffset = F4(brightness) - F4(contrast) * F4::all(0.5f);
    const F4 slope = invert ? F4::zero() - contrastPlus1 : contrastPlus1;
    const F4 offset = invert ? contrastPlus1 + lineOffset : lineOffset;
    const F4 sigma = saturation;
    const F4 greyShare = (one - sigma) * slope;
    // A channel of 0 becomes the offset in all three channels, whose luma is the offset.
    const F4 grey = sigma * offset + (one - sigma) * luma709::of(offset, offset, offset);
    return {sigma * slope,
            greyShare * F4::all(luma709::kR),
            greyShare * F4::all(luma709::kG),
            greyShare * F4::all(luma709::kB),
            grey + F4(shiftR),
            grey + F4(shiftG),
            grey + F4(shiftB)};
}

CorrectionConstants<F4> composed(const CorrectionConstants<F4>& first, F4 scale,
                                 const CorrectionConstants<F4>& then) {
    // then(x) = d2 x + w2.x + t2 with x = d1 c + w1.c + t1 in every channel, the scale
    // already taken into d1, w1 and t1:
    //   d2 d1 c + (d2 + sum w2) w1.c + d1 w2.c + d2 t1 + w2.t1 + t2.
    const F4 d1 = first.diagonal * scale;
    const F4 w1[3] = {first.weightR * scale, first.weightG * scale, first.weightB * scale};
    const F4 t1[3] = {first.constantR * scale, first.constantG * scale, first.constantB * scale};
    const F4 carry = then.diagonal + ((then.weightR + then.weightG) + then.weightB);
    const F4 lift = (then.weightR * t1[0] + then.weightG * t1[1]) + then.weightB * t1[2];
    return {d1 * then.diagonal,
            carry * w1[0] + d1 * then.weightR,
            carry * w1[1] + d1 * then.weightG,
            carry * w1[2] + d1 * then.weightB,
            then.diagonal * t1[0] + lift + then.constantR,
            then.diagonal * t1[1] + lift + then.constantG,
            then.diagonal * t1[2] + lift + then.constantB};
}
