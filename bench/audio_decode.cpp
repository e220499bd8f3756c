// Decoding the soundtrack into memory: the part of the show's start-up that runs on the main
// thread before loading (the music is decoded whole, then played from memory).
//   VELLUNA_MUSIC   the MP3 to decode (default: the run tree's build/show/music/Tessaline.mp3)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mp3_decoder.h"

namespace {

void BM_DecodeSoundtrack(benchmark::State& state) {
    const char* env = std::getenv("VELLUNA_MUSIC");
    const std::string path = env != nullptr ? env : "build/show/music/Tessaline.mp3";
    std::vector<int16_t> pcm;
    for (auto _ : state) {
        std::string error;
        if (!platform::decodeMp3(path, 44100, pcm, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["music_s"] = static_cast<double>(pcm.size()) / 2.0 / 44100.0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(pcm.size() * 2));
}
BENCHMARK(BM_DecodeSoundtrack)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
