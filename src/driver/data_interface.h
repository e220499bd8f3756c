#pragma once
// The engine object: the one place where the main thread, the render thread and the scenes
// meet. The main thread runs init() once and then frame() in a loop; frame() drains SDL's
// event queue into `keys` and sets `quit` on Escape.
//
// NOTE: fields that two threads touch (`keys`, `quit`) are atomics with relaxed order: the
// show only needs each write to arrive whole, and a lost update between the threads is
// harmless (a consumer clears a key as the main thread sets it again).
#include <atomic>
#include <cstdint>

#include "formats/flow_field.h"

class Part;
class Prototype_Part;
class ShaderProgram;
class Soundtrack;
class PointCloud;
class ImageTexture;
class TGObject;
class VREngine2;

struct Data_Interface {
    Part* scenes[12] = {};
    float viewWidth = 0.0f;
    float viewHeight = 0.0f;
    void (*loaderCallback)(float weight) = nullptr;
    FlowField flowField;
    ShaderProgram* colorProgram = nullptr;
    ShaderProgram* textureProgram = nullptr;
    Soundtrack* soundtrack = nullptr;
    float tuneX = 0.0f;
    float tuneY = 0.0f;
    float controllerValues[3] = {};
    int32_t controllerToggle = 0;
    PointCloud* pointCloud = nullptr;
    ImageTexture* skyboxTexture = nullptr;
    ImageTexture* marbleTexture = nullptr;
    TGObject* walkerMeshes[56] = {};
    VREngine2* display = nullptr;
    float frameDelta = 0.0f;
    std::atomic<uint8_t> keys[256] = {};  // by SDL scancode; 1 = pressed, not yet consumed
    float aux = 0.0f;
    int32_t eye = 0;
    float mvpMatrix[16] = {};
    float projectionMatrix[16] = {};
    float viewMatrix[16] = {};
    float eyeViewMatrix[16] = {};
    Prototype_Part* prototype = nullptr;
    uint32_t frameCount = 0;
    std::atomic<bool> quit{false};
    // True while the render thread makes its window: set by the main thread before the render
    // thread starts, cleared by the render thread once the window exists. NOTE: SDL's X11
    // window creation waits on the creating thread for the window's MapNotify event; a main
    // thread pumping events meanwhile can take that event first and leave the render thread
    // waiting forever (seen as a show that never draws a frame). So `frame` pumps no events
    // while this is set.
    std::atomic<bool> windowPending{false};
    // Set by capture mode for the frames it does not write: the active scene's render runs
    // its simulation (compute steps, recording and tree clocks) and returns before drawing,
    // so previews show every frame's state at a fraction of the cost. Never set in a bare
    // start. Render thread only.
    bool simulateOnly = false;

    // Starts the prototype; with none set, says so, waits for a word and ends with code 1.
    void init();
    // One pass of the main thread's input loop: waits up to kEventWaitMs for an event, then
    // takes every queued one (or, while `windowPending`, only waits kEventWaitMs).
    void frame();
    static constexpr int kEventWaitMs = 1;
};

// The process-wide engine object.
extern Data_Interface engineData;

// Scancodes the show reads.
enum : int { kScancodeKey1 = 30, kScancodeKey2 = 31, kScancodeEscape = 41, kScancodeSpace = 44 };
