// Random bytes into the depth-camera frame decode: the input is cut in two (the first two
// bytes say where) into a depth image and a signal image, both read as the depth scene reads
// its TIFF pairs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_file.h"
#include "scenes/depth/depth_frame.h"

namespace {

// The helpers below walk every texel; kept out of the coverage counters, which would otherwise
// spend a quarter of the run on these loops' comparisons and learn nothing from them.
__attribute__((no_sanitize("coverage"))) void fill(std::vector<float>& texels, size_t count) {
    texels.resize(count);
    for (size_t i = 0; i < count; ++i) texels[i] = -7.0f;
}

__attribute__((no_sanitize("coverage"))) bool texelsInRange(const std::vector<float>& texels) {
    for (size_t i = 0; i < texels.size(); i += 3) {
        if (texels[i] < -1.0f || texels[i] > 1.0f || texels[i + 1] < -1.0f || texels[i + 1] > 1.0f ||
            texels[i + 2] < 0.0f || texels[i + 2] >= 256.0f)
            return false;
    }
    return true;
}

__attribute__((no_sanitize("coverage"))) bool untouched(const std::vector<float>& texels) {
    for (float v : texels)
        if (v != -7.0f) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 256 * 1024) return 0;
    static fuzzfile::Scratch depthFile("depth.tif");
    static fuzzfile::Scratch signalFile("signal.tif");
    size_t cut = (size_t(data[0]) | size_t(data[1]) << 8) % (size - 1);
    data += 2;
    size -= 2;
    const std::string& depthPath = depthFile.write(data, cut);
    const std::string& signalPath = signalFile.write(data + cut, size - cut);

    int width = 0, height = 0;
    bool readable = depth_frame::readFrameSize(depthPath, width, height);
    if (readable != (width > 0 && height > 0)) std::abort();
    if (!readable) {
        float texel = 0.0f;
        if (depth_frame::readDepthFrame(depthPath, signalPath, 1, 1, &texel) !=
            depth_frame::FrameStatus::DepthMissing)
            std::abort();
        return 0;
    }
    if (size_t(width) * size_t(height) > (size_t(1) << 22)) return 0;
    // Kept between inputs: a fresh 48 MB array per input spends the run in the kernel.
    static std::vector<float> texels, other;
    fill(texels, size_t(width) * size_t(height) * 3);
    depth_frame::FrameStatus status =
        depth_frame::readDepthFrame(depthPath, signalPath, width, height, texels.data());
    if (status != depth_frame::FrameStatus::Decoded && status != depth_frame::FrameStatus::SignalMissing)
        std::abort();
    // Every texel written, each in its range.
    if (!texelsInRange(texels)) std::abort();
    // A frame of another size is refused without a write.
    fill(other, size_t(width + 1) * size_t(height) * 3);
    if (depth_frame::readDepthFrame(depthPath, signalPath, width + 1, height, other.data()) !=
        depth_frame::FrameStatus::SizeMismatch)
        std::abort();
    if (!untouched(other)) std::abort();
    return 0;
}
