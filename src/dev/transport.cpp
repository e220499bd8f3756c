#include "dev/transport.h"

#include <algorithm>

namespace dev {

int Transport::spanAt(double t) const {
    if (spans.empty()) return -1;
    for (size_t i = 0; i < spans.size(); ++i)
        if (t < spans[i].end) return static_cast<int>(i);
    return static_cast<int>(spans.size()) - 1;
}

double Transport::lastTime() const { return spans.empty() ? 0.0 : std::max(0.0, spans.back().end - frameStep); }

double Transport::clamp(double t) const { return std::clamp(t, 0.0, lastTime()); }

Move Transport::press(const KeyPress& key, double now) {
    Move m;
    auto seek = [&](double t, const char* what) {
        m.kind = Move::Seek;
        m.target = clamp(t);
        m.what = what;
    };
    const int here = spanAt(now);
    switch (key.scancode) {
    case kKeySpace:
        paused = !paused;
        m.kind = paused ? Move::Pause : Move::Resume;
        m.what = paused ? "pause" : "play";
        break;
    case kKeyLeft:
        seek(now - (key.shift ? 1.0 : 5.0), "seek");
        break;
    case kKeyRight:
        seek(now + (key.shift ? 1.0 : 5.0), "seek");
        break;
    case kKeyUp:
        // A frame forward is a real frame at the fixed step; while playing it means nothing.
        if (paused) {
            m.kind = Move::StepForward;
            m.target = now + frameStep;
            m.what = "frame";
        }
        break;
    case kKeyDown:
        if (paused) seek(now - frameStep, "frame back");
        break;
    case kKeyPageUp:
        if (here > 0) seek(spans[static_cast<size_t>(here - 1)].start, "previous scene");
        else if (here == 0) seek(0.0, "previous scene");
        break;
    case kKeyPageDown:
        if (here >= 0 && here + 1 < static_cast<int>(spans.size())) seek(spans[static_cast<size_t>(here + 1)].start, "next scene");
        break;
    case kKeyHome:
        seek(0.0, "home");
        break;
    case kKeyMinus:
    case kKeypadMinus:
        speedIndex = std::max(0, speedIndex - 1);
        m.kind = Move::Speed;
        m.what = "speed";
        break;
    case kKeyEquals:
    case kKeypadPlus:
        speedIndex = std::min(kSpeedCount - 1, speedIndex + 1);
        m.kind = Move::Speed;
        m.what = "speed";
        break;
    case kKeyL:
        if (looping) {
            looping = false;
            loopIn = loopOut = -1.0;
            m.kind = Move::LoopOff;
            m.what = "loop off";
        } else if (here >= 0) {
            // The marked range when it is whole, else the current scene.
            if (!(loopIn >= 0.0 && loopOut > loopIn)) {
                loopIn = spans[static_cast<size_t>(here)].start;
                loopOut = std::min(spans[static_cast<size_t>(here)].end, lastTime());
            }
            looping = true;
            m.kind = Move::Loop;
            m.what = "loop";
        }
        break;
    case kKeyLeftBracket:
        loopIn = now;
        if (loopOut >= 0.0 && loopOut <= loopIn) loopOut = -1.0;
        looping = loopOut > loopIn;
        m.kind = Move::LoopIn;
        m.target = now;
        m.what = "loop in";
        break;
    case kKeyRightBracket:
        if (now > loopIn) {
            loopOut = now;
            if (loopIn < 0.0) loopIn = here >= 0 ? spans[static_cast<size_t>(here)].start : 0.0;
            looping = true;
            m.kind = Move::LoopOut;
            m.target = now;
            m.what = "loop out";
        }
        break;
    case kKeyR:
        m.kind = Move::ReloadAll;
        m.what = "reload all";
        break;
    case kKeyC:
        m.kind = Move::Camera;
        m.what = "camera";
        break;
    case kKeyP:
        m.kind = Move::PrintCamera;
        m.what = "camera pose";
        break;
    case kKeyF1:
        m.kind = Move::Overlay;
        m.what = "overlay";
        break;
    case kKeyF12:
        m.kind = Move::Shot;
        m.what = "shot";
        break;
    default:
        break;
    }
    return m;
}

bool Transport::loopWraps(double now) const { return looping && loopOut > loopIn && now >= loopOut; }

}  // namespace dev
