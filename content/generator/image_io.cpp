#include "generator/image_io.h"

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <stdexcept>
#include <vector>

namespace content {

void writeImage(const cv::Mat& image, const std::string& ext, const std::string& tmpPath, int jpegQuality) {
    std::vector<int> params;
    if (ext == ".jpg") params = {cv::IMWRITE_JPEG_QUALITY, jpegQuality};
    if (ext == ".png") params = {cv::IMWRITE_PNG_COMPRESSION, 6};
    std::vector<uchar> bytes;
    if (!cv::imencode(ext, image, bytes, params)) throw std::runtime_error("cannot encode " + ext);
    std::ofstream out(tmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + tmpPath);
}

cv::Mat paint(int w, int h, const std::function<cv::Vec3f(float x, float y)>& rgb) {
    cv::Mat image(h, w, CV_32FC3);
    for (int j = 0; j < h; ++j) {
        cv::Vec3f* row = image.ptr<cv::Vec3f>(j);
        const float y = (static_cast<float>(j) + 0.5f) / static_cast<float>(h);
        for (int i = 0; i < w; ++i) {
            const cv::Vec3f c = rgb((static_cast<float>(i) + 0.5f) / static_cast<float>(w), y);
            row[i] = cv::Vec3f(c[2], c[1], c[0]);
        }
    }
    return toBytes(image);
}

cv::Mat toBytes(const cv::Mat& floatImage) {
    cv::Mat out;
    floatImage.convertTo(out, CV_8U, 255.0);  // saturating, rounds to nearest
    return out;
}

void writePreview(const Context& ctx, const std::string& name, const cv::Mat& image) {
    if (ctx.previewDir.empty()) return;
    const std::string path = (std::filesystem::path(ctx.previewDir) / name).string();
    if (!cv::imwrite(path, image)) throw std::runtime_error("cannot write preview " + path);
}

void previewImageFile(const Context& ctx, const std::string& finalPath) {
    const int maxSide = 1024;
    cv::Mat image = cv::imread(finalPath, cv::IMREAD_COLOR);
    if (image.empty()) throw std::runtime_error("cannot read " + finalPath);
    const int side = std::max(image.cols, image.rows);
    if (side > maxSide) {
        const double s = static_cast<double>(maxSide) / side;
        cv::resize(image, image, cv::Size(), s, s, cv::INTER_AREA);
    }
    writePreview(ctx, std::filesystem::path(finalPath).stem().string() + ".png", image);
}

}  // namespace content
