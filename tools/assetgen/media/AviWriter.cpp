// Writes an AVI with MPEG-4 (simple profile) video and an MP3 (or, without LAME in libavcodec, PCM) sound track,
// bit-exact: the same frames and samples always give the same file.
#include "AviWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
}

#include "Dsp.h"

namespace media {
namespace {

// Limited-range BT.601, the colours MPEG-4 players assume; our own code so no CPU-specific scaler path
// can change a single byte.
void ToYuv420(const uint8_t* pixels, int stride, int width, int height, AVFrame* frame) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        uint8_t* luma = frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0];
        for (int x = 0; x < width; ++x) {
            int b = row[4 * x], g = row[4 * x + 1], r = row[4 * x + 2];
            luma[x] = static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
        }
    }
    for (int y = 0; y < height / 2; ++y) {
        const uint8_t* top = pixels + static_cast<ptrdiff_t>(2 * y) * stride;
        const uint8_t* bottom = top + stride;
        uint8_t* cb = frame->data[1] + static_cast<ptrdiff_t>(y) * frame->linesize[1];
        uint8_t* cr = frame->data[2] + static_cast<ptrdiff_t>(y) * frame->linesize[2];
        for (int x = 0; x < width / 2; ++x) {
            int b = 0, g = 0, r = 0;
            for (const uint8_t* p : {top + 8 * x, top + 8 * x + 4, bottom + 8 * x, bottom + 8 * x + 4}) {
                b += p[0];
                g += p[1];
                r += p[2];
            }
            cb[x] = static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 512) >> 10) + 128);
            cr[x] = static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 512) >> 10) + 128);
        }
    }
}

}  // namespace

void AviWriter::Fail(const std::string& what, int error) const {
    std::string message = path + ": " + what;
    if (error < 0) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(error, text, sizeof text);
        message += std::string(" (") + text + ")";
    }
    throw std::runtime_error(message);
}

AviWriter::AviWriter(const std::string& filePath, int frameWidth, int frameHeight, int fps, const StereoSound& audio,
                     int quality, double keyframeSeconds)
    : path(filePath), width(frameWidth), height(frameHeight), framesPerSecond(fps), sound(audio) {
    int error = avformat_alloc_output_context2(&format, nullptr, "avi", path.c_str());
    if (error < 0 || !format) Fail("no AVI muxer", error);
    format->flags |= AVFMT_FLAG_BITEXACT;  // no library version strings in the file

    const AVCodec* video = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!video) Fail("no MPEG-4 encoder");
    videoCodec = avcodec_alloc_context3(video);
    videoCodec->width = width;
    videoCodec->height = height;
    videoCodec->pix_fmt = AV_PIX_FMT_YUV420P;
    videoCodec->time_base = {1, framesPerSecond};
    videoCodec->framerate = {framesPerSecond, 1};
    videoCodec->gop_size = static_cast<int>(std::lround(keyframeSeconds * framesPerSecond));
    videoCodec->max_b_frames = 0;
    videoCodec->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    videoCodec->global_quality = FF_QP2LAMBDA * quality;
    videoCodec->thread_count = 1;
    videoCodec->color_range = AVCOL_RANGE_MPEG;
    videoCodec->colorspace = AVCOL_SPC_BT470BG;
    videoCodec->sample_aspect_ratio = {1, 1};
    if (format->oformat->flags & AVFMT_GLOBALHEADER) videoCodec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((error = avcodec_open2(videoCodec, video, nullptr)) < 0) Fail("cannot open the MPEG-4 encoder", error);
    videoStream = avformat_new_stream(format, nullptr);
    avcodec_parameters_from_context(videoStream->codecpar, videoCodec);
    videoStream->time_base = videoCodec->time_base;

    // MP3 keeps the files small; PCM is the fallback every player reads.
    const AVCodec* audioEncoder = avcodec_find_encoder_by_name("libmp3lame");
    bool mp3 = audioEncoder != nullptr;
    if (!mp3) audioEncoder = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    audioCodec = avcodec_alloc_context3(audioEncoder);
    audioCodec->sample_rate = kSampleRate;
    av_channel_layout_default(&audioCodec->ch_layout, 2);
    audioCodec->sample_fmt = mp3 ? AV_SAMPLE_FMT_FLTP : AV_SAMPLE_FMT_S16;
    audioCodec->time_base = {1, kSampleRate};
    audioCodec->flags |= AV_CODEC_FLAG_BITEXACT;
    audioCodec->thread_count = 1;
    if (mp3) audioCodec->bit_rate = 128000;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audioCodec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((error = avcodec_open2(audioCodec, audioEncoder, nullptr)) < 0) Fail("cannot open the audio encoder", error);
    audioStream = avformat_new_stream(format, nullptr);
    avcodec_parameters_from_context(audioStream->codecpar, audioCodec);
    audioStream->time_base = audioCodec->time_base;

    if ((error = avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0) Fail("cannot create", error);
    if ((error = avformat_write_header(format, nullptr)) < 0) Fail("cannot write the header", error);

    videoFrame = av_frame_alloc();
    videoFrame->format = AV_PIX_FMT_YUV420P;
    videoFrame->width = width;
    videoFrame->height = height;
    if (av_frame_get_buffer(videoFrame, 0) < 0) Fail("out of memory");
    audioFrame = av_frame_alloc();
    packet = av_packet_alloc();
}

AviWriter::~AviWriter() {
    if (format && format->pb && !finished) avio_closep(&format->pb);
    av_packet_free(&packet);
    av_frame_free(&audioFrame);
    av_frame_free(&videoFrame);
    avcodec_free_context(&audioCodec);
    avcodec_free_context(&videoCodec);
    avformat_free_context(format);
}

std::string AviWriter::AudioCodecName() const {
    return audioCodec->codec->name;
}

void AviWriter::Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    int error = avcodec_send_frame(codec, frame);
    if (error < 0) Fail("encoding failed", error);
    while ((error = avcodec_receive_packet(codec, packet)) == 0) {
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if ((error = av_interleaved_write_frame(format, packet)) < 0) Fail("writing failed", error);
    }
    if (error != AVERROR(EAGAIN) && error != AVERROR_EOF) Fail("encoding failed", error);
}

void AviWriter::EncodeAudioUpTo(int64_t sampleCount) {
    const int64_t total = static_cast<int64_t>(sound.left.size());
    sampleCount = std::min(sampleCount, total);
    const int chunk = audioCodec->frame_size > 0 ? audioCodec->frame_size : 1152;
    while (samplesWritten < sampleCount) {
        int count = static_cast<int>(std::min<int64_t>(chunk, total - samplesWritten));
        av_frame_unref(audioFrame);
        audioFrame->format = audioCodec->sample_fmt;
        audioFrame->sample_rate = kSampleRate;
        av_channel_layout_copy(&audioFrame->ch_layout, &audioCodec->ch_layout);
        audioFrame->nb_samples = count;
        if (av_frame_get_buffer(audioFrame, 0) < 0) Fail("out of memory");
        if (audioCodec->sample_fmt == AV_SAMPLE_FMT_FLTP) {
            float* left = reinterpret_cast<float*>(audioFrame->data[0]);
            float* right = reinterpret_cast<float*>(audioFrame->data[1]);
            for (int i = 0; i < count; ++i) {
                left[i] = sound.left[samplesWritten + i];
                right[i] = sound.right[samplesWritten + i];
            }
        } else {
            int16_t* out = reinterpret_cast<int16_t*>(audioFrame->data[0]);
            for (int i = 0; i < count; ++i) {
                out[2 * i] = static_cast<int16_t>(
                    std::lround(std::clamp(sound.left[samplesWritten + i], -1.0f, 1.0f) * 32767.0f));
                out[2 * i + 1] = static_cast<int16_t>(
                    std::lround(std::clamp(sound.right[samplesWritten + i], -1.0f, 1.0f) * 32767.0f));
            }
        }
        audioFrame->pts = samplesWritten;
        Send(audioCodec, audioStream, audioFrame);
        samplesWritten += count;
    }
}

void AviWriter::AddFrame(const uint8_t* pixels, int stride) {
    if (av_frame_make_writable(videoFrame) < 0) Fail("out of memory");
    ToYuv420(pixels, stride, width, height, videoFrame);
    videoFrame->pts = framesWritten++;
    videoFrame->quality = videoCodec->global_quality;  // with a fixed quantiser the encoder reads it per frame
    Send(videoCodec, videoStream, videoFrame);
    // Keep the sound a little ahead of the pictures so the muxer can interleave them in small steps.
    EncodeAudioUpTo((framesWritten + 1) * kSampleRate / framesPerSecond);
}

void AviWriter::Finish() {
    EncodeAudioUpTo(static_cast<int64_t>(sound.left.size()));
    Send(videoCodec, videoStream, nullptr);
    Send(audioCodec, audioStream, nullptr);
    int error = av_write_trailer(format);
    if (error < 0) Fail("cannot finish the file", error);
    avio_closep(&format->pb);
    finished = true;
}

}  // namespace media
