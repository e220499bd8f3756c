#pragma once
// Offline capture: renders the show frame by frame at a fixed demo-time step and writes each
// finished picture (the left eye target's spare texture, flipped top-down) as a PNG file
// and/or into ffmpeg. Runs on the render thread after loading, in place of the real-time
// loop; the music is not played. The same command gives the same files.
//
// Beside the PNG files, DIR/frames.txt lists each file with its show frame, demo time and
// scene class, one line per file (the contact sheet labels its pictures from it).
//
// Log lines (standard output), all tagged "capture:": the load time and peak memory, the
// plan, one progress line per frame (frame n of N, demo time, active scene, time left), and
// at the end a per-scene table of costs per frame: the whole captured frame (wall and CPU),
// the drawing alone, the scene's own update and render, and the heap allocations made there
// (counted only by bench's velluna_counting; "-" otherwise).
// Stops: Escape, SIGINT and SIGTERM (stop_request.h) end a capture between two frames. The
// PNG being written and its line in frames.txt are finished (the file lists exactly the PNGs on
// disk), ffmpeg's input is closed and ffmpeg waited for (the MP4 plays up to its last frame),
// one line says what stopped it, and the exit code is 1, 130 or 143.
#include "capture/capture_options.h"
#include "driver/stop_request.h"

struct CaptureShow;

// Before loading: creates the output folder and hooks the loading screen when asked to.
void prepareCapture(const CaptureOptions& options);
// After loading: plans, renders every selected frame, and ends the process (code 0 at the
// end of the range or of the show; 1 when the output cannot be written).
[[noreturn]] void runCapture(const CaptureShow& show);
// Closes the files and the video and prints the summary; the show calls it when it ends.
// Does nothing without a capture.
void finishCapture();
// The render thread, between two frames: completes the files and ends the process with the
// stop's exit code.
[[noreturn]] void stopCapture(stop_request::Reason reason);
// The main thread, on a stop request: ends the process itself while the show is still loading
// (once no loading-screen frame is half written); returns at once when the render thread has
// begun rendering frames, since that thread then stops the capture between two frames.
void stopCaptureFromMainThread(stop_request::Reason reason);
