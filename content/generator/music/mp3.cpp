#include "generator/music/mp3.h"

#include <lame/lame.h>
#include <mpg123.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace music {

void encodeMp3(const Pcm& pcm, const std::string& path, int kbps) {
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> gf(lame_init(), lame_close);
    if (!gf) throw std::runtime_error("music: lame_init failed for " + path);
    lame_set_in_samplerate(gf.get(), 44100);
    lame_set_out_samplerate(gf.get(), 44100);
    lame_set_num_channels(gf.get(), 2);
    lame_set_mode(gf.get(), JOINT_STEREO);
    lame_set_VBR(gf.get(), vbr_off);
    lame_set_brate(gf.get(), kbps);
    lame_set_quality(gf.get(), 5);
    lame_set_bWriteVbrTag(gf.get(), 1);
    if (lame_init_params(gf.get()) < 0) throw std::runtime_error("music: LAME rejected the settings for " + path);

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb+"), std::fclose);
    if (!out) throw std::runtime_error("music: cannot write " + path);
    const size_t chunk = 1152 * 64;
    std::vector<unsigned char> buffer(static_cast<size_t>(1.25 * chunk + 7200));
    const size_t frames = pcm.frames();
    for (size_t f = 0; f < frames; f += chunk) {
        const int n = static_cast<int>(std::min(chunk, frames - f));
        short* samples = const_cast<short*>(pcm.samples.data() + 2 * f);
        const int bytes = lame_encode_buffer_interleaved(gf.get(), samples, n, buffer.data(), static_cast<int>(buffer.size()));
        if (bytes < 0) throw std::runtime_error("music: LAME failed while encoding " + path);
        if (std::fwrite(buffer.data(), 1, static_cast<size_t>(bytes), out.get()) != static_cast<size_t>(bytes))
            throw std::runtime_error("music: short write to " + path);
    }
    const int bytes = lame_encode_flush(gf.get(), buffer.data(), static_cast<int>(buffer.size()));
    if (bytes < 0) throw std::runtime_error("music: LAME failed to flush " + path);
    if (std::fwrite(buffer.data(), 1, static_cast<size_t>(bytes), out.get()) != static_cast<size_t>(bytes))
        throw std::runtime_error("music: short write to " + path);
    lame_mp3_tags_fid(gf.get(), out.get());  // fills in the info tag at the start
    if (std::fflush(out.get()) != 0) throw std::runtime_error("music: cannot finish " + path);
}

DecodedMp3 decodeMp3(const std::string& path) {
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> h(mpg123_new(nullptr, &err), mpg123_delete);
    if (!h) throw std::runtime_error("music: mpg123_new failed for " + path);
    mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(h.get());
    mpg123_format(h.get(), 44100, MPG123_STEREO | MPG123_MONO, MPG123_ENC_SIGNED_16);
    mpg123_format(h.get(), 48000, MPG123_STEREO | MPG123_MONO, MPG123_ENC_SIGNED_16);
    mpg123_format(h.get(), 22050, MPG123_STEREO | MPG123_MONO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(h.get(), path.c_str()) != MPG123_OK)
        throw std::runtime_error("music: cannot open " + path + ": " + mpg123_strerror(h.get()));
    DecodedMp3 d;
    int encoding = 0;
    if (mpg123_getformat(h.get(), &d.rate, &d.channels, &encoding) != MPG123_OK) {
        const std::string why = mpg123_strerror(h.get());
        mpg123_close(h.get());
        throw std::runtime_error("music: no audio format in " + path + ": " + why);
    }
    mpg123_frameinfo info{};
    if (mpg123_info(h.get(), &info) == MPG123_OK) d.bitrate = info.bitrate;
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        size_t done = 0;
        const int rc = mpg123_read(h.get(), buffer.data(), buffer.size(), &done);
        const int16_t* s = reinterpret_cast<const int16_t*>(buffer.data());
        d.pcm.samples.insert(d.pcm.samples.end(), s, s + done / 2);
        if (rc == MPG123_DONE) break;
        if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
            const std::string why = mpg123_strerror(h.get());
            mpg123_close(h.get());
            throw std::runtime_error("music: decoding " + path + " failed: " + why);
        }
    }
    mpg123_close(h.get());
    return d;
}

}  // namespace music
