#pragma once
// Base class of every scene. A scene owns its clock: `load` sets the start value (it may be
// negative, a lead-in), `update` advances it by the engine's frame step times the scene's
// own factors and sets `done` at the scene's end. The sequencer plays the first scene in
// play order whose `done` is false.
//
// NOTE: keep update() to the clock: the fields below. Capture mode plans its frames by
// replaying update() on saved copies of them; per-frame work of any other kind belongs in
// render().
#include <atomic>
#include <cstdint>
#include <fstream>

struct Data_Interface;
class VREngine2;

class Part {
public:
    virtual void render(Data_Interface* engine, int eye, const float offset[3]) = 0;
    virtual void update(Data_Interface* engine) = 0;
    virtual void hookA() = 0;
    virtual void onTrigger() = 0;
    virtual void hookB() = 0;
    virtual ~Part() = default;
    virtual void load() = 0;
    virtual void finishLoad() = 0;

    std::ofstream log;           // never opened by the base
    float localTime = 0.0f;      // seconds
    uint32_t updateCount = 0;
    float timeStep = 0.0f;       // seconds, this frame
    float tuneX = 0.0f;
    float tuneY = 0.0f;
    VREngine2* display = nullptr;
    Data_Interface* engine = nullptr;
    bool done = false;
};
