#include "audio/soundtrack.h"

#include <cstdio>

#include "platform/audio_output.h"

namespace audio = platform::audio;

float soundtrack::bytesToSeconds(uint64_t bytes, int channels, float rate) {
    const float b = static_cast<float>(bytes);
    return b / (static_cast<float>(channels) * rate * 2.0f);
}

std::vector<std::string> soundtrack::listDevices(const DeviceQuery& query) {
    std::vector<std::string> names;
    for (int i = 0; i < kMaxListedDevices; ++i) {
        std::string name;
        if (!query(i, name)) break;
        names.push_back(name);
    }
    return names;
}

void Soundtrack::open(const std::string& path) {
    // 1. The output devices, up to the first index that names none.
    for (const std::string& name : soundtrack::listDevices(audio::deviceInfo)) std::printf("%s\n", name.c_str());
    // 2.-6. Default device, the whole file, rewound. Errors are not acted upon: without a
    // device or a file the handle stays 0 and the show runs silent.
    audio::init(-1, 44100);
    audio::errorCode();
    handles[0] = audio::sampleLoad(path);
    audio::errorCode();
    sampleRate = 0.0f;
    audio::channelFrequency(handles[0], sampleRate);
    audio::channelSetPosition(handles[0], 0);
    audio::errorCode();
    std::fflush(stdout);
}

void Soundtrack::play(int index) { audio::channelPlay(handles[index], false); }

float Soundtrack::positionSeconds(int index, int channels) {
    float rate = 0.0f;
    audio::channelFrequency(handles[index], rate);
    return soundtrack::bytesToSeconds(audio::channelPosition(handles[index]), channels, rate);
}
