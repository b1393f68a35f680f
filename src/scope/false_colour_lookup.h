// The false-colour lookup of one converter: the chosen palette, bent by this frame's gamma,
// spread over 442 quarter-percent steps of luma so that a pixel finds its band by one index.
// Each converter owns one, so one pass's gamma never reaches another's.
#pragma once

#include <cstdint>

#include "pixel/f4.h"
#include "scope/false_colour_palette.h"

class FalseColourLookup {
public:
    // Entry 0 holds every luma below 0.0; entry k >= 1 lumas from (k - 1) / 4 percent up to
    // the next quarter percent; entry 441 everything from 110 % up.
    static constexpr int kEntries = 442;

    // The palette the "Palette" value selects, with `gamma` applied to this lookup's copy.
    // A pass builds it once per frame before mapping; until then every pixel maps to black.
    CORVANE_BOTH_WIDTHS FalseColourLookup() {}

    void build(int32_t paletteValue, float gamma);
    void build(const Palette& palette, float gamma);

    // This lookup's own copy of its palette, gamma applied.
    const Palette& palette() const { return palette_; }
    // The palette record of an entry: the header for entry 0.
    const PaletteRecord& band(int index) const {
        return records_[index] == 0 ? palette_.header : palette_.records[records_[index] - 1];
    }
    // trunc(clamp(luma, -0.25, 1.1) * 400 + 1) within 0..441; NaN and -inf give entry 0.
    static int indexOf(float luma);

    // The entries as the mapping of a pair reads them, rows of four floats: what a pixel
    // gives its pair as the first pixel {Y, Cb / 2, Cr / 2, 0} and as the second
    // {0, Cb / 2, Cr / 2, Y}. A pair's row sum is its mapped {Y0, Cb, Cr, Y1}, NaN where the
    // old value stays: a luma whose band keeps luma, and the chroma of a pair whose first
    // pixel's band leaves it unchanged. A band that gives no chroma gives 0.
    CORVANE_BOTH_WIDTHS const float* firstRows() const { return first_[0]; }
    CORVANE_BOTH_WIDTHS const float* secondRows() const { return second_[0]; }
    // Whether any entry leaves a luma, or a pair's chroma, as it is (whether the rows hold
    // NaN there): decided once per frame, so that a palette that replaces everything, like
    // the default one, spends nothing on keeping.
    CORVANE_BOTH_WIDTHS bool keepsLuma() const { return keepsLuma_; }
    CORVANE_BOTH_WIDTHS bool keepsChroma() const { return keepsChroma_; }

private:
    Palette palette_{};
    uint8_t records_[kEntries]{};  // 0 the header, i record i
    alignas(16) float first_[kEntries][4]{};
    alignas(16) float second_[kEntries][4]{};
    bool keepsLuma_ = false, keepsChroma_ = false;
};
