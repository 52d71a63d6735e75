// Reads and decodes one video file with FFmpeg on the worker thread.
#include "platform/sdl/FfmpegDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

#include "platform/Surface.h"

namespace platform {
namespace {

// Pictures up to the screen's size keep their own; larger ones are brought down to it.
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

int Interrupt(void* opaque) {
    return static_cast<DecodedVideo*>(opaque)->stop.load() ? 1 : 0;
}

// Reads and decodes one file on the worker thread.
class Decoder {
public:
    explicit Decoder(DecodedVideo& s) : s_(s) {}
    ~Decoder() {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        sws_freeContext(sws_);
        swr_free(&swr_);
        av_channel_layout_uninit(&swrInLayout_);
        avcodec_free_context(&video_);
        avcodec_free_context(&audio_);
        avformat_close_input(&format_);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    void Run() {
        if (!Open()) {
            std::lock_guard<std::mutex> lock(s_.m);
            s_.state = VideoState::Failed;
            return;
        }
        {
            std::lock_guard<std::mutex> lock(s_.m);
            s_.state = VideoState::Playing;
            s_.width = outWidth_;
            s_.height = outHeight_;
            s_.hasSound = audio_ != nullptr;
        }
        while (!s_.stop && WaitForRoom()) {
            if (av_read_frame(format_, packet_) < 0) break;  // the end, or a file broken from here on
            if (packet_->stream_index == videoIndex_) {
                DecodeVideo(packet_);
            } else if (audio_ && packet_->stream_index == audioIndex_) {
                DecodeSound(packet_);
            }
            av_packet_unref(packet_);
        }
        if (!s_.stop) {
            DecodeVideo(nullptr);  // the pictures the decoder still holds
            if (audio_) DecodeSound(nullptr);
        }
        std::lock_guard<std::mutex> lock(s_.m);
        s_.decodingDone = true;
    }

private:
    bool Open() {
        format_ = avformat_alloc_context();
        if (!format_) return false;
        format_->interrupt_callback.callback = Interrupt;
        format_->interrupt_callback.opaque = &s_;
        if (avformat_open_input(&format_, s_.path.c_str(), nullptr, nullptr) < 0) return false;  // frees format_
        if (avformat_find_stream_info(format_, nullptr) < 0) return false;
        videoIndex_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (videoIndex_ < 0) return false;
        AVStream* stream = format_->streams[videoIndex_];
        const AVCodecParameters* par = stream->codecpar;
        if (par->width <= 0 || par->height <= 0 || par->width > Surface::kMaxSide || par->height > Surface::kMaxSide ||
            int64_t{par->width} * par->height > Surface::kMaxPixels) {
            return false;
        }
        video_ = OpenDecoder(par);
        if (!video_) return false;
        videoTimeBase_ = av_q2d(stream->time_base);
        const AVRational rate = av_guess_frame_rate(format_, stream, nullptr);
        frameStep_ = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.04;
        startTime_ =
            format_->start_time != AV_NOPTS_VALUE ? static_cast<double>(format_->start_time) / AV_TIME_BASE : 0.0;
        // Pictures up to the screen's size keep their own; larger ones are brought down to it.
        const bool fits = par->width <= kScreenWidth && par->height <= kScreenHeight;
        outWidth_ = fits ? par->width : kScreenWidth;
        outHeight_ = fits ? par->height : kScreenHeight;

        if (s_.outChannels > 0) {
            // A sound track that cannot be decoded leaves a silent video, not a failed one.
            audioIndex_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoIndex_, nullptr, 0);
            if (audioIndex_ >= 0) {
                audio_ = OpenDecoder(format_->streams[audioIndex_]->codecpar);
                audioTimeBase_ = av_q2d(format_->streams[audioIndex_]->time_base);
            }
        }
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        return packet_ && frame_;
    }

    static AVCodecContext* OpenDecoder(const AVCodecParameters* par) {
        const AVCodec* codec = avcodec_find_decoder(par->codec_id);
        if (!codec) return nullptr;
        AVCodecContext* ctx = avcodec_alloc_context3(codec);
        if (!ctx) return nullptr;
        ctx->thread_count = 1;  // small pictures; the game thread needs the other core
        if (avcodec_parameters_to_context(ctx, par) < 0 || avcodec_open2(ctx, codec, nullptr) < 0) {
            avcodec_free_context(&ctx);
            return nullptr;
        }
        return ctx;
    }

    // Waits while enough is decoded ahead; false when told to stop.
    bool WaitForRoom() {
        std::unique_lock<std::mutex> lock(s_.m);
        for (;;) {
            if (s_.stop) return false;
            const size_t soundRate = static_cast<size_t>(std::max(1, s_.outRate));
            const bool soundFull = s_.hasSound && s_.soundFramesQueued > soundRate * 4;
            const bool soundLow = s_.hasSound && s_.soundFramesQueued < soundRate / 2;
            if ((s_.pictures.size() < DecodedVideo::kPicturesAhead && !soundFull) ||
                (soundLow && s_.pictures.size() < DecodedVideo::kPicturesAheadForSound)) {
                return true;
            }
            s_.cv.wait_for(lock, std::chrono::milliseconds(50));
        }
    }

    void DecodeVideo(const AVPacket* packet) {
        if (avcodec_send_packet(video_, packet) < 0 && packet) return;  // a damaged packet: skip it
        while (!s_.stop && avcodec_receive_frame(video_, frame_) == 0) {
            QueuePicture();
            av_frame_unref(frame_);
        }
    }

    void QueuePicture() {
        if (frame_->width <= 0 || frame_->height <= 0) return;
        sws_ = sws_getCachedContext(sws_, frame_->width, frame_->height, static_cast<AVPixelFormat>(frame_->format),
                                    outWidth_, outHeight_, AV_PIX_FMT_0RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!sws_) return;
        std::vector<uint32_t> pixels;
        {
            std::lock_guard<std::mutex> lock(s_.m);
            if (!s_.spare.empty()) {
                pixels = std::move(s_.spare.back());
                s_.spare.pop_back();
            }
        }
        pixels.resize(static_cast<size_t>(outWidth_) * outHeight_);
        uint8_t* dst[4] = {reinterpret_cast<uint8_t*>(pixels.data()), nullptr, nullptr, nullptr};
        int dstStride[4] = {outWidth_ * static_cast<int>(sizeof(uint32_t)), 0, 0, 0};
        sws_scale(sws_, frame_->data, frame_->linesize, 0, frame_->height, dst, dstStride);
        for (uint32_t& p : pixels) p &= 0x00FFFFFFu;

        const int64_t ts = frame_->best_effort_timestamp;
        double pts =
            ts != AV_NOPTS_VALUE ? static_cast<double>(ts) * videoTimeBase_ - startTime_ : lastPicturePts_ + frameStep_;
        lastPicturePts_ = pts;
        std::lock_guard<std::mutex> lock(s_.m);
        s_.pictures.push_back({pts, std::move(pixels)});
    }

    void DecodeSound(const AVPacket* packet) {
        if (avcodec_send_packet(audio_, packet) < 0 && packet) return;
        while (!s_.stop && avcodec_receive_frame(audio_, frame_) == 0) {
            QueueSound();
            av_frame_unref(frame_);
        }
    }

    bool PrepareResampler() {
        AVChannelLayout in{};
        if (frame_->ch_layout.nb_channels <= 0) return false;
        if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&in, frame_->ch_layout.nb_channels);
        } else if (av_channel_layout_copy(&in, &frame_->ch_layout) < 0) {
            return false;
        }
        if (swr_ && swrInRate_ == frame_->sample_rate && swrInFormat_ == frame_->format &&
            av_channel_layout_compare(&in, &swrInLayout_) == 0) {
            av_channel_layout_uninit(&in);
            return true;
        }
        swr_free(&swr_);
        av_channel_layout_uninit(&swrInLayout_);
        swrInLayout_ = in;
        swrInRate_ = frame_->sample_rate;
        swrInFormat_ = frame_->format;
        AVChannelLayout out{};
        av_channel_layout_default(&out, s_.outChannels);
        const bool ok =
            swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_S16, s_.outRate, &swrInLayout_,
                                static_cast<AVSampleFormat>(frame_->format), frame_->sample_rate, 0, nullptr) >= 0 &&
            swr_init(swr_) >= 0;
        av_channel_layout_uninit(&out);
        if (!ok) swr_free(&swr_);
        return ok;
    }

    void QueueSound() {
        if (frame_->nb_samples <= 0 || frame_->sample_rate <= 0 || !PrepareResampler()) return;
        const int room = swr_get_out_samples(swr_, frame_->nb_samples);
        if (room <= 0) return;
        std::vector<int16_t> samples(static_cast<size_t>(room) * s_.outChannels);
        uint8_t* out[1] = {reinterpret_cast<uint8_t*>(samples.data())};
        const int got =
            swr_convert(swr_, out, room, const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
        if (got <= 0) return;
        samples.resize(static_cast<size_t>(got) * s_.outChannels);
        const int64_t ts = frame_->best_effort_timestamp;
        const double pts = ts != AV_NOPTS_VALUE ? static_cast<double>(ts) * audioTimeBase_ - startTime_ : nextSoundPts_;
        nextSoundPts_ = pts + static_cast<double>(got) / s_.outRate;
        std::lock_guard<std::mutex> lock(s_.m);
        s_.sound.push_back({pts, std::move(samples), 0});
        s_.soundFramesQueued += static_cast<size_t>(got);
    }

    DecodedVideo& s_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    SwsContext* sws_ = nullptr;
    SwrContext* swr_ = nullptr;
    AVChannelLayout swrInLayout_{};
    int swrInRate_ = 0;
    int swrInFormat_ = -1;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    double videoTimeBase_ = 0;
    double audioTimeBase_ = 0;
    double frameStep_ = 0.04;
    double startTime_ = 0;
    double lastPicturePts_ = 0;
    double nextSoundPts_ = 0;
    int outWidth_ = 0;
    int outHeight_ = 0;
};

}  // namespace

void DecodeVideoFile(std::shared_ptr<DecodedVideo> shared) {
    try {
        Decoder decoder(*shared);
        decoder.Run();
    } catch (...) {
        // Out of memory on a hostile file: the video simply ends here.
        std::lock_guard<std::mutex> lock(shared->m);
        if (shared->state == VideoState::Opening) shared->state = VideoState::Failed;
        shared->decodingDone = true;
    }
}

void QuietFfmpegLog() {
    av_log_set_level(AV_LOG_ERROR);
}

}  // namespace platform
