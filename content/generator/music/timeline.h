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

namespace music {

// One rate factor of a scene clock, applied while the clock (before the frame's advance) is in
// [from, below) — or, with `strictFrom`, in (from, below).
struct RateFactor {
    double factor;
    double from = -1e30;
    double below = 1e30;
    bool strictFrom = false;
};

struct SceneClock {
    std::string name;
    float start;                      // the clock's value after load
    std::vector<RateFactor> factors;  // applied in order
    double end;                       // done once the clock exceeds this
    bool endAsDouble;                 // compare the clock with `end` in double (else in float)
};

// The ten scenes in play order.
const std::vector<SceneClock>& sceneClocks();

// One update of a scene clock: the new time, and whether the scene is now done.
struct ClockTick {
    float localTime;
    bool done;
};
ClockTick tick(const SceneClock& clock, float localTime, float frameDelta);

struct SceneSpan {
    std::string name;
    double start;   // demo seconds
    double length;  // demo seconds
    double end() const { return start + length; }
};

// Plays the clocks at `fps` frames per second; the last span ends where the show ends.
std::vector<SceneSpan> computeTimeline(double fps = 60.0);

}  // namespace music
