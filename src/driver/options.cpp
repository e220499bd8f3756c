#include "driver/options.h"

#include <cmath>
#include <cstdlib>

#include "driver/scene_table.h"

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != x && (text[i] < '0' || text[i] > '9')) return false;
    }
    if (x > 5 || text.size() - x - 1 > 5) return false;  // no size beyond 99999
    width = std::atoi(text.substr(0, x).c_str());
    height = std::atoi(text.substr(x + 1).c_str());
    return width > 0 && height > 0;
}

namespace {

// A finite decimal number, the whole text.
bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseCount(const std::string& text, int& value) {
    double v = 0.0;
    if (!parseNumber(text, v) || v < 1.0 || v > 1e9 || v != std::floor(v)) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    bool msaa = false;
    bool captureDetail = false;  // an option that only means something in capture mode
    bool range = false;
    bool devDetail = false;  // an option that only means something in developer mode
    CaptureOptions& c = options.capture;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--windowed" || a == "--fullscreen" || a == "--capture" || a == "--video" ||
                                a == "--fps" || a == "--from" || a == "--to" || a == "--scene" || a == "--every" ||
                                a == "--frames" || a == "--per-scene" || a == "--cuts" || a == "--size" ||
                                a == "--dev-budget";
        if (takesValue && i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string value = takesValue ? args[++i] : std::string();
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--msaa") {
            msaa = true;
        } else if (a == "--dev") {
            options.dev.enabled = true;
        } else if (a == "--dev-budget") {
            int mib = 0;
            if (!parseCount(value, mib)) {
                error = "--dev-budget: expected MiB for checkpoints (1 or more), not '" + value + "'";
                return false;
            }
            options.dev.budgetMiB = mib;
            devDetail = true;
        } else if (a == "--placeholders") {
            options.placeholders = true;
        } else if (a == "--all-scenes") {
            c.allScenes = true;
            captureDetail = true;
        } else if (a == "--windowed" || a == "--fullscreen") {
            int w = 0;
            int h = 0;
            if (!parseSize(value, w, h)) {
                error = a + ": malformed size '" + value + "' (expected WxH, e.g. 1280x720)";
                return false;
            }
            options.skipDialog = true;
            options.settings.fullscreen = (a == "--fullscreen");
            options.settings.width = w;
            options.settings.height = h;
        } else if (a == "--capture") {
            c.enabled = true;
            c.directory = value;
        } else if (a == "--video") {
            c.enabled = true;
            c.video = value;
        } else if (a == "--size") {
            captureDetail = true;
            if (!parseSize(value, c.width, c.height)) {
                error = "--size: malformed size '" + value + "' (expected WxH, e.g. 1280x720)";
                return false;
            }
        } else if (a == "--fps") {
            captureDetail = true;
            if (!parseNumber(value, c.fps) || c.fps <= 0.0 || c.fps > 1000.0) {
                error = "--fps: expected a number of frames per second in (0, 1000], not '" + value + "'";
                return false;
            }
        } else if (a == "--from" || a == "--to") {
            captureDetail = true;
            range = true;
            double& t = a == "--from" ? c.from : c.to;
            if (!parseNumber(value, t) || t < 0.0) {
                error = a + ": expected demo seconds (0 or more), not '" + value + "'";
                return false;
            }
            if (t > kCapturePlanSeconds) {
                error = a + ": " + value + " s lies far beyond the show; capture plans at most " +
                        std::to_string(static_cast<int>(kCapturePlanSeconds)) + " s";
                return false;
            }
        } else if (a == "--every") {
            captureDetail = true;
            if (!parseNumber(value, c.every) || c.every <= 0.0) {
                error = "--every: expected demo seconds above 0, not '" + value + "'";
                return false;
            }
        } else if (a == "--frames" || a == "--per-scene" || a == "--cuts") {
            captureDetail = true;
            int& count = a == "--frames" ? c.frames : a == "--per-scene" ? c.perScene : c.cuts;
            if (!parseCount(value, count)) {
                error = a + ": expected a whole number of frames (1 or more), not '" + value + "'";
                return false;
            }
        } else if (a == "--scene") {
            captureDetail = true;
            if (scene_table::slotOf(value) < 0) {
                error = "--scene: no scene class named '" + value + "'";
                for (int s = 0; s < scene_table::kSlots; ++s) {
                    error += (s == 0 ? " (one of " : ", ") + std::string(scene_table::className(scene_table::kPlayOrder[s]));
                }
                error += ")";
                return false;
            }
            c.scene = value;
        } else if (a == "--preroll") {
            captureDetail = true;
            c.preroll = true;
        } else if (a == "--loading-frames") {
            captureDetail = true;
            c.loadingFrames = true;
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    if (options.dev.enabled) {
        if (c.enabled) {
            error = "--dev plays in real time; it does not go with --capture or --video";
            return false;
        }
        if (!options.skipDialog) {
            error = "--dev needs --windowed WxH or --fullscreen WxH";
            return false;
        }
        if (c.every > 0.0 || c.frames > 0 || c.perScene > 0 || c.cuts > 0 || c.preroll || c.loadingFrames ||
            c.to >= 0.0 || c.allScenes || c.fps != 30.0 || c.width != 1280 || c.height != 720) {
            error = "--dev takes only --from S, --scene NAME and --dev-budget MiB besides the window";
            return false;
        }
        options.dev.from = c.from;
        options.dev.scene = c.scene;
        options.capture = CaptureOptions{};
        options.settings.multisample = msaa;
        return true;
    }
    if (devDetail) {
        error = "--dev-budget goes with --dev";
        return false;
    }
    if (c.enabled) {
        if (options.skipDialog) {
            error = "--capture and --video render offline; they do not go with --windowed or --fullscreen";
            return false;
        }
        if (range && c.to >= 0.0 && c.to <= c.from) {
            error = "--to must lie after --from";
            return false;
        }
        if (!c.scene.empty() && (c.perScene > 0 || c.cuts > 0)) {
            error = "--scene chooses the frames itself; it does not go with --per-scene or --cuts";
            return false;
        }
        if ((c.perScene > 0 || c.cuts > 0) && (range || c.every > 0.0)) {
            error = std::string(c.perScene > 0 ? "--per-scene" : "--cuts") + " does not go with --from, --to or --every";
            return false;
        }
        if (c.perScene > 0 && c.cuts > 0) {
            error = "--per-scene and --cuts each choose the frames; use one of them";
            return false;
        }
        if (!c.video.empty() && (c.every > 0.0 || c.perScene > 0 || c.cuts > 0)) {
            error = "--video needs every frame of its range; --every, --per-scene and --cuts go with --capture only";
            return false;
        }
        if (c.loadingFrames && c.directory.empty()) {
            error = "--loading-frames needs --capture DIR";
            return false;
        }
        options.skipDialog = true;
        options.settings = LaunchSettings{false, msaa, c.width, c.height};
        return true;
    }
    if (captureDetail) {
        error = "--size, --fps, --from, --to, --scene, --every, --frames, --per-scene, --cuts, --preroll and --loading-frames "
                "go with --capture DIR or --video FILE";
        return false;
    }
    if (msaa && !options.skipDialog) {
        error = "--msaa goes with --windowed, --fullscreen, --capture or --video";
        return false;
    }
    options.settings.multisample = msaa;
    return true;
}

const char* usageText() {
    return "usage: velluna [--windowed WxH | --fullscreen WxH] [--msaa]\n"
           "       velluna (--capture DIR | --video FILE.mp4) [capture options]\n"
           "  A bare start asks for the resolution in the launch dialog.\n"
           "  --windowed WxH     play in a window of W x H pixels, without the dialog\n"
           "  --fullscreen WxH   play full screen at W x H, without the dialog\n"
           "  --msaa             4 samples per pixel instead of 2\n"
           "  --help             print this text\n"
           "  --dev              with --windowed or --fullscreen: developer controls (Space\n"
           "                     pause, Left/Right seek 5 s, Shift 1 s, Up/Down a frame,\n"
           "                     PageUp/PageDown/Home scenes, L [ ] loop, - + speed); takes\n"
           "                     --from S, --scene NAME and --dev-budget MiB (default 2048)\n"
           "Escape ends the show. The log goes to standard output.\n"
           "\n"
           "Capture renders the show offline, frame by frame, at a fixed step of demo time\n"
           "(the music is not played; the same command gives the same frames):\n"
           "  --capture DIR      write DIR/frame_000000.png, frame_000001.png, ...\n"
           "  --video FILE.mp4   pipe the frames into ffmpeg, with the soundtrack of the range\n"
           "  --fps N            frames per demo second (default 30); frame n shows n / N s\n"
           "  --from S, --to S   the range in demo seconds (default: the whole show)\n"
           "  --scene NAME       the span of one scene, by class name (e.g. Part_Fallers);\n"
           "                     only that scene is loaded, the others are placeholders that\n"
           "                     keep their clocks (so the times are the show's); with\n"
           "                     --from and --to, the part of that span within the range\n"
           "  --all-scenes       with --scene: load every scene all the same\n"
           "  --every S          one frame every S demo seconds; the frames between are\n"
           "                     stepped without drawing\n"
           "  --frames N         at most N frames\n"
           "  --per-scene N      N frames from the middle of every scene (for benchmarks)\n"
           "  --cuts N           the last N frames before every cut between scenes and the\n"
           "                     first N after it\n"
           "  --preroll          draw the frames that are not written too, from the start of\n"
           "                     the first written frame's scene: slower, but particle\n"
           "                     simulations then stand where they stand in the show\n"
           "  --size WxH         render size (default 1280x720)\n"
           "  --loading-frames   also write each loading-screen frame as DIR/loading_0000.png\n"
           "  --placeholders     play placeholder scenes in every slot (tests)\n";
}
