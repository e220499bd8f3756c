#include "driver/loading_arc.h"

#include <cmath>

namespace loading_arc {

float advance(float progress, float weight) {
    const float step = static_cast<float>(static_cast<double>(weight) * 0.01186);
    return progress + static_cast<float>(static_cast<double>(step) * 1.0586159999999998);
}

float fade(float progress) {
    float f = 1.0f;
    if (progress < 0.1) f = static_cast<float>(progress * 10.0);
    if (progress > 0.9) f = static_cast<float>(1.0 - (progress - 0.9) * 10.0);
    return f;
}

Direction direction(int segment) {
    const float twoPi = 6.2831854820251465f;
    const float a = static_cast<float>(M_PI) - twoPi * static_cast<float>(segment) / static_cast<float>(kSegments);
    return {std::sin(a), std::cos(a)};
}

namespace {

// A progress far beyond 1 only draws the closed ring again; this bounds the work.
constexpr int kMaxCount = 4 * kSegments;

// Segments i = first, first + 1, ... while i < limit (compared in float).
int countBelow(int first, float limit) {
    int n = 0;
    for (int i = first; static_cast<float>(i) < limit && n < kMaxCount; ++i) ++n;
    return n;
}

}  // namespace

Arc arc(float progress, float f) {
    const float band = static_cast<float>(0.4 * static_cast<double>(f));
    const float dim = static_cast<float>(0.75 * static_cast<double>(band));
    const float end = progress * static_cast<float>(kSegments);
    const int head = static_cast<int>(end);
    const int bodyCount = countBelow(0, end);
    const int headCount = countBelow(head, end + 1.0f);
    Arc a{};
    a.strips[0] = {0, bodyCount, 1.02f, 1.09f, band, band};
    a.strips[1] = {0, bodyCount, 1.0f, 1.02f, 0.0f, band};
    a.strips[2] = {0, bodyCount, 1.1f, 1.09f, 0.0f, band};
    a.strips[3] = {head, headCount, 1.02f, 1.09f, dim, dim};
    a.strips[4] = {head, headCount, 1.0f, 1.02f, 0.0f, dim};
    a.strips[5] = {head, headCount, 1.1f, 1.09f, 0.0f, dim};
    return a;
}

}  // namespace loading_arc
