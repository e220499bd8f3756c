// The two fields every particle system samples: the curl-noise velocity field ("CurlTexture")
// and the Voronoi map ("VoronoiTexture").
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/flow_field_files.h"
#include "generator/catalogue.h"
#include "generator/fields.h"
#include "generator/image_io.h"
#include "generator/noise.h"
#include "generator/rng.h"

namespace content {

std::vector<float> curlNoiseField(int nx, int ny, int nz, float period, int octaves) {
    // The potential, one texel wider on every side so that the central differences at the
    // faces need no special case.
    const int px = nx + 2, py = ny + 2, pz = nz + 2;
    const Noise n0(101), n1(102), n2(103);
    std::vector<float> psi(static_cast<size_t>(px) * py * pz * 3);
    const float f = 1.0f / period;
    for (int z = 0; z < pz; ++z)
        for (int y = 0; y < py; ++y)
            for (int x = 0; x < px; ++x) {
                float* p = &psi[((static_cast<size_t>(z) * py + y) * px + x) * 3];
                const float fx = static_cast<float>(x - 1) * f, fy = static_cast<float>(y - 1) * f,
                            fz = static_cast<float>(z - 1) * f;
                p[0] = n0.fbm(fx, fy, fz, octaves);
                p[1] = n1.fbm(fx + 31.4f, fy, fz, octaves);
                p[2] = n2.fbm(fx, fy + 17.7f, fz, octaves);
            }
    auto at = [&](int x, int y, int z, int c) {
        return psi[((static_cast<size_t>(z + 1) * py + (y + 1)) * px + (x + 1)) * 3 + c];
    };
    // v = curl(psi) by central differences: the discrete divergence of a discrete curl built
    // from the same differences vanishes, so the field is divergence-free up to rounding.
    std::vector<float> v(static_cast<size_t>(nx) * ny * nz * 3);
    double sumSq = 0.0;
    for (int z = 0; z < nz; ++z)
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x) {
                const float dzdy = at(x, y + 1, z, 2) - at(x, y - 1, z, 2);
                const float dydz = at(x, y, z + 1, 1) - at(x, y, z - 1, 1);
                const float dxdz = at(x, y, z + 1, 0) - at(x, y, z - 1, 0);
                const float dzdx = at(x + 1, y, z, 2) - at(x - 1, y, z, 2);
                const float dydx = at(x + 1, y, z, 1) - at(x - 1, y, z, 1);
                const float dxdy = at(x, y + 1, z, 0) - at(x, y - 1, z, 0);
                float* o = &v[((static_cast<size_t>(z) * ny + y) * nx + x) * 3];
                o[0] = dzdy - dydz;
                o[1] = dxdz - dzdx;
                o[2] = dydx - dxdy;
                sumSq += static_cast<double>(o[0]) * o[0] + static_cast<double>(o[1]) * o[1] +
                         static_cast<double>(o[2]) * o[2];
            }
    // Magnitudes of order 1: scale to a root-mean-square speed of 1 (a uniform scale keeps
    // the field divergence-free).
    const float scale = static_cast<float>(1.0 / std::sqrt(sumSq / (static_cast<double>(nx) * ny * nz)));
    for (float& c : v) c *= scale;
    return v;
}

std::vector<float> voronoiMap(int w, int h, int cells, uint64_t seed) {
    // One seed per cell of a cells x cells grid, jittered inside its cell; the map wraps, so
    // neighbours are looked up modulo the grid and the mirrored sampling meets no seam.
    Rng rng(seed);
    std::vector<float> sx(static_cast<size_t>(cells) * cells), sy(sx.size());
    for (size_t i = 0; i < sx.size(); ++i) {
        sx[i] = static_cast<float>(rng.uniform(0.1, 0.9));
        sy[i] = static_cast<float>(rng.uniform(0.1, 0.9));
    }
    std::vector<float> map(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const float gx = (static_cast<float>(i) + 0.5f) * cells / w, gy = (static_cast<float>(j) + 0.5f) * cells / h;
            const int cx = static_cast<int>(gx), cy = static_cast<int>(gy);
            float best = 1e9f;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int ncx = cx + dx, ncy = cy + dy;
                    const size_t k = static_cast<size_t>(((ncy % cells) + cells) % cells) * cells +
                                     static_cast<size_t>(((ncx % cells) + cells) % cells);
                    const float ddx = static_cast<float>(ncx) + sx[k] - gx, ddy = static_cast<float>(ncy) + sy[k] - gy;
                    best = std::min(best, ddx * ddx + ddy * ddy);
                }
            // Distance to the nearest seed, in cell widths (at most about 0.85), to 0 .. 10000.
            map[static_cast<size_t>(j) * w + i] = std::min(1.0f, std::sqrt(best) / 0.85f) * 10000.0f;
        }
    return map;
}

namespace {

const int kVelX = kVelocitySizeX, kVelY = kVelocitySizeY, kVelZ = kVelocitySizeZ;

// The shared velocity field: curl noise, so that particles swirl without bunching up or
// thinning out (the field has no sources or sinks). Features are about 40 texels across,
// which keeps it smooth under linear filtering and mirrored wrapping.
void makeVelocityField(const Context& ctx, const std::string& tmp) {
    const std::vector<float> v = curlNoiseField(kVelX, kVelY, kVelZ, 40.0f, ctx.small ? 1 : 2);
    if (!writeVelocityField(tmp, v)) throw std::runtime_error("cannot write " + tmp);
}

// A slice through the middle of the field: x and y components as red and green, speed as
// brightness.
void previewVelocityField(const Context& ctx, const std::string& path) {
    std::vector<float> v;
    std::string error;
    if (!readVelocityField(path, v, error)) throw std::runtime_error(error);
    cv::Mat img(kVelY, kVelX * 2, CV_8UC3);
    for (int y = 0; y < kVelY; ++y)
        for (int x = 0; x < kVelX; ++x) {
            for (int half = 0; half < 2; ++half) {
                // Left: the slice z = 64; right: the slice x = 64 (z across).
                const size_t i = half == 0 ? ((static_cast<size_t>(64) * kVelY + y) * kVelX + x) * 3
                                           : ((static_cast<size_t>(x) * kVelY + y) * kVelX + 64) * 3;
                auto u8 = [](float c) { return static_cast<uchar>(std::clamp(128.0f + 60.0f * c, 0.0f, 255.0f)); };
                img.at<cv::Vec3b>(kVelY - 1 - y, half * kVelX + x) = cv::Vec3b(u8(v[i + 2]), u8(v[i + 1]), u8(v[i]));
            }
        }
    cv::resize(img, img, cv::Size(), 3, 3, cv::INTER_NEAREST);
    writePreview(ctx, "velocity.png", img);
}

// The Voronoi map: distance to the nearest of 24 x 24 scattered seeds, so that particles
// that read it settle into cells.
void makeVoronoiMap(const Context& ctx, const std::string& tmp) {
    const int side = ctx.small ? 256 : 1024;
    VoronoiMap map;
    map.width = map.height = side;
    map.values = voronoiMap(side, side, 24, 211);
    if (!writeVoronoiMap(tmp, map)) throw std::runtime_error("cannot write " + tmp);
}

void previewVoronoiMap(const Context& ctx, const std::string& path) {
    VoronoiMap file;
    std::string error;
    if (!readVoronoiMap(path, file, error)) throw std::runtime_error(error);
    const int w = file.width, h = file.height;
    const std::vector<float>& map = file.values;
    cv::Mat img(h, w, CV_8UC1);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) img.at<uchar>(j, i) = static_cast<uchar>(map[static_cast<size_t>(j) * w + i] * 0.0255f);
    cv::Mat colour;
    cv::applyColorMap(img, colour, cv::COLORMAP_BONE);
    writePreview(ctx, "voronoimap.png", colour);
}

CONTENT_ASSETS(fields) {
    addAsset({"newresources/velocity.dat", 1, 8.0, makeVelocityField, previewVelocityField});
    addAsset({"newresources/voronoimap.bin", 1, 1.0, makeVoronoiMap, previewVoronoiMap});
}

}  // namespace
}  // namespace content
