#include "platform/mp3_decoder.h"

#include <mpg123.h>

#include <mutex>

namespace platform {

namespace {

// mpg123_init is a no-op on current libraries and required on old ones; once is enough.
void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

bool decodeMp3(const std::string& path, int rate, std::vector<int16_t>& pcm, std::string& error) {
    initLibrary();
    pcm.clear();
    int rc = MPG123_OK;
    mpg123_handle* mh = mpg123_new(nullptr, &rc);
    if (mh == nullptr) {
        error = "audio: cannot create an MP3 decoder for " + path + ": " + mpg123_plain_strerror(rc);
        return false;
    }
    // Only one output format is allowed, so libmpg123 converts everything to it.
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    mpg123_format_none(mh);
    mpg123_format(mh, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16);

    bool ok = false;
    if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
        error = "audio: cannot open " + path + ": " + mpg123_strerror(mh);
    } else {
        long fileRate = 0;
        int channels = 0;
        int encoding = 0;
        if (mpg123_getformat(mh, &fileRate, &channels, &encoding) != MPG123_OK) {
            error = "audio: " + path + " is not a readable MP3: " + mpg123_strerror(mh);
        } else if (fileRate != rate || channels != MPG123_STEREO || encoding != MPG123_ENC_SIGNED_16) {
            error = "audio: " + path + " cannot be decoded to " + std::to_string(rate) + " Hz 16-bit stereo";
        } else {
            const off_t length = mpg123_length(mh);  // samples per channel, when known
            if (length > 0) pcm.reserve(static_cast<size_t>(length) * 2 + 4096);
            unsigned char buffer[32768];
            for (;;) {
                size_t got = 0;
                rc = mpg123_read(mh, buffer, sizeof buffer, &got);
                const size_t samples = got / sizeof(int16_t);
                const int16_t* s = reinterpret_cast<const int16_t*>(buffer);
                pcm.insert(pcm.end(), s, s + samples);
                if (rc == MPG123_DONE) {
                    ok = true;
                    break;
                }
                if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
                    error = "audio: decoding " + path + " failed: " + mpg123_strerror(mh);
                    break;
                }
            }
            // A stereo frame is two samples; drop a torn trailing half, should one occur.
            if (pcm.size() % 2 != 0) pcm.pop_back();
            if (ok && pcm.empty()) {
                ok = false;
                error = "audio: " + path + " holds no audio";
            }
        }
        mpg123_close(mh);
    }
    mpg123_delete(mh);
    if (!ok) pcm.clear();
    return ok;
}

}  // namespace platform
