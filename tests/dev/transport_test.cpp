#include <gtest/gtest.h>

#include "dev/transport.h"

namespace {

using dev::Move;
using dev::Transport;

Transport threeScenes() {
    Transport t;
    t.spans = {{"A", 0.0, 10.0}, {"B", 10.0, 25.0}, {"C", 25.0, 40.0}};
    t.frameStep = 0.5;  // coarse, so the table's figures read easily
    return t;
}

dev::KeyPress key(int scancode, bool shift = false) { return {scancode, shift}; }

// One key at a time from a given demo time, on a fresh transport (paused where the case says).
TEST(Transport, WhereKeysLand) {
    struct Case {
        const char* name;
        dev::KeyPress key;
        double now;
        bool paused;
        Move::Kind kind;
        double target;
    };
    const Case cases[] = {
        {"right 5 s", key(dev::kKeyRight), 12.0, false, Move::Seek, 17.0},
        {"left 5 s", key(dev::kKeyLeft), 12.0, false, Move::Seek, 7.0},
        {"shift right 1 s", key(dev::kKeyRight, true), 12.0, false, Move::Seek, 13.0},
        {"shift left 1 s", key(dev::kKeyLeft, true), 12.0, false, Move::Seek, 11.0},
        {"left clamps at 0", key(dev::kKeyLeft), 2.0, false, Move::Seek, 0.0},
        {"right clamps one frame before the end", key(dev::kKeyRight), 38.0, false, Move::Seek, 39.5},
        {"page down: next scene", key(dev::kKeyPageDown), 12.0, false, Move::Seek, 25.0},
        {"page up: previous scene", key(dev::kKeyPageUp), 30.0, false, Move::Seek, 10.0},
        {"page up in the first scene", key(dev::kKeyPageUp), 3.0, false, Move::Seek, 0.0},
        {"page down in the last scene", key(dev::kKeyPageDown), 30.0, false, Move::None, 0.0},
        {"home", key(dev::kKeyHome), 30.0, false, Move::Seek, 0.0},
        {"up while paused: a frame on", key(dev::kKeyUp), 12.0, true, Move::StepForward, 12.5},
        {"down while paused: a frame back", key(dev::kKeyDown), 12.0, true, Move::Seek, 11.5},
        {"up while playing: nothing", key(dev::kKeyUp), 12.0, false, Move::None, 0.0},
        {"space pauses", key(dev::kKeySpace), 12.0, false, Move::Pause, 0.0},
        {"space resumes", key(dev::kKeySpace), 12.0, true, Move::Resume, 0.0},
        {"another key", key(4), 12.0, false, Move::None, 0.0},
    };
    for (const Case& c : cases) {
        Transport t = threeScenes();
        t.paused = c.paused;
        const Move m = t.press(c.key, c.now);
        EXPECT_EQ(m.kind, c.kind) << c.name;
        if (c.kind == Move::Seek || c.kind == Move::StepForward) {
            EXPECT_DOUBLE_EQ(m.target, c.target) << c.name;
        }
    }
}

TEST(Transport, SpeedStepsAndStopsAtItsEnds) {
    Transport t = threeScenes();
    EXPECT_EQ(t.speed(), 1.0);
    const double down[] = {0.5, 0.25, 0.25};
    for (double expected : down) {
        t.press(key(dev::kKeyMinus), 0.0);
        EXPECT_EQ(t.speed(), expected);
    }
    const double up[] = {0.5, 1.0, 2.0, 2.0};
    for (double expected : up) {
        t.press(key(dev::kKeyEquals), 0.0);
        EXPECT_EQ(t.speed(), expected);
    }
}

TEST(Transport, LoopTheSceneThenARangeThenOff) {
    Transport t = threeScenes();
    EXPECT_EQ(t.press(key(dev::kKeyL), 12.0).kind, Move::Loop);
    EXPECT_TRUE(t.looping);
    EXPECT_DOUBLE_EQ(t.loopIn, 10.0);
    EXPECT_DOUBLE_EQ(t.loopOut, 25.0);
    EXPECT_FALSE(t.loopWraps(24.9));
    EXPECT_TRUE(t.loopWraps(25.0));
    EXPECT_EQ(t.press(key(dev::kKeyL), 13.0).kind, Move::LoopOff);
    EXPECT_FALSE(t.looping);
    EXPECT_FALSE(t.loopWraps(30.0));

    // A marked range: in, then out; L ends it.
    EXPECT_EQ(t.press(key(dev::kKeyLeftBracket), 14.0).kind, Move::LoopIn);
    EXPECT_FALSE(t.looping);
    EXPECT_EQ(t.press(key(dev::kKeyRightBracket), 16.0).kind, Move::LoopOut);
    EXPECT_TRUE(t.looping);
    EXPECT_DOUBLE_EQ(t.loopIn, 14.0);
    EXPECT_DOUBLE_EQ(t.loopOut, 16.0);
    EXPECT_TRUE(t.loopWraps(16.0));
    // An out point before the in point is refused.
    EXPECT_EQ(t.press(key(dev::kKeyRightBracket), 13.0).kind, Move::None);
    EXPECT_DOUBLE_EQ(t.loopOut, 16.0);
    EXPECT_EQ(t.press(key(dev::kKeyL), 15.0).kind, Move::LoopOff);
    EXPECT_LT(t.loopIn, 0.0);
}

TEST(Transport, WithoutSpansNothingIsOutOfRange) {
    Transport t;
    EXPECT_EQ(t.spanAt(3.0), -1);
    EXPECT_EQ(t.press(key(dev::kKeyPageDown), 3.0).kind, Move::None);
    EXPECT_EQ(t.press(key(dev::kKeyL), 3.0).kind, Move::None);
    EXPECT_DOUBLE_EQ(t.press(key(dev::kKeyRight), 3.0).target, 0.0);
}

}  // namespace
