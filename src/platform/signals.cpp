#include "platform/signals.h"

#include <signal.h>

namespace platform {

static_assert(kSignalInterrupt == SIGINT && kSignalTerminate == SIGTERM, "Linux numbers");

void onStopSignals(void (*handler)(int signal)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace platform
