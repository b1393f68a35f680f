// The module's own pixel formats and the conversions between them and FFmpeg's frames. RGB
// effects work in BGRA (or RGBA, ARGB) of 8 bits, 2.14 or float; the field swap and the scope
// in 4:2:2 CbYCrY (or YCbYCr). swscale does the 8-bit conversions with the Rec.709 matrix and
// the ranges said explicitly; 2.14, float and full-range 4:2:2 have no FFmpeg format, so exact
// loops of our own meet swscale at 16-bit RGBA, planar float RGB or planar 4:2:2.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ffmpeg_util.h"
#include "media_in.h"
#include "ycbcr_loops.h"

namespace corvane {

// Codes as the module reads them from a frame's layout object.
namespace code {
inline constexpr int32_t kDepth8 = 1, kDepth214 = 3, kDepthFloat = 6;
inline constexpr int32_t kYCbYCr = 1, kCbYCrY = 2, kARGB = 3, kBGRA = 4, kRGBA = 5;
inline constexpr int32_t kVideoRange = 1, kFullRange = 2;
inline constexpr int32_t kRGB = 2, kRec709 = 4;
}  // namespace code

struct WorkingFormat {
    int32_t depth = code::kDepth8;
    int32_t layout = code::kBGRA;
    int32_t range = code::kFullRange;
    int32_t colourSpace = code::kRGB;

    bool ycbcr() const { return layout == code::kYCbYCr || layout == code::kCbYCrY; }
    uint32_t pixelBytes() const;
    // "CbYCrY 2.14 video range"
    std::string text() const;
};

// What `--depth`, `--layout` and `--range` asked for; empty leaves the choice to the source.
struct FormatRequest {
    std::string depth;   // 8, 2.14, float
    std::string layout;  // bgra, rgba, argb, cbycry, ycbycr
    std::string range;   // video, full
};

// The working format for a source: 8-bit for 8-bit sources, 2.14 for deeper ones, float for
// float ones; `ycbcr` picks the 4:2:2 family. Raises ToolError for a word it does not know.
WorkingFormat chooseWorkingFormat(bool ycbcr, const FormatFacts& source, const FormatRequest& ask);

// Converts decoded frames of one source into working frames. One per thread: it owns a scaler.
class ToWorking {
public:
    ToWorking(const WorkingFormat& working, const SourceInfo& source);
    // Writes width x height working pixels, rows without gaps, at `out`.
    void operator()(const AVFrame& frame, uint8_t* out);

private:
    WorkingFormat working_;
    SourceInfo source_;
    AVPixelFormat exchange_ = AV_PIX_FMT_NONE;
    YCbCrLevels levels_{};  // of the exchange frame, when it is planar 4:2:2
    SwsPtr sws_;
    FramePtr between_;
    std::vector<float> scratch_;
};

// Converts working frames into frames of the encoder's format. One per thread.
class FromWorking {
public:
    FromWorking(const WorkingFormat& working, AVPixelFormat target, int width, int height);
    FramePtr operator()(const uint8_t* in);

private:
    WorkingFormat working_;
    AVPixelFormat target_;
    int width_, height_;
    AVPixelFormat exchange_ = AV_PIX_FMT_NONE;
    YCbCrLevels levels_{};
    SwsPtr sws_;
    FramePtr between_;  // the exchange frame, when the scaler takes it on
    FramePool frames_;  // of the target format, handed out
    std::vector<float> scratch_;
};

// "BGRA", "CbYCrY", "8-bit", "2.14": the module's codes as people read them.
const char* layoutName(int32_t layout);
const char* depthName(int32_t depth);

// The FFmpeg format a writer should prefer for working frames of this format.
AVPixelFormat preferredOutputFormat(const WorkingFormat& working, bool alpha);

}  // namespace corvane
