#include "dev/dev_log.h"

#include <cstdio>

namespace dev {

std::string logLine(const std::string& what, double demoTime, const std::string& scene, const std::string& detail) {
    char time[48];
    std::snprintf(time, sizeof time, "%.3f", demoTime);
    std::string line = "dev: " + what + " " + time + " s " + (scene.empty() ? "(none)" : scene);
    if (!detail.empty()) line += " (" + detail + ")";
    return line;
}

void log(const std::string& what, double demoTime, const std::string& scene, const std::string& detail) {
    std::printf("%s\n", logLine(what, demoTime, scene, detail).c_str());
    std::fflush(stdout);
}

}  // namespace dev
