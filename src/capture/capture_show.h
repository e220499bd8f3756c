#pragma once
// What capture needs of the show, and nothing more: the driver fills one of these after
// loading and hands it to runCapture(). Capture never sees the driver's own types, so the
// driver depends on capture and not the other way round.
#include <functional>

struct Data_Interface;
struct RenderTarget;
class SceneMeter;

struct CaptureShow {
    Data_Interface* engine = nullptr;
    const RenderTarget* finished = nullptr;  // its spare texture holds the frame's finished picture
    std::function<void(float)> advanceClock; // moves the demo clock by a fixed step
    std::function<double()> demoTime;
    std::function<void()> playFrame;         // a whole frame, drawn and presented (not swapped)
    std::function<void()> simulateFrame;     // the active scene moves its simulation, draws nothing
    std::function<void()> stepFrame;         // the clocks move, nothing is drawn
    // (The three frame calls end the process, through finishCapture(), in the frame in which the
    // show ends.)
    std::function<void()> swap;              // shows the window's back buffer
    std::function<void(SceneMeter*)> meter;  // measures the scenes' update and render calls
};
