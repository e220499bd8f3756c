#pragma once
// F12 in developer mode: the finished picture of the last frame drawn (the left eye target's
// spare texture, the picture a capture writes) as a PNG. Render thread, GL current.
#include <string>

struct RenderTarget;

namespace dev {

// Writes `target`'s finished picture to `path`; false (and nothing written) when it cannot.
bool writeScreenshot(const RenderTarget& target, const std::string& path);

}  // namespace dev
