#include "generator/cloud_file.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <stdexcept>

#include "generator/image_io.h"
#include "formats/point_cloud_file.h"

namespace content {

void writeScanCloud(const std::string& tmpPath, const std::vector<ScanPoint>& points, const std::vector<float>& visibility,
                    const std::vector<uint32_t>& order, float unitsPerMetre) {
    float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
    for (const ScanPoint& s : points) {
        const float v[3] = {s.p.x * unitsPerMetre, s.p.y * unitsPerMetre, s.p.z * unitsPerMetre};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
    }
    std::vector<uint16_t> records;
    records.reserve(order.size() * 4);
    for (uint32_t i : order) {
        const ScanPoint& s = points[i];
        const float v[3] = {s.p.x * unitsPerMetre, s.p.y * unitsPerMetre, s.p.z * unitsPerMetre};
        for (int k = 0; k < 3; ++k) records.push_back(quantisePointValue(v[k], lo[k], hi[k]));
        records.push_back(quantisePointValue(10.0f * visibility[i], 0.0f, 10.0f));
    }
    if (!writeCompressedPointCloud(tmpPath, lo, hi, records)) throw std::runtime_error("cannot write " + tmpPath);
}

namespace {

// Warm white for open points, deep blue-grey for occluded ones: the way the show shades them.
cv::Vec3b shade(float w) {
    const float t = std::clamp(w / 10.0f, 0.0f, 1.0f);
    const float g = 0.08f + 0.92f * std::pow(t, 1.4f);
    return cv::Vec3b(static_cast<uchar>(255 * g * 0.86f), static_cast<uchar>(255 * g * 0.94f), static_cast<uchar>(255 * g));
}

}  // namespace

void previewCloudFile(const Context& ctx, const std::string& path, const std::string& name, const PreviewCamera& camera) {
    PointCloudFile cloud;
    std::string error;
    if (!readCompressedPointCloud(path, cloud, error) || cloud.count == 0)
        throw std::runtime_error("cannot read " + path + (error.empty() ? "" : ": " + error));
    const float* lo = cloud.boundsMin;
    const float* hi = cloud.boundsMax;
    const int S = 800;
    // Orthographic views: top (x across, z down) and side (x across, y up), nearest wins.
    const float span = std::max(hi[0] - lo[0], hi[2] - lo[2]);
    cv::Mat top(S, S, CV_8UC3, cv::Scalar(0, 0, 0)), side(S / 2, S, CV_8UC3, cv::Scalar(0, 0, 0));
    std::vector<float> topDepth(static_cast<size_t>(S) * S, -1e30f), sideDepth(static_cast<size_t>(S) * S / 2, 1e30f);
    // Perspective view through the camera.
    cv::Mat view(675, 1200, CV_8UC3, cv::Scalar(0, 0, 0));
    std::vector<float> viewDepth(static_cast<size_t>(view.rows) * view.cols, 1e30f);
    const cv::Vec3f eye(camera.eye[0], camera.eye[1], camera.eye[2]);
    const cv::Vec3f fwd = cv::normalize(cv::Vec3f(camera.target[0], camera.target[1], camera.target[2]) - eye);
    const cv::Vec3f right = cv::normalize(fwd.cross(cv::Vec3f(0, 1, 0)));
    const cv::Vec3f up = right.cross(fwd);
    const float focal = 0.5f * view.rows / std::tan(camera.fovDegrees * 0.5f * 3.14159265f / 180.0f);
    for (int32_t i = 0; i < cloud.count; ++i) {
        const float* p = &cloud.points[static_cast<size_t>(i) * 4];
        const cv::Vec3b c = shade(p[3]);
        const int tx = static_cast<int>((p[0] - lo[0]) / span * (S - 1)), tz = static_cast<int>((p[2] - lo[2]) / span * (S - 1));
        if (tx >= 0 && tx < S && tz >= 0 && tz < S && p[1] > topDepth[static_cast<size_t>(tz) * S + tx]) {
            topDepth[static_cast<size_t>(tz) * S + tx] = p[1];
            top.at<cv::Vec3b>(tz, tx) = c;
        }
        const int sy = S / 2 - 1 - static_cast<int>((p[1] - lo[1]) / span * (S - 1));
        if (tx >= 0 && tx < S && sy >= 0 && sy < S / 2 && p[2] < sideDepth[static_cast<size_t>(sy) * S + tx]) {
            sideDepth[static_cast<size_t>(sy) * S + tx] = p[2];
            side.at<cv::Vec3b>(sy, tx) = c;
        }
        const cv::Vec3f d = cv::Vec3f(p[0], p[1], p[2]) - eye;
        const float z = d.dot(fwd);
        if (z <= 1e-6f) continue;
        const int vx = static_cast<int>(view.cols / 2 + focal * d.dot(right) / z);
        const int vy = static_cast<int>(view.rows / 2 - focal * d.dot(up) / z);
        // Near points cover more pixels, as round points of a fixed world size would.
        const int r = std::clamp(static_cast<int>(0.00006f * focal / z), 0, 3);
        for (int oy = -r; oy <= r; ++oy)
            for (int ox = -r; ox <= r; ++ox) {
                const int x = vx + ox, y = vy + oy;
                if (x < 0 || y < 0 || x >= view.cols || y >= view.rows) continue;
                float& zb = viewDepth[static_cast<size_t>(y) * view.cols + x];
                if (z < zb) zb = z, view.at<cv::Vec3b>(y, x) = c;
            }
    }
    writePreview(ctx, name + "_top.png", top);
    writePreview(ctx, name + "_side.png", side);
    writePreview(ctx, name + "_view.png", view);
}

}  // namespace content
