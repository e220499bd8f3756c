#pragma once
// What an offline capture renders: the frames, where they go and at what size. Capture mode
// replaces the wall clock and the music lock by a fixed step of 1/fps demo seconds; frame n
// shows demo time n / fps (frame 0 is the first frame after loading, at 0).
#include <string>

// The longest show a capture plans, in demo seconds (the real one lasts about seven minutes).
// --from and --to beyond it are refused: their frame numbers would not fit the plan.
constexpr double kCapturePlanSeconds = 2.0 * 3600.0;

struct CaptureOptions {
    bool enabled = false;
    std::string directory;      // --capture DIR: DIR/frame_000000.png, ...
    std::string video;          // --video FILE.mp4: piped to ffmpeg, with the soundtrack
    double fps = 30.0;          // --fps N
    double from = 0.0;          // --from S (demo seconds)
    double to = -1.0;           // --to S; negative: the end of the show
    std::string scene;          // --scene NAME: the span in which that scene is drawn (within
                                // --from and --to); the other slots hold placeholders (same
                                // clocks, nothing loaded)
    bool allScenes = false;     // --all-scenes: with --scene, load every scene all the same
    double every = 0.0;         // --every S: one frame every S demo seconds (0: every frame)
    int frames = 0;             // --frames N: at most N frames (0: no limit)
    int perScene = 0;           // --per-scene N: N frames from the middle of every scene
    int cuts = 0;               // --cuts N: the last N frames before every cut and the first
                                // N after it (how one scene hands over to the next)
    bool loadingFrames = false; // --loading-frames: also DIR/loading_0000.png, ... per step
    bool preroll = false;       // --preroll: frames not written are drawn all the same, from
                                // the start of the first written frame's scene
    int width = 1280;           // --size WxH
    int height = 720;
};
