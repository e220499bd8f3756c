#pragma once
// The top-level prototype: creates the ten scenes, opens the soundtrack and starts the render
// thread, which loads everything behind the loading screen on its first frame and then plays
// the scenes in order on a clock locked to the music. The process ends with code 0 in the
// frame in which the last scene (slot 3) declares itself done, before that frame is drawn.
//
//   Entrypoint* entry = new Entrypoint();   // never destroyed: the render thread uses it
//   entry->settings = ...;                   // from the launch dialog
//   engineData.prototype = entry;
//   engineData.init();                       // -> start(): returns at once
#include "display/vr_engine2.h"
#include "capture/capture_options.h"
#include "dev/dev_options.h"
#include "driver/demo_clock.h"
#include "driver/launch_settings.h"
#include "driver/prototype_part.h"

class SceneMeter;

class Entrypoint : public Prototype_Part {
public:
    // Sets `engine` when none is set yet; the main loop calls it every pass.
    void attach(Data_Interface* engine) override;
    void start(Data_Interface* engine) override;

    // The render thread's body; returns only when the display cannot be initialised.
    void renderLoop();
    // Per frame: copies the view size, handles keys "1" and "2", updates the active scene, and
    // ends the process when slot 3 is done.
    void stepFrame();
    // Stores view `eye`'s matrices in the engine and draws the active scene.
    void renderView(int eye);

    // The pieces of renderLoop, shared with capture mode.
    // First frame: the display, the shared loading and every scene's load. False when the
    // display could not be initialised (it has said why).
    bool loadShow();
    // The real-time clock: measured step, stall rule, music lock; sets the engine's frameDelta.
    void clockStep();
    // Advances the demo clock by `dt` as it stands (capture mode's fixed step).
    void advanceClock(float dt);
    // Steps 4-9 of a frame: context, input step, stepFrame, clear, the scene GL state reset
    // (scene_gl_state.h), renderView(0), and the finished picture drawn over the window. The
    // caller swaps. Capture mode draws every frame through here too.
    void playFrame();
    // A frame that is not shown (capture mode): stepFrame, then the active scene's render with
    // the engine's simulateOnly set, so it moves its simulation and draws nothing.
    void simulateFrame();
    // Ends the process with code 0 (capture mode finishes its files first). Render thread.
    [[noreturn]] void endShow();

    LaunchSettings settings;
    VREngine2 display;
    bool loaded = false;
    Data_Interface* engine = nullptr;  // set once, before the render thread starts
    double demoTime = 0.0;  // seconds since the show started
    demo_clock::StepLimiter stepLimiter;  // the real-time clock's stall rule

    // Extensions, set before start().
    CaptureOptions capture;         // render offline instead of playing in real time
    DevOptions dev;                 // play with the developer controls
    bool placeholderScenes = false; // every slot holds a placeholder scene
    SceneMeter* sceneMeter = nullptr;  // when set, measures the scenes' update and render calls
};

// The process-wide current prototype; the render thread reaches the show through it.
extern Entrypoint* currentEntrypoint;
