// Small AVI files written with FFmpeg's encoders.
#include "platform/sdl/TestVideoWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <cmath>

namespace platform {
namespace {

class AviWriter {
public:
    ~AviWriter() {
        avcodec_free_context(&video_);
        avcodec_free_context(&sound_);
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        if (out_) {
            if (opened_) avio_closep(&out_->pb);
            avformat_free_context(out_);
        }
    }

    bool Write(const std::string& path, const TestVideoWriter::Options& o) {
        const bool soundOnly = o.container == "mp3";
        if (soundOnly && o.sound != TestVideoWriter::Sound::Mp3) return false;
        if (!soundOnly && (o.width <= 0 || o.height <= 0 || o.framesPerSecond <= 0 || o.colours.empty())) {
            return false;
        }
        if (avformat_alloc_output_context2(&out_, nullptr, o.container.c_str(), path.c_str()) < 0 || !out_) {
            return false;
        }
        frame_ = av_frame_alloc();
        packet_ = av_packet_alloc();
        if (!frame_ || !packet_ || (!soundOnly && !OpenVideo(o))) return false;
        if (o.sound != TestVideoWriter::Sound::None && !OpenSound(o)) return false;
        if (avio_open(&out_->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
        opened_ = true;
        if (avformat_write_header(out_, nullptr) < 0) return false;

        // Pictures and sound are written in step, the sound kept a little ahead, as real files are.
        const double seconds = soundOnly ? o.soundSeconds : static_cast<double>(o.colours.size()) / o.framesPerSecond;
        const int64_t soundTotal = static_cast<int64_t>(seconds * o.soundRate);
        for (size_t i = 0; !soundOnly && i < o.colours.size(); ++i) {
            const double pictureTime = static_cast<double>(i + 1) / o.framesPerSecond;
            while (sound_ && soundWritten_ < soundTotal &&
                   static_cast<double>(soundWritten_) / o.soundRate < pictureTime) {
                if (!WriteSound(o, soundTotal)) return false;
            }
            if (!WritePicture(o, static_cast<int64_t>(i))) return false;
        }
        while (sound_ && soundWritten_ < soundTotal) {
            if (!WriteSound(o, soundTotal)) return false;
        }
        if ((video_ && !Drain(video_, videoStream_)) || (sound_ && !Drain(sound_, soundStream_))) return false;
        return av_write_trailer(out_) >= 0;
    }

private:
    bool OpenVideo(const TestVideoWriter::Options& o) {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
        if (!codec) return false;
        videoStream_ = avformat_new_stream(out_, nullptr);
        video_ = avcodec_alloc_context3(codec);
        if (!videoStream_ || !video_) return false;
        video_->width = o.width;
        video_->height = o.height;
        video_->pix_fmt = AV_PIX_FMT_YUV420P;
        video_->time_base = AVRational{1, o.framesPerSecond};
        video_->framerate = AVRational{o.framesPerSecond, 1};
        video_->gop_size = 12;
        video_->bit_rate = 800000;
        if (out_->oformat->flags & AVFMT_GLOBALHEADER) video_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(video_, codec, nullptr) < 0) return false;
        videoStream_->time_base = video_->time_base;
        return avcodec_parameters_from_context(videoStream_->codecpar, video_) >= 0;
    }

    bool OpenSound(const TestVideoWriter::Options& o) {
        const bool mp3 = o.sound == TestVideoWriter::Sound::Mp3;
        const AVCodec* codec = avcodec_find_encoder(mp3 ? AV_CODEC_ID_MP3 : AV_CODEC_ID_PCM_S16LE);
        if (!codec) return false;
        soundStream_ = avformat_new_stream(out_, nullptr);
        sound_ = avcodec_alloc_context3(codec);
        if (!soundStream_ || !sound_) return false;
        sound_->sample_rate = o.soundRate;
        av_channel_layout_default(&sound_->ch_layout, 2);
        sound_->sample_fmt = mp3 ? AV_SAMPLE_FMT_S16P : AV_SAMPLE_FMT_S16;
        if (mp3 && codec->sample_fmts) {
            // lame takes planar 16-bit, 32-bit or float; use the first it offers.
            sound_->sample_fmt = codec->sample_fmts[0];
        }
        sound_->bit_rate = mp3 ? 128000 : 0;
        sound_->time_base = AVRational{1, o.soundRate};
        if (out_->oformat->flags & AVFMT_GLOBALHEADER) sound_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(sound_, codec, nullptr) < 0) return false;
        soundStream_->time_base = sound_->time_base;
        return avcodec_parameters_from_context(soundStream_->codecpar, sound_) >= 0;
    }

    bool WritePicture(const TestVideoWriter::Options& o, int64_t index) {
        av_frame_unref(frame_);
        frame_->format = AV_PIX_FMT_YUV420P;
        frame_->width = o.width;
        frame_->height = o.height;
        if (av_frame_get_buffer(frame_, 0) < 0) return false;
        // Full-range colour to the limited-range YUV of ordinary video (BT.601).
        const uint32_t c = o.colours[static_cast<size_t>(index)];
        const double r = (c >> 16) & 0xFF;
        const double g = (c >> 8) & 0xFF;
        const double b = c & 0xFF;
        const auto clamp = [](double v) {
            return static_cast<uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
        };
        const uint8_t y = clamp(16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0);
        const uint8_t u = clamp(128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0);
        const uint8_t v = clamp(128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0);
        for (int row = 0; row < o.height; ++row) {
            for (int col = 0; col < o.width; ++col) frame_->data[0][row * frame_->linesize[0] + col] = y;
        }
        for (int row = 0; row < (o.height + 1) / 2; ++row) {
            for (int col = 0; col < (o.width + 1) / 2; ++col) {
                frame_->data[1][row * frame_->linesize[1] + col] = u;
                frame_->data[2][row * frame_->linesize[2] + col] = v;
            }
        }
        frame_->pts = index;
        return Encode(video_, videoStream_, frame_);
    }

    bool WriteSound(const TestVideoWriter::Options& o, int64_t total) {
        int count = sound_->frame_size > 0 ? sound_->frame_size : 1024;
        if (sound_->frame_size <= 0 && total - soundWritten_ < count) count = static_cast<int>(total - soundWritten_);
        av_frame_unref(frame_);
        frame_->format = sound_->sample_fmt;
        frame_->nb_samples = count;
        frame_->sample_rate = sound_->sample_rate;
        if (av_channel_layout_copy(&frame_->ch_layout, &sound_->ch_layout) < 0) return false;
        if (av_frame_get_buffer(frame_, 0) < 0) return false;
        const bool planar = av_sample_fmt_is_planar(sound_->sample_fmt);
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(soundWritten_ + i) / o.soundRate;
            const double value = soundWritten_ + i < total ? 0.4 * std::sin(2.0 * M_PI * o.toneHz * t) : 0.0;
            for (int ch = 0; ch < 2; ++ch) {
                const int at = planar ? i : i * 2 + ch;
                uint8_t* plane = frame_->extended_data[planar ? ch : 0];
                switch (sound_->sample_fmt) {
                    case AV_SAMPLE_FMT_S16:
                    case AV_SAMPLE_FMT_S16P:
                        reinterpret_cast<int16_t*>(plane)[at] = static_cast<int16_t>(value * 32767);
                        break;
                    case AV_SAMPLE_FMT_S32P:
                        reinterpret_cast<int32_t*>(plane)[at] = static_cast<int32_t>(value * 2147483647.0);
                        break;
                    case AV_SAMPLE_FMT_FLTP:
                        reinterpret_cast<float*>(plane)[at] = static_cast<float>(value);
                        break;
                    default:
                        return false;
                }
            }
        }
        frame_->pts = soundWritten_;
        soundWritten_ += count;
        return Encode(sound_, soundStream_, frame_);
    }

    bool Encode(AVCodecContext* ctx, AVStream* stream, const AVFrame* frame) {
        if (avcodec_send_frame(ctx, frame) < 0) return false;
        for (;;) {
            const int r = avcodec_receive_packet(ctx, packet_);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (r < 0) return false;
            av_packet_rescale_ts(packet_, ctx->time_base, stream->time_base);
            packet_->stream_index = stream->index;
            if (av_interleaved_write_frame(out_, packet_) < 0) return false;
        }
    }

    bool Drain(AVCodecContext* ctx, AVStream* stream) { return Encode(ctx, stream, nullptr); }

    AVFormatContext* out_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* sound_ = nullptr;
    AVStream* videoStream_ = nullptr;
    AVStream* soundStream_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    int64_t soundWritten_ = 0;
    bool opened_ = false;
};

}  // namespace

bool TestVideoWriter::Write(const std::string& path, const Options& options) {
    AviWriter writer;
    return writer.Write(path, options);
}

bool TestVideoWriter::HasEncoder(Sound sound) {
    if (!avcodec_find_encoder(AV_CODEC_ID_MPEG4)) return false;
    if (sound == Sound::Mp3) return avcodec_find_encoder(AV_CODEC_ID_MP3) != nullptr;
    if (sound == Sound::Pcm) return avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE) != nullptr;
    return true;
}

}  // namespace platform
