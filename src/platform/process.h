#pragma once
// Ending the process from any thread while other threads still run.
namespace platform {

// Flushes the log and ends the process with `code` at once. No static destructor runs, so
// nothing is torn down under a live render thread or worker.
[[noreturn]] void endProcess(int code);

}  // namespace platform
