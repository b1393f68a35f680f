#include "ffmpeg_util.h"

#include <algorithm>
#include <cctype>

extern "C" {
#include <libavutil/imgutils.h>
}

#include "tool_error.h"

namespace corvane {

std::string avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

FramePtr allocFrame(AVPixelFormat format, int width, int height) {
    FramePtr f(av_frame_alloc());
    if (!f) throw ToolError("out of memory for a frame");
    f->format = format;
    f->width = width;
    f->height = height;
    if (int e = av_frame_get_buffer(f.get(), 0); e < 0)
        throw ToolError("cannot allocate a " + std::to_string(width) + "x" +
                        std::to_string(height) + " frame: " + avError(e));
    return f;
}

namespace {
// Row and buffer alignment of pooled frames, as av_frame_get_buffer gives them.
constexpr int kAlign = 64;
}  // namespace

FramePool::FramePool(AVPixelFormat format, int width, int height)
    : format_(format), width_(width), height_(height) {
    // Room below the picture as av_frame_get_buffer leaves it, for readers that run past.
    const int size = av_image_get_buffer_size(format, width, FFALIGN(height, 32), kAlign);
    if (size < 0)
        throw ToolError("cannot allocate a " + std::to_string(width) + "x" +
                        std::to_string(height) + " frame: " + avError(size));
    pool_.reset(
        av_buffer_pool_init(static_cast<size_t>(size) + AV_INPUT_BUFFER_PADDING_SIZE, nullptr));
    if (!pool_) throw ToolError("out of memory for a frame");
}

FramePtr FramePool::get() {
    FramePtr f(av_frame_alloc());
    if (!f || !(f->buf[0] = av_buffer_pool_get(pool_.get())))
        throw ToolError("out of memory for a frame");
    f->format = format_;
    f->width = width_;
    f->height = height_;
    if (int e = av_image_fill_arrays(f->data, f->linesize, f->buf[0]->data, format_, width_,
                                     height_, kAlign);
        e < 0)
        throw ToolError("cannot lay out a frame: " + avError(e));
    return f;
}

FramePtr refFrame(const AVFrame& frame) {
    FramePtr f(av_frame_alloc());
    if (!f || av_frame_ref(f.get(), &frame) < 0) throw ToolError("out of memory for a frame");
    return f;
}

FormatFacts formatFacts(AVPixelFormat format) {
    FormatFacts facts;
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
    if (!d) return facts;
    facts.rgb = (d->flags & AV_PIX_FMT_FLAG_RGB) || d->nb_components <= 2;
    facts.alpha = d->flags & AV_PIX_FMT_FLAG_ALPHA;
    facts.isFloat = d->flags & AV_PIX_FMT_FLAG_FLOAT;
    for (int i = 0; i < d->nb_components; ++i) facts.bits = std::max(facts.bits, d->comp[i].depth);
    return facts;
}

SwsPtr makeConverter(AVPixelFormat from, bool fromFull, AVPixelFormat to, bool toFull, int width,
                     int height) {
    SwsPtr sws(sws_getContext(
        width, height, from, width, height, to,
        SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP | SWS_BITEXACT,
        nullptr, nullptr, nullptr));
    if (!sws)
        throw ToolError(std::string("no conversion from ") + av_get_pix_fmt_name(from) + " to " +
                        av_get_pix_fmt_name(to));
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    int* inv = nullptr;
    int* table = nullptr;
    int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
    sws_getColorspaceDetails(sws.get(), &inv, &srcRange, &table, &dstRange, &brightness, &contrast,
                             &saturation);
    // RGB sides keep the full range swscale insists on; the ranges only speak for YCbCr.
    sws_setColorspaceDetails(sws.get(), bt709, fromFull ? 1 : 0, bt709, toFull ? 1 : 0, brightness,
                             contrast, saturation);
    return sws;
}

void convert(SwsContext* sws, const AVFrame& from, AVFrame& to) {
    sws_scale(sws, from.data, from.linesize, 0, from.height, to.data, to.linesize);
}

std::string extensionOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

}  // namespace corvane
