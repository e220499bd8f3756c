#include <gtest/gtest.h>

#include "driver/options.h"

namespace {

TEST(Options, Table) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        bool skipDialog;
        LaunchSettings settings;
    };
    const Case cases[] = {
        {{}, true, false, {}},
        {{"--windowed", "1280x720"}, true, true, {false, false, 1280, 720}},
        {{"--fullscreen", "1920x1080", "--msaa"}, true, true, {true, true, 1920, 1080}},
        {{"--windowed"}, false, false, {}},
        {{"--windowed", "1280"}, false, false, {}},
        {{"--windowed", "0x720"}, false, false, {}},
        {{"--windowed", "12x-3"}, false, false, {}},
        {{"--msaa"}, false, false, {}},
        {{"--bogus"}, false, false, {}},
    };
    for (const Case& c : cases) {
        Options o;
        std::string error;
        std::string name = c.args.empty() ? "(bare)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        ASSERT_EQ(parseOptions(c.args, o, error), c.ok) << name;
        if (!c.ok) {
            EXPECT_FALSE(error.empty()) << name;
            continue;
        }
        EXPECT_EQ(o.skipDialog, c.skipDialog) << name;
        EXPECT_EQ(o.settings.fullscreen, c.settings.fullscreen) << name;
        EXPECT_EQ(o.settings.multisample, c.settings.multisample) << name;
        EXPECT_EQ(o.settings.width, c.settings.width) << name;
        EXPECT_EQ(o.settings.height, c.settings.height) << name;
    }
}

}  // namespace

namespace {

TEST(Options, Capture) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
    };
    const Case cases[] = {
        {{"--capture", "out"}, true},
        {{"--video", "show.mp4", "--from", "10", "--to", "20.5"}, true},
        {{"--capture", "out", "--scene", "Part_Fallers", "--size", "320x180", "--fps", "10"}, true},
        {{"--capture", "out", "--every", "5", "--frames", "3", "--msaa", "--placeholders"}, true},
        {{"--capture", "out", "--per-scene", "4", "--loading-frames"}, true},
        {{"--capture", "out", "--from", "12", "--preroll"}, true},
        {{"--capture", "out", "--scene", "Part_Fallers", "--all-scenes"}, true},
        {{"--capture", "out", "--cuts", "2", "--fps", "2"}, true},
        {{"--capture", "out", "--cuts", "2", "--scene", "Part_Fallers"}, false},
        {{"--capture", "out", "--cuts", "2", "--every", "3"}, false},
        {{"--capture", "out", "--cuts", "2", "--per-scene", "2"}, false},
        {{"--video", "a.mp4", "--cuts", "2"}, false},
        {{"--cuts", "2"}, false},
        {{"--preroll"}, false},
        {{"--all-scenes"}, false},
        {{"--capture"}, false},
        {{"--fps", "10"}, false},                                   // capture detail without capture
        {{"--capture", "out", "--fps", "0"}, false},
        {{"--capture", "out", "--fps", "ten"}, false},
        {{"--capture", "out", "--from", "-1"}, false},
        {{"--capture", "out", "--from", "7200", "--to", "7200.5"}, false},  // beyond the planning limit
        {{"--capture", "out", "--to", "1e12"}, false},
        {{"--video", "a.mp4", "--from", "1e300"}, false},
        {{"--capture", "out", "--from", "7199", "--to", "7200"}, true},     // at the limit
        {{"--capture", "out", "--from", "5", "--to", "5"}, false},
        {{"--capture", "out", "--scene", "Part_Nothing"}, false},
        {{"--capture", "out", "--scene", "Part_Fallers", "--to", "3"}, true},   // within the scene's span
        {{"--video", "a.mp4", "--scene", "Part_Fallers", "--from", "3", "--to", "2"}, false},
        {{"--capture", "out", "--size", "320"}, false},
        {{"--capture", "out", "--frames", "2.5"}, false},
        {{"--capture", "out", "--windowed", "640x360"}, false},
        {{"--video", "a.mp4", "--every", "2"}, false},
        {{"--video", "a.mp4", "--loading-frames"}, false},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& a : c.args) name += a + " ";
        Options o;
        std::string error;
        EXPECT_EQ(parseOptions(c.args, o, error), c.ok) << name << error;
        EXPECT_EQ(error.empty(), c.ok) << name;
    }

    Options o;
    std::string error;
    ASSERT_TRUE(parseOptions({"--capture", "out", "--size", "320x180", "--fps", "12.5", "--from", "3", "--msaa"}, o, error));
    EXPECT_TRUE(o.capture.enabled);
    EXPECT_TRUE(o.skipDialog);
    EXPECT_EQ(o.capture.directory, "out");
    EXPECT_EQ(o.capture.fps, 12.5);
    EXPECT_EQ(o.capture.from, 3.0);
    EXPECT_EQ(o.capture.to, -1.0);
    EXPECT_FALSE(o.settings.fullscreen);
    EXPECT_TRUE(o.settings.multisample);
    EXPECT_EQ(o.settings.width, 320);
    EXPECT_EQ(o.settings.height, 180);

    // A time whose frame number would not fit the plan is refused by name, before anything runs.
    Options far;
    ASSERT_FALSE(parseOptions({"--capture", "out", "--from", "1e12"}, far, error));
    EXPECT_EQ(error, "--from: 1e12 s lies far beyond the show; capture plans at most 7200 s");
    error.clear();

    // A bare start is untouched by the extensions.
    Options bare;
    ASSERT_TRUE(parseOptions({}, bare, error));
    EXPECT_FALSE(bare.capture.enabled);
    EXPECT_FALSE(bare.placeholders);
    EXPECT_FALSE(bare.skipDialog);
}

}  // namespace
