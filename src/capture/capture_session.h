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
class Entrypoint;
class CaptureSession;

// Before loading: creates the output folder and hooks the loading screen when asked to.
void prepareCapture(Entrypoint& entry);
// After loading: plans, renders every selected frame, and ends the process (code 0 at the
// end of the range or of the show; 1 when the output cannot be written).
[[noreturn]] void runCapture(Entrypoint& entry);
// Closes the video and prints the summary; called when the show ends.
void finishCapture(CaptureSession& session);
