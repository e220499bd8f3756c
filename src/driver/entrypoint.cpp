#include "driver/entrypoint.h"

#include <GL/glew.h>
#include <SDL.h>

#include <cstdio>
#include <thread>

#include "audio/soundtrack.h"
#include "capture/capture_session.h"
#include "capture/capture_show.h"
#include "capture/scene_meter.h"
#include "dev/dev_session.h"
#include "dev/dev_show.h"
#include "driver/data_interface.h"
#include "driver/demo_clock.h"
#include "driver/frame_timer.h"
#include "driver/part.h"
#include "driver/scene_gl_state.h"
#include "driver/scene_table.h"
#include "driver/show_loading.h"
#include "platform/process.h"
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Entrypoint* currentEntrypoint = nullptr;

namespace {

float tail = 0.0f;  // render thread only

constexpr int kScancodeTrigger = kScancodeKey1;
constexpr int kScancodeSpare = kScancodeKey2;

}  // namespace

// NOTE: the main loop calls attach on every pass while the render thread reads `engine`.
// The field is written once, before the render thread exists (start, or an attach before
// it); later calls leave it alone, so the two threads never race on it.
void Entrypoint::attach(Data_Interface* e) {
    if (engine == nullptr) engine = e;
}

void Entrypoint::start(Data_Interface* e) {
    currentEntrypoint = this;
    engine = e;
    for (Part*& slot : engine->scenes) slot = nullptr;
    // Construction only sets fields; nothing is loaded before the render thread runs.
    // NOTE: a capture of one scene (--scene) loads only that scene; placeholders keep the
    // other slots' clocks and loading weights, so its times and the loading screen are the
    // show's.
    int onlySlot = capture.enabled && !capture.scene.empty() && !capture.allScenes
                       ? scene_table::slotOf(capture.scene)
                       : -1;
    if (dev.enabled && !dev.scene.empty()) onlySlot = scene_table::slotOf(dev.scene);
    for (int slot : scene_table::kCreationOrder) {
        const bool placeholder = placeholderScenes || (onlySlot >= 0 && slot != onlySlot);
        engine->scenes[slot] = placeholder ? new PlaceholderScene(slot) : sceneFactory(slot)();
    }
    // Capture mode steps its own clock and never plays the music.
    if (engine->soundtrack == nullptr && !capture.enabled) {
        engine->soundtrack = new Soundtrack();
        engine->soundtrack->open();
    }
    demoTime = 0.0;
    loaded = false;
    engine->windowPending.store(true, std::memory_order_release);
    std::thread(&Entrypoint::renderLoop, this).detach();
}

bool Entrypoint::loadShow() {
    display.sampleCount = settings.multisample ? 4 : 2;
    const bool made = display.initWindowed(100, 100, settings.width, settings.height, settings.fullscreen);
    engine->windowPending.store(false, std::memory_order_release);  // the main thread may pump events again
    if (!made) return false;
    if (settings.fullscreen) SDL_ShowCursor(SDL_DISABLE);
    engine->display = &display;
    loadSharedFirst();
    for (int slot = 0; slot < scene_table::kSlots; ++slot) engine->scenes[slot]->engine = engine;
    scene_table::loadAll(engine->scenes, capture.enabled);  // capture prints each step's time
    loadSharedSecond();
    loaded = true;
    frameTimer();  // the first step measures from the end of loading
    return true;
}

void Entrypoint::clockStep() {
    float dt = frameTimer() - tail;
    tail = frameTimer();
    float musicTime = 0.0f;
    if (engine->soundtrack != nullptr) {
        engine->soundtrack->play(0);
        musicTime = engine->soundtrack->positionSeconds(0, 2);
    }
    advanceClock(demo_clock::realTimeStep(stepLimiter, dt, demoTime, musicTime));
}

void Entrypoint::advanceClock(float dt) {
    demoTime += dt;
    engine->frameDelta = dt;
}

void Entrypoint::playFrame() {
    SDL_GL_MakeCurrent(display.window, display.glContext);
    display.handleInput();
    stepFrame();
    glViewport(0, 0, static_cast<GLsizei>(display.eyeTarget[0].width), static_cast<GLsizei>(display.eyeTarget[0].height));
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The GL state rule: the sequencer resets a known list of state (scene_gl_state.h) before
    // every scene's render, so no state one scene leaves reaches the next, and a scene need not
    // restore what it changes. The present pass then sets all of its own state.
    resetDisplayTextures(display);
    resetSceneGlState();
    renderView(0);
    display.presentLeftEye();
}

void Entrypoint::simulateFrame() {
    SDL_GL_MakeCurrent(display.window, display.glContext);
    stepFrame();
    engine->simulateOnly = true;
    renderView(0);
    engine->simulateOnly = false;
}

void Entrypoint::renderLoop() {
    // `engine` was set by start() before this thread was created.
    if (capture.enabled) prepareCapture(capture);
    if (!loaded && !loadShow()) {
        // NOTE: without a display nothing can be shown and no key can reach the main thread's
        // loop, so the process would wait forever; end it instead, with the display's message
        // already printed.
        std::printf("show: no display, ending\n");
        platform::endProcess(1);
    }
    if (capture.enabled) {
        CaptureShow show;
        show.engine = engine;
        show.finished = &display.eyeTarget[0];
        show.advanceClock = [this](float dt) { advanceClock(dt); };
        show.demoTime = [this] { return demoTime; };
        show.playFrame = [this] { playFrame(); };
        show.simulateFrame = [this] { simulateFrame(); };
        show.stepFrame = [this] { stepFrame(); };
        show.swap = [this] { SDL_GL_SwapWindow(display.window); };
        show.meter = [this](SceneMeter* meter) { sceneMeter = meter; };
        runCapture(show);  // never returns
    }
    if (dev.enabled) {
        DevShow show;
        show.engine = engine;
        show.advanceClock = [this](float dt) { advanceClock(dt); };
        show.demoTime = [this] { return demoTime; };
        show.setDemoTime = [this](double t) { demoTime = t; };
        show.playFrame = [this] { playFrame(); };
        show.simulateFrame = [this] { simulateFrame(); };
        show.stepFrame = [this] { stepFrame(); };
        show.swap = [this] { SDL_GL_SwapWindow(display.window); };
        show.present = [this] {
            SDL_GL_MakeCurrent(display.window, display.glContext);
            display.handleInput();
            display.presentLeftEye();
        };
        show.finished = &display.eyeTarget[0];
        show.window = display.window;
        runDev(show, dev);  // never returns
    }
    for (;;) {
        clockStep();
        playFrame();
        SDL_GL_SwapWindow(display.window);
    }
}

void Entrypoint::stepFrame() {
    engine->display = &display;
    engine->viewWidth = static_cast<float>(settings.width);
    engine->viewHeight = static_cast<float>(settings.height);
    if (engine->keys[kScancodeTrigger].exchange(0, std::memory_order_relaxed) != 0) {
        engine->scenes[0]->onTrigger();
    }
    engine->keys[kScancodeSpare].store(0, std::memory_order_relaxed);
    {
        const SceneMeter::Span measured(sceneMeter);
        scene_table::updateActive(engine->scenes, *engine);
    }
    Part* last = engine->scenes[scene_table::kLastSlot];
    if (last != nullptr && last->done) endShow();
}

void Entrypoint::renderView(int eye) {
    engine->eye = eye;
    const TVector offset{0.0f, 0.0f, 0.0f};
    mat4Store(display.mvpFor(eye, offset), engine->mvpMatrix);
    mat4Store(display.viewFor(eye, offset), engine->viewMatrix);
    mat4Store(display.eyeViewFor(eye), engine->eyeViewMatrix);
    mat4Store(display.projectionFor(eye), engine->projectionMatrix);
    const int active = scene_table::activeSlot(engine->scenes);
    if (active < 0) return;
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    const SceneMeter::Span measured(sceneMeter);
    engine->scenes[active]->render(engine, eye, zero);
}

void Entrypoint::endShow() {
    if (capture.enabled) finishCapture();
    platform::endProcess(0);
}
