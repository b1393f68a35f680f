// Reading pictures and clips with FFmpeg: a still (PNG, TIFF, DPX, OpenEXR), a numbered
// sequence ("shot.%04d.dpx" or "shot.####.dpx") or a clip, decoded frame by frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ffmpeg_util.h"

namespace corvane {

struct SourceInfo {
    std::string path;
    int width = 0;
    int height = 0;
    AVPixelFormat format = AV_PIX_FMT_NONE;
    FormatFacts facts;
    bool fullRange = false;  // YCbCr tagged full range; untagged is taken as video range
    bool still = false;      // one picture, repeated for every frame asked
    bool interlaced = false;
    bool topFieldFirst = true;
    int64_t frameCount = -1;  // -1 when the container does not say
    AVRational rate{25, 1};
    std::string timecode;  // of the first frame, when the file carries one
    int startNumber = 0;   // of a numbered sequence
};

// Where frames come from: a file, or a picture made in code.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual const SourceInfo& info() const = 0;
    // The next frame, or null at the end. A still hands out its one picture every time.
    virtual FramePtr next() = 0;
};

// Opens `path`, raising ToolError with the file and the reason when it cannot be read.
// `threads` is what the decoder may use.
std::unique_ptr<FrameSource> openMedia(const std::string& path, int threads);

// A still picture made in code.
std::unique_ptr<FrameSource> pictureSource(FramePtr picture, std::string name,
                                           bool interlaced = false);

// "%04d" for a run of '#', so both spellings of a sequence work.
std::string sequencePattern(const std::string& path);
bool isSequencePattern(const std::string& path);

}  // namespace corvane
