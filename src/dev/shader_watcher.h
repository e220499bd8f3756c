#pragma once
// Hot reload: watches the source files of every program the show built (gpu/program_registry.h)
// and builds the programs that use a file again when it changes on disk. Polls the files'
// modification times, at most every quarter second, so a saved edit shows within a second.
// A rebuild keeps the demo time and the simulation state; one that fails keeps the old
// program and prints the compiler's message.
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace dev {

struct ReloadResult {
    std::string path;     // the changed file ("" for a reload of everything)
    int rebuilt = 0;      // programs built again
    int failed = 0;       // programs that kept their old build
    std::string message;  // the first failure's compiler message
};

class ShaderWatcher {
public:
    // Notes the current times of every listed source.
    void start();
    // Render thread, GL current: the files that changed since the last look, each with the
    // programs that use it rebuilt. Looks at most every quarter second.
    std::vector<ReloadResult> poll();
    // Every program, now.
    ReloadResult reloadAll();

private:
    std::filesystem::file_time_type timeOf(const std::string& path) const;
    std::map<std::string, std::filesystem::file_time_type> seen_;
    std::chrono::steady_clock::time_point lastLook_{};
};

}  // namespace dev
