#pragma once
// A child process fed through a pipe on its standard input: capture mode's ffmpeg. Arguments
// go straight to execvp, so no shell ever sees a file name.
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

struct ChildPipe {
    pid_t pid = -1;
    int fd = -1;  // write end; -1 when not running
};

// Starts argv[0] (looked up on PATH) with its standard input on a new pipe, in a process
// group of its own (a terminal's Ctrl-C does not reach it). The pipe's write end is not
// inherited by later children. False, with a message, when it cannot start.
bool startPiped(const std::vector<std::string>& argv, ChildPipe& child, std::string& error);

// Writes all of `size` bytes; false when the child has gone (its pipe is closed).
bool writeAll(ChildPipe& child, const void* data, size_t size);

// Closes the pipe and waits for the child; returns its exit code (-1 when it did not exit
// normally or never started).
int finishPiped(ChildPipe& child);

}  // namespace platform
