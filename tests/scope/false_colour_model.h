// The scope's false-colour palettes as published, and the map of a pair of pixels through
// them, in double precision: the model both the float lookup and the 8-bit code tables answer to.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace false_colour_model {

struct Band {
    double threshold, y, cb, cr;
    int mode;
};
using Bands = std::vector<Band>;  // the header (lumas below 0) first

inline const Band kHeader{0, 0.356, -0.086, 0.565, 0}, kTop{2.0, 0.298, -0.146, 0.613, 0};
inline Bands defaultBands(int m) {
    return {kHeader,
            {0.0, 0.205, 0.114, -0.122, m},
            {0.01, 0.205, 0.114, -0.122, m},
            {0.12, 0.433, 0.216, -0.373, m},
            {0.22, 0.689, 0.152, -0.301, m},
            {0.42, 0.561, -0.127, 0.155, m},
            {0.47, 0.246, 0.204, 0.286, m},
            {0.55, 0.457, 0.098, -0.401, m},
            {0.58, 0.78, -0.045, 0.193, m},
            {0.78, 0.743, -0.002, 0.005, m},
            {0.8, 0.443, -0.191, -0.006, m},
            {0.83, 0.612, -0.299, -0.276, m},
            {1.0, 0.899, -0.377, 0.089, m},
            kTop};
}
inline const Bands kDefault = defaultBands(0), kShaded = defaultBands(2);
inline const Bands kNoMap = {{0, 0.5, 0, 0, 3}, {2.0, 0.5, 0, 0, 3}};
inline const Bands kShadows = {kHeader,
                               {0.0, 0.593, 0.052, 0.082, 0},
                               {0.08, 0.593, 0.052, 0.082, 0},
                               {1.0, 0.9, 0, 0, 3},
                               kTop};
inline const Bands kHighlights = {kHeader,
                                  {0.0, 0, 0, 0.005, 3},
                                  {0.78, 0.5, 0, 0.005, 3},
                                  {0.8, 0.443, -0.191, -0.006, 0},
                                  {0.83, 0.612, -0.299, -0.276, 0},
                                  {1.0, 0.899, -0.377, 0.089, 0},
                                  kTop};
// Lumas are looked up in quarter-percent steps, rounded down, and clamped at 110 %.
inline const Band& bandOf(const Bands& p, double luma) {
    if (!(luma >= 0.0)) return p[0];
    const double q = std::floor(std::min(luma, 1.1) * 400.0) / 400.0;
    for (size_t i = 1; i < p.size(); ++i)
        if (q <= p[i].threshold) return p[i];
    return p.back();
}

struct Pair {
    double cb, y0, cr, y1;
};
inline Pair modelMap(const Bands& p, Pair in) {
    const Band &a = bandOf(p, in.y0), &b = bandOf(p, in.y1);
    const auto luma = [](const Band& x) { return x.mode == 0 || x.mode == 1; };
    const auto chroma = [](const Band& x, double Band::*c) {
        return x.mode == 0 || x.mode == 2 ? x.*c : 0.0;
    };
    Pair out = in;
    if (luma(a)) out.y0 = a.y;
    if (luma(b)) out.y1 = b.y;
    if (a.mode != 3) {
        out.cb = 0.5 * (chroma(a, &Band::cb) + chroma(b, &Band::cb));
        out.cr = 0.5 * (chroma(a, &Band::cr) + chroma(b, &Band::cr));
    }
    return out;
}

// The palette a setting chooses; anything unknown takes the default.
inline const Bands& bandsOf(int32_t palette) {
    static const Bands* const known[] = {&kDefault, &kNoMap, &kShadows, &kHighlights, &kShaded};
    return palette >= 0 && palette < 5 ? *known[palette] : kDefault;
}

// The palette under a gamma: each threshold t strictly between 0 and 1 becomes t^(1/gamma), in
// single precision as the palette holds it; gamma 0 or 1 leaves it as it is.
inline Bands withGamma(Bands bands, float gamma) {
    if (gamma == 0.0f || gamma == 1.0f) return bands;
    for (size_t i = 1; i < bands.size(); ++i)
        if (const auto t = float(bands[i].threshold); t < 1.0f && t != 0.0f)
            bands[i].threshold = std::pow(t, 1.0f / gamma);
    return bands;
}

}  // namespace false_colour_model
