#pragma once
// The show's timeline, computed from the scene clocks: when each scene starts and how long it
// lasts in demo seconds. The music is composed on this grid, so a change to a scene's rate moves
// the music with it.
//
// Every scene advances its own clock by the frame step times its rate factors (each product
// rounded to float, some factors only while the clock is in a window) and ends in the frame in
// which the clock passes its end time; the next scene takes over in the following frame. The
// timeline replays that at a steady frame rate.
#include <string>
#include <vector>

#include "driver/scene_clock.h"

namespace music {

// The clocks themselves live in the engine (driver/scene_clock.h); the music reads the same
// table as the scenes.
using ::ClockTick;
using ::RateFactor;
using ::SceneClock;
using ::sceneClocks;
using ::tick;

struct SceneSpan {
    std::string name;
    double start;   // demo seconds
    double length;  // demo seconds
    double end() const { return start + length; }
};

// Plays the clocks at `fps` frames per second; the last span ends where the show ends.
std::vector<SceneSpan> computeTimeline(double fps = 60.0);

}  // namespace music
