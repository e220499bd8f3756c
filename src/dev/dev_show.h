#pragma once
// What developer mode needs of the show: the driver fills one of these after loading and hands
// it to runDev(). As with capture, dev never sees the driver's own types.
#include <functional>

struct Data_Interface;
struct RenderTarget;
struct SDL_Window;

struct DevShow {
    Data_Interface* engine = nullptr;
    std::function<void(float)> advanceClock;   // moves the demo clock by a step, sets frameDelta
    std::function<double()> demoTime;
    std::function<void(double)> setDemoTime;   // a seek puts the clock back
    std::function<void()> playFrame;           // a whole frame, drawn and presented (not swapped)
    std::function<void()> simulateFrame;       // the active scene moves its simulation, draws nothing
    std::function<void()> stepFrame;           // the clocks move, nothing is drawn
    std::function<void()> swap;
    std::function<void()> present;             // the last finished picture again, over the window
    const RenderTarget* finished = nullptr;    // its spare texture holds the finished picture
    SDL_Window* window = nullptr;
};
