#pragma once
// The viewer's choices from the launch dialog (or the command line). Written before the
// render thread exists, read-only afterwards.
#include <cstdint>

struct LaunchSettings {
    bool fullscreen = false;
    bool multisample = false;  // 4 samples per pixel instead of 2
    int32_t width = 1280;
    int32_t height = 720;
};
