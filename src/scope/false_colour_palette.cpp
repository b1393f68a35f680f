#include "scope/false_colour_palette.h"

#include <cmath>

namespace {

constexpr PaletteRecord kBelowBlack{0.0f, 0.356f, -0.086f, 0.565f, BandMode::Colour};
constexpr PaletteRecord kAboveWhite{2.0f, 0.298f, -0.146f, 0.613f, BandMode::Colour};

constexpr Palette kDefault{13,
                           kBelowBlack,
                           {{
                               {0.0f, 0.205f, 0.114f, -0.122f, BandMode::Colour},
                               {0.01f, 0.205f, 0.114f, -0.122f, BandMode::Colour},
                               {0.12f, 0.433f, 0.216f, -0.373f, BandMode::Colour},
                               {0.22f, 0.689f, 0.152f, -0.301f, BandMode::Colour},
                               {0.42f, 0.561f, -0.127f, 0.155f, BandMode::Colour},
                               {0.47f, 0.246f, 0.204f, 0.286f, BandMode::Colour},
                               {0.55f, 0.457f, 0.098f, -0.401f, BandMode::Colour},
                               {0.58f, 0.78f, -0.045f, 0.193f, BandMode::Colour},
                               {0.78f, 0.743f, -0.002f, 0.005f, BandMode::Colour},
                               {0.8f, 0.443f, -0.191f, -0.006f, BandMode::Colour},
                               {0.83f, 0.612f, -0.299f, -0.276f, BandMode::Colour},
                               {1.0f, 0.899f, -0.377f, 0.089f, BandMode::Colour},
                               kAboveWhite,
                           }}};

// The Default bands over the picture's own luma; above white stays a solid colour.
constexpr Palette shaded(Palette p) {
    for (int i = 0; i < 12; ++i) p.records[i].mode = BandMode::Chroma;
    return p;
}
constexpr Palette kShaded = shaded(kDefault);

constexpr Palette kNoMap{1,
                         {0.0f, 0.5f, 0.0f, 0.0f, BandMode::Unchanged},
                         {{{2.0f, 0.5f, 0.0f, 0.0f, BandMode::Unchanged}}}};

constexpr Palette kShadows{4,
                           kBelowBlack,
                           {{
                               {0.0f, 0.593f, 0.052f, 0.082f, BandMode::Colour},
                               {0.08f, 0.593f, 0.052f, 0.082f, BandMode::Colour},
                               {1.0f, 0.9f, 0.0f, 0.0f, BandMode::Unchanged},
                               kAboveWhite,
                           }}};

constexpr Palette kHighlights{6,
                              kBelowBlack,
                              {{
                                  {0.0f, 0.0f, 0.0f, 0.005f, BandMode::Unchanged},
                                  {0.78f, 0.5f, 0.0f, 0.005f, BandMode::Unchanged},
                                  {0.8f, 0.443f, -0.191f, -0.006f, BandMode::Colour},
                                  {0.83f, 0.612f, -0.299f, -0.276f, BandMode::Colour},
                                  {1.0f, 0.899f, -0.377f, 0.089f, BandMode::Colour},
                                  kAboveWhite,
                              }}};

}  // namespace

const Palette& selectPalette(int32_t paletteValue) {
    switch (paletteValue) {
        case 1:
            return kNoMap;
        case 2:
            return kShadows;
        case 3:
            return kHighlights;
        case 4:
            return kShaded;
        default:
            return kDefault;
    }
}

float gammaFromShift(double shift) {
    const auto t = static_cast<float>(shift / 1000.0);
    return t + 1.0f > 1.0f ? 10.0f * t * t * t + 1.0f : 1.0f - t * t;
}

void applyGamma(Palette& palette, float gamma) {
    if (gamma == 0.0f) return;
    const float exponent = 1.0f / gamma;
    for (int i = 0; i < palette.count; ++i) {
        float& t = palette.records[i].threshold;
        if (t < 1.0f && t != 0.0f) t = std::pow(t, exponent);
    }
}
