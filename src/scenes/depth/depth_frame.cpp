#include "scenes/depth/depth_frame.h"

#include <fstream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

namespace depth_frame {

namespace {

// A readable three-channel 8-bit image, or an empty one. The existence check comes first so
// that a missing file stays quiet (OpenCV would warn on stderr).
//
// A Radiance picture ("#?" signature) is refused before OpenCV sees it: its decoder keeps the
// file open when the header is bad or too large, one descriptor per read, and the scene reads
// every frame again each time it plays. A recording's frames are 8-bit images anyway.
cv::Mat loadColour(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return cv::Mat();
    char signature[2] = {0, 0};
    file.read(signature, 2);
    if (signature[0] == '#' && signature[1] == '?') return cv::Mat();
    file.close();
    cv::Mat image;
    try {
        image = cv::imread(path, cv::IMREAD_COLOR);
    } catch (const cv::Exception&) {  // some broken TIFFs make the decoder throw, not fail
        return cv::Mat();
    }
    if (image.empty() || image.type() != CV_8UC3) return cv::Mat();
    return image;
}

}  // namespace

void decodePixels(const uint8_t* depth, const uint8_t* signal, size_t stride, int width, int height,
                  float* texels) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* d = depth + stride * static_cast<size_t>(y);
        const uint8_t* s = signal ? signal + stride * static_cast<size_t>(y) : nullptr;
        float* out = texels + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 3;
        for (int x = 0; x < width; ++x, d += 3, out += 3) {
            out[0] = s ? (static_cast<float>(s[0]) - 128.0f) / 128.0f : 0.0f;
            out[1] = s ? (static_cast<float>(s[1]) - 128.0f) / 128.0f : 0.0f;
            out[2] = (static_cast<float>(d[0]) + 256.0f * static_cast<float>(d[1])) / 256.0f;
            if (s) s += 3;
        }
    }
}

FrameStatus readDepthFrame(const std::string& depthPath, const std::string& signalPath, int width,
                           int height, float* texels) {
    cv::Mat depth = loadColour(depthPath);
    if (depth.empty()) return FrameStatus::DepthMissing;
    if (depth.cols != width || depth.rows != height) return FrameStatus::SizeMismatch;
    if (!depth.isContinuous()) depth = depth.clone();

    cv::Mat signal = loadColour(signalPath);
    const bool signalFits = !signal.empty() && signal.cols == width && signal.rows == height;
    if (signalFits && !signal.isContinuous()) signal = signal.clone();
    decodePixels(depth.ptr<uint8_t>(0), signalFits ? signal.ptr<uint8_t>(0) : nullptr,
                 static_cast<size_t>(width) * 3, width, height, texels);
    return signalFits ? FrameStatus::Decoded : FrameStatus::SignalMissing;
}

bool readFrameSize(const std::string& path, int& width, int& height) {
    const cv::Mat image = loadColour(path);
    width = image.empty() ? 0 : image.cols;
    height = image.empty() ? 0 : image.rows;
    return !image.empty();
}

}  // namespace depth_frame
