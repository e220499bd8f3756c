#include "support/mp3_fixture.h"

#include <lame/lame.h>

#include <cmath>
#include <cstdio>

namespace testsupport {

bool writeMp3(const std::string& path, const std::vector<int16_t>& pcm, int channels, int rate) {
    lame_global_flags* gf = lame_init();
    if (gf == nullptr) return false;
    lame_set_in_samplerate(gf, rate);
    lame_set_out_samplerate(gf, rate);
    lame_set_num_channels(gf, channels);
    lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf, 128);
    lame_set_quality(gf, 7);
    lame_set_bWriteVbrTag(gf, 1);
    if (lame_init_params(gf) < 0) {
        lame_close(gf);
        return false;
    }
    const int frames = static_cast<int>(pcm.size()) / channels;
    std::vector<unsigned char> out(static_cast<size_t>(1.25 * frames + 7200) * 2);
    int n = 0;
    if (channels == 2) {
        n = lame_encode_buffer_interleaved(gf, const_cast<short*>(pcm.data()), frames, out.data(),
                                           static_cast<int>(out.size()));
    } else {
        n = lame_encode_buffer(gf, pcm.data(), pcm.data(), frames, out.data(), static_cast<int>(out.size()));
    }
    if (n < 0) {
        lame_close(gf);
        return false;
    }
    const int m = lame_encode_flush(gf, out.data() + n, static_cast<int>(out.size()) - n);
    FILE* f = std::fopen(path.c_str(), "wb+");
    bool ok = f != nullptr && m >= 0;
    if (ok) {
        ok = std::fwrite(out.data(), 1, static_cast<size_t>(n + m), f) == static_cast<size_t>(n + m);
        // The info tag (delay, padding, length) goes into the first frame, reserved for it.
        unsigned char tag[2880];
        const size_t tagSize = lame_get_lametag_frame(gf, tag, sizeof tag);
        if (ok && tagSize > 0 && tagSize <= sizeof tag) {
            ok = std::fseek(f, 0, SEEK_SET) == 0 && std::fwrite(tag, 1, tagSize, f) == tagSize;
        }
    }
    if (f != nullptr) std::fclose(f);
    lame_close(gf);
    return ok;
}

std::vector<int16_t> tone(double seconds, int rate, int channels, double hz, double onsetSeconds) {
    const int frames = static_cast<int>(std::lround(seconds * rate));
    const int onset = static_cast<int>(std::lround(onsetSeconds * rate));
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * channels, 0);
    for (int i = onset; i < frames; ++i) {
        const double v = 12000.0 * std::sin(2.0 * M_PI * hz * (i - onset) / rate);
        for (int c = 0; c < channels; ++c) pcm[static_cast<size_t>(i) * channels + c] = static_cast<int16_t>(v);
    }
    return pcm;
}

}  // namespace testsupport
