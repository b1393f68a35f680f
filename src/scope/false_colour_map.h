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
    // NaN in the sums marks the values that stay (x == x fails only for NaN). The two tests
    // go the same way for every group of a frame.
    const auto mapped = [](V x, V old) { return select(x == x, x, old); };
    if (t.keepsLuma()) {
        c.y0 = mapped(m.v0, c.y0);
        c.y1 = mapped(m.v3, c.y1);
    } else {
        c.y0 = m.v0;
        c.y1 = m.v3;
    }
    if (t.keepsChroma()) {
        c.cb = mapped(m.v1, c.cb);
        c.cr = mapped(m.v2, c.cr);
    } else {
        c.cb = m.v1;
        c.cr = m.v2;
    }
}
