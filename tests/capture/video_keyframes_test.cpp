#include "capture/video_keyframes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(VideoKeyframes, EveryTwoSecondsOfShow) {
    struct Case {
        double fps;
        int every;
    };
    for (const Case& c : {Case{10.0, 20}, Case{5.0, 10}, Case{7.5, 15}, Case{0.25, 1}, Case{29.97, 60}}) {
        EXPECT_EQ(video_keyframes::keyFrameEvery(c.fps), c.every) << c.fps;
    }
}

TEST(VideoKeyframes, ExpressionNamesTheRangesSceneStartsOnly) {
    struct Case {
        int first, count;
        std::vector<int> starts;
        std::string expected;
    };
    const Case cases[] = {
        // The range's own first frame is always a group start; a scene starting there adds nothing.
        {760, 30, {0, 270, 778, 760, 1555}, "expr:eq(n,0)+not(mod(n+760,10))+eq(n,18)"},
        // Unsorted and repeated starts, one just past the range's end.
        {0, 100, {90, 40, 40, 100}, "expr:eq(n,0)+not(mod(n+0,10))+eq(n,40)+eq(n,90)"},
        {5, 3, {}, "expr:eq(n,0)+not(mod(n+5,10))"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(video_keyframes::forceKeyFrames(c.first, c.count, 5.0, c.starts), c.expected) << c.first;
    }
}

}  // namespace
