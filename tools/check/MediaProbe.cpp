// Probing media files with libavformat and libavcodec: the streams, and a first decoded frame of each.
#include "MediaProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <memory>

namespace {

// Enough packets to reach a first frame of every stream of our files, few enough to stay quick.
constexpr int kMaxPackets = 400;

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};

std::unique_ptr<AVCodecContext, CodecFreer> OpenDecoder(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return nullptr;
    std::unique_ptr<AVCodecContext, CodecFreer> context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0) {
        return nullptr;
    }
    return context;
}

}  // namespace

bool ProbeMedia(const std::string& path, MediaInfo& info, std::string& error) {
    info = MediaInfo{};
    av_log_set_level(AV_LOG_QUIET);  // the answer is ours to give, one line per problem
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        error = "cannot be opened as sound or film";
        return false;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(raw);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) {
        error = "its streams cannot be read";
        return false;
    }
    const int audio = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const int video = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    std::unique_ptr<AVCodecContext, CodecFreer> decoders[2];
    const int streams[2] = {audio, video};
    for (int i = 0; i < 2; ++i) {
        if (streams[i] < 0) continue;
        const AVStream* stream = format->streams[streams[i]];
        decoders[i] = OpenDecoder(stream);
        if (!decoders[i]) {
            error = std::string("no decoder for its ") + (i == 0 ? "sound" : "picture") + " (" +
                    avcodec_get_name(stream->codecpar->codec_id) + ")";
            return false;
        }
    }
    if (audio >= 0) {
        const AVCodecParameters* p = format->streams[audio]->codecpar;
        info.audio = true;
        info.sampleRate = p->sample_rate;
        info.pcm = p->codec_id == AV_CODEC_ID_PCM_S16LE || p->codec_id == AV_CODEC_ID_PCM_U8;
    }
    if (video >= 0) {
        const AVCodecParameters* p = format->streams[video]->codecpar;
        info.video = true;
        info.width = p->width;
        info.height = p->height;
    }
    if (!info.audio && !info.video) {
        error = "holds neither sound nor picture";
        return false;
    }
    // Decode until every stream gave a frame.
    bool decoded[2] = {audio < 0, video < 0};
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    for (int n = 0; n < kMaxPackets && !(decoded[0] && decoded[1]); ++n) {
        if (av_read_frame(format.get(), packet) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (packet->stream_index != streams[i] || decoded[i]) continue;
            if (avcodec_send_packet(decoders[i].get(), packet) >= 0 &&
                avcodec_receive_frame(decoders[i].get(), frame) >= 0) {
                decoded[i] = true;
            }
        }
        av_packet_unref(packet);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    if (!decoded[0] || !decoded[1]) {
        error = std::string("its ") + (!decoded[0] ? "sound" : "picture") + " does not decode";
        return false;
    }
    return true;
}
