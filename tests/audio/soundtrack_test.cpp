#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "audio/soundtrack.h"
#include "driver/demo_clock.h"
#include "platform/audio_output.h"
#include "platform/mp3_decoder.h"
#include "support/mp3_fixture.h"
#include "support/temp_dir.h"

namespace {

namespace audio = platform::audio;
using testsupport::tone;
using testsupport::writeMp3;

// The output is process-wide: one dummy device (it consumes audio in real time) for the suite.
class SoundtrackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    testsupport::TempDir dir;
};

TEST(SoundtrackDevices, ListStopsAtFirstFailureAndAt100) {
    struct Case {
        int available;  // the query answers for indices below this
        size_t listed;
    };
    const Case cases[] = {{0, 0}, {3, 3}, {100, 100}, {1000, 100}};
    for (const Case& c : cases) {
        int asked = 0;
        const auto names = soundtrack::listDevices([&](int i, std::string& name) {
            ++asked;
            if (i >= c.available) return false;
            name = "device " + std::to_string(i);
            return true;
        });
        EXPECT_EQ(names.size(), c.listed) << c.available;
        EXPECT_LE(asked, 100) << c.available;
        if (!names.empty()) {
            EXPECT_EQ(names.back(), "device " + std::to_string(c.listed - 1));
        }
    }
}

TEST_F(SoundtrackTest, BytePositionInSeconds) {
    const std::string path = dir.file("music.mp3");
    ASSERT_TRUE(writeMp3(path, tone(3.0, 44100, 2, 440.0), 2, 44100));
    Soundtrack s;
    s.open(path);
    ASSERT_NE(s.handles[0], 0u);
    EXPECT_EQ(s.sampleRate, 44100.0f);
    EXPECT_EQ(s.positionSeconds(0, 2), 0.0f);  // loaded stopped, at its start
    ASSERT_TRUE(audio::channelSetPosition(s.handles[0], 441000));
    EXPECT_EQ(s.positionSeconds(0, 2), 2.5f);
}

TEST_F(SoundtrackTest, PlayEveryFrameNeverRestarts) {
    const std::string path = dir.file("music.mp3");
    ASSERT_TRUE(writeMp3(path, tone(3.0, 44100, 2, 440.0), 2, 44100));
    Soundtrack s;
    s.open(path);
    ASSERT_NE(s.handles[0], 0u);
    float previous = -1.0f;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(400)) {
        s.play(0);
        const float t = s.positionSeconds(0, 2);
        ASSERT_GE(t, previous);
        previous = t;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GT(previous, 0.15f);
    EXPECT_LT(previous, 1.0f);
}

// Gapless decoding: the encoder's delay and padding are trimmed, so the decoded music has the
// source's exact length and its onset where the source has it.
TEST_F(SoundtrackTest, DecodeTrimsEncoderDelay) {
    const std::string path = dir.file("onset.mp3");
    const std::vector<int16_t> source = tone(1.0, 44100, 2, 1000.0, 0.25);
    ASSERT_TRUE(writeMp3(path, source, 2, 44100));
    std::vector<int16_t> pcm;
    std::string error;
    ASSERT_TRUE(platform::decodeMp3(path, 44100, pcm, error)) << error;
    EXPECT_EQ(pcm.size(), source.size());
    size_t onset = 0;
    while (onset < pcm.size() && std::abs(pcm[onset]) < 6000) ++onset;
    EXPECT_NEAR(static_cast<double>(onset / 2), 0.25 * 44100, 30.0);
}

TEST_F(SoundtrackTest, OtherFormatsBecome44100Stereo) {
    const std::string path = dir.file("mono22k.mp3");
    ASSERT_TRUE(writeMp3(path, tone(1.0, 22050, 1, 440.0), 1, 22050));
    std::vector<int16_t> pcm;
    std::string error;
    ASSERT_TRUE(platform::decodeMp3(path, 44100, pcm, error)) << error;
    EXPECT_NEAR(static_cast<double>(pcm.size()), 2.0 * 44100, 2.0 * 44100 * 0.01);
    EXPECT_EQ(pcm[20000], pcm[20001]);  // the mono channel on both sides
}

TEST_F(SoundtrackTest, BadFilesRunSilent) {
    const std::string garbage = dir.file("garbage.mp3");
    {
        std::FILE* f = std::fopen(garbage.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("this is not an mp3 file at all", f);
        std::fclose(f);
    }
    for (const std::string& path : {dir.file("missing.mp3"), garbage}) {
        Soundtrack s;
        s.open(path);
        EXPECT_EQ(s.handles[0], 0u) << path;
        s.play(0);  // does nothing
        EXPECT_TRUE(std::isinf(s.positionSeconds(0, 2))) << path;
        EXPECT_EQ(demo_clock::lockFactor(10.0, s.positionSeconds(0, 2)), demo_clock::kMaxRate) << path;
    }
}

// Without an output device (a driver that does not exist) nothing loads and the clock runs
// at 1/0.7. Run in a fresh process: the suite's device is already open.
TEST(SoundtrackNoDevice, ShowRunsSilent) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testsupport::TempDir dir;
    const std::string path = dir.file("music.mp3");
    ASSERT_TRUE(writeMp3(path, tone(1.0, 44100, 2, 440.0), 2, 44100));
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
            Soundtrack s;
            s.open(path);
            s.play(0);
            const float k = demo_clock::lockFactor(0.0, s.positionSeconds(0, 2));
            std::exit(s.handles[0] == 0 && k == demo_clock::kMaxRate ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
