#pragma once
// The keys developer mode acts on. Both threads take events from SDL's queue (the main loop
// and the display's input step), so each offers its key presses here; the render thread
// drains them once a frame. Until enable() is called (only --dev does) offers are dropped,
// so a bare start is untouched.
#include <vector>

namespace dev {

struct KeyPress {
    int scancode = 0;
    bool shift = false;
};

void enableKeys();
// Any thread. A press while developer mode is off is ignored.
void offerKey(int scancode, bool shift);
// Render thread: every press offered since the last call, oldest first.
std::vector<KeyPress> takeKeys();

}  // namespace dev
