// Maps a converter's working group through its false-colour lookup, lane by lane: each luma
// finds its band, and the first pixel of a pair decides whether the pair's chroma changes.
#pragma once

#include "scope/false_colour_lookup.h"

// `Converter` is one of the YCbCr converters, loaded; its working vectors change in place.
// Indices are made in vector code and clamped to the table; per lane there is one row load
// for each of the two pixels, and nothing branches on the pixels.
template <class Converter>
void mapThroughFalseColour(Converter& c) {
    using Lanes = typename Converter::Lanes;
    using V = typename Lanes::Float;
    // trunc(clamp(luma, -0.25, 1.1) * 400 + 1) as the table clamps it: every luma below 0
    // reads entry 0 whether it is clamped to -0.25 first or not, so only the upper bound is
    // taken here, bound first so that NaN passes and converts to the lowest integer (entry 0,
    // as -inf). Beyond 1.1 every luma, +inf included, reads entry 441.
    const auto position = [](V luma) {
        return min(V::all(1.1f), luma) * V::all(400.0f) + V::all(1.0f);
    };
    const FalseColourLookup& t = c.falseColour;
    const auto m = Lanes::addRows(t.firstRows(), position(c.y0), t.secondRows(), position(c.y1),
                                  FalseColourLookup::kEntries - 1);
    // NaN in the sums marks the values that stay (x == x fails only for NaN); whether any
    // can stay is decided once per frame.
    const auto update = [](bool keeps, V& a, V mappedA, V& b, V mappedB) {
        if (keeps) {
            a = select(mappedA == mappedA, mappedA, a);
            b = select(mappedB == mappedB, mappedB, b);
        } else {
            a = mappedA;
            b = mappedB;
        }
    };
    update(t.keepsLuma(), c.y0, m.v0, c.y1, m.v3);
    update(t.keepsChroma(), c.cb, m.v1, c.cr, m.v2);
}
