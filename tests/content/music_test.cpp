#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <thread>

#include "generator/music/mp3.h"
#include "generator/music/soundtrack.h"
#include "generator/music/timeline.h"
#include "platform/mp3_decoder.h"
#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_clock.h"
#include "support/temp_dir.h"

namespace {

// [SECTION] The timeline from the scene clocks

struct Row {
    const char* scene;
    double start;
    double length;
};

// The show's timeline as documented for the content; the clocks must reproduce it.
const Row kDocumented[] = {
    {"Part_KinectEffect", 0.0, 27.0},           {"Part_ParticleShadowBoat", 27.0, 65.6},
    {"Part_ParticleShadowForest", 92.6, 32.8},  {"Part_ParticleShadowRainbow", 125.4, 30.1},
    {"Part_ParticleShadow", 155.5, 33.0},       {"Part_Fallers", 188.5, 18.0},
    {"Part_ParticleShadowSkull", 206.4, 16.9},  {"Part_LidarAOStart", 223.3, 32.0},
    {"Part_LidarAO", 255.3, 50.6},              {"Part_DEMOLidarTree", 305.9, 100.5},
};

TEST(MusicTimeline, MatchesTheDocumentedTableAtSteadyFrameRates) {
    for (double fps : {30.0, 60.0, 144.0}) {
        const std::vector<music::SceneSpan> spans = music::computeTimeline(fps);
        ASSERT_EQ(spans.size(), std::size(kDocumented));
        for (size_t i = 0; i < spans.size(); ++i) {
            SCOPED_TRACE(std::string(kDocumented[i].scene) + " at " + std::to_string(fps) + " fps");
            EXPECT_EQ(spans[i].name, kDocumented[i].scene);
            EXPECT_NEAR(spans[i].start, kDocumented[i].start, 0.2);
            EXPECT_NEAR(spans[i].length, kDocumented[i].length, 0.2);
        }
        EXPECT_NEAR(spans.back().end(), 406.4, 0.2);
    }
}

// A scene's rate change moves the timeline: the forest's slow window makes it last longer than
// its clock range at the base rate.
TEST(MusicTimeline, WindowedFactorsApplyOnlyInsideTheirWindow) {
    const music::SceneClock& forest = music::sceneClocks()[2];
    ASSERT_EQ(forest.name, "Part_ParticleShadowForest");
    const double base = (forest.end - forest.start) / (1.03 * 0.935);
    const double slowed = base + 6.0 / (1.03 * 0.935 * 0.75) - 6.0 / (1.03 * 0.935);
    EXPECT_NEAR(music::computeTimeline()[2].length, slowed, 0.05);
}

// The music and the scenes read one table: a scene driven frame by frame through its update
// slot lasts exactly as many frames as its section of the music.
TEST(MusicTimeline, EveryScenePlaysItsSectionOfTheMusic) {
    struct Probe : Part {
        void render(Data_Interface*, int, const float*) override {}
        void update(Data_Interface*) override {}
        void hookA() override {}
        void onTrigger() override {}
        void hookB() override {}
        void load() override {}
        void finishLoad() override {}
    };
    for (double fps : {30.0, 60.0}) {
        const std::vector<music::SceneSpan> spans = music::computeTimeline(fps);
        ASSERT_EQ(spans.size(), static_cast<size_t>(kSceneCount));
        Data_Interface engine;
        engine.frameDelta = static_cast<float>(1.0 / fps);
        for (int i = 0; i < kSceneCount; ++i) {
            const SceneId id = static_cast<SceneId>(i);
            EXPECT_EQ(spans[i].name, sceneClock(id).name);
            Probe scene;
            scene.localTime = sceneClock(id).start;
            long frames = 0;
            while (!scene.done && frames < 100000) {
                updateSceneClock(scene, &engine, id);
                ++frames;
            }
            EXPECT_EQ(frames, std::lround(spans[i].length / static_cast<double>(engine.frameDelta)))
                << spans[i].name << " at " << fps;
        }
    }
}

TEST(MusicTimeline, BarsKeepTheTempoNear120) {
    struct Case {
        double seconds;
        int bars;
    } cases[] = {{32.0, 16}, {65.57, 32}, {27.02, 14}, {17.98, 9}, {16.88, 8}, {100.53, 52}};
    for (const Case& c : cases) EXPECT_EQ(music::barsFor(c.seconds), c.bars) << c.seconds;
    for (const music::Section& s : music::sectionsOf(music::computeTimeline())) {
        EXPECT_GE(s.bpm(), 105.0) << s.scene;
        EXPECT_LE(s.bpm(), 135.0) << s.scene;
    }
}

// [SECTION] The rendered and encoded piece

// One render and one encode serve every check (each test runs in its own process, and a render
// takes seconds): the file as the show reads it, its length, its peaks, its sections, its cuts,
// and a second render for determinism.
TEST(Soundtrack, RenderedAndEncodedPieceMeetsItsBrief) {
    testsupport::TempDir dir;
    const music::Soundtrack piece = music::renderSoundtrack();
    uint64_t secondHash = 0;
    std::thread again([&] { secondHash = music::hashPcm(music::renderSoundtrack().pcm); });
    const std::string path = dir.file("Tessaline.mp3");
    music::encodeMp3(piece.pcm, path);
    again.join();
    const music::DecodedMp3 decoded = music::decodeMp3(path);
    const music::Pcm& pcm = decoded.pcm;
    const double seconds = static_cast<double>(pcm.frames()) / 44100.0;
    const std::vector<music::Section>& s = piece.sections;

    {
        SCOPED_TRACE("decodes as the show reads it: 44.1 kHz stereo, at least 192 kbit/s");
        EXPECT_EQ(decoded.rate, 44100);
        EXPECT_EQ(decoded.channels, 2);
        EXPECT_GE(decoded.bitrate, 192);
        // The show's own decoder reads it to the same samples.
        std::vector<int16_t> show;
        std::string error;
        EXPECT_TRUE(platform::decodeMp3(path, 44100, show, error)) << error;
        EXPECT_EQ(show, pcm.samples);
    }
    {
        SCOPED_TRACE("lasts beyond the show by more than five seconds");
        EXPECT_GE(seconds, piece.showEnd + 5.0);
        EXPECT_GE(seconds, 6 * 60 + 50.0);
        // The decoder trims the encoder's padding: the file is as long as the render.
        EXPECT_NEAR(seconds, static_cast<double>(piece.pcm.frames()) / 44100.0, 0.05);
    }
    {
        SCOPED_TRACE("peaks stay below -1 dBFS, before and after encoding");
        EXPECT_LT(music::peakDb(piece.pcm), -1.0);
        EXPECT_LT(music::peakDb(pcm), -1.0);
    }
    {
        SCOPED_TRACE("each scene has its own loudness, and nothing in the show is silent");
        std::vector<double> rms;
        for (const music::Section& sec : s) rms.push_back(music::rmsDb(pcm, sec.start, sec.start + sec.length));
        for (size_t i = 0; i < s.size(); ++i) {
            EXPECT_GT(rms[i], -35.0) << s[i].scene;
            EXPECT_LT(rms[i], -10.0) << s[i].scene;
            if (i > 0) {
                EXPECT_GE(std::fabs(rms[i] - rms[i - 1]), 1.0) << s[i].scene << " against " << s[i - 1].scene;
            }
        }
        for (double t = 0.0; t + 2.0 <= piece.showEnd; t += 2.0)
            EXPECT_GT(music::rmsDb(pcm, t, t + 2.0), -45.0) << "silent near " << t << " s";
    }
    {
        SCOPED_TRACE("every cut lands on a hit, louder than the moments before it");
        for (size_t i = 1; i < s.size(); ++i) {
            const double cut = s[i].start;
            EXPECT_GT(music::rmsDb(pcm, cut, cut + 0.3), music::rmsDb(pcm, cut - 1.0, cut - 0.1) + 1.0) << s[i].scene;
        }
    }
    {
        SCOPED_TRACE("the same commit makes the same PCM");
        EXPECT_EQ(music::hashPcm(piece.pcm), secondHash);
    }
}

// [SECTION] Errors name the file

TEST(MusicFiles, FailuresNameTheFile) {
    testsupport::TempDir dir;
    const std::string garbage = dir.file("garbage.mp3");
    std::ofstream(garbage) << "this is not an mp3 at all";
    const std::string missing = dir.file("missing.mp3");
    const std::string unwritable = dir.file("no/such/folder/out.mp3");
    music::Pcm tiny;
    tiny.samples.assign(2 * 4410, 0);

    struct Case {
        const char* what;
        std::string path;
        std::function<void()> run;
    } cases[] = {
        {"missing input", missing, [&] { music::decodeMp3(missing); }},
        {"not an mp3", garbage, [&] { music::decodeMp3(garbage); }},
        {"unwritable output", unwritable, [&] { music::encodeMp3(tiny, unwritable); }},
    };
    for (const Case& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
