#pragma once
// The launch dialog's logic, apart from its window: what "Run ... " writes into the settings.
#include <vector>

#include "driver/display_mode_list.h"
#include "driver/launch_settings.h"

struct LaunchChoice {
    bool run = false;          // "Run ... " (or Return); false: "Quit", Escape or close
    int selection = -1;        // combo index, -1 when nothing is selected
    bool windowed = false;     // "Windowed" checked
    bool multisample = false;  // "8x MultiSample" checked
};

// Applies a "Run ... " choice: multisample, full screen unless windowed, and the selected
// mode's size; with no valid selection the size keeps its value.
void applyLaunchChoice(const LaunchChoice& choice, const std::vector<DisplayMode>& modes,
                       LaunchSettings& settings);
