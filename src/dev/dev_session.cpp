#include "dev/dev_session.h"

#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "audio/soundtrack.h"
#include "capture/capture_plan.h"
#include "common/camera_override.h"
#include "dev/dev_log.h"
#include "dev/dev_show.h"
#include "dev/free_camera.h"
#include "dev/key_queue.h"
#include "dev/overlay.h"
#include "dev/resimulate.h"
#include "dev/screenshot.h"
#include "dev/shader_watcher.h"
#include "dev/transport.h"
#include "driver/data_interface.h"
#include "driver/demo_clock.h"
#include "driver/part.h"
#include "driver/scene_table.h"
#include "gpu/shader_program.h"
#include "platform/audio_output.h"

namespace {

// The fixed step of seeks and frame steps, in frames per demo second.
constexpr double kStepRate = 60.0;

class Session {
public:
    Session(const DevShow& show, const DevOptions& options)
        : show_(show), options_(options), resim_(options.budgetMiB << 20) {}

    [[noreturn]] void run();

private:
    std::string sceneName() const {
        const int slot = scene_table::activeSlot(show_.engine->scenes);
        return slot < 0 ? "" : scene_table::className(slot);
    }
    uint32_t music() const {
        const Soundtrack* s = show_.engine->soundtrack;
        return s == nullptr ? 0 : s->handles[0];
    }
    void placeMusic() {
        const uint32_t h = music();
        if (h == 0) return;
        const double rate = show_.engine->soundtrack->sampleRate > 0.0f ? show_.engine->soundtrack->sampleRate : 44100.0;
        const double frames = std::floor(std::max(0.0, show_.demoTime()) * rate);
        platform::audio::channelSetPosition(h, static_cast<uint64_t>(frames) * 4);
    }
    void seek(double target, const std::string& what);
    void act(const dev::Move& move);
    void clockStep();
    void reported(const dev::ReloadResult& r, const std::string& what);
    void drawOverlay();

    const DevShow& show_;
    const DevOptions& options_;
    dev::Transport transport_;
    dev::ShaderWatcher watcher_;
    dev::Overlay overlay_;
    dev::FreeCamera camera_;
    std::string lastFailure_;
    double frameMs_ = 0.0, engineCpuMs_ = 0.0, fps_ = 0.0;
    float lastInterval_ = 0.0f;
    int fpsFrames_ = 0;
    std::chrono::steady_clock::time_point fpsSince_ = std::chrono::steady_clock::now();
    double overlaySeconds_ = 0.0;  // the overlay's own drawing, since it was shown
    int overlayFrames_ = 0;
    dev::Resimulation resim_;
    demo_clock::StepLimiter limiter_;
    std::chrono::steady_clock::time_point lastFrame_;
    int shots_ = 0;
    bool redraw_ = true;  // while paused, a frame is drawn only after something changed
    float carry_ = 0.0f;  // added to the next frame's step (a seek's last step, a frame step)
};

void Session::seek(double target, const std::string& what) {
    dev::SeekReport report;
    carry_ = resim_.seek(show_, target, report);
    redraw_ = true;
    placeMusic();
    char detail[256];
    std::snprintf(detail, sizeof detail, "%s, %d steps, %.2f s; checkpoints %zu, %.0f MiB", report.from.c_str(),
                  report.steps, report.seconds, resim_.store().count(),
                  static_cast<double>(resim_.store().usedBytes()) / (1024.0 * 1024.0));
    // The time the next frame shows.
    const double landing = show_.demoTime() + static_cast<double>(carry_);
    const int n = std::clamp(static_cast<int>(std::lround(landing * kStepRate)), 0,
                             std::max(0, resim_.timeline().frameCount() - 1));
    const int slot = resim_.timeline().frameCount() > 0 ? resim_.timeline().drawnSlot[static_cast<size_t>(n)] : -1;
    dev::log(what, landing, slot < 0 ? "" : scene_table::className(slot), detail);
    lastFrame_ = std::chrono::steady_clock::now();  // the seek's own time is not a frame step
}

void Session::act(const dev::Move& m) {
    const double now = show_.demoTime();
    switch (m.kind) {
    case dev::Move::None:
        return;
    case dev::Move::Seek:
        seek(m.target, m.what);
        return;
    case dev::Move::Pause:
        if (music() != 0) platform::audio::channelPause(music());
        break;
    case dev::Move::Resume:
        placeMusic();
        break;
    case dev::Move::StepForward:
        carry_ += static_cast<float>(transport_.frameStep);
        redraw_ = true;
        dev::log(m.what, now + transport_.frameStep, sceneName());
        return;
    case dev::Move::Speed: {
        if (music() != 0) platform::audio::channelSetSpeed(music(), static_cast<float>(transport_.speed()));
        char detail[32];
        std::snprintf(detail, sizeof detail, "%gx", transport_.speed());
        dev::log(m.what, now, sceneName(), detail);
        return;
    }
    case dev::Move::Loop:
    case dev::Move::LoopIn:
    case dev::Move::LoopOut: {
        char detail[64];
        if (transport_.looping) {
            std::snprintf(detail, sizeof detail, "%.3f-%.3f s", transport_.loopIn, transport_.loopOut);
        } else {
            std::snprintf(detail, sizeof detail, "in %.3f s; ] sets the out point", transport_.loopIn);
        }
        dev::log(m.what, now, sceneName(), detail);
        return;
    }
    case dev::Move::LoopOff:
        break;
    case dev::Move::Overlay: {
        overlay_.visible = !overlay_.visible;
        redraw_ = true;
        char detail[96] = "";
        if (!overlay_.visible && overlayFrames_ > 0) {
            std::snprintf(detail, sizeof detail, "%d frames, %.2f ms a frame", overlayFrames_,
                          1000.0 * overlaySeconds_ / overlayFrames_);
        }
        overlaySeconds_ = 0.0;
        overlayFrames_ = 0;
        dev::log(overlay_.visible ? "overlay on" : "overlay off", now, sceneName(), detail);
        return;
    }
    case dev::Move::Camera:
        camera_.toggle(camera_override::lastScenePose());
        SDL_GetRelativeMouseState(nullptr, nullptr);  // no jump from motion before
        redraw_ = true;
        dev::log(camera_.active() ? "free camera on" : "free camera off", now, sceneName());
        return;
    case dev::Move::PrintCamera:
        dev::log(m.what, now, sceneName(),
                 dev::cameraPasteLine(camera_.active() ? camera_.pose() : camera_override::lastScenePose()));
        return;
    case dev::Move::ReloadAll:
        reported(watcher_.reloadAll(), m.what);
        return;
    case dev::Move::Shot: {
        char path[64];
        std::snprintf(path, sizeof path, "dev_shot_%04d.png", shots_++);
        const bool ok = show_.finished != nullptr && dev::writeScreenshot(*show_.finished, path);
        dev::log(m.what, now, sceneName(), ok ? path : std::string("cannot write ") + path);
        return;
    }
    }
    dev::log(m.what, now, sceneName());
}

void Session::reported(const dev::ReloadResult& r, const std::string& what) {
    redraw_ = true;
    std::string detail = r.path.empty() ? "" : r.path + ", ";
    detail += std::to_string(r.rebuilt) + (r.rebuilt == 1 ? " program" : " programs");
    if (r.failed > 0) {
        // The first line of the compiler's message in the dev: line, all of it below.
        const std::string first = r.message.substr(0, r.message.find('\n'));
        detail += ", " + std::to_string(r.failed) + " kept the old build: " + first;
        dev::log(what + " failed", show_.demoTime(), sceneName(), detail);
        lastFailure_ = "shader: " + first;
        printCompileLog("error: " + r.message);
        std::fflush(stdout);
        return;
    }
    lastFailure_.clear();
    dev::log(what, show_.demoTime(), sceneName(), detail);
}

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Session::drawOverlay() {
    if (!overlay_.visible) return;
    const auto start = std::chrono::steady_clock::now();
    dev::OverlayFacts f;
    f.demoTime = show_.demoTime();
    Soundtrack* music = show_.engine->soundtrack;
    f.musicTime = music != nullptr && music->handles[0] != 0 ? music->positionSeconds(0, 2) : f.demoTime;
    f.slot = scene_table::activeSlot(show_.engine->scenes);
    f.scene = sceneName();
    f.sceneClock = f.slot >= 0 ? show_.engine->scenes[f.slot]->localTime : 0.0f;
    f.fps = fps_;
    f.frameMs = frameMs_;
    f.engineCpuMs = engineCpuMs_;
    f.checkpoints = resim_.store().count();
    f.checkpointMiB = static_cast<double>(resim_.store().usedBytes()) / (1024.0 * 1024.0);
    f.budgetMiB = static_cast<double>(resim_.store().budgetBytes()) / (1024.0 * 1024.0);
    f.lastMessage = lastFailure_;
    f.transport = &transport_;
    const double target = overlay_.draw(f, lastInterval_);
    overlaySeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++overlayFrames_;
    if (target >= 0.0 && std::abs(target - show_.demoTime()) > transport_.frameStep * 0.5) seek(target, "timeline");
}

void Session::clockStep() {
    const auto t = std::chrono::steady_clock::now();
    const float measured = std::chrono::duration<float>(t - lastFrame_).count();
    lastInterval_ = measured;
    // Frames drawn per second of wall time, over half a second at least (seeks included).
    ++fpsFrames_;
    const double window = std::chrono::duration<double>(t - fpsSince_).count();
    if (window >= 0.5) {
        fps_ = fpsFrames_ / window;
        fpsFrames_ = 0;
        fpsSince_ = t;
    }
    lastFrame_ = t;
    float dt = limiter_.limit(measured);
    if (transport_.paused) {
        dt = 0.0f;
    } else {
        float musicTime = 0.0f;
        if (show_.engine->soundtrack != nullptr) {
            show_.engine->soundtrack->play(0);
            musicTime = show_.engine->soundtrack->positionSeconds(0, 2);
        }
        dt = static_cast<float>(static_cast<double>(dt) * transport_.speed()) *
             demo_clock::lockFactor(show_.demoTime(), musicTime);
    }
    show_.advanceClock(dt + carry_);
    carry_ = 0.0f;
}

void Session::run() {
    resim_.prepare(show_, kStepRate);
    transport_.frameStep = 1.0 / kStepRate;
    for (const capture_plan::Span& s : capture_plan::spans(resim_.timeline())) {
        transport_.spans.push_back({scene_table::className(s.slot), s.first / kStepRate, s.end / kStepRate});
    }
    watcher_.start();
    if (show_.window != nullptr) {
        overlay_.init(show_.window);
        if (music() != 0) overlay_.setWaveform(platform::audio::samplePeaks(music(), 2048));
    }
    lastFrame_ = std::chrono::steady_clock::now();
    dev::log("ready", show_.demoTime(), sceneName(),
             "Space pause, Left/Right seek, Up/Down frame, PageUp/PageDown/Home scenes, L [ ] loop, - + speed, R reload, F1 overlay, F12 shot");
    if (options_.from > 0.0) {
        seek(transport_.clamp(options_.from), "from");
    } else {
        placeMusic();
    }
    for (;;) {
        // Keys that came in together (or while a seek ran) are merged: only the last seek is
        // carried out.
        double seekTarget = -1.0;
        std::string seekWhat;
        for (const dev::KeyPress& key : dev::takeKeys()) {
            const double at = seekTarget >= 0.0 ? seekTarget : show_.demoTime() + static_cast<double>(carry_);
            const dev::Move m = transport_.press(key, at);
            if (m.kind == dev::Move::Seek) {
                seekTarget = m.target;
                seekWhat = m.what;
            } else {
                act(m);
            }
        }
        if (seekTarget >= 0.0) seek(seekTarget, seekWhat);
        for (const dev::ReloadResult& r : watcher_.poll()) reported(r, "reload");
        if (!transport_.paused && transport_.loopWraps(show_.demoTime())) seek(transport_.loopIn, "loop back");
        if (camera_.active()) {
            int dx = 0;
            int dy = 0;
            const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
            const bool look = (buttons & SDL_BUTTON_RMASK) != 0 || ((buttons & SDL_BUTTON_LMASK) != 0 && !overlay_.visible);
            if (!look) dx = dy = 0;
            const Data_Interface& e = *show_.engine;
            camera_.step(std::min(lastInterval_, 0.1f), dx, dy,
                         [&e](int sc) { return e.keys[sc].load(std::memory_order_relaxed) != 0; });
            redraw_ = true;  // the picture follows the camera while paused too
        }
        if (transport_.paused && !redraw_) {
            // Paused: the picture holds, and so does the simulation (a frame with a step of 0
            // would still run the scene's compute steps).
            show_.present();
            drawOverlay();
            show_.swap();
            SDL_Delay(10);
            lastFrame_ = std::chrono::steady_clock::now();
            continue;
        }
        redraw_ = false;
        clockStep();
        resim_.beforeFrame(show_);
        const auto drawStart = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuSeconds();
        show_.playFrame();
        engineCpuMs_ = 1000.0 * (threadCpuSeconds() - cpuStart);
        frameMs_ = 1000.0 * std::chrono::duration<double>(std::chrono::steady_clock::now() - drawStart).count();
        resim_.markRun(scene_table::activeSlot(show_.engine->scenes));
        drawOverlay();
        show_.swap();
    }
}

}  // namespace

void runDev(const DevShow& show, const DevOptions& options) {
    Session session(show, options);
    session.run();
}
