#include "capture/capture_session.h"

#include <GL/glew.h>
#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <thread>
#include <vector>

#include "capture/capture_plan.h"
#include "capture/capture_show.h"
#include "capture/scene_meter.h"
#include "capture/video_keyframes.h"
#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_table.h"
#include "driver/show_loading.h"
#include "driver/stop_request.h"
#include "gpu/render_target.h"
#include "platform/process.h"
#include "platform/video_pipe.h"
#include "scenes/placeholder_scene.h"

namespace fs = std::filesystem;

namespace {

// Taken at static initialisation: close enough to the start of the process.
const auto processStart = std::chrono::steady_clock::now();

double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Peak resident set size in MiB, from the kernel's accounting.
double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0.0;
}

std::string clockText(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string sceneLabel(Part* const scenes[], int slot) {
    if (slot < 0) return "(none)";
    std::string label = scene_table::className(slot);
    if (isPlaceholder(scenes[slot])) label += " (placeholder)";
    return label;
}

[[noreturn]] void fail(const std::string& message) {
    std::printf("%s\n", message.c_str());
    platform::endProcess(1);
}

// Writes a top-down BGR picture as PNG; false when it cannot be written.
bool writePng(const std::string& path, const cv::Mat& picture) {
    const std::vector<int> params = {cv::IMWRITE_PNG_COMPRESSION, 3};
    try {
        return cv::imwrite(path, picture, params);
    } catch (const cv::Exception&) {
        return false;
    }
}

}  // namespace

class CaptureSession {
public:
    CaptureOptions options;
    std::vector<int> frames;
    size_t written = 0;
    platform::ChildPipe video;
    int loadingFrames = 0;
    cv::Mat picture;  // top-down BGR
    std::ofstream index;
    std::chrono::steady_clock::time_point renderStart;

    // Per scene; "warm" leaves out the first frame of each run of a scene's frames, which
    // also pays for first-use work (the driver compiling programs, say).
    struct Sample {
        double wall = 0.0;   // the whole captured frame: drawing, read-back, encoding, writing
        double cpu = 0.0;    // the process's CPU time in that
        double drawn = 0.0;  // drawing alone, until the renderer has finished (glFinish)
        double sceneWall = 0.0, sceneCpu = 0.0;  // inside the scene's update and render
        int64_t allocations = 0;                 // made there (counting build only)
    };
    struct Cost {
        int frames = 0;
        Sample sum;
        void add(const Sample& s) {
            ++frames;
            sum.wall += s.wall;
            sum.cpu += s.cpu;
            sum.drawn += s.drawn;
            sum.sceneWall += s.sceneWall;
            sum.sceneCpu += s.sceneCpu;
            sum.allocations += s.allocations;
        }
    };
    Cost cost[scene_table::kSlots];
    Cost warm[scene_table::kSlots];
    int previousSlot = -2;
    SceneMeter meter;
    Part* const* scenes = nullptr;  // the engine's table, for the summary
};

namespace {

CaptureSession* session = nullptr;

// Who may end the process on a stop request. While the show loads only a loading-screen frame
// is ever written, and the main thread ends the process once none is half written. From the
// first rendered frame on, the render thread alone does it, between two frames, after it has
// completed its files.
enum Stage : int { kLoading, kWritingLoadingFrame, kRendering, kStopped };
std::atomic<int> stage{kLoading};

// Moves the stage from `from` to `to`; false when the main thread has stopped the capture.
bool enterStage(int from, int to) {
    int expected = from;
    return stage.compare_exchange_strong(expected, to, std::memory_order_acq_rel);
}

// The render thread, once the main thread has ended the capture during loading: the process
// is on its way out.
[[noreturn]] void waitForTheEnd() {
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

std::string outputPath(const char* pattern, long number) {
    char name[64];
    std::snprintf(name, sizeof name, pattern, number);
    return (fs::path(session->options.directory) / name).string();
}

// The picture in the window's back buffer, for the loading screen.
void captureLoadingFrame() {
    if (!enterStage(kLoading, kWritingLoadingFrame)) waitForTheEnd();
    const int w = session->options.width;
    const int h = session->options.height;
    cv::Mat bottomUp(h, w, CV_8UC3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_BGR, GL_UNSIGNED_BYTE, bottomUp.data);
    cv::Mat picture;
    cv::flip(bottomUp, picture, 0);
    const std::string path = outputPath("loading_%04ld.png", session->loadingFrames++);
    if (!writePng(path, picture)) fail("capture: cannot write " + path);
    stage.store(kLoading, std::memory_order_release);
}

// The finished picture of the frame: the left eye target's spare texture, top-down.
void readFinishedPicture(const RenderTarget& t, cv::Mat& picture) {
    cv::Mat bottomUp(static_cast<int>(t.height), static_cast<int>(t.width), CV_8UC3);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, t.spareTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, bottomUp.data);
    cv::flip(bottomUp, picture, 0);
}

void startVideo(const std::vector<int>& frames, const std::vector<int>& sceneStarts) {
    const CaptureOptions& o = session->options;
    const double start = frames.front() / o.fps;
    const double duration = static_cast<double>(frames.size()) / o.fps;
    char number[3][64];
    std::snprintf(number[0], sizeof number[0], "%.6f", o.fps);
    std::snprintf(number[1], sizeof number[1], "%.6f", start);
    std::snprintf(number[2], sizeof number[2], "%.6f", duration);
    const std::string size = std::to_string(o.width) + "x" + std::to_string(o.height);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "bgr24", "-s", size,
                                     "-framerate", number[0], "-i", "-"};
    const std::string music = "..//music//Tessaline.mp3";
    const bool withMusic = fs::exists(music);
    if (withMusic) {
        // The demo clock follows the music, so demo time t is music time t.
        args.insert(args.end(), {"-ss", number[1], "-t", number[2], "-i", music, "-map", "0:v", "-map", "1:a",
                                 "-c:a", "aac", "-b:a", "192k"});
    } else {
        std::printf("capture: no %s; the video has no sound\n", music.c_str());
    }
    // A constant quantiser and closed groups at fixed show frames (see video_keyframes.h): a
    // piece of the range, encoded alone, gives exactly the pictures of this video.
    const std::string keyFrames =
        video_keyframes::forceKeyFrames(frames.front(), static_cast<int>(frames.size()), o.fps, sceneStarts);
    args.insert(args.end(), {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-preset", "medium",
                             "-qp", "18", "-force_key_frames", keyFrames, "-x264-params", "scenecut=0:keyint=infinite",
                             "-pix_fmt", "yuv420p", "-movflags", "+faststart", o.video});
    std::string error;
    if (!platform::startPiped(args, session->video, error)) fail("capture: " + error);
}

}  // namespace

void prepareCapture(const CaptureOptions& options) {
    session = new CaptureSession();
    session->options = options;
    const CaptureOptions& o = session->options;
    if (!o.directory.empty()) {
        std::error_code ec;
        fs::create_directories(o.directory, ec);
        if (!fs::is_directory(o.directory)) fail("capture: cannot create the folder " + o.directory);
    }
    if (o.loadingFrames) loadingFrameHook = captureLoadingFrame;
}

void runCapture(const CaptureShow& show) {
    loadingFrameHook = nullptr;
    if (!enterStage(kLoading, kRendering)) waitForTheEnd();
    const CaptureOptions& o = session->options;
    Data_Interface& engine = *show.engine;
    session->scenes = engine.scenes;
    std::printf("capture: loaded in %.1f s, peak resident %.0f MiB\n", secondsSince(processStart), peakResidentMiB());

    // Two hours of show at most; the real one lasts about seven minutes.
    const int limit = static_cast<int>(std::min(kCapturePlanSeconds * o.fps, 5e7));
    const capture_plan::Timeline timeline = capture_plan::simulate(engine.scenes, engine, o.fps, limit);
    for (const capture_plan::Span& s : capture_plan::spans(timeline)) {
        std::printf("capture: %-40s frames %6d-%6d  %8.3f-%8.3f s\n", sceneLabel(engine.scenes, s.slot).c_str(),
                    s.first, s.end - 1, s.first / o.fps, s.end / o.fps);
    }
    std::string error;
    session->frames = capture_plan::selectFrames(o, timeline, error);
    if (session->frames.empty()) fail(error);
    const std::vector<int>& frames = session->frames;
    std::printf("capture: %zu frames at %g fps, %dx%d%s%s\n", frames.size(), o.fps, o.width, o.height,
                o.directory.empty() ? "" : (", into " + o.directory).c_str(),
                o.video.empty() ? "" : (", video " + o.video).c_str());
    std::fflush(stdout);
    if (!o.directory.empty()) session->index.open((fs::path(o.directory) / "frames.txt").string());
    if (!o.video.empty()) {
        std::vector<int> sceneStarts;
        for (const capture_plan::Span& s : capture_plan::spans(timeline)) sceneStarts.push_back(s.first);
        startVideo(frames, sceneStarts);
    }

    session->renderStart = std::chrono::steady_clock::now();
    show.meter(&session->meter);
    size_t next = 0;
    // NOTE: scenes step their particle systems in render. A frame that is not written is only
    // simulated (the scene's render runs with simulateOnly: compute steps, recording and tree
    // clocks, no drawing) when it belongs to the scene of the next written frame, so every
    // written frame shows its scene's state as the show has it; frames of scenes that are not
    // written are only stepped. --preroll draws those frames in full instead.
    const int firstSlot = timeline.drawnSlot[static_cast<size_t>(frames.front())];
    int prerollFrom = frames.front();
    while (o.preroll && prerollFrom > 0 && timeline.drawnSlot[static_cast<size_t>(prerollFrom - 1)] == firstSlot) {
        --prerollFrom;
    }
    for (int frame = 0; next < frames.size(); ++frame) {
        // A stop request is met here, between two frames: every file so far is complete.
        const stop_request::Reason stop = stop_request::pending();
        if (stop != stop_request::Reason::None) stopCapture(stop);
        show.advanceClock(capture_plan::stepBefore(frame, o.fps));
        if (frame != frames[next]) {
            if (o.preroll && frame >= prerollFrom) {
                show.playFrame();
                show.swap();
            } else if (timeline.drawnSlot[static_cast<size_t>(frame)] ==
                       timeline.drawnSlot[static_cast<size_t>(frames[next])]) {
                show.simulateFrame();
            } else {
                show.stepFrame();  // fast-forward: the clocks move, nothing is drawn
            }
            continue;
        }
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        session->meter.reset();
        show.playFrame();
        glFinish();  // the read-back would wait for the renderer anyway; this separates the two
        const double drawn = secondsSince(wallStart);
        readFinishedPicture(*show.finished, session->picture);
        const int slot = scene_table::activeSlot(engine.scenes);
        if (!o.directory.empty()) {
            const std::string path = outputPath("frame_%06ld.png", static_cast<long>(next));
            if (!writePng(path, session->picture)) fail("capture: cannot write " + path);
            // Listed once the file is whole, and flushed at once: frames.txt names exactly the
            // pictures on disk, however the program ends.
            session->index << fs::path(path).filename().string() << ' ' << frame << ' ' << show.demoTime() << ' '
                           << scene_table::className(slot) << std::endl;
        }
        if (!o.video.empty() &&
            !platform::writeAll(session->video, session->picture.data, session->picture.total() * 3)) {
            platform::finishPiped(session->video);
            fail("capture: ffmpeg stopped taking frames for " + o.video);
        }
        show.swap();
        if (slot >= 0) {
            CaptureSession::Sample sample;
            sample.wall = secondsSince(wallStart);
            sample.cpu = processCpuSeconds() - cpuStart;
            sample.drawn = drawn;
            sample.sceneWall = session->meter.wallSeconds;
            sample.sceneCpu = session->meter.cpuSeconds;
            sample.allocations = session->meter.allocations;
            session->cost[slot].add(sample);
            const bool consecutive = next > 0 && frames[next - 1] + 1 == frame;
            if (slot == session->previousSlot && consecutive) session->warm[slot].add(sample);
        }
        session->previousSlot = slot;
        ++next;
        session->written = next;
        const double perFrame = secondsSince(session->renderStart) / static_cast<double>(next);
        std::printf("capture: frame %zu of %zu  t %.3f s  %s  left %s\n", next, frames.size(), show.demoTime(),
                    sceneLabel(engine.scenes, slot).c_str(),
                    clockText(perFrame * static_cast<double>(frames.size() - next)).c_str());
        std::fflush(stdout);
    }
    // The range is done (the end of the show ends the process inside stepFrame instead).
    finishCapture();
    platform::endProcess(0);
}

void stopCapture(stop_request::Reason reason) {
    CaptureSession& s = *session;
    std::printf("capture: stopped by %s after %zu of %zu frames\n", stop_request::name(reason), s.written,
                s.frames.size());
    s.index.close();
    if (s.video.pid > 0) {
        // Its input closed, ffmpeg finishes the file with the frames it has.
        const int code = platform::finishPiped(s.video);
        if (code == 0) {
            std::printf("capture: wrote %s\n", s.options.video.c_str());
        } else {
            std::printf("capture: ffmpeg failed (exit code %d) on %s\n", code, s.options.video.c_str());
        }
    }
    platform::endProcess(stop_request::exitCode(reason, true));
}

void stopCaptureFromMainThread(stop_request::Reason reason) {
    for (;;) {
        if (enterStage(kLoading, kStopped)) {
            std::printf("capture: stopped by %s while loading\n", stop_request::name(reason));
            platform::endProcess(stop_request::exitCode(reason, true));
        }
        if (stage.load(std::memory_order_acquire) != kWritingLoadingFrame) return;  // the render thread stops it
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void finishCapture() {
    if (session == nullptr) return;
    CaptureSession& s = *session;
    s.index.close();
    if (s.video.pid > 0) {
        const int code = platform::finishPiped(s.video);
        if (code != 0) {
            std::printf("capture: ffmpeg failed (exit code %d) on %s\n", code, s.options.video.c_str());
            platform::endProcess(1);
        }
        std::printf("capture: wrote %s\n", s.options.video.c_str());
    }
    std::printf("capture: %zu frames in %.1f s\n", s.written, secondsSince(s.renderStart));
    // Warm frames where there are any (the steady cost), else every frame (marked "*").
    // Per frame: wall and cpu of the whole captured frame (read-back and PNG encoding
    // included), "drawn" until the renderer finished, "scene" inside the scene's update and
    // render alone (wall, and the render thread's CPU), and the heap allocations made there
    // ("-" unless the program counts them: bench's velluna_counting).
    std::printf("capture: %-40s %7s %9s %9s %9s %11s %10s %10s\n", "scene", "frames", "wall ms", "cpu ms",
                "drawn ms", "scene wall", "scene cpu", "allocs");
    Part* const* scenes = s.scenes;
    for (int slot : scene_table::kPlayOrder) {
        const bool warm = s.warm[slot].frames > 0;
        const CaptureSession::Cost& c = warm ? s.warm[slot] : s.cost[slot];
        if (c.frames == 0) continue;
        const double n = c.frames;
        char allocations[32] = "-";
        if (SceneMeter::countsAllocations()) {
            std::snprintf(allocations, sizeof allocations, "%.1f", static_cast<double>(c.sum.allocations) / n);
        }
        std::printf("capture: %-40s %6d%s %9.1f %9.1f %9.1f %11.3f %10.3f %10s\n", sceneLabel(scenes, slot).c_str(),
                    c.frames, warm ? " " : "*", 1000.0 * c.sum.wall / n, 1000.0 * c.sum.cpu / n,
                    1000.0 * c.sum.drawn / n, 1000.0 * c.sum.sceneWall / n, 1000.0 * c.sum.sceneCpu / n,
                    allocations);
    }
    std::fflush(stdout);
}
