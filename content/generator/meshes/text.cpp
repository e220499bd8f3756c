#include "generator/meshes/text.h"

#include <vector>

namespace kit {

namespace {

struct Seg {
    float ax, ay, bx, by;
};

// An elliptical arc as segments, angles in degrees (counter-clockwise from +x).
void arc(std::vector<Seg>& out, float cx, float cy, float rx, float ry, float from, float to, int steps = 10) {
    for (int i = 0; i < steps; ++i) {
        const float a0 = (from + (to - from) * float(i) / steps) * kPi / 180.0f;
        const float a1 = (from + (to - from) * float(i + 1) / steps) * kPi / 180.0f;
        out.push_back({cx + rx * std::cos(a0), cy + ry * std::sin(a0), cx + rx * std::cos(a1), cy + ry * std::sin(a1)});
    }
}

// Strokes of a letter in a box 0..width x 0..1 (stroke centre lines).
std::vector<Seg> glyph(char c, float& width) {
    std::vector<Seg> s;
    switch (c) {
        case 'V':
            width = 0.78f;
            s = {{0, 1, 0.39f, 0}, {0.39f, 0, 0.78f, 1}};
            break;
        case 'E':
            width = 0.58f;
            s = {{0, 0, 0, 1}, {0, 1, 0.58f, 1}, {0, 0.51f, 0.5f, 0.51f}, {0, 0, 0.58f, 0}};
            break;
        case 'L':
            width = 0.55f;
            s = {{0, 1, 0, 0}, {0, 0, 0.55f, 0}};
            break;
        case 'U':
            width = 0.68f;
            s = {{0, 1, 0, 0.34f}, {0.68f, 1, 0.68f, 0.34f}};
            arc(s, 0.34f, 0.34f, 0.34f, 0.34f, 180, 360);
            break;
        case 'N':
            width = 0.7f;
            s = {{0, 0, 0, 1}, {0, 1, 0.7f, 0}, {0.7f, 0, 0.7f, 1}};
            break;
        case 'A':
            width = 0.8f;
            s = {{0, 0, 0.4f, 1}, {0.4f, 1, 0.8f, 0}, {0.17f, 0.36f, 0.63f, 0.36f}};
            break;
        case 'Q':
            width = 0.84f;
            arc(s, 0.42f, 0.5f, 0.42f, 0.5f, 0, 360, 28);
            s.push_back({0.5f, 0.26f, 0.86f, -0.08f});
            break;
        case 'R':
            width = 0.66f;
            s = {{0, 0, 0, 1}, {0, 1, 0.38f, 1}, {0.38f, 0.5f, 0, 0.5f}, {0.3f, 0.5f, 0.66f, 0}};
            arc(s, 0.38f, 0.75f, 0.25f, 0.25f, 90, -90);
            break;
        case 'B':
            width = 0.66f;
            s = {{0, 0, 0, 1}, {0, 1, 0.36f, 1}, {0.36f, 0.53f, 0, 0.53f}, {0, 0.53f, 0.4f, 0.53f}, {0.4f, 0, 0, 0}};
            arc(s, 0.36f, 0.765f, 0.235f, 0.235f, 90, -90);
            arc(s, 0.4f, 0.265f, 0.265f, 0.265f, 90, -90);
            break;
        default:
            width = 0.5f;
            break;
    }
    return s;
}

}  // namespace

float addLetter(Shape& shape, char letter, float x, const TextStyle& st) {
    float width = 0;
    const std::vector<Seg> segs = glyph(letter, width);
    const float h = st.height;
    const float w = st.weight * h;
    // Stroke centre lines sit inside the letter box by the stroke's half width.
    const float inner = 1.0f - 2.0f * st.weight;
    for (const Seg& s : segs) {
        const Vec3 a(x + w + s.ax * h * inner, st.y + w + s.ay * h * inner, st.z);
        const Vec3 b(x + w + s.bx * h * inner, st.y + w + s.by * h * inner, st.z);
        shape.stroke(a, b, w, st.depth * h, st.round * h).colour(st.colour);
    }
    return width * h * inner + 2 * w + st.spacing * h;
}

float textWidth(const std::string& text, const TextStyle& st) {
    float total = 0;
    for (char c : text) {
        float width = 0;
        glyph(c, width);
        total += width * st.height * (1.0f - 2.0f * st.weight) + 2 * st.weight * st.height + st.spacing * st.height;
    }
    return total - st.spacing * st.height;
}

}  // namespace kit
