#pragma once
// The depth-camera recording behind newresources/3/: a person dancing in front of a back
// wall, seen by a 320 x 240 depth camera at 18 frames per second.
//
// Depth file "D_%05d.tiff": 8-bit, three channels as OpenCV holds them; channel 0 holds the
// low byte and channel 1 the high byte of the depth in millimetres (0 where the camera saw
// nothing). Signal file "Dv%05d.tiff": channels 0 and 1 hold the image motion (u, v) of what
// the pixel shows, in units of 8 pixels per frame, as 128 + 128 x value.
#include <opencv2/core.hpp>

namespace content {

constexpr int kDepthFirst = 175;
constexpr int kDepthLast = 639;
constexpr int kDepthWidth = 320;
constexpr int kDepthHeight = 240;

struct DepthFrame {
    cv::Mat depth;   // CV_8UC3, the depth file's pixels
    cv::Mat signal;  // CV_8UC3, the signal file's pixels
};

// Renders recording frame `number` (kDepthFirst .. kDepthLast); the recording loops, so the
// last frame leads smoothly into the first.
DepthFrame renderDepthFrame(int number);

// Depth in millimetres of pixel (x, y) of a depth file's pixels.
inline int depthMillimetres(const cv::Mat& depth, int x, int y) {
    const cv::Vec3b p = depth.at<cv::Vec3b>(y, x);
    return p[0] + 256 * p[1];
}

}  // namespace content
