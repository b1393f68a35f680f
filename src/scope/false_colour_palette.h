// The false-colour palettes: luma bands, each with the colour it paints and how it paints it,
// chosen by the "Palette" value and bent by the gamma of "False Color Gamma Shift".
#pragma once

#include <array>
#include <cstdint>

// What a band does to a pixel whose luma falls in it.
enum class BandMode : int32_t {
    Colour = 0,     // the band's luma and chroma
    Luma = 1,       // the band's luma; the pair's chroma by the rule of the first pixel
    Chroma = 2,     // the pixel's own luma, the band's chroma
    Unchanged = 3,  // the pixel as it is
};

struct PaletteRecord {
    float threshold;  // the band covers lumas above the previous threshold up to this one
    float y, cb, cr;
    BandMode mode;
};

struct Palette {
    static constexpr int kMaxRecords = 13;
    int32_t count;         // records in use; the last threshold is 2.0, above every luma
    PaletteRecord header;  // lumas below 0.0; its threshold is not used
    std::array<PaletteRecord, kMaxRecords> records;  // ascending thresholds
};

// 1 No map, 2 Shadows, 3 Highlights, 4 Shaded; every other value the Default palette.
const Palette& selectPalette(int32_t paletteValue);

// The gamma of a "False Color Gamma Shift" value: 1 at 0, up to 11 at 1000, towards 0 at -1000.
float gammaFromShift(double shift);

// Every threshold below 1.0 becomes threshold^(1/gamma); 0.0, 1.0 and 2.0 stay. A gamma of
// 0.0 changes nothing.
void applyGamma(Palette& palette, float gamma);
