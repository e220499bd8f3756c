#pragma once
// Writing pictures from the generator: encodes by the final file's extension (the file is
// written under a temporary name, so OpenCV cannot pick the encoder from that name), and
// renders previews.
#include <opencv2/core.hpp>
#include <functional>
#include <string>

#include "generator/catalogue.h"

namespace content {

// Encodes `image` (8-bit BGR, as OpenCV holds it) in the format `ext` names (".jpg", ".png",
// ".tiff") and writes the bytes to `tmpPath`. Throws on failure.
void writeImage(const cv::Mat& image, const std::string& ext, const std::string& tmpPath, int jpegQuality = 92);

// Paints a w x h picture pixel by pixel: `rgb`(x, y) gets the pixel's position in 0 .. 1
// (pixel centres) and returns red, green, blue in 0 .. 1. The result is 8-bit BGR.
cv::Mat paint(int w, int h, const std::function<cv::Vec3f(float x, float y)>& rgb);

// Converts a float picture (0..1 per channel, BGR) to 8 bits with rounding and clamping.
cv::Mat toBytes(const cv::Mat& floatImage);

// Writes a preview PNG named `name` into ctx.previewDir (nothing when previews are off).
void writePreview(const Context& ctx, const std::string& name, const cv::Mat& image);

// A preview of a finished image file: the picture itself, shrunk to at most `maxSide` pixels.
void previewImageFile(const Context& ctx, const std::string& finalPath);

}  // namespace content
