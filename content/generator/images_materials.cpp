// Material pictures the scenes repeat over surfaces and sample in their particle programs:
// marble, two woods and the boat's painted planks. All tile seamlessly (the scenes set repeat
// wrapping), so every noise below is periodic over the picture.
#include <cmath>

#include "generator/catalogue.h"
#include "generator/image_io.h"
#include "generator/noise.h"
#include "generator/rng.h"

namespace content {
namespace {

const float kTau = 6.2831853f;

cv::Vec3f lerp(const cv::Vec3f& a, const cv::Vec3f& b, float t) { return a + (b - a) * t; }

int sideOf(const Context& ctx) { return ctx.small ? 256 : 1024; }

// The statue's stone (the skull scene's bust and the shared marble texture): white Carrara
// marble with soft grey veins that branch and fade, and a faint warm cloudiness.
void makeMarble(const Context& ctx, const std::string& tmp) {
    const Noise warp(11), vein(12), cloud(13);
    const int P = 4;  // noise period across the picture
    const cv::Vec3f white(0.93f, 0.92f, 0.89f), cream(0.90f, 0.86f, 0.80f), grey(0.36f, 0.38f, 0.43f);
    const int n = sideOf(ctx);
    writeImage(paint(n, n, [&](float x, float y) {
                   const float wx = x * P, wy = y * P;
                   const float w = warp.fbm(wx * 0.5f, wy * 0.5f, 0.0f, 5, P / 2, P / 2);
                   // Main veins: a diagonal sine, pushed around by the warp, sharpened, their
                   // strength fading in and out along their length.
                   const float s = std::sin(kTau * (x + y) + 9.0f * w);
                   const float strength = clamp01(0.55f + 1.8f * cloud.fbm(wx, wy, 3.0f, 3, P, P));
                   const float main = (std::pow(1.0f - std::fabs(s), 14.0f) + 0.18f * std::pow(1.0f - std::fabs(s), 3.0f)) *
                                      strength;
                   // Fine veins: a second, thinner family across the first, warped on their own.
                   const float w2 = vein.fbm(wx, wy, 3.0f, 5, P, P);
                   const float s2 = std::sin(kTau * (3.0f * x - 2.0f * y) + 6.0f * w2);
                   const float fine = std::pow(1.0f - std::fabs(s2), 40.0f) * 0.45f * clamp01(0.3f + 2.0f * w);
                   const float c = cloud.fbm(wx, wy, 7.0f, 4, P, P);
                   cv::Vec3f col = lerp(white, cream, clamp01(0.5f + c * 1.2f));
                   col = lerp(col, grey, clamp01(main * 0.8f + fine));
                   return col * (0.97f + 0.03f * cloud.at(wx * 16, wy * 16, 1.0f, 16 * P, 16 * P));
               }),
               ".jpg", tmp);
}

// Wood grain shared by both woods: rings of a log cut lengthwise (grain along y), bent by
// slow noise, with fine pores. `boards` planks across the picture, each its own cut.
cv::Vec3f woodGrain(const Noise& n, float x, float y, int boards, float rings, const cv::Vec3f& light,
                    const cv::Vec3f& dark) {
    const float bx = x * boards;
    const int board = static_cast<int>(std::floor(bx));
    const float local = bx - board;
    const float shift = static_cast<float>((board * 37) % 11) * 0.29f;
    const int P = 4;
    const float bend = n.fbm(x * P, y * P, shift, 4, P, P);
    const float r = rings * (local + shift) + 1.4f * bend + 0.6f * std::sin(kTau * y * 2.0f + board);
    const float ring = r - std::floor(r);
    const float late = smoothstep(0.55f, 0.95f, ring) * (1.0f - smoothstep(0.95f, 1.0f, ring));
    // Pores: streaks stretched along the grain.
    const float pores = n.at(x * 256, y * 8, 5.0f + shift, 256, 8);
    cv::Vec3f col = lerp(light, dark, clamp01(late * 0.8f + 0.15f * pores + 0.2f));
    // Joints between boards: a thin dark gap.
    const float edge = std::min(local, 1.0f - local) * static_cast<float>(boards) * 1024.0f / 1024.0f;
    col *= 0.35f + 0.65f * smoothstep(0.0f, 0.012f, edge);
    return col;
}

// The boat scene's deck planks ("WoodTexture2"): four honey-coloured oak boards.
void makeWood1(const Context& ctx, const std::string& tmp) {
    const Noise n(21);
    const int s = sideOf(ctx);
    writeImage(paint(s, s, [&](float x, float y) {
                   return woodGrain(n, x, y, 4, 9.0f, cv::Vec3f(0.72f, 0.52f, 0.32f), cv::Vec3f(0.42f, 0.26f, 0.13f));
               }),
               ".jpg", tmp);
}

// The "stone" the particle programs of the depth and reference scenes sample for colour:
// dark walnut with knots, so that particles take a rich, uneven brown.
void makeWood2(const Context& ctx, const std::string& tmp) {
    const Noise n(22);
    Rng rng(23);
    struct Knot { float x, y, r; };
    Knot knots[5];
    for (Knot& k : knots) k = {static_cast<float>(rng.uniform()), static_cast<float>(rng.uniform()),
                               static_cast<float>(rng.uniform(0.02, 0.045))};
    const int s = sideOf(ctx);
    writeImage(paint(s, s, [&](float x, float y) {
                   // Bend the grain around each knot (distances wrap, so the picture tiles).
                   float dx = 0.0f, knot = 0.0f;
                   for (const Knot& k : knots) {
                       float ux = x - k.x, uy = y - k.y;
                       ux -= std::round(ux), uy -= std::round(uy);
                       uy *= 0.45f;
                       const float d = std::sqrt(ux * ux + uy * uy);
                       dx += k.r * k.r / (d * d + k.r * k.r) * (ux > 0 ? 0.04f : -0.04f);
                       knot = std::max(knot, 1.0f - smoothstep(0.3f * k.r, k.r, d));
                   }
                   cv::Vec3f col = woodGrain(n, x + dx, y, 3, 11.0f, cv::Vec3f(0.45f, 0.29f, 0.17f),
                                             cv::Vec3f(0.18f, 0.10f, 0.05f));
                   return lerp(col, cv::Vec3f(0.10f, 0.05f, 0.02f), knot * 0.85f);
               }),
               ".jpg", tmp);
}

// The rowing boat's hull ("BoatTexture2"): overlapping clinker strakes in weathered
// blue-green paint, worn through to grey wood along the edges, with copper nails.
void makeBoatTexture(const Context& ctx, const std::string& tmp) {
    const Noise n(31), wear(32);
    const int strakes = 6, P = 4;
    const cv::Vec3f paintCol(0.13f, 0.32f, 0.38f), paintLight(0.24f, 0.46f, 0.50f), wood(0.52f, 0.45f, 0.36f),
        copper(0.62f, 0.36f, 0.20f);
    const int s = sideOf(ctx);
    writeImage(paint(s, s, [&](float x, float y) {
                   const float sy = y * strakes;
                   const float local = sy - std::floor(sy);  // 0 at the strake's top edge
                   // Each strake is lit from above: bright at its lapped edge, shadow below it.
                   const float shade = 0.75f + 0.35f * local - 0.45f * (1.0f - smoothstep(0.0f, 0.06f, local));
                   const float w = wear.fbm(x * P, y * P, 0.0f, 6, P, P);
                   const float edgeWear = (1.0f - smoothstep(0.0f, 0.2f, local)) * 0.5f;
                   const float bare = smoothstep(0.12f, 0.22f, w + edgeWear * 0.4f);
                   const float streak = n.at(x * 128, y * 6, 2.0f, 128, 6);
                   cv::Vec3f col = lerp(paintCol, paintLight, clamp01(0.5f + 1.5f * n.fbm(x * 8, y * 8, 1.0f, 3, 8, 8)));
                   col = lerp(col, wood * (0.8f + 0.2f * streak), bare);
                   // Nails along each strake, just below its lap.
                   const float nx = x * 16.0f - std::floor(x * 16.0f) - 0.5f;
                   const float ny = (local - 0.12f) * static_cast<float>(16) / static_cast<float>(strakes);
                   const float nail = 1.0f - smoothstep(0.05f, 0.08f, std::sqrt(nx * nx + ny * ny));
                   col = lerp(col, copper, nail * 0.9f);
                   return col * shade;
               }),
               ".jpg", tmp);
}

CONTENT_ASSETS(materials) {
    addAsset({"newresources/marble.jpg", 2, 0.6, makeMarble, previewImageFile});
    addAsset({"newresources/wood1.jpg", 1, 0.4, makeWood1, previewImageFile});
    addAsset({"newresources/wood2.jpg", 1, 0.5, makeWood2, previewImageFile});
    addAsset({"newresources/boattex.jpg", 1, 0.5, makeBoatTexture, previewImageFile});
}

}  // namespace
}  // namespace content
