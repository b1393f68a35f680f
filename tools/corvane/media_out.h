// Writing pictures and clips with FFmpeg. The format follows the file extension (PNG, TIFF,
// DPX, OpenEXR; QuickTime with ProRes, MXF with DNxHR, Matroska with FFV1, MP4 with H.264), a
// pattern such as out.%04d.png writes a sequence, and `codec` picks another encoder. Everything
// is written under a temporary name and renamed only when complete.
#pragma once

#include <string>
#include <vector>

#include "ffmpeg_util.h"

namespace corvane {

struct OutputSettings {
    std::string path;
    std::string codec;  // empty: the extension's usual one
    int width = 0;
    int height = 0;
    AVRational rate{25, 1};
    bool interlaced = false;
    bool topFieldFirst = true;
    int threads = 1;
    int startNumber = 0;  // first number of a sequence
    std::string timecode;
    // What the frames hold, to pick the encoder's pixel format: the source's own format when
    // the encoder takes it, else the closest to `preferred`.
    AVPixelFormat sourceFormat = AV_PIX_FMT_NONE;
    AVPixelFormat preferred = AV_PIX_FMT_RGB24;
    bool alpha = false;
};

class MediaWriter {
public:
    // Raises ToolError when the output cannot be made; `frames` (when known) lets a still
    // picture refuse a clip before anything is rendered.
    MediaWriter(const OutputSettings& settings, int64_t frames);
    ~MediaWriter();
    MediaWriter(const MediaWriter&) = delete;
    MediaWriter& operator=(const MediaWriter&) = delete;

    // The pixel format write() takes.
    AVPixelFormat pixelFormat() const { return encoder_->pix_fmt; }
    void write(AVFrame& frame);
    // Flushes, closes and renames every file into place.
    void finish();

private:
    void drain();
    std::vector<std::pair<std::string, std::string>> renames() const;

    OutputSettings settings_;
    bool sequence_ = false;
    std::string temporary_;
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    CodecPtr encoder_;
    PacketPtr packet_;
    int64_t written_ = 0;
    bool finished_ = false;
};

}  // namespace corvane
