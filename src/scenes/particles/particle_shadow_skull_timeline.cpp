#include "scenes/particles/particle_shadow_skull_timeline.h"

#include <cmath>

#include "common/shaping.h"

namespace particle_shadow_skull {

const SampleSet kBust = {"..//newresources//agalma3cut.objb", 40.0f, 40.0f, TVector(-1000.0f, -1000.0f, 0.0f),
                         TVector(10000.0f, 1000.0f, 100.0f)};
const SampleSet kHead = {"..//newresources/cupidhead.objb", 20.0f, 40.0f, TVector(-1000.0f, -100.0f, 0.0f),
                         TVector(10000.0f, 1000.0f, 100.0f)};

CameraPose cameraAt(float t) {
    const double td = t;
    const float h = static_cast<float>(1.8 - static_cast<double>(static_cast<float>(0.12 * td)));
    const float angle = static_cast<float>(0.02 * (td - 5.0));
    const TVector eye(static_cast<float>(8.5 * std::sin(static_cast<double>(angle))), h,
                      static_cast<float>(8.5 * std::cos(static_cast<double>(angle))));
    // NOTE: the camera-path sway is weighted 0 in this scene, so the path is not read at all.
    const double rise = ease(0.15 * td + 0.4, 3.0);   // 0.19 at t = 0, 1 from t = 4
    const double turn = ease((td - 8.0) * 0.15, 3.0);  // 0 before t = 8, 1 from t = 14.67
    const TVector target(static_cast<float>(1.1 * turn),
                         static_cast<float>(h + 0.5 + 1.6 * (1.0 - rise) + 0.9 * turn),
                         static_cast<float>(-2.8 * turn));
    return {eye, target};
}

}  // namespace particle_shadow_skull
