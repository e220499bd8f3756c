#pragma once
// The launch dialog's window: a small modal SDL window drawn with Dear ImGui, laid out as
// the dialog template (203 x 88 dialog units of an 8-point "MS Sans Serif" dialog).
//
// It shows the labelled resolution list, the push-like toggles "Windowed" and
// "8x MultiSample", the default button "Run ... " and "Quit". Return or "Run ... " runs;
// Escape, "Quit" or closing the window quits. The window is gone when this returns.
#include <string>
#include <vector>

#include "driver/launch_dialog.h"

namespace platform {

// `labels` fill the list, `selection` is preselected. SDL's video subsystem is initialised.
LaunchChoice runLaunchDialog(const std::vector<std::string>& labels, int selection);

}  // namespace platform
