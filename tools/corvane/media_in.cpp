#include "media_in.h"

#include <sys/stat.h>

#include <cstdio>

extern "C" {
#include <libavutil/opt.h>
}

#include "tool_error.h"

namespace corvane {

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

std::string hintFor(const std::string& path) {
    const std::string ext = extensionOf(path);
    if (ext == "tif" || ext == "tiff")
        return " (FFmpeg 5.1 cannot read floating-point TIFF: save it as OpenEXR instead)";
    return "";
}

class MediaReader final : public FrameSource {
public:
    MediaReader(const std::string& path, int threads) {
        info_.path = path;
        const std::string pattern = sequencePattern(path);
        const bool sequence = isSequencePattern(pattern);
        if (!sequence && !exists(path)) throw ToolError(path + ": no such file");
        AVDictionary* options = nullptr;
        const AVInputFormat* forced = nullptr;
        if (sequence) {
            forced = av_find_input_format("image2");
            for (int n = 0; n < 10000; ++n) {  // the first number present starts the sequence
                char name[4096];
                if (av_get_frame_filename(name, sizeof name, pattern.c_str(), n) == 0 &&
                    exists(name)) {
                    info_.startNumber = n;
                    break;
                }
            }
            av_dict_set_int(&options, "start_number", info_.startNumber, 0);
        }
        AVFormatContext* opened = nullptr;
        int e = avformat_open_input(&opened, pattern.c_str(), forced, &options);
        av_dict_free(&options);
        format_.reset(opened);
        if (e < 0) throw ToolError(path + ": cannot open: " + avError(e) + hintFor(path));
        if ((e = avformat_find_stream_info(format_.get(), nullptr)) < 0)
            throw ToolError(path + ": cannot read: " + avError(e) + hintFor(path));
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (stream_ < 0) throw ToolError(path + ": no picture in this file");
        AVStream* st = format_->streams[stream_];
        const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
        if (!codec)
            throw ToolError(path + ": unsupported format (no decoder for " +
                            avcodec_get_name(st->codecpar->codec_id) + ")");
        decoder_.reset(avcodec_alloc_context3(codec));
        if (!decoder_) throw ToolError("out of memory");
        avcodec_parameters_to_context(decoder_.get(), st->codecpar);
        decoder_->thread_count = threads;
        if ((e = avcodec_open2(decoder_.get(), codec, nullptr)) < 0)
            throw ToolError(path + ": cannot decode: " + avError(e) + hintFor(path));

        const std::string demuxer = format_->iformat->name;
        info_.still =
            !sequence && (demuxer == "image2" || demuxer.find("_pipe") != std::string::npos);
        info_.frameCount = info_.still ? 1 : st->nb_frames > 0 ? st->nb_frames : -1;
        if (sequence) {
            int64_t n = 0;
            char name[4096];
            while (av_get_frame_filename(name, sizeof name, pattern.c_str(),
                                         info_.startNumber + static_cast<int>(n)) == 0 &&
                   exists(name))
                ++n;
            info_.frameCount = n;
        } else if (!info_.still && info_.frameCount < 0 && st->duration > 0 &&
                   st->avg_frame_rate.num > 0) {
            info_.frameCount =
                av_rescale_q(st->duration, st->time_base, av_inv_q(st->avg_frame_rate));
        }
        if (st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0)
            info_.rate = st->avg_frame_rate;
        if (const AVDictionaryEntry* tc = av_dict_get(st->metadata, "timecode", nullptr, 0))
            info_.timecode = tc->value;
        else if (const AVDictionaryEntry* tc2 =
                     av_dict_get(format_->metadata, "timecode", nullptr, 0))
            info_.timecode = tc2->value;
        const AVFieldOrder order = st->codecpar->field_order;
        info_.interlaced = order == AV_FIELD_TT || order == AV_FIELD_BB || order == AV_FIELD_TB ||
                           order == AV_FIELD_BT;
        info_.topFieldFirst = order == AV_FIELD_TT || order == AV_FIELD_BT;
        packet_.reset(av_packet_alloc());

        // The first frame settles the picture's real format.
        first_ = decode();
        if (!first_)
            throw ToolError(path + ": cannot decode a picture from this file" + hintFor(path));
        info_.width = first_->width;
        info_.height = first_->height;
        info_.format = static_cast<AVPixelFormat>(first_->format);
        info_.facts = formatFacts(info_.format);
        info_.fullRange = first_->color_range == AVCOL_RANGE_JPEG;
        if (!info_.interlaced && first_->interlaced_frame) {
            info_.interlaced = true;
            info_.topFieldFirst = first_->top_field_first;
        }
    }

    const SourceInfo& info() const override { return info_; }

    FramePtr next() override {
        if (info_.still) return refFrame(*first_);
        if (first_) return std::move(first_);
        return decode();
    }

private:
    FramePtr decode() {
        FramePtr frame(av_frame_alloc());
        for (;;) {
            const int r = avcodec_receive_frame(decoder_.get(), frame.get());
            if (r == 0) return frame;
            if (r == AVERROR_EOF) return nullptr;
            if (r != AVERROR(EAGAIN))
                throw ToolError(info_.path + ": cannot decode: " + avError(r) +
                                hintFor(info_.path));
            if (draining_) return nullptr;
            const int e = av_read_frame(format_.get(), packet_.get());
            if (e == AVERROR_EOF) {
                draining_ = true;
                avcodec_send_packet(decoder_.get(), nullptr);
                continue;
            }
            if (e < 0) throw ToolError(info_.path + ": cannot read: " + avError(e));
            if (packet_->stream_index == stream_) {
                const int s = avcodec_send_packet(decoder_.get(), packet_.get());
                av_packet_unref(packet_.get());
                if (s < 0 && s != AVERROR(EAGAIN))
                    throw ToolError(info_.path + ": cannot decode: " + avError(s) +
                                    hintFor(info_.path));
            } else {
                av_packet_unref(packet_.get());
            }
        }
    }

    SourceInfo info_;
    struct Close {
        void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
    };
    std::unique_ptr<AVFormatContext, Close> format_;
    int stream_ = -1;
    CodecPtr decoder_;
    PacketPtr packet_;
    FramePtr first_;
    bool draining_ = false;
};

class PictureSource final : public FrameSource {
public:
    PictureSource(FramePtr picture, std::string name, bool interlaced)
        : picture_(std::move(picture)) {
        info_.path = std::move(name);
        info_.width = picture_->width;
        info_.height = picture_->height;
        info_.format = static_cast<AVPixelFormat>(picture_->format);
        info_.facts = formatFacts(info_.format);
        info_.fullRange = picture_->color_range == AVCOL_RANGE_JPEG;
        info_.still = true;
        info_.frameCount = 1;
        info_.interlaced = interlaced;
    }
    const SourceInfo& info() const override { return info_; }
    FramePtr next() override { return refFrame(*picture_); }

private:
    SourceInfo info_;
    FramePtr picture_;
};

}  // namespace

std::string sequencePattern(const std::string& path) {
    const auto hash = path.find('#');
    if (hash == std::string::npos) return path;
    auto end = path.find_first_not_of('#', hash);
    if (end == std::string::npos) end = path.size();
    return path.substr(0, hash) + "%0" + std::to_string(end - hash) + "d" + path.substr(end);
}

bool isSequencePattern(const std::string& path) {
    char name[4096];
    return av_get_frame_filename(name, sizeof name, sequencePattern(path).c_str(), 1) == 0;
}

std::unique_ptr<FrameSource> openMedia(const std::string& path, int threads) {
    return std::make_unique<MediaReader>(path, threads);
}

std::unique_ptr<FrameSource> pictureSource(FramePtr picture, std::string name, bool interlaced) {
    return std::make_unique<PictureSource>(std::move(picture), std::move(name), interlaced);
}

}  // namespace corvane
