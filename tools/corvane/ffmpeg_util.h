// Owners for FFmpeg's objects and the few questions the tool asks about a pixel format.
#pragma once

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace corvane {

struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;

// A frame of `format` with its buffers; raises ToolError when they cannot be had.
FramePtr allocFrame(AVPixelFormat format, int width, int height);

// Frames of one format and size whose memory goes back to the pool when their last reference
// does (in whichever thread), so the frames of a clip reuse a few buffers rather than have
// fresh pages faulted in for every one. Safe to share between threads.
class FramePool {
public:
    FramePool(AVPixelFormat format, int width, int height);
    // A frame no one else references; raises ToolError when memory runs out.
    FramePtr get();

private:
    struct Free {
        void operator()(AVBufferPool* p) const { av_buffer_pool_uninit(&p); }
    };
    AVPixelFormat format_;
    int width_, height_;
    std::unique_ptr<AVBufferPool, Free> pool_;
};

// A new reference to the same buffers.
FramePtr refFrame(const AVFrame& frame);

std::string avError(int code);

// Facts about a pixel format that choose the working format.
struct FormatFacts {
    bool rgb = false;  // RGB or grey rather than YCbCr
    bool alpha = false;
    bool isFloat = false;
    int bits = 8;  // of the deepest component
};
FormatFacts formatFacts(AVPixelFormat format);

// A scaler that only changes the pixel format, with the Rec.709 matrix on the YCbCr side and
// the ranges said explicitly (swscale would take Rec.601 otherwise).
SwsPtr makeConverter(AVPixelFormat from, bool fromFullRange, AVPixelFormat to, bool toFullRange,
                     int width, int height);
void convert(SwsContext* sws, const AVFrame& from, AVFrame& to);

// The same file name with its extension in lower case, without the dot ("png").
std::string extensionOf(const std::string& path);

}  // namespace corvane
