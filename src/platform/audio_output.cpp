#include "platform/audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/mp3_decoder.h"

namespace platform::audio {

namespace {

constexpr uint64_t kFrameBytes = 4;  // 16-bit stereo

struct Sample {
    std::vector<int16_t> pcm;               // never changes after loading
    std::atomic<uint64_t> position{0};      // bytes handed to the device
    std::atomic<bool> playing{false};
    std::atomic<float> speed{1.0f};         // developer mode's transport; 1 in the show
    double fraction = 0.0;                  // of a frame, between callbacks (audio thread)
};

// Samples are created on one thread (the main thread at start) and never destroyed; the
// callback walks the table, so it is fixed-size and filled before a sample can play.
// NOTE: plain pointers on purpose. The device is never closed, so SDL's audio thread may
// still be mixing while the process exits; owning pointers here would free the samples in
// the static destructors under the running callback.
constexpr int kMaxSamples = 16;
Sample* samples[kMaxSamples] = {};
std::atomic<int> sampleCount{0};

std::mutex openMutex;
SDL_AudioDeviceID device = 0;
int outputRate = 0;
std::atomic<int> lastError{kOk};

// Records the error code of the call and returns `result`.
template <typename T>
T fail(int code, T result) {
    lastError.store(code, std::memory_order_relaxed);
    return result;
}

Sample* lookup(uint32_t handle) {
    const int count = sampleCount.load(std::memory_order_acquire);
    if (handle == 0 || handle > static_cast<uint32_t>(count)) return nullptr;
    return samples[handle - 1];
}

// A sample played at another speed (developer mode): linear interpolation between the
// source frames, the position moved by speed x the frames written.
void mixResampled(Sample& s, Uint8* stream, int length, uint64_t at, uint64_t total, float speed) {
    const uint64_t frames = total / kFrameBytes;
    const int outFrames = length / static_cast<int>(kFrameBytes);
    std::vector<int16_t> out(static_cast<size_t>(outFrames) * 2, 0);
    double source = static_cast<double>(at / kFrameBytes) + s.fraction;
    int written = 0;
    for (; written < outFrames; ++written) {
        const uint64_t i = static_cast<uint64_t>(source);
        if (i + 1 >= frames) break;
        const double f = source - static_cast<double>(i);
        for (int c = 0; c < 2; ++c) {
            const double a = s.pcm[i * 2 + static_cast<uint64_t>(c)];
            const double b = s.pcm[(i + 1) * 2 + static_cast<uint64_t>(c)];
            out[static_cast<size_t>(written) * 2 + static_cast<size_t>(c)] = static_cast<int16_t>(a + (b - a) * f);
        }
        source += speed;
    }
    SDL_MixAudioFormat(stream, reinterpret_cast<const Uint8*>(out.data()), AUDIO_S16SYS,
                       static_cast<Uint32>(written) * static_cast<Uint32>(kFrameBytes), SDL_MIX_MAXVOLUME);
    const uint64_t whole = std::min<uint64_t>(static_cast<uint64_t>(source), frames);
    s.fraction = source - static_cast<double>(static_cast<uint64_t>(source));
    s.position.store(written < outFrames ? total : whole * kFrameBytes, std::memory_order_relaxed);
}

// SDL's audio thread: mixes every playing sample into the stream and counts its position.
void mix(void*, Uint8* stream, int length) {
    std::memset(stream, 0, static_cast<size_t>(length));
    const int count = sampleCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        Sample& s = *samples[i];
        if (!s.playing.load(std::memory_order_relaxed)) continue;
        const uint64_t total = s.pcm.size() * sizeof(int16_t);
        const uint64_t at = s.position.load(std::memory_order_relaxed);
        if (at >= total) continue;
        const float speed = s.speed.load(std::memory_order_relaxed);
        if (speed != 1.0f) {
            mixResampled(s, stream, length, at, total, speed);
            continue;
        }
        const uint64_t n = std::min<uint64_t>(total - at, static_cast<uint64_t>(length));
        SDL_MixAudioFormat(stream, reinterpret_cast<const Uint8*>(s.pcm.data()) + at, AUDIO_S16SYS,
                           static_cast<Uint32>(n), SDL_MIX_MAXVOLUME);
        // Only a setPosition on another thread can race this; the later write wins.
        s.position.store(at + n, std::memory_order_relaxed);
    }
}

bool ensureSubsystem() {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) return true;
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

}  // namespace

int errorCode() { return lastError.load(std::memory_order_relaxed); }

bool deviceInfo(int index, std::string& name) {
    std::lock_guard<std::mutex> lock(openMutex);
    if (!ensureSubsystem()) return fail(kNoInit, false);
    if (index < 0 || index >= SDL_GetNumAudioDevices(0)) return fail(kNoDevice, false);
    const char* n = SDL_GetAudioDeviceName(index, 0);
    if (n == nullptr) return fail(kNoDevice, false);
    name = n;
    return fail(kOk, true);
}

bool init(int deviceIndex, int rate) {
    std::lock_guard<std::mutex> lock(openMutex);
    if (device != 0) return true;
    if (!ensureSubsystem()) {
        std::printf("audio: no audio output (%s)\n", SDL_GetError());
        return fail(kNoInit, false);
    }
    const char* name = nullptr;
    if (deviceIndex >= 0) {
        name = SDL_GetAudioDeviceName(deviceIndex, 0);
        if (name == nullptr) return fail(kNoDevice, false);
    }
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;  // about 23 ms: the clock reads the position, so keep latency low
    want.callback = mix;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants behind the callback.
    device = SDL_OpenAudioDevice(name, 0, &want, &have, 0);
    if (device == 0) {
        std::printf("audio: cannot open the output device (%s)\n", SDL_GetError());
        return fail(kNoDevice, false);
    }
    outputRate = rate;
    SDL_PauseAudioDevice(device, 0);
    return fail(kOk, true);
}

uint32_t sampleLoad(const std::string& path) {
    std::lock_guard<std::mutex> lock(openMutex);
    if (device == 0) return fail(kNoInit, uint32_t{0});
    const int count = sampleCount.load(std::memory_order_relaxed);
    if (count >= kMaxSamples) return fail(kBadHandle, uint32_t{0});
    auto s = std::make_unique<Sample>();  // handed to the table below, never freed
    std::string error;
    if (!decodeMp3(path, outputRate, s->pcm, error)) {
        std::printf("%s\n", error.c_str());
        return fail(kNoFile, uint32_t{0});
    }
    samples[count] = s.release();
    sampleCount.store(count + 1, std::memory_order_release);
    return fail(kOk, static_cast<uint32_t>(count + 1));
}

bool channelPlay(uint32_t handle, bool restart) {
    Sample* s = lookup(handle);
    if (s == nullptr) return fail(kBadHandle, false);
    if (restart) s->position.store(0, std::memory_order_relaxed);
    s->playing.store(true, std::memory_order_relaxed);
    return fail(kOk, true);
}

bool channelFrequency(uint32_t handle, float& frequency) {
    if (lookup(handle) == nullptr) return fail(kBadHandle, false);
    frequency = static_cast<float>(outputRate);
    return fail(kOk, true);
}

uint64_t channelPosition(uint32_t handle) {
    Sample* s = lookup(handle);
    if (s == nullptr) return fail(kBadHandle, kPositionError);
    return fail(kOk, s->position.load(std::memory_order_relaxed));
}

bool channelSetPosition(uint32_t handle, uint64_t bytes) {
    Sample* s = lookup(handle);
    if (s == nullptr) return fail(kBadHandle, false);
    const uint64_t total = s->pcm.size() * sizeof(int16_t);
    s->position.store(std::min(bytes, total) / kFrameBytes * kFrameBytes, std::memory_order_relaxed);
    return fail(kOk, true);
}

bool channelPause(uint32_t handle) {
    Sample* s = lookup(handle);
    if (s == nullptr) return fail(kBadHandle, false);
    s->playing.store(false, std::memory_order_relaxed);
    return fail(kOk, true);
}

bool channelSetSpeed(uint32_t handle, float speed) {
    Sample* s = lookup(handle);
    if (s == nullptr || !(speed >= 0.25f && speed <= 2.0f)) return fail(kBadHandle, false);
    s->speed.store(speed, std::memory_order_relaxed);
    return fail(kOk, true);
}

std::vector<float> samplePeaks(uint32_t handle, int buckets) {
    std::vector<float> peaks;
    const Sample* s = lookup(handle);
    if (s == nullptr || buckets <= 0 || s->pcm.empty()) return peaks;
    peaks.assign(static_cast<size_t>(buckets), 0.0f);
    const size_t n = s->pcm.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t b = i * static_cast<size_t>(buckets) / n;
        const float v = static_cast<float>(std::abs(static_cast<int>(s->pcm[i]))) / 32768.0f;
        peaks[b] = std::max(peaks[b], v);
    }
    return peaks;
}

uint64_t sampleLength(uint32_t handle) {
    Sample* s = lookup(handle);
    return s == nullptr ? 0 : s->pcm.size() * sizeof(int16_t);
}

}  // namespace platform::audio
