// Scenery pictures: the night sky cube, the moon, a foggy background and a city skyline.
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "generator/catalogue.h"
#include "generator/image_io.h"
#include "generator/noise.h"
#include "generator/rng.h"

namespace content {
namespace {

const float kPi = 3.14159265f;

cv::Vec3f lerp(const cv::Vec3f& a, const cv::Vec3f& b, float t) { return a + (b - a) * t; }

// The sky's colour in direction (x, y, z), y up, without stars: near-black at the zenith,
// deep blue towards a faintly warm horizon, a milky way across it.
cv::Vec3f nightSky(const Noise& n, float x, float y, float z) {
    const float l = std::sqrt(x * x + y * y + z * z);
    x /= l, y /= l, z /= l;
    const float up = std::max(-0.2f, y);
    cv::Vec3f c = lerp(cv::Vec3f(0.07f, 0.075f, 0.11f), cv::Vec3f(0.006f, 0.009f, 0.025f), std::pow(clamp01(up), 0.45f));
    c += cv::Vec3f(0.06f, 0.035f, 0.02f) * std::exp(-std::fabs(y) * 9.0f);  // town glow at the horizon
    if (y < 0.0f) c *= std::max(0.25f, 1.0f + 3.0f * y);                   // below the horizon: dim haze
    // The milky way: a band about a tilted great circle, clumpy, with dark dust lanes.
    const float bx = 0.35f, by = 0.55f, bz = 0.76f;  // the band's pole (unit)
    const float d = x * bx + y * by + z * bz;
    const float band = std::exp(-d * d / 0.035f);
    const float clump = 0.5f + 0.5f * n.fbm(x * 3.0f, y * 3.0f, z * 3.0f, 5);
    const float dust = smoothstep(0.05f, 0.3f, n.turbulence(x * 5.0f + 7.0f, y * 5.0f, z * 5.0f, 4));
    c += cv::Vec3f(0.26f, 0.24f, 0.27f) * (band * clump * clump * (0.25f + 0.75f * dust));
    // A faint nebula or two.
    const float neb = std::pow(clamp01(n.fbm(x * 1.5f + 3.0f, y * 1.5f, z * 1.5f, 4) * 1.6f), 3.0f);
    c += cv::Vec3f(0.09f, 0.025f, 0.06f) * neb;
    return c;
}

// The sky cube as a horizontal cross, 4 x 3 faces: the middle row holds -x, +y (the zenith),
// +x and -y; the column of +y holds -z above it and +z below it. This maps a face pixel
// (s, t in -1 .. 1, t downwards) to its direction.
bool crossDirection(int col, int row, float s, float t, float& x, float& y, float& z) {
    if (row == 1) {
        switch (col) {
            case 0: x = -1, y = s, z = t; return true;    // -x, its right edge meets +y's left
            case 1: x = s, y = 1, z = t; return true;     // +y
            case 2: x = 1, y = -s, z = t; return true;    // +x
            case 3: x = -s, y = -1, z = t; return true;   // -y
        }
        return false;
    }
    if (col != 1) return false;
    if (row == 0) { x = s, y = t, z = -1; return true; }  // -z, its bottom edge meets +y's top
    x = s, y = -t, z = 1;                                 // +z, its top edge meets +y's bottom
    return true;
}

// The night sky of the lidar scenes, for the sky cube and the screen passes' reflections:
// stars of many brightnesses (a few tinted), a milky way, a faint glow at the horizon.
void makeSkybox(const Context& ctx, const std::string& tmp) {
    const int face = ctx.small ? 128 : 512;
    const Noise n(61);
    cv::Mat sky(face * 3, face * 4, CV_32FC3, cv::Scalar(0, 0, 0));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            for (int j = 0; j < face; ++j)
                for (int i = 0; i < face; ++i) {
                    float x, y, z;
                    const float s = (static_cast<float>(i) + 0.5f) / face * 2.0f - 1.0f, t = (static_cast<float>(j) + 0.5f) / face * 2.0f - 1.0f;
                    if (!crossDirection(col, row, s, t, x, y, z)) continue;
                    const cv::Vec3f c = nightSky(n, x, y, z);
                    sky.at<cv::Vec3f>(row * face + j, col * face + i) = cv::Vec3f(c[2], c[1], c[0]);
                }
    // Stars: directions drawn uniformly, each splatted into the face it falls on. Brightness
    // follows a steep power law, so most are faint and a few stand out.
    Rng rng(62);
    const int stars = ctx.small ? 3000 : 24000;
    for (int k = 0; k < stars; ++k) {
        const float y = static_cast<float>(rng.uniform(-1.0, 1.0)), a = static_cast<float>(rng.uniform(0.0, 2.0 * kPi));
        const float r = std::sqrt(1.0f - y * y);
        const float x = r * std::cos(a), z = r * std::sin(a);
        const float mag = static_cast<float>(std::pow(rng.uniform(), 7.0));
        const float tint = static_cast<float>(rng.uniform(-1.0, 1.0));
        const float ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
        int col, row;
        float s, t;
        if (ay >= ax && ay >= az) {
            if (y > 0) col = 1, row = 1, s = x / ay, t = z / ay;
            else col = 3, row = 1, s = -x / ay, t = z / ay;
        } else if (ax >= az) {
            if (x > 0) col = 2, row = 1, s = -y / ax, t = z / ax;
            else col = 0, row = 1, s = y / ax, t = z / ax;
        } else if (z < 0) {
            col = 1, row = 0, s = x / az, t = y / az;
        } else {
            col = 1, row = 2, s = x / az, t = -y / az;
        }
        if (y < -0.05f) continue;  // no stars below the horizon
        const float fade = clamp01((y + 0.05f) * 8.0f);
        const float px = (s + 1.0f) * 0.5f * face + static_cast<float>(col * face), py = (t + 1.0f) * 0.5f * face + static_cast<float>(row * face);
        const float bright = (0.15f + 2.2f * mag) * fade;
        const float radius = 0.55f + 1.1f * mag;
        const cv::Vec3f colour = tint > 0.6f ? cv::Vec3f(1.0f, 0.85f, 0.7f) : tint < -0.7f ? cv::Vec3f(0.75f, 0.85f, 1.0f) : cv::Vec3f(1, 1, 1);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int xi = static_cast<int>(px) + dx, yi = static_cast<int>(py) + dy;
                if (xi < col * face || xi >= (col + 1) * face || yi < row * face || yi >= (row + 1) * face) continue;
                const float ddx = static_cast<float>(xi) + 0.5f - px, ddy = static_cast<float>(yi) + 0.5f - py;
                const float g = bright * std::exp(-(ddx * ddx + ddy * ddy) / (2.0f * radius * radius));
                sky.at<cv::Vec3f>(yi, xi) += cv::Vec3f(colour[2], colour[1], colour[0]) * g;
            }
    }
    writeImage(toBytes(sky), ".png", tmp);
}

// The moon over the boat and rainbow scenes: a waxing gibbous moon on black, with maria,
// bright rayed craters and a soft limb, lit from the right.
void makeMoon(const Context& ctx, const std::string& tmp) {
    const int n = ctx.small ? 256 : 1024;
    const Noise maria(71), rough(72);
    Rng rng(73);
    struct Crater { float x, y, z, r; };
    std::vector<Crater> craters;
    for (int i = 0; i < 260; ++i) {
        const float y = static_cast<float>(rng.uniform(-1.0, 1.0)), a = static_cast<float>(rng.uniform(0.0, 2.0 * kPi));
        const float r = std::sqrt(1.0f - y * y);
        craters.push_back({r * std::cos(a), y, r * std::sin(a), static_cast<float>(0.015 + 0.12 * std::pow(rng.uniform(), 3.0))});
    }
    const float sunX = 0.75f, sunY = 0.15f, sunZ = 0.64f;  // lit from the right and a little in front
    const float R = 0.42f;
    writeImage(paint(n, n, [&](float u, float v) {
                   const float px = (u - 0.5f) / R, py = (0.5f - v) / R;
                   const float rr = px * px + py * py;
                   // A faint halo outside the limb only.
                   if (rr >= 1.0f) return cv::Vec3f(1.0f, 0.97f, 0.9f) * (0.03f * std::exp(-(std::sqrt(rr) - 1.0f) * 8.0f));
                   const float pz = std::sqrt(1.0f - rr);
                   // Surface albedo: dark maria, bright highlands, craters with bright rims.
                   float albedo = 0.72f - 0.3f * smoothstep(-0.05f, 0.25f, maria.fbm(px * 1.6f, py * 1.6f, pz * 1.6f, 5));
                   albedo += 0.06f * rough.fbm(px * 12.0f, py * 12.0f, pz * 12.0f, 4);
                   float nx = px, ny = py, nz = pz;
                   for (const Crater& c : craters) {
                       const float dx = px - c.x, dy = py - c.y, dz = pz - c.z;
                       const float d = std::sqrt(dx * dx + dy * dy + dz * dz) / c.r;
                       if (d > 2.5f || c.z < -0.2f) continue;
                       if (d < 1.0f) {
                           // The bowl: tilt the normal towards the centre (a dish), darker floor.
                           const float k = 0.6f * d;
                           nx -= dx / c.r * k * 0.5f, ny -= dy / c.r * k * 0.5f;
                           albedo *= 0.93f;
                       } else {
                           const float rim = std::exp(-(d - 1.0f) * (d - 1.0f) * 18.0f);
                           nx += dx / c.r * rim * 0.25f, ny += dy / c.r * rim * 0.25f;
                           albedo += 0.08f * std::exp(-(d - 1.0f) * 3.0f) * (c.r > 0.06f ? 1.0f : 0.4f);
                       }
                   }
                   const float l = std::sqrt(nx * nx + ny * ny + nz * nz);
                   const float lambert = std::max(0.0f, (nx * sunX + ny * sunY + nz * sunZ) / l);
                   // Lunar soil scatters back: flatter than Lambert, with a soft terminator.
                   const float light = std::pow(lambert, 0.7f) * smoothstep(-0.02f, 0.12f, px * sunX + py * sunY + pz * sunZ);
                   const float earthshine = 0.025f;
                   const float value = clamp01(albedo) * (light * 1.05f + earthshine);
                   return cv::Vec3f(1.0f, 0.97f, 0.9f) * value;
               }),
               ".jpg", tmp);
}

// The rainbow and fallers scenes' backdrop (also the rainbow particles' colour source): a
// foggy night gradient, dark blue-grey above, a pale haze band low down, drifting wisps. It
// tiles across.
void makeFogBackground(const Context& ctx, const std::string& tmp) {
    const int n = ctx.small ? 256 : 1024;
    const Noise fog(81);
    writeImage(paint(n, n, [&](float x, float y) {
                   const float haze = std::exp(-std::pow((y - 0.68f) / 0.18f, 2.0f));
                   cv::Vec3f c = lerp(cv::Vec3f(0.05f, 0.06f, 0.08f), cv::Vec3f(0.015f, 0.015f, 0.02f), y > 0.68f ? (y - 0.68f) / 0.32f : 0.0f);
                   c = lerp(cv::Vec3f(0.02f, 0.025f, 0.04f), c, smoothstep(0.0f, 0.68f, y));
                   const float wisps = 0.5f + 0.5f * fog.fbm(x * 4.0f, y * 16.0f, 0.0f, 5, 4, 0);
                   c += cv::Vec3f(0.30f, 0.31f, 0.33f) * (haze * (0.55f + 0.45f * wisps));
                   c += cv::Vec3f(0.06f, 0.06f, 0.07f) * std::pow(wisps, 3.0f) * smoothstep(0.2f, 0.7f, y);
                   return c;
               }),
               ".jpg", tmp);
}

// The rainbow scene's skyline: a city at night, towers and blocks in silhouette against a
// sky lit orange from below, with lit windows, rooftop lights and a haze at street level.
// It tiles across.
void makeCity(const Context& ctx, const std::string& tmp) {
    const int w = ctx.small ? 512 : 2048, h = w / 2;
    Rng rng(91);
    // Buildings: [x0, x1) in 0..1, height in 0..1 of the picture, window grid and lit share.
    struct Building { float x0, x1, top; int style; float lit; uint64_t seed; };
    std::vector<Building> rows[2];
    for (int layer = 0; layer < 2; ++layer) {
        float x = 0.0f;
        while (x < 1.0f) {
            const float bw = static_cast<float>(rng.uniform(0.012, 0.05) * (layer == 0 ? 1.4 : 1.0));
            const float tall = static_cast<float>(std::pow(rng.uniform(), 2.2));
            const float top = layer == 0 ? 0.48f + 0.2f * tall : 0.30f + 0.4f * tall;
            rows[layer].push_back({x, std::min(1.0f, x + bw), top, static_cast<int>(rng.below(3)), static_cast<float>(rng.uniform(0.08, 0.45)), rng.next()});
            x += bw + static_cast<float>(rng.uniform(0.0, 0.006));
        }
    }
    const Noise n(92);
    writeImage(paint(w, h, [&](float x, float y) {
                   // The sky: black above, warm light pollution near the skyline.
                   cv::Vec3f c = lerp(cv::Vec3f(0.01f, 0.012f, 0.03f), cv::Vec3f(0.22f, 0.11f, 0.05f), std::pow(y, 2.4f));
                   c += cv::Vec3f(0.04f, 0.03f, 0.03f) * (0.5f + 0.5f * n.fbm(x * 6.0f, y * 3.0f, 0.0f, 4, 6, 0)) * y;
                   for (int layer = 0; layer < 2; ++layer) {
                       for (const Building& b : rows[layer]) {
                           if (x < b.x0 || x >= b.x1 || y < 1.0f - b.top) continue;
                           const float shade = layer == 0 ? 0.045f : 0.02f;
                           c = cv::Vec3f(shade * 0.9f, shade * 0.95f, shade * 1.2f);
                           // Windows: a grid in picture pixels; each window lit or not, by hash.
                           const int wx = static_cast<int>((x - b.x0) * static_cast<float>(w)), wy = static_cast<int>((y - (1.0f - b.top)) * static_cast<float>(h));
                           const int cellW = layer == 0 ? 7 : 9, cellH = layer == 0 ? 9 : 12;
                           const int gx = wx / cellW, gy = wy / cellH;
                           const bool inWindow = wx % cellW >= 2 && wx % cellW < cellW - 1 && wy % cellH >= 3 && wy % cellH < cellH - 2 &&
                                                 wy > cellH && (x - b.x0) * static_cast<float>(w) < (b.x1 - b.x0) * static_cast<float>(w) - 3.0f;
                           if (inWindow) {
                               Rng wr(b.seed ^ (static_cast<uint64_t>(gx) * 73856093u) ^ (static_cast<uint64_t>(gy) * 19349663u));
                               const double r = wr.uniform();
                               if (r < b.lit) {
                                   const float warm = static_cast<float>(wr.uniform());
                                   c = lerp(cv::Vec3f(1.0f, 0.78f, 0.42f), cv::Vec3f(0.75f, 0.85f, 1.0f), warm < 0.8f ? 0.0f : 1.0f) *
                                       static_cast<float>(wr.uniform(0.35, 0.9)) * (layer == 0 ? 0.6f : 1.0f);
                               } else if (r < b.lit + 0.1) {
                                   c = cv::Vec3f(0.08f, 0.07f, 0.06f);
                               }
                           }
                           // A red light on the tallest roofs.
                           if (b.top > 0.6f && b.style == 0) {
                               const float mx = (b.x0 + b.x1) * 0.5f;
                               const float dx = (x - mx) * static_cast<float>(w), dy = (y - (1.0f - b.top) + 0.004f) * static_cast<float>(h);
                               c += cv::Vec3f(1.0f, 0.1f, 0.05f) * std::exp(-(dx * dx + dy * dy) / 6.0f);
                           }
                       }
                   }
                   // Street-level haze.
                   c += cv::Vec3f(0.18f, 0.10f, 0.05f) * std::pow(smoothstep(0.8f, 1.0f, y), 2.0f);
                   return c;
               }),
               ".jpg", tmp);
}

CONTENT_ASSETS(scenery) {
    addAsset({"newresources/skybox.png", 1, 2.0, makeSkybox, previewImageFile});
    addAsset({"newresources/moon.jpg", 1, 1.5, makeMoon, previewImageFile});
    addAsset({"newresources/bg03.jpg", 1, 0.4, makeFogBackground, previewImageFile});
    addAsset({"newresources/city3.jpg", 1, 1.0, makeCity, previewImageFile});
}

}  // namespace
}  // namespace content
