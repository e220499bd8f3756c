#pragma once
// One frame of a depth-camera recording, decoded into float texels for the depth texture.
//
// A frame is a pair of 8-bit, three-channel images of the same size. The depth file holds a
// 16-bit depth in its first two channel bytes, the signal file a two-component motion signal
// offset by 128. Each pixel becomes one RGB float texel (u, v, depth):
//   depth = (b0 + 256 x b1) / 256        (0 .. 255.996)
//   u = (c0 - 128) / 128, v = (c1 - 128) / 128   (-1 .. 0.9921875)
// and image row y lands in texel row height - 1 - y (the texture is bottom-up).
//
//   std::vector<float> texels(w * h * 3);
//   DepthFrameRead r = readDepthFrame(depthPath, signalPath, w, h, texels.data());
//
// Files are read with OpenCV (colour, channels in file order as OpenCV holds them).
#include <cstddef>
#include <cstdint>
#include <string>

namespace depth_frame {

// Decodes `height` rows of `width` pixels into `texels` (width x height x 3 floats). Rows
// are `stride` bytes apart in both images. Without a signal image the motion is zero.
void decodePixels(const uint8_t* depth, const uint8_t* signal, size_t stride, int width, int height,
                  float* texels);

enum class FrameStatus {
    Decoded,          // depth and signal decoded
    SignalMissing,    // depth decoded; the signal file is missing, unreadable or of another size: zero motion
    DepthMissing,     // the depth file cannot be read: texels untouched
    SizeMismatch,     // the depth file is not width x height: texels untouched
};

// Reads a frame pair into `texels` (width x height x 3 floats), which it only writes when the
// depth file is readable and exactly width x height.
FrameStatus readDepthFrame(const std::string& depthPath, const std::string& signalPath, int width,
                           int height, float* texels);

// The size of an image file; false (and 0 x 0) when it cannot be read.
bool readFrameSize(const std::string& path, int& width, int& height);

}  // namespace depth_frame
