#include <gtest/gtest.h>

#include "driver/options.h"

namespace {

// --dev goes with a window size and takes --from, --scene and --dev-budget; nothing else of
// capture's, and no capture.
TEST(DevOptions, Table) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        double from;
        const char* scene;
        int64_t budget;
    };
    const Case cases[] = {
        {{"--dev", "--windowed", "320x180"}, true, 0.0, "", 2048},
        {{"--windowed", "320x180", "--dev", "--from", "12.5", "--scene", "Part_Fallers"}, true, 12.5, "Part_Fallers", 2048},
        {{"--dev", "--fullscreen", "640x360", "--dev-budget", "512", "--msaa"}, true, 0.0, "", 512},
        {{"--dev"}, false, 0, "", 0},
        {{"--dev", "--capture", "out"}, false, 0, "", 0},
        {{"--dev", "--windowed", "320x180", "--fps", "10"}, false, 0, "", 0},
        {{"--dev", "--windowed", "320x180", "--to", "10"}, false, 0, "", 0},
        {{"--dev", "--windowed", "320x180", "--dev-budget", "0"}, false, 0, "", 0},
        {{"--windowed", "320x180", "--dev-budget", "100"}, false, 0, "", 0},
        {{"--windowed", "320x180", "--from", "3"}, false, 0, "", 0},
    };
    for (const Case& c : cases) {
        Options o;
        std::string error;
        std::string name;
        for (const std::string& a : c.args) name += a + " ";
        ASSERT_EQ(parseOptions(c.args, o, error), c.ok) << name << error;
        if (!c.ok) {
            EXPECT_FALSE(error.empty()) << name;
            continue;
        }
        EXPECT_TRUE(o.dev.enabled) << name;
        EXPECT_TRUE(o.skipDialog) << name;
        EXPECT_FALSE(o.capture.enabled) << name;
        EXPECT_DOUBLE_EQ(o.dev.from, c.from) << name;
        EXPECT_EQ(o.dev.scene, c.scene) << name;
        EXPECT_EQ(o.dev.budgetMiB, c.budget) << name;
    }
}

TEST(DevOptions, OffWithoutTheOption) {
    Options o;
    std::string error;
    ASSERT_TRUE(parseOptions({"--windowed", "320x180"}, o, error));
    EXPECT_FALSE(o.dev.enabled);
}

}  // namespace
