#pragma once
// Developer mode's transport, as pure logic: which key does what, and where a move lands.
// The render loop (dev_session) feeds it key presses and the demo time, and carries out what
// comes back: pause the clock and the music, seek, step a frame, change the speed.
//
//   Transport t;  t.spans = ...;                 // every scene's span in demo seconds
//   for (KeyPress k : takeKeys()) { Move m = t.press(k, demoTime); ... }
//   if (t.loopWraps(demoTime)) seek to t.loopIn;
#include <string>
#include <vector>

#include "dev/key_queue.h"

namespace dev {

// SDL scancodes of the transport's keys.
enum Scancode : int {
    kKeyC = 6,
    kKeyL = 15,
    kKeyP = 19,
    kKeyR = 21,
    kKeySpace = 44,
    kKeyMinus = 45,
    kKeyEquals = 46,  // "+" without Shift on most layouts
    kKeyLeftBracket = 47,
    kKeyRightBracket = 48,
    kKeyHome = 74,
    kKeyPageUp = 75,
    kKeyPageDown = 78,
    kKeyRight = 79,
    kKeyLeft = 80,
    kKeyDown = 81,
    kKeyUp = 82,
    kKeypadMinus = 86,
    kKeypadPlus = 87,
    kKeyF1 = 58,
    kKeyF12 = 69,
};

// The speeds Minus and Plus step through.
constexpr double kSpeeds[] = {0.25, 0.5, 1.0, 2.0};
constexpr int kSpeedCount = 4;
constexpr int kNormalSpeed = 2;

struct SceneSpan {
    std::string name;  // the scene class
    double start;      // demo seconds of its first frame
    double end;        // of the first frame after it
};

// What a key asks of the render loop.
struct Move {
    enum Kind { None, Pause, Resume, Seek, StepForward, Speed, Loop, LoopOff, LoopIn, LoopOut, Shot, ReloadAll, Overlay, Camera, PrintCamera };
    Kind kind = None;
    double target = 0.0;  // Seek: demo seconds (clamped to the show); LoopIn/LoopOut: the point
    std::string what;     // the log word: "seek", "pause", ...
};

class Transport {
public:
    std::vector<SceneSpan> spans;  // in play order
    double frameStep = 1.0 / 60.0; // the fixed step of a frame step and of a seek's re-simulation

    bool paused = false;
    int speedIndex = kNormalSpeed;
    bool looping = false;
    double loopIn = -1.0;   // < 0: not set
    double loopOut = -1.0;

    double speed() const { return kSpeeds[speedIndex]; }
    // The span holding demo time `t` (the last one past the end), or -1 without spans.
    int spanAt(double t) const;
    // The last demo time a seek may land on: one frame before the show ends.
    double lastTime() const;
    double clamp(double t) const;

    // Acts on one key press at demo time `now`. Keys that are not the transport's give None.
    Move press(const KeyPress& key, double now);
    // While looping, true once `now` has reached the loop's out point (seek to loopIn then).
    bool loopWraps(double now) const;
};

}  // namespace dev
