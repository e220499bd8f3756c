// Drawn pictures: the loading screen's title card and the floral ornament of the closing
// scene's frame.
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <string>

#include "generator/catalogue.h"
#include "generator/image_io.h"
#include "generator/noise.h"
#include "generator/rng.h"

namespace content {
namespace {

const float kPi = 3.14159265f;

// Text centred on (cx, y) with extra spacing between letters, drawn with anti-aliasing.
void spacedText(cv::Mat& img, const std::string& text, int cx, int baseline, int font, double scale, int thickness,
                int spacing, const cv::Scalar& colour) {
    int total = 0;
    for (char ch : text) {
        int base = 0;
        total += cv::getTextSize(std::string(1, ch), font, scale, thickness, &base).width + spacing;
    }
    total -= spacing;
    int x = cx - total / 2;
    for (char ch : text) {
        int base = 0;
        const std::string s(1, ch);
        cv::putText(img, s, {x, baseline}, font, scale, colour, thickness, cv::LINE_AA);
        x += cv::getTextSize(s, font, scale, thickness, &base).width + spacing;
    }
}

// The loading screen: the group's mark "QRB" in a thin ring, the title "VELLUNA" below it,
// warm white on black with a soft glow, all well inside the progress arc that circles the
// picture. Drawn at four times the size and shrunk, for smooth edges.
void makeLoader(const Context& ctx, const std::string& tmp) {
    const int n = ctx.small ? 256 : 512, k = 4, N = n * k;
    cv::Mat img(N, N, CV_8UC3, cv::Scalar(0, 0, 0));
    const cv::Scalar warm(200, 228, 246);  // BGR
    const cv::Point c(N / 2, N / 2 - N / 14);
    // The mark: a ring, the three letters inside, a small tick at the top and bottom.
    cv::circle(img, c, N / 6, warm, N / 160, cv::LINE_AA);
    cv::circle(img, c, N / 6 + N / 55, warm * 0.45, N / 400, cv::LINE_AA);
    spacedText(img, "QRB", c.x, c.y + N / 28, cv::FONT_HERSHEY_DUPLEX, N / 330.0, N / 170, N / 90, warm);
    cv::line(img, {c.x, c.y - N / 6 - N / 30}, {c.x, c.y - N / 6 - N / 70}, warm, N / 400, cv::LINE_AA);
    // The title, wide-spaced, and a hairline under it.
    const int titleY = N / 2 + N / 5;
    spacedText(img, "VELLUNA", N / 2, titleY, cv::FONT_HERSHEY_COMPLEX, N / 460.0, N / 240, N / 40, warm);
    cv::line(img, {N / 2 - N / 5, titleY + N / 28}, {N / 2 + N / 5, titleY + N / 28}, warm * 0.5, N / 600, cv::LINE_AA);
    cv::Mat small;
    cv::resize(img, small, cv::Size(n, n), 0, 0, cv::INTER_AREA);
    // Glow: a wide blur of the picture added back, dimmed.
    cv::Mat glow;
    cv::GaussianBlur(small, glow, cv::Size(0, 0), n / 40.0);
    cv::addWeighted(small, 1.0, glow, 0.9, 0.0, small);
    writeImage(small, ".jpg", tmp, 95);
}

// Signed distance-like value of a petal rosette around (0, 0): negative inside a petal.
float rosette(float x, float y, int petals, float radius, float twist) {
    const float r = std::sqrt(x * x + y * y), a = std::atan2(y, x) + twist;
    const float petal = radius * (0.45f + 0.55f * std::pow(std::fabs(std::cos(a * petals * 0.5f)), 1.6f));
    return r - petal;
}

// The closing scene's floral frame: an ink-dark damask of ivory and pale-gold rosettes joined
// by scrolling vines with leaves, on faint paper grain. Tiles in both directions.
void makeFloral(const Context& ctx, const std::string& tmp) {
    const int n = ctx.small ? 256 : 1024;
    const Noise grain(101);
    const cv::Vec3f ground(0.035f, 0.045f, 0.04f), ivory(0.86f, 0.82f, 0.70f), gold(0.72f, 0.58f, 0.32f), leaf(0.36f, 0.46f, 0.34f);
    const float px = 1.0f / static_cast<float>(n);
    writeImage(paint(n, n, [&](float x, float y) {
                   cv::Vec3f c = ground * (0.85f + 0.3f * grain.fbm(x * 64, y * 64, 0.0f, 3, 64, 64));
                   auto ink = [&](float d, const cv::Vec3f& col, float width) {
                       // Coverage of a stroke whose distance field is d, anti-aliased over a pixel.
                       const float cover = 1.0f - smoothstep(-px, px, d - width);
                       c = c + (col - c) * cover;
                   };
                   // Vines: two sine scrolls per tile, across; their distance is |y - f(x)| / slope.
                   for (int v = 0; v < 2; ++v) {
                       const float y0 = 0.25f + 0.5f * static_cast<float>(v), phase = static_cast<float>(v) * kPi;
                       const float f = y0 + 0.09f * std::sin(2.0f * kPi * 2.0f * x + phase);
                       const float df = 0.09f * 2.0f * kPi * 2.0f * std::cos(2.0f * kPi * 2.0f * x + phase);
                       float dy = y - f;
                       dy -= std::round(dy);
                       const float d = std::fabs(dy) / std::sqrt(1.0f + df * df);
                       ink(d, gold * 0.8f, 0.0035f);
                       // Leaves along the vine: small lens shapes alternating sides.
                       for (int l = 0; l < 8; ++l) {
                           const float lx = (static_cast<float>(l) + 0.5f) / 8.0f;
                           const float side = (l % 2 == 0) ? 1.0f : -1.0f;
                           const float ly = y0 + 0.09f * std::sin(2.0f * kPi * 2.0f * lx + phase) + side * 0.028f;
                           float ux = x - lx, uy = y - ly;
                           ux -= std::round(ux), uy -= std::round(uy);
                           const float a = side * 0.7f;
                           const float rx = ux * std::cos(a) - uy * std::sin(a), ry = ux * std::sin(a) + uy * std::cos(a);
                           const float lens = std::sqrt((rx / 0.03f) * (rx / 0.03f) + (ry / 0.011f) * (ry / 0.011f)) - 1.0f;
                           ink(lens * 0.011f, leaf, 0.0f);
                           ink(std::fabs(ry) + std::max(0.0f, std::fabs(rx) - 0.026f), gold * 0.6f, 0.0008f);  // the leaf's vein
                       }
                   }
                   // Rosettes: on a lattice of 2 x 2 per tile, the odd rows shifted by half.
                   for (int ry = 0; ry < 2; ++ry)
                       for (int rx = 0; rx < 2; ++rx) {
                           const float cx = (static_cast<float>(rx) + (ry % 2 ? 0.0f : 0.5f)) / 2.0f + 0.25f;
                           const float cy = (static_cast<float>(ry) + 0.5f) / 2.0f;
                           float ux = x - cx, uy = y - cy;
                           ux -= std::round(ux), uy -= std::round(uy);
                           const float outer = rosette(ux, uy, 8, 0.1f, 0.0f);
                           const float inner = rosette(ux, uy, 8, 0.062f, kPi / 8.0f);
                           ink(outer, ivory * 0.22f, 0.0f);        // the petals, faintly filled
                           ink(std::fabs(outer), ivory, 0.0025f);  // and outlined
                           ink(inner, gold, 0.0f);
                           ink(std::sqrt(ux * ux + uy * uy) - 0.016f, ivory, 0.0f);  // the centre
                       }
                   // Small six-petal flowers in the bands between the vines, with a ring of dots.
                   for (int f = 0; f < 4; ++f) {
                       const float cx = 0.125f + 0.25f * static_cast<float>(f), cy = (f % 2 == 0) ? 0.5f : 0.0f;
                       float ux = x - cx, uy = y - cy;
                       ux -= std::round(ux), uy -= std::round(uy);
                       const float r = std::sqrt(ux * ux + uy * uy);
                       const float petals = rosette(ux, uy, 6, 0.045f, static_cast<float>(f) * 0.4f);
                       ink(petals, gold * 0.25f, 0.0f);
                       ink(std::fabs(petals), gold, 0.0018f);
                       ink(r - 0.009f, ivory, 0.0f);
                       for (int d = 0; d < 12; ++d) {
                           const float a = static_cast<float>(d) * kPi / 6.0f + 0.26f;
                           const float ddx = ux - 0.075f * std::cos(a), ddy = uy - 0.075f * std::sin(a);
                           ink(std::sqrt(ddx * ddx + ddy * ddy) - 0.0035f, ivory * 0.8f, 0.0f);
                       }
                   }
                   return c;
               }),
               ".png", tmp);
}

CONTENT_ASSETS(ornament) {
    addAsset({"newresources/theloader.jpg", 1, 0.2, makeLoader, previewImageFile});
    addAsset({"newresources/floralPost.png", 1, 1.0, makeFloral, previewImageFile});
}

}  // namespace
}  // namespace content
