#pragma once
// The two procedural scans, as points before their occlusion term (for tests and previews).
#include <vector>

#include "generator/scan.h"

namespace content {

// The park of 2.ascbbcomp, in metres: about 3.2 million points (300,000 in the small set).
std::vector<ScanPoint> parkPoints(bool small);
// The town of smalltown2.ascbbcomp, in metres: about 3.2 million points (300,000 small).
std::vector<ScanPoint> townPoints(bool small);

}  // namespace content
