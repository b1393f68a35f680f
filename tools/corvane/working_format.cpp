#include "working_format.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tool_error.h"
#include "ycbcr_loops.h"

namespace corvane {

namespace {

// Where R, G, B and A sit among a pixel's four components, by layout.
struct ChannelOrder {
    int r, g, b, a;
};
ChannelOrder orderOf(int32_t layout) {
    if (layout == code::kRGBA) return {0, 1, 2, 3};
    if (layout == code::kARGB) return {1, 2, 3, 0};
    return {2, 1, 0, 3};  // BGRA
}

AVPixelFormat packed8(int32_t layout) {
    switch (layout) {
        case code::kRGBA:
            return AV_PIX_FMT_RGBA;
        case code::kARGB:
            return AV_PIX_FMT_ARGB;
        case code::kYCbYCr:
            return AV_PIX_FMT_YUYV422;
        case code::kCbYCrY:
            return AV_PIX_FMT_UYVY422;
        default:
            return AV_PIX_FMT_BGRA;
    }
}

bool planarFloat(AVPixelFormat f) { return f == AV_PIX_FMT_GBRPF32 || f == AV_PIX_FMT_GBRAPF32; }

// Bits of a planar 4:2:2 format our loops read and write directly; 0 for any other.
int planar422Bits(AVPixelFormat f) {
    switch (f) {
        case AV_PIX_FMT_YUV422P:
            return 8;
        case AV_PIX_FMT_YUV422P10:
            return 10;
        case AV_PIX_FMT_YUV422P12:
            return 12;
        case AV_PIX_FMT_YUV422P16:
            return 16;
        default:
            return 0;
    }
}

template <class T>
T clampTo(float v, float lo, float hi) {
    return static_cast<T>(std::lrintf(std::min(std::max(v, lo), hi)));
}

// Video-range 8-bit RGB codes from full-range ones and back; only colour, never alpha.
void toVideoRange(uint8_t* p, size_t pixels, ChannelOrder o) {
    for (size_t i = 0; i < pixels; ++i, p += 4)
        for (int c : {o.r, o.g, o.b}) p[c] = static_cast<uint8_t>((p[c] * 219 + 127) / 255 + 16);
}
void toFullRange(uint8_t* p, size_t pixels, ChannelOrder o) {
    for (size_t i = 0; i < pixels; ++i, p += 4)
        for (int c : {o.r, o.g, o.b})
            p[c] = clampTo<uint8_t>((p[c] - 16) * 255.f / 219.f, 0.f, 255.f);
}

}  // namespace

const char* layoutName(int32_t l) {
    const char* names[] = {"none",   "YCbYCr",   "CbYCrY",          "ARGB", "BGRA", "RGBA",
                           "ABGR",   "YCbYCr+A", "YCbYCr+A at end", "RGB",  "BGR",  "YCbCrA",
                           "CbYCrA", "Mono"};
    return l >= 0 && l <= 13 ? names[l] : "?";
}

const char* depthName(int32_t d) {
    const char* names[] = {"none", "8-bit", "10-bit", "2.14", "10.6", "16-bit", "float", "half"};
    return d >= 0 && d <= 7 ? names[d] : "?";
}

uint32_t WorkingFormat::pixelBytes() const {
    const uint32_t sample = depth == code::kDepth8 ? 1 : depth == code::kDepth214 ? 2 : 4;
    return sample * (ycbcr() ? 2 : 4);
}

std::string WorkingFormat::text() const {
    return std::string(layoutName(layout)) + " " + depthName(depth) +
           (range == code::kVideoRange ? " video range" : " full range");
}

WorkingFormat chooseWorkingFormat(bool ycbcr, const FormatFacts& source, const FormatRequest& ask) {
    WorkingFormat w;
    w.depth = source.isFloat && !ycbcr ? code::kDepthFloat
              : source.bits > 8        ? code::kDepth214
                                       : code::kDepth8;
    if (ask.depth == "8")
        w.depth = code::kDepth8;
    else if (ask.depth == "2.14")
        w.depth = code::kDepth214;
    else if (ask.depth == "float")
        w.depth = code::kDepthFloat;
    else if (!ask.depth.empty())
        throw ToolError("--depth is 8, 2.14 or float, got \"" + ask.depth + "\"");

    w.layout = ycbcr ? code::kCbYCrY : code::kBGRA;
    const std::pair<const char*, int32_t> layouts[] = {{"bgra", code::kBGRA},
                                                       {"rgba", code::kRGBA},
                                                       {"argb", code::kARGB},
                                                       {"cbycry", code::kCbYCrY},
                                                       {"ycbycr", code::kYCbYCr}};
    if (!ask.layout.empty()) {
        std::string l = ask.layout;
        std::transform(l.begin(), l.end(), l.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        const auto* found = std::find_if(std::begin(layouts), std::end(layouts),
                                         [&](const auto& p) { return l == p.first; });
        if (found == std::end(layouts))
            throw ToolError("--layout is bgra, rgba, argb, cbycry or ycbycr, got \"" + ask.layout +
                            "\"");
        w.layout = found->second;
    }
    w.colourSpace = w.ycbcr() ? code::kRec709 : code::kRGB;
    w.range = w.ycbcr() ? code::kVideoRange : code::kFullRange;
    if (ask.range == "video")
        w.range = code::kVideoRange;
    else if (ask.range == "full")
        w.range = code::kFullRange;
    else if (!ask.range.empty())
        throw ToolError("--range is video or full, got \"" + ask.range + "\"");
    return w;
}

ToWorking::ToWorking(const WorkingFormat& working, const SourceInfo& source)
    : working_(working), source_(source) {
    const bool fromFull = source.facts.rgb || source.fullRange;
    const int w = source.width, h = source.height;
    if (working.ycbcr() && w % 2)
        throw ToolError(source.path + " is " + std::to_string(w) +
                        " pixels wide: 4:2:2 pictures need an even width");
    if (working.depth == code::kDepth8 &&
        (!working.ycbcr() || working.range == code::kVideoRange)) {
        exchange_ = packed8(working.layout);
    } else if (planar422Bits(source.format)) {
        exchange_ = source.format;  // our loops read it as it comes
    } else if (!working.ycbcr()) {
        exchange_ = planarFloat(source.format) ? source.format : AV_PIX_FMT_RGBA64;
    } else {
        exchange_ = AV_PIX_FMT_YUV422P16;
    }
    const bool exchangeFull = exchange_ == source.format ? fromFull : !working.ycbcr();
    levels_ = ycbcrLevels(std::max(planar422Bits(exchange_), 8), exchangeFull);
    if (exchange_ != source.format) {
        sws_ = makeConverter(source.format, fromFull, exchange_, !working.ycbcr(), w, h);
        if (exchange_ != packed8(working.layout)) between_ = allocFrame(exchange_, w, h);
    }
}

void ToWorking::operator()(const AVFrame& frame, uint8_t* out) {
    const int w = source_.width, h = source_.height;
    if (frame.width != w || frame.height != h || frame.format != source_.format)
        throw ToolError(source_.path + ": a frame changes size or format mid-stream");
    if (exchange_ == packed8(working_.layout)) {
        uint8_t* dst[4] = {out};
        int stride[4] = {static_cast<int>(working_.pixelBytes()) * w};
        if (sws_) {
            sws_scale(sws_.get(), frame.data, frame.linesize, 0, h, dst, stride);
        } else {
            for (int y = 0; y < h; ++y)
                std::memcpy(out + static_cast<size_t>(y) * stride[0],
                            frame.data[0] + y * frame.linesize[0], stride[0]);
        }
        if (!working_.ycbcr() && working_.range == code::kVideoRange)
            toVideoRange(out, static_cast<size_t>(w) * h, orderOf(working_.layout));
        return;
    }
    const AVFrame* src = &frame;
    if (sws_) {
        convert(sws_.get(), frame, *between_);
        src = between_.get();
    }
    if (const int bits = planar422Bits(exchange_)) {
        planarToPacked(*src, bits, levels_, working_, out, scratch_);
        return;
    }
    const ChannelOrder o = orderOf(working_.layout);
    const int at[4] = {o.r, o.g, o.b, o.a};
    const bool toFloat = working_.depth == code::kDepthFloat;
    auto put = [&](uint8_t* px, int c, float v) {
        if (toFloat)
            reinterpret_cast<float*>(px)[at[c]] = v;
        else
            reinterpret_cast<int16_t*>(px)[at[c]] =
                clampTo<int16_t>(v * 16384.f, -32768.f, 32767.f);
    };
    uint8_t* px = out;
    if (planarFloat(exchange_)) {
        const int planes[4] = {2, 0, 1, 3};  // GBR(A) planes
        for (int y = 0; y < h; ++y) {
            const float* row[4];
            for (int c = 0; c < 4; ++c)
                row[c] = src->data[planes[c]]
                             ? reinterpret_cast<const float*>(src->data[planes[c]] +
                                                              static_cast<ptrdiff_t>(y) *
                                                                  src->linesize[planes[c]])
                             : nullptr;
            for (int x = 0; x < w; ++x, px += working_.pixelBytes())
                for (int c = 0; c < 4; ++c) put(px, c, row[c] ? row[c][x] : 1.f);
        }
        return;
    }
    for (int y = 0; y < h; ++y) {
        const uint16_t* p = reinterpret_cast<const uint16_t*>(
            src->data[0] + static_cast<ptrdiff_t>(y) * src->linesize[0]);
        for (int x = 0; x < w; ++x, p += 4, px += working_.pixelBytes())
            for (int c = 0; c < 4; ++c) put(px, c, p[c] * (1.f / 65535.f));
    }
}

FromWorking::FromWorking(const WorkingFormat& working, AVPixelFormat target, int width, int height)
    : working_(working),
      target_(target),
      width_(width),
      height_(height),
      frames_(target, width, height) {
    if (working.depth == code::kDepth8 && (!working.ycbcr() || working.range == code::kVideoRange))
        exchange_ = packed8(working.layout);
    else if (planar422Bits(target))
        exchange_ = target;  // our loops write it directly
    else if (!working.ycbcr())
        exchange_ =
            planarFloat(target) && working.depth == code::kDepthFloat ? target : AV_PIX_FMT_RGBA64;
    else
        exchange_ = AV_PIX_FMT_YUV422P16;
    // Encoders take 4:2:2 in video range.
    levels_ = ycbcrLevels(std::max(planar422Bits(exchange_), 8), false);
    if (exchange_ != target) {
        sws_ = makeConverter(exchange_, !working.ycbcr(), target, formatFacts(target).rgb, width,
                             height);
        between_ = allocFrame(exchange_, width, height);
    }
}

FramePtr FromWorking::operator()(const uint8_t* in) {
    const int w = width_, h = height_;
    FramePtr out = frames_.get();
    AVFrame* between = sws_ ? between_.get() : out.get();
    if (exchange_ == packed8(working_.layout)) {
        const size_t row = static_cast<size_t>(w) * working_.pixelBytes();
        for (int y = 0; y < h; ++y) {
            uint8_t* to = between->data[0] + y * between->linesize[0];
            std::memcpy(to, in + y * row, row);
            if (!working_.ycbcr() && working_.range == code::kVideoRange)
                toFullRange(to, w, orderOf(working_.layout));
        }
    } else if (const int bits = planar422Bits(exchange_)) {
        packedToPlanar(in, working_, bits, levels_, *between, scratch_);
    } else {
        const ChannelOrder o = orderOf(working_.layout);
        const int at[4] = {o.r, o.g, o.b, o.a};
        const bool fromFloat = working_.depth == code::kDepthFloat;
        const bool toFloat = planarFloat(exchange_);
        const int planes[4] = {2, 0, 1, 3};  // GBR(A) planes
        const uint8_t* px = in;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x, px += working_.pixelBytes()) {
                for (int c = 0; c < 4; ++c) {
                    const float v = fromFloat
                                        ? reinterpret_cast<const float*>(px)[at[c]]
                                        : reinterpret_cast<const int16_t*>(px)[at[c]] / 16384.f;
                    if (!toFloat)
                        reinterpret_cast<uint16_t*>(between->data[0] +
                                                    static_cast<ptrdiff_t>(y) *
                                                        between->linesize[0])[4 * x + c] =
                            clampTo<uint16_t>(v * 65535.f, 0.f, 65535.f);
                    else if (between->data[planes[c]])
                        reinterpret_cast<float*>(between->data[planes[c]] +
                                                 static_cast<ptrdiff_t>(y) *
                                                     between->linesize[planes[c]])[x] = v;
                }
            }
        }
    }
    if (sws_) convert(sws_.get(), *between, *out);
    return out;
}

AVPixelFormat preferredOutputFormat(const WorkingFormat& working, bool alpha) {
    if (working.ycbcr())
        return working.depth == code::kDepth8 ? AV_PIX_FMT_YUV422P : AV_PIX_FMT_YUV422P10;
    if (working.depth == code::kDepthFloat) return alpha ? AV_PIX_FMT_GBRAPF32 : AV_PIX_FMT_GBRPF32;
    if (working.depth == code::kDepth214) return alpha ? AV_PIX_FMT_RGBA64 : AV_PIX_FMT_RGB48;
    return alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
}

}  // namespace corvane
