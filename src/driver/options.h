#pragma once
// Command-line options. None of them is needed: a bare start runs the launch dialog.
//   --windowed WxH     skip the dialog, play in a window of W x H
//   --fullscreen WxH   skip the dialog, play full screen at W x H
//   --msaa             with either of the above: 4 samples per pixel instead of 2
//   --help             print the usage
#include <string>
#include <vector>

#include "driver/launch_settings.h"

struct Options {
    bool skipDialog = false;  // the settings come from the command line
    bool help = false;
    LaunchSettings settings;
};

// Parses argv[1..]. On an unknown or malformed option returns false and fills `error`.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Parses "WxH" with both sides positive.
bool parseSize(const std::string& text, int& width, int& height);

const char* usageText();
