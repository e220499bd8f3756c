// The soundtrack in the content catalogue: "music/Tessaline.mp3", its picture, and a report.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "generator/catalogue.h"
#include "generator/music/dsp.h"
#include "generator/music/mp3.h"
#include "generator/music/soundtrack.h"

namespace {

double since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// CPU seconds of this thread: meaningful even when the machine is busy.
double threadCpu() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

// The whole piece, composed on the scene clocks, rendered and encoded at 224 kbit/s. The small
// set makes the same piece: it renders in seconds, and the tests need all of it.
void makeSoundtrack(const content::Context&, const std::string& tmpPath) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = threadCpu();
    const music::Soundtrack s = music::renderSoundtrack();
    const double render = since(t0), renderCpu = threadCpu() - c0;
    const auto t1 = std::chrono::steady_clock::now();
    const double c1 = threadCpu();
    music::encodeMp3(s.pcm, tmpPath);
    std::printf("content: music: %.1f s of music; render %.2f s wall, %.2f s cpu; encode %.2f s wall, %.2f s cpu; "
                "peak %.2f dBFS\n",
                static_cast<double>(s.pcm.frames()) / 44100.0, render, renderCpu, since(t1), threadCpu() - c1,
                music::peakDb(s.pcm));
}

// The waveform and spectrogram of the file as written, decoded again.
void previewSoundtrack(const content::Context& ctx, const std::string& finalPath) {
    const music::DecodedMp3 d = music::decodeMp3(finalPath);
    const std::vector<music::SceneSpan> timeline = music::computeTimeline();
    const std::string png = (std::filesystem::path(ctx.previewDir) / "music_Tessaline.png").string();
    music::writeSoundtrackPicture(d.pcm, music::sectionsOf(timeline), timeline.back().end(), png);
    std::printf("content: preview %s\n", png.c_str());
}

// Per scene: where it starts, its bars and tempo, and how loud and how bright its music is.
int report(const content::Context&) {
    const auto t0 = std::chrono::steady_clock::now();
    music::RenderStats stats;
    music::Score score;
    const music::Soundtrack s = music::renderSoundtrack(&stats, &score);
    std::printf("music: rendered %.1f s in %.2f s; peak %.2f dBFS; pcm hash %016llx\n",
                static_cast<double>(s.pcm.frames()) / 44100.0, since(t0), music::peakDb(s.pcm),
                static_cast<unsigned long long>(music::hashPcm(s.pcm)));
    std::printf("%-28s %8s %7s %5s %7s %8s %8s %9s %9s\n", "scene", "start", "length", "bars", "bpm", "rms dB",
                "end dB", "pre-cut", "post-cut");
    for (const music::Section& sec : s.sections) {
        const double cut = sec.start;
        std::printf("%-28s %8.2f %7.2f %5d %7.2f %8.2f %8.2f %9.2f %9.2f\n", sec.scene.c_str(), sec.start, sec.length,
                    sec.bars, sec.bpm(), music::rmsDb(s.pcm, sec.start, sec.start + sec.length),
                    music::rmsDb(s.pcm, sec.start + sec.length - 2.0, sec.start + sec.length),
                    music::rmsDb(s.pcm, cut - 0.25, cut), music::rmsDb(s.pcm, cut, cut + 0.25));
    }
    // Tonal balance per scene: the level in five bands (crossovers at 60, 250, 2000, 6000 Hz).
    std::printf("%-28s %7s %7s %7s %7s %7s\n", "bands (dB)", "<60", "60-250", "250-2k", "2k-6k", ">6k");
    const float edges[4] = {60.0f, 250.0f, 2000.0f, 6000.0f};
    for (const music::Section& sec : s.sections) {
        music::Svf split[4];
        for (int k = 0; k < 4; ++k) split[k].set(edges[k], 0.707f);
        double sum[5] = {0, 0, 0, 0, 0};
        const size_t a = static_cast<size_t>(sec.start * 44100), b = static_cast<size_t>((sec.start + sec.length) * 44100);
        for (size_t i = a; i < b; ++i) {
            const float x = 0.5f * (s.pcm.samples[2 * i] + s.pcm.samples[2 * i + 1]) / 32768.0f;
            float lows[4];
            for (int k = 0; k < 4; ++k) lows[k] = split[k].lp(x);
            const float band[5] = {lows[0], lows[1] - lows[0], lows[2] - lows[1], lows[3] - lows[2], x - lows[3]};
            for (int k = 0; k < 5; ++k) sum[k] += static_cast<double>(band[k]) * band[k];
        }
        std::printf("%-28s", sec.scene.c_str());
        for (double v : sum) std::printf(" %7.1f", 10.0 * std::log10(std::max(v / static_cast<double>(b - a), 1e-12)));
        std::printf("\n");
    }
    // Each track's level per scene (dB, before the master and the limiter), to balance the mix.
    std::printf("%-10s", "track");
    for (const music::Section& sec : s.sections) std::printf(" %9.9s", music::shortName(sec.scene).c_str());
    std::printf("\n");
    for (size_t t = 0; t < score.tracks.size(); ++t) {
        std::printf("%-10.10s", score.tracks[t].name.c_str());
        for (const music::Section& sec : s.sections) {
            double e = 0.0;
            const size_t a = static_cast<size_t>(sec.start), b = static_cast<size_t>(sec.start + sec.length);
            for (size_t k = a; k < b && k < stats.trackEnergy[t].size(); ++k) e += stats.trackEnergy[t][k];
            const double db = 10.0 * std::log10(std::max(e / (2.0 * 44100.0 * static_cast<double>(b - a)), 1e-12));
            if (db < -90.0) std::printf(" %9s", "-");
            else std::printf(" %9.1f", db);
        }
        std::printf("\n");
    }
    std::printf("show ends at %.2f s; tail rms %.2f dB\n", s.showEnd,
                music::rmsDb(s.pcm, s.showEnd, static_cast<double>(s.pcm.frames()) / 44100.0));
    return 0;
}

// The timeline the music is composed on, at 30 and at 60 frames per second: where each scene
// starts and how long it lasts, from the scene clocks (the show's own capture prints the same
// spans, which the end-to-end tests compare).
int printTimeline(const content::Context&) {
    for (double fps : {30.0, 60.0})
        for (const music::SceneSpan& span : music::computeTimeline(fps))
            std::printf("timeline: %g %s %.6f %.6f\n", fps, span.name.c_str(), span.start, span.length);
    return 0;
}

}  // namespace

CONTENT_ASSETS(soundtrack) {
    content::addAsset({"music/Tessaline.mp3", 3, 25.0, makeSoundtrack, previewSoundtrack});
    content::addCommand({"--music-report", "print the soundtrack's sections, tempi and levels", report});
    content::addCommand({"--timeline", "print when each scene starts and how long it lasts, at 30 and 60 fps",
                         printTimeline});
}
