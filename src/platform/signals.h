#pragma once
// The two signals that ask a program to stop: SIGINT (Ctrl-C) and SIGTERM.
namespace platform {

constexpr int kSignalInterrupt = 2;   // SIGINT
constexpr int kSignalTerminate = 15;  // SIGTERM

// Calls `handler` with the signal's number on SIGINT and SIGTERM, in place of ending the
// process. The handler runs inside the signal handler: it may only store lock-free atomics.
// Interrupted system calls are restarted.
void onStopSignals(void (*handler)(int signal));

}  // namespace platform
