#include "dev/shader_watcher.h"

#include <system_error>

#include "gpu/program_registry.h"

namespace dev {

namespace {

void rebuildInto(const program_registry::Entry& e, ReloadResult& r) {
    std::string message;
    if (program_registry::rebuild(e, message)) {
        ++r.rebuilt;
    } else {
        ++r.failed;
        if (r.message.empty()) r.message = message;
    }
}

}  // namespace

std::filesystem::file_time_type ShaderWatcher::timeOf(const std::string& path) const {
    std::error_code ec;
    const auto t = std::filesystem::last_write_time(path, ec);
    return ec ? std::filesystem::file_time_type::min() : t;
}

void ShaderWatcher::start() {
    for (const program_registry::Entry& e : program_registry::entries())
        for (const std::string& path : e.sources) seen_[path] = timeOf(path);
    lastLook_ = std::chrono::steady_clock::now();
}

std::vector<ReloadResult> ShaderWatcher::poll() {
    std::vector<ReloadResult> results;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastLook_ < std::chrono::milliseconds(250)) return results;
    lastLook_ = now;
    for (auto& [path, time] : seen_) {
        const auto t = timeOf(path);
        if (t == time) continue;
        time = t;
        ReloadResult r;
        r.path = path;
        for (const program_registry::Entry& e : program_registry::entries()) {
            for (const std::string& source : e.sources) {
                if (source == path) {
                    rebuildInto(e, r);
                    break;
                }
            }
        }
        results.push_back(r);
    }
    return results;
}

ReloadResult ShaderWatcher::reloadAll() {
    ReloadResult r;
    for (const program_registry::Entry& e : program_registry::entries()) rebuildInto(e, r);
    for (auto& [path, time] : seen_) time = timeOf(path);
    return r;
}

}  // namespace dev
