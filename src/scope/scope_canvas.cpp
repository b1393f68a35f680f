#include "scope/scope_canvas.h"

namespace {

template <class Sample>
void putSamples(uint8_t* pair, PixelLayout layout, Sample y, Sample cb, Sample cr) {
    const PairOrder o = pairOrder(layout);
    setSample(pair, o.y0, y);
    setSample(pair, o.cb, cb);
    setSample(pair, o.y1, y);
    setSample(pair, o.cr, cr);
}

}  // namespace

void putColour(const ScopeCanvas& c, uint8_t* pair, ScopeColour colour) {
    const auto i = static_cast<size_t>(colour);
    switch (c.depth) {
        case PixelDepth::Bits8: {
            const uint8_t* v = c.colours.bits8[i];
            putSamples(pair, c.layout, v[0], v[1], v[2]);
            break;
        }
        case PixelDepth::Fixed2_14: {
            const int16_t* v = c.colours.fixed2_14[i];
            putSamples(pair, c.layout, v[0], v[1], v[2]);
            break;
        }
        case PixelDepth::Float32: {
            const float* v = c.colours.floats[i];
            putSamples(pair, c.layout, v[0], v[1], v[2]);
            break;
        }
        default:
            break;
    }
}
