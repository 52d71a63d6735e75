// MP3 encoding of the music with LAME: constant bit rate, with the gapless-playback tag filled in.
#include "Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <stdexcept>

#include "Dsp.h"

namespace media {

std::vector<unsigned char> EncodeMp3(const StereoSound& sound, int kilobitsPerSecond) {
    lame_global_flags* lame = lame_init();
    if (!lame) throw std::runtime_error("lame_init failed");
    lame_set_in_samplerate(lame, kSampleRate);
    lame_set_out_samplerate(lame, kSampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kilobitsPerSecond);
    lame_set_quality(lame, 5);
    // The first frame carries the encoder delay and padding, which players use to loop without a gap;
    // no ID3 tag, so nothing in the file depends on when or where it was made.
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        throw std::runtime_error("lame_init_params failed");
    }
    std::vector<unsigned char> out;
    const size_t chunk = 8192;
    std::vector<unsigned char> buffer(chunk * 5 / 4 + 7200);
    for (size_t at = 0; at < sound.left.size(); at += chunk) {
        int count = static_cast<int>(std::min(chunk, sound.left.size() - at));
        int bytes = lame_encode_buffer_ieee_float(lame, sound.left.data() + at, sound.right.data() + at, count,
                                                  buffer.data(), static_cast<int>(buffer.size()));
        if (bytes < 0) {
            lame_close(lame);
            throw std::runtime_error("lame encoding failed");
        }
        out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
    }
    int bytes = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (bytes > 0) out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
    size_t tagBytes = lame_get_lametag_frame(lame, buffer.data(), buffer.size());
    if (tagBytes > 0 && tagBytes <= out.size()) std::copy(buffer.begin(), buffer.begin() + tagBytes, out.begin());
    lame_close(lame);
    return out;
}

}  // namespace media
