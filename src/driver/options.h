#pragma once
// Command-line options. None of them is needed: a bare start runs the launch dialog and
// plays the show in real time. The others are extensions and never change a bare start.
//   --windowed WxH     skip the dialog, play in a window of W x H
//   --fullscreen WxH   skip the dialog, play full screen at W x H
//   --msaa             with any of the above or below: 4 samples per pixel instead of 2
//   --capture DIR      render the show offline into DIR/frame_000000.png, ...
//   --video FILE       ... or into FILE (through ffmpeg, with the soundtrack)
//   --fps N --from S --to S --scene NAME --every S --frames N --per-scene N --cuts N --size WxH
//   --preroll --loading-frames   capture options (see usageText)
//   --dev              with --windowed or --fullscreen: the developer controls (--from S,
//                      --scene NAME, --dev-budget MiB go with it)
//   --placeholders     every scene slot holds a placeholder scene (for tests)
//   --help             print the usage
#include <string>
#include <vector>

#include "capture/capture_options.h"
#include "dev/dev_options.h"
#include "driver/launch_settings.h"

struct Options {
    bool skipDialog = false;  // the settings come from the command line
    bool help = false;
    bool placeholders = false;
    LaunchSettings settings;
    CaptureOptions capture;
    DevOptions dev;
};

// Parses argv[1..]. On an unknown or malformed option returns false and fills `error`.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Parses "WxH" with both sides positive.
bool parseSize(const std::string& text, int& width, int& height);

const char* usageText();
