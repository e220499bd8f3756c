#pragma once
// Planning an offline capture: which scene is drawn in which frame at a fixed step, and which
// frames to render. Capture frame n shows demo time n / fps (frame 0: the first frame after
// loading, with a step of 0, as in the real-time show).
//
// The timeline is found by replaying the scenes' update() on their clocks (the Part fields),
// which are saved before and restored after, so the show itself is untouched.
// NOTE: this relies on update() advancing only the Part fields, as every scene's update does.
#include <cstdint>
#include <vector>

#include "capture/capture_options.h"

class Part;
class VREngine2;
struct Data_Interface;

namespace capture_plan {

// The demo-time step taken before drawing frame n: 0 for frame 0, else 1/fps as a float.
float stepBefore(int frame, double fps);

// The fields update() advances, saved and put back (developer mode's seeks use them too).
struct Clock {
    float localTime;
    uint32_t updateCount;
    float timeStep;
    float tuneX;
    float tuneY;
    VREngine2* display;
    Data_Interface* engine;
    bool done;
};
Clock save(const Part& p);
void restore(Part& p, const Clock& c);

struct Timeline {
    std::vector<int8_t> drawnSlot;  // per frame: the slot drawn in it (-1: none)
    int endFrame = -1;              // the frame whose update ends the show (not drawn); -1: not
                                    // reached within the limit
    int frameCount() const { return static_cast<int>(drawnSlot.size()); }
};

// Replays the show's updates at the fixed step, at most `maxFrames` frames.
Timeline simulate(Part* const scenes[], Data_Interface& engine, double fps, int maxFrames);

struct Span {
    int slot;
    int first;  // first frame in which the slot is drawn
    int end;    // one past the last
};
// The span of every scene that is drawn at all, in play order.
std::vector<Span> spans(const Timeline& timeline);

// The frames to render, ascending. Fills `error` and returns nothing when the options select
// no frame at all (a range beyond the end of the show, say).
std::vector<int> selectFrames(const CaptureOptions& options, const Timeline& timeline, std::string& error);

}  // namespace capture_plan
