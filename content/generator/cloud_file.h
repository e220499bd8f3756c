#pragma once
// Writing a procedural scan as a quantised point-cloud file, and looking at one.
#include <string>
#include <vector>

#include "generator/catalogue.h"
#include "generator/scan.h"

namespace content {

// Writes the points, in `order`, to `tmpPath` as a quantised cloud: positions scaled by
// `unitsPerMetre`, the occlusion term 10 x visibility. Throws on failure.
void writeScanCloud(const std::string& tmpPath, const std::vector<ScanPoint>& points, const std::vector<float>& visibility,
                    const std::vector<uint32_t>& order, float unitsPerMetre);

// A camera for a preview, in the cloud file's units.
struct PreviewCamera {
    float eye[3];
    float target[3];
    float fovDegrees;
};

// Renders previews of the cloud file at `path` into ctx.previewDir: "<name>_top.png",
// "<name>_side.png" and "<name>_view.png" (through `camera`), points shaded by their
// occlusion term (bright where they see the sky), nearest point wins.
void previewCloudFile(const Context& ctx, const std::string& path, const std::string& name, const PreviewCamera& camera);

}  // namespace content
