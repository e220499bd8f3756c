#include <gtest/gtest.h>

#include "driver/display_mode_list.h"
#include "driver/launch_dialog.h"

namespace {

std::vector<DisplayMode> collect(const std::vector<DisplayMode>& offered) {
    return collectDisplayModes([&](int index, int& w, int& h) {
        if (index >= static_cast<int>(offered.size())) return false;
        w = offered[index].width;
        h = offered[index].height;
        return true;
    });
}

TEST(DisplayModeList, DeduplicatesDropsPortraitKeepsOrder) {
    const std::vector<DisplayMode> offered = {
        {1280, 1024}, {1920, 1080}, {1920, 1080}, {1080, 1920}, {1920, 1200}, {1920, 1080}, {1024, 1024},
    };
    const std::vector<DisplayMode> modes = collect(offered);
    ASSERT_EQ(modes.size(), 4u);
    EXPECT_EQ(modes[0].width, 1280);
    EXPECT_EQ(modes[1].width, 1920);
    EXPECT_EQ(modes[1].height, 1080);
    EXPECT_EQ(modes[2].height, 1200);
    EXPECT_EQ(modes[3].width, 1024);  // square kept
    EXPECT_EQ(preselectedDisplayMode(modes), 1);
}

TEST(DisplayModeList, StopsAtFirstFailure) {
    int asked = 0;
    const auto modes = collectDisplayModes([&](int index, int& w, int& h) {
        ++asked;
        w = 800;
        h = 600 - index;  // a new size every time
        return index < 3;
    });
    EXPECT_EQ(modes.size(), 3u);
    EXPECT_EQ(asked, 4);
}

TEST(DisplayModeList, Labels) {
    struct Case {
        DisplayMode mode;
        const char* label;
    } cases[] = {
        {{1920, 1080}, " 1920 x 1080  (16:9)"},
        {{1366, 768}, " 1366 x 768  (16:9)"},  // 1.7786: within 0.01
        {{1920, 1200}, " 1920 x 1200  (16:10)"},
        {{1280, 1024}, " 1280 x 1024       "},
        {{1024, 1024}, " 1024 x 1024       "},
    };
    for (const Case& c : cases) EXPECT_EQ(displayModeLabel(c.mode), c.label) << c.label;
}

TEST(DisplayModeList, PreselectionFallsBackToFirst) {
    EXPECT_EQ(preselectedDisplayMode({{1280, 1024}, {1920, 1200}}), 0);
    EXPECT_EQ(preselectedDisplayMode({}), 0);
}

TEST(LaunchDialog, ResultMapping) {
    const std::vector<DisplayMode> modes = {{1280, 1024}, {1920, 1080}};
    struct Case {
        const char* name;
        LaunchChoice choice;
        const std::vector<DisplayMode>* list;
        LaunchSettings expected;
    };
    const std::vector<DisplayMode> none;
    const Case cases[] = {
        {"untouched", {true, 1, false, false}, &modes, {true, false, 1920, 1080}},
        {"windowed", {true, 1, true, false}, &modes, {false, false, 1920, 1080}},
        {"multisample", {true, 0, false, true}, &modes, {true, true, 1280, 1024}},
        {"empty list keeps 1280x720", {true, -1, true, false}, &none, {false, false, 1280, 720}},
    };
    for (const Case& c : cases) {
        LaunchSettings s;
        applyLaunchChoice(c.choice, *c.list, s);
        EXPECT_EQ(s.fullscreen, c.expected.fullscreen) << c.name;
        EXPECT_EQ(s.multisample, c.expected.multisample) << c.name;
        EXPECT_EQ(s.width, c.expected.width) << c.name;
        EXPECT_EQ(s.height, c.expected.height) << c.name;
    }
}

}  // namespace
