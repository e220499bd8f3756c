#include "platform/video_pipe.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace platform {

bool startPiped(const std::vector<std::string>& argv, ChildPipe& child, std::string& error) {
    if (argv.empty()) {
        error = "no command";
        return false;
    }
    // A child that dies must not kill us through SIGPIPE: writes report EPIPE instead.
    signal(SIGPIPE, SIG_IGN);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // In a process group of its own, so that Ctrl-C in the terminal reaches only us: we then
    // close its input and it finishes the file, instead of stopping half way by itself.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(fds[0]);
    if (rc != 0) {
        error = "cannot run " + argv[0] + ": " + std::strerror(rc);
        close(fds[1]);
        return false;
    }
    child.pid = pid;
    child.fd = fds[1];
    return true;
}

bool writeAll(ChildPipe& child, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0 && child.fd >= 0) {
        const ssize_t n = write(child.fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return size == 0;
}

int finishPiped(ChildPipe& child) {
    if (child.fd >= 0) close(child.fd);
    child.fd = -1;
    if (child.pid <= 0) return -1;
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    child.pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace platform
