#include "platform/huge_pages.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {
constexpr const char* kTunable = "glibc.malloc.hugetlb";
constexpr const char* kSwitch = "VELLUNA_HUGE_PAGES";
}  // namespace

std::string tunablesWithHugePages(const char* current) {
    if (current == nullptr || *current == '\0') return std::string(kTunable) + "=1";
    if (std::strstr(current, kTunable) != nullptr) return "";
    return std::string(current) + ":" + kTunable + "=1";
}

void restartWithHugePages(char** argv) {
    const char* wanted = std::getenv(kSwitch);
    if (wanted != nullptr) return;  // "0": not wanted; anything else: this is the restarted image
    const std::string tunables = tunablesWithHugePages(std::getenv("GLIBC_TUNABLES"));
    if (tunables.empty()) return;
    if (setenv(kSwitch, "1", 1) != 0 || setenv("GLIBC_TUNABLES", tunables.c_str(), 1) != 0) return;
    // The program's own path rather than /proc/self/exe, which would rename the process "exe".
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return;
    path[n] = '\0';
    execv(path, argv);
    // The restart failed: go on without huge pages (the tunable set now would do nothing).
}

}  // namespace platform
