// try1.sav: the recorded hand-held camera wobble that the scenes add to their cameras.
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/camera_path.h"
#include "generator/catalogue.h"
#include "generator/camera_wobble.h"
#include "generator/image_io.h"
#include "generator/rng.h"

namespace content {

namespace {

// A smooth random signal of n samples that loops exactly: a sum of sines with a whole number
// k of cycles over the recording (kMin <= k <= kMax), amplitude falling as 1 / k^slope, then
// scaled so that its largest magnitude is 1.
std::vector<double> loopingSignal(Rng& rng, int n, int kMin, int kMax, double slope) {
    std::vector<double> s(static_cast<size_t>(n), 0.0);
    const double tau = 6.283185307179586;
    for (int k = kMin; k <= kMax; ++k) {
        const double amp = std::pow(static_cast<double>(k), -slope) * rng.uniform(0.5, 1.0);
        const double phase = rng.uniform(0.0, tau);
        for (int i = 0; i < n; ++i) s[static_cast<size_t>(i)] += amp * std::sin(tau * k * i / n + phase);
    }
    double peak = 1e-12;
    for (double v : s) peak = std::max(peak, std::fabs(v));
    for (double& v : s) v /= peak;
    return s;
}

}  // namespace

std::vector<PathRecord> handHeldWobble(int n) {
    // 35 samples per second: breathing sway (a few seconds per cycle) dominates, with a
    // little tremor up to about 2 Hz; it loops, so the loader's seam blend has nothing to hide.
    const double seconds = n / 35.0;
    const int kMax = std::max(4, static_cast<int>(seconds * 2.0));
    Rng rng(4242);
    const std::vector<double> x = loopingSignal(rng, n, 1, kMax, 1.1);
    const std::vector<double> y = loopingSignal(rng, n, 1, kMax, 1.2);
    const std::vector<double> z = loopingSignal(rng, n, 1, kMax, 1.1);
    // Value B tilts the up vector: slower than the sway. Value A: a slow breathing signal.
    const std::vector<double> b = loopingSignal(rng, n, 1, std::max(2, kMax / 6), 1.0);
    const std::vector<double> a = loopingSignal(rng, n, 1, std::max(2, kMax / 10), 0.8);
    std::vector<PathRecord> records(static_cast<size_t>(n));
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].x = static_cast<float>(260.0 * x[i]);
        records[i].y = static_cast<float>(160.0 * y[i]);
        records[i].z = static_cast<float>(220.0 * z[i]);
        records[i].valueA = a[i];
        records[i].valueB = 950.0 * b[i];
    }
    return records;
}

namespace {

// The wobble of a hand-held camera, 120 seconds of it: positions within +-260, value B a
// slow +-950 tilt, value A a slow +-1 signal. Scenes read up to about 2,500 samples of it.
void makeCameraWobble(const Context& ctx, const std::string& tmp) {
    if (!writePathRecords(tmp, handHeldWobble(ctx.small ? 400 : 4200))) throw std::runtime_error("cannot write " + tmp);
}

// The five channels against time, one trace each.
void previewCameraWobble(const Context& ctx, const std::string& path) {
    std::vector<PathRecord> r;
    std::string error;
    if (!readPathRecords(path, r, error)) throw std::runtime_error(error);
    const int W = 1400, H = 120, rows = 5;
    cv::Mat img(H * rows, W, CV_8UC3, cv::Scalar(16, 16, 16));
    const cv::Scalar colours[rows] = {{90, 90, 255}, {90, 255, 90}, {255, 140, 90}, {200, 200, 200}, {80, 200, 255}};
    for (int c = 0; c < rows; ++c) {
        const double range = c < 3 ? 300.0 : (c == 3 ? 1.0 : 1000.0);
        cv::line(img, {0, c * H + H / 2}, {W, c * H + H / 2}, cv::Scalar(60, 60, 60));
        std::vector<cv::Point> pts;
        for (size_t i = 0; i < r.size(); ++i) {
            const double v = c == 0 ? r[i].x : c == 1 ? r[i].y : c == 2 ? r[i].z : c == 3 ? r[i].valueA : r[i].valueB;
            pts.emplace_back(static_cast<int>(i * (W - 1) / std::max<size_t>(1, r.size() - 1)),
                             c * H + H / 2 - static_cast<int>(v / range * (H / 2 - 4)));
        }
        cv::polylines(img, pts, false, colours[c], 1, cv::LINE_AA);
    }
    writePreview(ctx, "try1.png", img);
}

CONTENT_ASSETS(cameraWobble) {
    addAsset({"newresources/try1.sav", 1, 0.1, makeCameraWobble, previewCameraWobble});
}

}  // namespace
}  // namespace content
