#include "capture/video_keyframes.h"

#include <algorithm>
#include <cmath>

namespace video_keyframes {

int keyFrameEvery(double fps) { return std::max(1, static_cast<int>(std::floor(2.0 * fps + 0.5))); }

std::string forceKeyFrames(int first, int count, double fps, const std::vector<int>& sceneStarts) {
    std::string expression = "expr:eq(n,0)+not(mod(n+" + std::to_string(first) + "," +
                             std::to_string(keyFrameEvery(fps)) + "))";
    std::vector<int> starts = sceneStarts;
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    for (int start : starts) {
        if (start > first && start < first + count) expression += "+eq(n," + std::to_string(start - first) + ")";
    }
    return expression;
}

}  // namespace video_keyframes
