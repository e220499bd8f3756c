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
