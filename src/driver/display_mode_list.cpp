#include "driver/display_mode_list.h"

#include <cmath>
#include <cstdio>

#include "platform/display_modes.h"

std::vector<DisplayMode> displayModes;

std::vector<DisplayMode> collectDisplayModes(const DisplayModeQuery& query) {
    std::vector<DisplayMode> modes;
    int width = 0;
    int height = 0;
    for (int index = 0; query(index, width, height); ++index) {
        if (height > width) continue;  // portrait
        bool seen = false;
        for (const DisplayMode& m : modes) seen = seen || (m.width == width && m.height == height);
        if (!seen) modes.push_back({width, height});
    }
    return modes;
}

void buildDisplayModeList() {
    displayModes = collectDisplayModes(platform::enumDisplayMode);
}

std::string displayModeLabel(const DisplayMode& mode) {
    const double ratio = static_cast<double>(mode.width) / mode.height;
    const char* format = " %d x %d       ";
    if (std::fabs(ratio - 1.6) < 0.01) {
        format = " %d x %d  (16:10)";
    } else if (std::fabs(ratio - 1.7777777777777777) < 0.01) {
        format = " %d x %d  (16:9)";
    }
    char label[64];
    std::snprintf(label, sizeof label, format, mode.width, mode.height);
    return label;
}

int preselectedDisplayMode(const std::vector<DisplayMode>& modes) {
    for (size_t i = 0; i < modes.size(); ++i) {
        if (modes[i].width == 1920 && modes[i].height == 1080) return static_cast<int>(i);
    }
    return 0;
}
