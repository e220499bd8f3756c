#include "common/shaping.h"

#include <algorithm>
#include <cmath>

double ease(double x, double p) {
    x = std::clamp(x, 0.0, 1.0);
    const double c = (std::cos(3.141592653589793 * x) + 1.0) / 2.0;
    return std::pow(1.0 - std::pow(c, (p - 1.0) / 2.0 + 1.0), p);
}

float easeFloat(float x, float p) {
    x = std::clamp(x, 0.0f, 1.0f);
    const float c = (std::cos(3.1415927f * x) + 1.0f) / 2.0f;
    return std::pow(1.0f - std::pow(c, (p - 1.0f) / 2.0f + 1.0f), p);
}

double ramp(double v) {
    const double x = std::max(v, 0.0);
    const double w = std::min(0.3 * x, 1.0);
    return (1.0 - w) * std::pow(x / 2.0, 2.2) + w * x;
}
