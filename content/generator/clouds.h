#pragma once
// The two procedural scans, as points before their occlusion term (for tests and previews).
#include <vector>

#include "generator/scan.h"

namespace content {

// The park of 2.ascbbcomp, in metres, as the scanner returned it: about 3.6 million points
// (300,000 in the small set). With `surface`, also the samples of the world it scanned.
std::vector<ScanPoint> parkPoints(bool small, std::vector<ScanPoint>* surface = nullptr);
// The town of smalltown2.ascbbcomp, likewise.
std::vector<ScanPoint> townPoints(bool small, std::vector<ScanPoint>* surface = nullptr);
// Where the scanner stood in each, in metres.
std::vector<P3> parkStations();
std::vector<P3> townStations();

}  // namespace content
