#include "driver/launch_dialog.h"

void applyLaunchChoice(const LaunchChoice& choice, const std::vector<DisplayMode>& modes,
                       LaunchSettings& settings) {
    settings.multisample = choice.multisample;
    settings.fullscreen = !choice.windowed;
    if (choice.selection >= 0 && choice.selection < static_cast<int>(modes.size())) {
        settings.width = modes[choice.selection].width;
        settings.height = modes[choice.selection].height;
    }
}
