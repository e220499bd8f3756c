#pragma once
// Large blocks of memory in huge pages.
//
// NOTE: with Mesa's software rasteriser every texture and buffer lives in the process, and
// the driver clears each one as it is made: the whole-show load faults in about 4 GiB, one
// 4 KiB page at a time, and on this kind of (virtual) machine those faults were over a third
// of the load's CPU time. glibc can back the large blocks it maps with transparent huge pages
// (its tunable glibc.malloc.hugetlb=1), but reads its tunables only when a process starts.
// So the program starts itself again, once, with the tunable added.
#include <string>

namespace platform {

// The GLIBC_TUNABLES value to restart with, given the current one (null when unset): the
// current settings with glibc.malloc.hugetlb=1 added, or "" when no restart is wanted (the
// tunable is set already, to any value: a setting of the user's stands).
std::string tunablesWithHugePages(const char* current);

// Restarts the process image in place (same process id, same arguments) with the tunable,
// unless VELLUNA_HUGE_PAGES=0 or this is the restarted image. Returns only when no restart
// happened (not wanted, or exec failed: the process then goes on as it is).
void restartWithHugePages(char** argv);

}  // namespace platform
