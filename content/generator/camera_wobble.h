#pragma once
// The hand-held camera wobble behind try1.sav.
#include <vector>

#include "formats/camera_path.h"

namespace content {

// n records of a looping hand-held wobble, 35 per second: positions within +-300, value B a
// smooth tilt signal within +-1000, value A a smooth signal within +-1.
std::vector<PathRecord> handHeldWobble(int n);

}  // namespace content
