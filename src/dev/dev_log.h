#pragma once
// The "dev:" lines: every developer action prints one, with the demo time and the scene it
// lands in, e.g. "dev: seek 160.000 s Part_ParticleShadow (from scene start, 412 steps, 0.42 s)".
#include <string>

namespace dev {

// "dev: <what> <seconds, 3 decimals> s <scene>", then " (<detail>)" when there is a detail.
std::string logLine(const std::string& what, double demoTime, const std::string& scene, const std::string& detail = "");
// Prints logLine and flushes standard output.
void log(const std::string& what, double demoTime, const std::string& scene, const std::string& detail = "");

}  // namespace dev
