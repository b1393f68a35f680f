#include "media_out.h"

#include <cstdio>

extern "C" {
#include <libavutil/opt.h>
}

#include "media_in.h"
#include "output_path.h"
#include "tool_error.h"

namespace corvane {

namespace {

struct Choice {
    const char* extension;
    const char* codec;
};
constexpr Choice kChoices[] = {
    {"png", "png"},       {"tif", "tiff"},  {"tiff", "tiff"}, {"dpx", "dpx"},     {"exr", "exr"},
    {"mov", "prores_ks"}, {"mxf", "dnxhd"}, {"mkv", "ffv1"},  {"mp4", "libx264"}, {"avi", "ffv1"},
};

bool isImage(const std::string& ext) {
    return ext == "png" || ext == "tif" || ext == "tiff" || ext == "dpx" || ext == "exr";
}

}  // namespace

MediaWriter::MediaWriter(const OutputSettings& s, int64_t frames) : settings_(s) {
    settings_.path = sequencePattern(s.path);
    const std::string ext = extensionOf(settings_.path);
    sequence_ = isSequencePattern(settings_.path);
    if (isImage(ext) && !sequence_ && frames > 1)
        throw ToolError(s.path + " is one picture but " + std::to_string(frames) +
                        " frames would be written: give a pattern such as out.%04d." + ext +
                        ", or --frames N:N");
    temporary_ = temporaryPathFor(settings_.path, sequence_);

    std::string codecName = s.codec;
    if (codecName.empty())
        for (const Choice& c : kChoices)
            if (ext == c.extension) codecName = c.codec;
    if (codecName.empty())
        throw ToolError(s.path + ": unsupported output format \"." + ext +
                        "\" (use .png, .tif, .dpx, .exr, .mov, .mxf, .mkv or .mp4)");
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName.c_str());
    if (!codec || codec->type != AVMEDIA_TYPE_VIDEO)
        throw ToolError("unknown video codec \"" + codecName + "\"");
    const AVOutputFormat* muxer = isImage(ext)
                                      ? av_guess_format("image2", nullptr, nullptr)
                                      : av_guess_format(nullptr, settings_.path.c_str(), nullptr);
    if (!muxer) throw ToolError(s.path + ": unsupported output format \"." + ext + "\"");
    if (avformat_alloc_output_context2(&format_, muxer, nullptr, temporary_.c_str()) < 0 ||
        !format_)
        throw ToolError("out of memory");

    encoder_.reset(avcodec_alloc_context3(codec));
    packet_.reset(av_packet_alloc());
    if (!encoder_ || !packet_) throw ToolError("out of memory");
    encoder_->width = s.width;
    encoder_->height = s.height;
    encoder_->time_base = av_inv_q(s.rate);
    encoder_->framerate = s.rate;
    encoder_->thread_count = s.threads;
    const enum AVPixelFormat* formats = codec->pix_fmts;
    AVPixelFormat chosen = AV_PIX_FMT_NONE;
    if (formats) {
        for (const AVPixelFormat* f = formats; *f != AV_PIX_FMT_NONE; ++f)
            if (*f == s.sourceFormat && formatFacts(*f).alpha == s.alpha) chosen = *f;
        if (chosen == AV_PIX_FMT_NONE)
            chosen = avcodec_find_best_pix_fmt_of_list(formats, s.preferred, s.alpha, nullptr);
    } else {
        chosen = s.preferred;
    }
    encoder_->pix_fmt = chosen;
    const bool rgb = formatFacts(chosen).rgb;
    encoder_->color_range = rgb ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    encoder_->colorspace = rgb ? AVCOL_SPC_RGB : AVCOL_SPC_BT709;
    encoder_->color_primaries = AVCOL_PRI_BT709;
    encoder_->color_trc = AVCOL_TRC_BT709;
    if (s.interlaced) {
        encoder_->field_order = s.topFieldFirst ? AV_FIELD_TT : AV_FIELD_BB;
        encoder_->flags |= AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME;
    }
    if (codecName == "dnxhd")
        av_opt_set(encoder_->priv_data, "profile",
                   formatFacts(chosen).bits > 8 ? "dnxhr_hqx" : "dnxhr_hq", 0);
    if (format_->oformat->flags & AVFMT_GLOBALHEADER)
        encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int e = avcodec_open2(encoder_.get(), codec, nullptr); e < 0)
        throw ToolError(s.path + ": the " + codecName + " encoder refuses " +
                        std::to_string(s.width) + "x" + std::to_string(s.height) + " " +
                        av_get_pix_fmt_name(chosen) + ": " + avError(e));

    stream_ = avformat_new_stream(format_, nullptr);
    if (!stream_) throw ToolError("out of memory");
    stream_->time_base = encoder_->time_base;
    avcodec_parameters_from_context(stream_->codecpar, encoder_.get());
    if (!s.timecode.empty()) av_dict_set(&stream_->metadata, "timecode", s.timecode.c_str(), 0);
    AVDictionary* options = nullptr;
    if (isImage(ext)) {
        av_dict_set_int(&options, "start_number", s.startNumber, 0);
        if (!sequence_) av_dict_set(&options, "update", "1", 0);
    }
    if (!(format_->oformat->flags & AVFMT_NOFILE)) {
        if (int e = avio_open(&format_->pb, temporary_.c_str(), AVIO_FLAG_WRITE); e < 0)
            throw ToolError(s.path + ": cannot write: " + avError(e));
    }
    const int e = avformat_write_header(format_, &options);
    av_dict_free(&options);
    if (e < 0) throw ToolError(s.path + ": cannot write: " + avError(e));
}

MediaWriter::~MediaWriter() {
    if (format_) {
        if (!(format_->oformat->flags & AVFMT_NOFILE)) avio_closep(&format_->pb);
        avformat_free_context(format_);
    }
    if (!finished_)
        for (const auto& [from, to] : renames()) std::remove(from.c_str());
}

std::vector<std::pair<std::string, std::string>> MediaWriter::renames() const {
    if (!sequence_) return {{temporary_, settings_.path}};
    std::vector<std::pair<std::string, std::string>> out;
    for (int64_t i = 0; i < written_; ++i) {
        char from[4096], to[4096];
        const int n = settings_.startNumber + static_cast<int>(i);
        av_get_frame_filename(from, sizeof from, temporary_.c_str(), n);
        av_get_frame_filename(to, sizeof to, settings_.path.c_str(), n);
        out.emplace_back(from, to);
    }
    return out;
}

void MediaWriter::drain() {
    for (;;) {
        const int r = avcodec_receive_packet(encoder_.get(), packet_.get());
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
        if (r < 0) throw ToolError(settings_.path + ": cannot encode: " + avError(r));
        // Without a duration the muxer gives the last frame none, and players drop it.
        if (packet_->duration == 0) packet_->duration = 1;
        av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        if (int e = av_interleaved_write_frame(format_, packet_.get()); e < 0)
            throw ToolError(settings_.path + ": cannot write: " + avError(e));
    }
}

void MediaWriter::write(AVFrame& frame) {
    frame.pts = written_;
    if (settings_.interlaced) {
        frame.interlaced_frame = 1;
        frame.top_field_first = settings_.topFieldFirst;
    }
    frame.color_range = encoder_->color_range;
    frame.colorspace = encoder_->colorspace;
    if (int e = avcodec_send_frame(encoder_.get(), &frame); e < 0)
        throw ToolError(settings_.path + ": cannot encode: " + avError(e));
    ++written_;
    drain();
}

void MediaWriter::finish() {
    if (int e = avcodec_send_frame(encoder_.get(), nullptr); e < 0 && e != AVERROR_EOF)
        throw ToolError(settings_.path + ": cannot encode: " + avError(e));
    drain();
    if (int e = av_write_trailer(format_); e < 0)
        throw ToolError(settings_.path + ": cannot write: " + avError(e));
    if (!(format_->oformat->flags & AVFMT_NOFILE)) {
        if (int e = avio_closep(&format_->pb); e < 0)
            throw ToolError(settings_.path + ": cannot write: " + avError(e));
    }
    for (const auto& [from, to] : renames())
        if (std::rename(from.c_str(), to.c_str()) != 0)
            throw ToolError(to + ": cannot put the finished file in place");
    finished_ = true;
}

}  // namespace corvane
