#include "demo_pictures.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

uint16_t* rowOf(AVFrame& f, int plane, int y) {
    return reinterpret_cast<uint16_t*>(f.data[plane] +
                                       static_cast<ptrdiff_t>(y) * f.linesize[plane]);
}

uint16_t code16(double v) {
    return static_cast<uint16_t>(std::lround(std::clamp(v, 0.0, 1.0) * 65535.0));
}

// Hue in turns, saturation and value 0..1, to RGB.
void hsv(double h, double s, double v, double rgb[3]) {
    const double k[3] = {5.0, 3.0, 1.0};
    for (int c = 0; c < 3; ++c) {
        const double t = std::fmod(k[c] + h * 6.0, 6.0);
        rgb[c] = v - v * s * std::max(0.0, std::min({t, 4.0 - t, 1.0}));
    }
}

}  // namespace

FramePtr colourBars(int w, int h) {
    FramePtr f = allocFrame(AV_PIX_FMT_RGB48, w, h);
    // White, yellow, cyan, green, magenta, red, blue at 75 %, then black.
    const int bars[8][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0},
                            {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};
    for (int y = 0; y < h; ++y) {
        uint16_t* p = rowOf(*f, 0, y);
        for (int x = 0; x < w; ++x) {
            const int* bar = bars[std::min(7, x * 8 / w)];
            for (int c = 0; c < 3; ++c) p[3 * x + c] = code16(0.75 * bar[c]);
        }
    }
    return f;
}

FramePtr lumaRamp(int w, int h) {
    FramePtr f = allocFrame(AV_PIX_FMT_YUV444P16, w, h);
    f->color_range = AVCOL_RANGE_MPEG;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // 8-bit codes 4 to 250: legal black is 16 and legal white 235.
            const double code = 4.0 + 246.0 * x / std::max(1, w - 1);
            rowOf(*f, 0, y)[x] = static_cast<uint16_t>(std::lround(code * 256.0));
            rowOf(*f, 1, y)[x] = 128 * 256;
            rowOf(*f, 2, y)[x] = 128 * 256;
        }
    }
    return f;
}

FramePtr hueSaturationSweep(int w, int h) {
    FramePtr f = allocFrame(AV_PIX_FMT_RGB48, w, h);
    for (int y = 0; y < h; ++y) {
        uint16_t* p = rowOf(*f, 0, y);
        for (int x = 0; x < w; ++x) {
            double rgb[3];
            hsv(static_cast<double>(x) / w, 1.0 - static_cast<double>(y) / std::max(1, h - 1), 1.0,
                rgb);
            for (int c = 0; c < 3; ++c) p[3 * x + c] = code16(rgb[c]);
        }
    }
    return f;
}

FramePtr softMatte(int w, int h) {
    FramePtr f = allocFrame(AV_PIX_FMT_RGBA64, w, h);
    for (int y = 0; y < h; ++y) {
        uint16_t* p = rowOf(*f, 0, y);
        for (int x = 0; x < w; ++x) {
            const double dx = (x - w / 2.0) / (w * 0.35), dy = (y - h / 2.0) / (h * 0.35);
            const double r = std::sqrt(dx * dx + dy * dy);
            const double inside = std::clamp((1.2 - r) / 0.4, 0.0, 1.0);  // soft edge
            const double grey = static_cast<double>(y) / std::max(1, h - 1);
            p[4 * x + 0] = code16(inside);
            p[4 * x + 1] = code16(grey);
            p[4 * x + 2] = code16(1.0 - inside);
            p[4 * x + 3] = code16(1.0 - inside);  // "Alpha: Matte" reads 1 - A
        }
    }
    return f;
}

FramePtr twoFieldPicture(int w, int h) {
    FramePtr bars = colourBars(w, h), sweep = hueSaturationSweep(w, h);
    FramePtr f = allocFrame(AV_PIX_FMT_RGB48, w, h);
    for (int y = 0; y < h; ++y) {
        const AVFrame& from = y % 2 ? *sweep : *bars;
        std::copy_n(rowOf(const_cast<AVFrame&>(from), 0, y), 3 * w, rowOf(*f, 0, y));
    }
    f->interlaced_frame = 1;
    f->top_field_first = 1;
    return f;
}

}  // namespace corvane
