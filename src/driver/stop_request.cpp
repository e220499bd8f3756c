#include "driver/stop_request.h"

#include <SDL.h>

#include <atomic>

#include "platform/signals.h"

namespace stop_request {

namespace {

std::atomic<int> kept{static_cast<int>(Reason::None)};
static_assert(std::atomic<int>::is_always_lock_free, "stored from a signal handler");

void onSignal(int signal) {
    request(signal == platform::kSignalInterrupt ? Reason::Interrupt : Reason::Terminate);
}

int watchKeys(void*, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN && event->key.keysym.scancode == SDL_SCANCODE_ESCAPE) request(Reason::Escape);
    return 1;
}

}  // namespace

void request(Reason reason) {
    int none = static_cast<int>(Reason::None);
    kept.compare_exchange_strong(none, static_cast<int>(reason), std::memory_order_relaxed);
}

Reason pending() { return static_cast<Reason>(kept.load(std::memory_order_relaxed)); }

int exitCode(Reason reason, bool capture) {
    switch (reason) {
        case Reason::Interrupt: return 130;
        case Reason::Terminate: return 143;
        case Reason::Escape: return capture ? 1 : 0;
        case Reason::None: break;
    }
    return 0;
}

const char* name(Reason reason) {
    switch (reason) {
        case Reason::Escape: return "Escape";
        case Reason::Interrupt: return "SIGINT";
        case Reason::Terminate: return "SIGTERM";
        case Reason::None: break;
    }
    return "none";
}

void installSignalHandlers() { platform::onStopSignals(onSignal); }

void watchEscape() { SDL_AddEventWatch(watchKeys, nullptr); }

void reset() { kept.store(static_cast<int>(Reason::None), std::memory_order_relaxed); }

}  // namespace stop_request
