#include "scope/false_colour_lookup.h"

#include <algorithm>
#include <limits>

void FalseColourLookup::build(int32_t paletteValue, float gamma) {
    build(selectPalette(paletteValue), gamma);
}

void FalseColourLookup::build(const Palette& palette, float gamma) {
    palette_ = palette;
    applyGamma(palette_, gamma);
    const int last = std::clamp(palette_.count, 1, Palette::kMaxRecords);
    // x in luma percent from -0.25 to 110 in quarter steps; the cursor only moves on, so a
    // record covers the lumas above the previous threshold up to and including its own.
    int record = 1;
    for (int k = 0; k < kEntries; ++k) {
        const float x = -0.25f + 0.25f * static_cast<float>(k);
        while (record < last && x / 100.0f > palette_.records[record - 1].threshold) ++record;
        records_[k] = static_cast<uint8_t>(record);
    }
    records_[0] = 0;

    constexpr float kStays = std::numeric_limits<float>::quiet_NaN();
    keepsLuma_ = keepsChroma_ = false;
    for (int k = 0; k < kEntries; ++k) {
        const PaletteRecord& r = band(k);
        const bool givesLuma = r.mode == BandMode::Colour || r.mode == BandMode::Luma;
        const bool givesChroma = r.mode == BandMode::Colour || r.mode == BandMode::Chroma;
        const bool decidesChroma = givesLuma || givesChroma;
        const float y = givesLuma ? r.y : kStays;
        const float cb = givesChroma ? 0.5f * r.cb : 0.0f, cr = givesChroma ? 0.5f * r.cr : 0.0f;
        const float firstCb = decidesChroma ? cb : kStays, firstCr = decidesChroma ? cr : kStays;
        keepsLuma_ = keepsLuma_ || !givesLuma;
        keepsChroma_ = keepsChroma_ || !decidesChroma;
        float(&f)[4] = first_[k];
        float(&s)[4] = second_[k];
        f[0] = y, f[1] = firstCb, f[2] = firstCr, f[3] = 0.0f;
        s[0] = 0.0f, s[1] = cb, s[2] = cr, s[3] = y;
    }
}

int FalseColourLookup::indexOf(float luma) {
    // Written so that NaN fails the first test and lands on the lower bound.
    const float clamped = luma > -0.25f ? (luma < 1.1f ? luma : 1.1f) : -0.25f;
    const int index = static_cast<int>(clamped * 400.0f + 1.0f);
    return std::clamp(index, 0, kEntries - 1);
}
