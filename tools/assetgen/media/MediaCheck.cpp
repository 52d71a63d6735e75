// The --check mode: every sound, track and video the game expects exists and decodes.
#include "MediaCheck.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "WavFile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace media {
namespace {

const char* const kSoundNames[] = {
    "MENU_CURSOR",      "MENU_SELECT",      "POWER", "JUMPER",      "MINE",     "CHECKPOINT",     "MONEY_COLLECTED",
    "POINTS_COLLECTED", "ENERGY_COLLECTED", "HIT",   "MONSTER_HIT", "HERO_HIT", "LEVEL_COMPLETED"};

struct StreamSummary {
    bool opened = false;
    std::string problem;
    double seconds = 0.0;  // decoded audio length
    int width = 0, height = 0, videoFrames = 0;
    double frameRate = 0.0;
    bool hasAudio = false, hasVideo = false;
    std::string audioCodec, videoCodec;
};

// Opens a file with libavformat and decodes every packet of its first audio and video streams.
StreamSummary DecodeAll(const std::string& path) {
    StreamSummary summary;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        summary.problem = "cannot open";
        return summary;
    }
    summary.opened = true;
    if (avformat_find_stream_info(format, nullptr) < 0) summary.problem = "no stream info";
    int audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    int videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    AVCodecContext* decoders[2] = {nullptr, nullptr};
    int indices[2] = {audioIndex, videoIndex};
    for (int k = 0; k < 2; ++k) {
        if (indices[k] < 0) continue;
        AVStream* stream = format->streams[indices[k]];
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        if (!codec) {
            summary.problem = "no decoder";
            continue;
        }
        decoders[k] = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoders[k], stream->codecpar);
        decoders[k]->thread_count = 1;
        if (avcodec_open2(decoders[k], codec, nullptr) < 0) {
            summary.problem = "decoder does not open";
            avcodec_free_context(&decoders[k]);
            continue;
        }
        if (k == 0) {
            summary.hasAudio = true;
            summary.audioCodec = codec->name;
        } else {
            summary.hasVideo = true;
            summary.videoCodec = codec->name;
            summary.width = stream->codecpar->width;
            summary.height = stream->codecpar->height;
            summary.frameRate = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);
        }
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int64_t audioSamples = 0;
    int errors = 0;
    auto drain = [&](int k) {
        while (avcodec_receive_frame(decoders[k], frame) == 0) {
            if (k == 0)
                audioSamples += frame->nb_samples;
            else
                ++summary.videoFrames;
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        for (int k = 0; k < 2; ++k) {
            if (decoders[k] && packet->stream_index == indices[k]) {
                if (avcodec_send_packet(decoders[k], packet) < 0) ++errors;
                drain(k);
            }
        }
        av_packet_unref(packet);
    }
    for (int k = 0; k < 2; ++k) {
        if (!decoders[k]) continue;
        avcodec_send_packet(decoders[k], nullptr);
        drain(k);
        if (k == 0 && decoders[0]->sample_rate > 0)
            summary.seconds = static_cast<double>(audioSamples) / decoders[0]->sample_rate;
        avcodec_free_context(&decoders[k]);
    }
    if (errors > 0 && summary.problem.empty()) summary.problem = std::to_string(errors) + " packets failed to decode";
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&format);
    return summary;
}

}  // namespace

bool CheckGameFolder(const std::string& gameFolder) {
    av_log_set_level(AV_LOG_ERROR);
    int failures = 0;
    auto fail = [&](const std::string& what, const std::string& problem) {
        std::printf("  FAIL %s: %s\n", what.c_str(), problem.c_str());
        ++failures;
    };
    for (const char* name : kSoundNames) {
        std::string relative = std::string("SOUND/") + name + ".WAV";
        WavInfo info = InspectWav(gameFolder + "/" + relative);
        if (!info.valid) {
            fail(relative, info.problem);
            continue;
        }
        std::printf("  ok   %-30s %5.2f s  %d Hz  peak %5.1f dBFS  edge %.4f\n", relative.c_str(), info.seconds,
                    info.sampleRate, info.peakDb, info.edgeLevel);
        if (info.seconds < 0.03 || info.seconds > 4.0) fail(relative, "odd length");
        if (info.peakDb > -0.5 || info.peakDb < -20.0) fail(relative, "level out of range");
        if (info.edgeLevel > 0.01) fail(relative, "starts or ends with a jump (click)");
    }
    for (int track = 0; track < 10; ++track) {
        std::string relative = "Music/Track" + std::to_string(track) + ".MP3";
        StreamSummary summary = DecodeAll(gameFolder + "/" + relative);
        double minimum = (track <= 4 || track == 9) ? 60.0 : 15.0;
        if (!summary.opened || !summary.hasAudio) {
            fail(relative, summary.problem.empty() ? "no audio stream" : summary.problem);
            continue;
        }
        std::printf("  ok   %-30s %6.2f s  %s\n", relative.c_str(), summary.seconds, summary.audioCodec.c_str());
        if (!summary.problem.empty()) fail(relative, summary.problem);
        if (summary.seconds < minimum) fail(relative, "shorter than " + std::to_string(minimum) + " s");
    }
    struct VideoRule {
        const char* name;
        double shortest, longest;
    };
    // Each film in Polish and in English.
    for (const VideoRule& rule : {VideoRule{"intro.avi", 20.0, 40.5}, VideoRule{"outro.avi", 10.0, 25.5},
                                  VideoRule{"intro_en.avi", 20.0, 40.5}, VideoRule{"outro_en.avi", 10.0, 25.5}}) {
        StreamSummary summary = DecodeAll(gameFolder + "/" + rule.name);
        if (!summary.opened) {
            fail(rule.name, summary.problem);
            continue;
        }
        double seconds = summary.frameRate > 0 ? summary.videoFrames / summary.frameRate : 0.0;
        std::printf("  ok   %-30s %dx%d %s %d frames at %g fps (%.2f s), audio %s %.2f s\n", rule.name, summary.width,
                    summary.height, summary.videoCodec.c_str(), summary.videoFrames, summary.frameRate, seconds,
                    summary.audioCodec.c_str(), summary.seconds);
        if (!summary.problem.empty()) fail(rule.name, summary.problem);
        if (!summary.hasVideo || summary.width != 800 || summary.height != 600) fail(rule.name, "no 800x600 video");
        if (!summary.hasAudio || summary.seconds < 1.0) fail(rule.name, "no sound track");
        if (seconds < rule.shortest || seconds > rule.longest) fail(rule.name, "length out of range");
    }
    std::printf("assetgen-media --check: %s\n", failures ? "FAILED" : "all files present and decodable");
    return failures == 0;
}

}  // namespace media
