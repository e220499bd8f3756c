#include "generator/meshes/marble.h"

#include <cmath>

#include "generator/rng.h"

namespace kit {

namespace {

float ellipsoidDistance(const Vec3& q, const Vec3& r) {
    const float k0 = length(Vec3(q.x / r.x, q.y / r.y, q.z / r.z));
    const float k1 = length(Vec3(q.x / (r.x * r.x), q.y / (r.y * r.y), q.z / (r.z * r.z)));
    if (k1 < 1e-12f) return -std::min(r.x, std::min(r.y, r.z));
    return k0 * (k0 - 1.0f) / k1;
}

// Head-local helpers: a point or a size in head units to the world.
struct HeadFrame {
    Vec3 c;
    Mat3 H;
    float u;
    Vec3 at(float x, float y, float z) const { return c + H * (Vec3(x, y, z) * u); }
    Vec3 at(const Vec3& p) const { return c + H * (p * u); }
};

// The hair mass over the skull, before any locks.
const Vec3 kCapCentre(0, 0.03f, -0.022f);
const Vec3 kCapRadii(0.087f, 0.093f, 0.1f);

void addFace(Shape& s, const HeadFrame& f, const MarbleHead& h) {
    const Vec3& k = h.skin;
    const float u = f.u;
    const float child = h.fullness;
    const Mat3& H = f.H;
    // Skull, the face's mass, the jaw and the chin.
    s.ellipsoid(f.at(0, 0.012f, -0.012f), Vec3(0.079f, 0.1f, 0.098f) * u, H).colour(k).blend(0.02f * u);
    s.ellipsoid(f.at(0, -0.03f, 0.03f), Vec3(0.062f, 0.075f, 0.058f) * u, H).colour(k).blend(0.03f * u);
    s.ellipsoid(f.at(0, -0.066f + 0.012f * child, 0.03f), Vec3(0.052f + 0.008f * child, 0.045f, 0.055f) * u, H).colour(k).blend(0.03f * u);
    s.sphere(f.at(0, -0.09f + 0.012f * child, 0.068f), 0.02f * u).colour(k).blend(0.02f * u);
    // Cheekbones (a child's cheeks are full and low).
    for (float sx : {-1.0f, 1.0f})
        s.sphere(f.at(sx * (0.04f + 0.006f * child), -0.015f - 0.02f * child, 0.058f), (0.025f + 0.012f * child) * u)
            .colour(k).blend(0.02f * u);
    // The brow: a ridge that runs on into the bridge of the nose.
    for (float sx : {-1.0f, 1.0f})
        s.capsule(f.at(0, 0.026f, 0.088f), f.at(sx * 0.047f, 0.024f, 0.072f), 0.011f * u, 0.008f * u).colour(k).blend(0.015f * u);
    // Eye sockets in shadow under the brow, the eyeballs set back in them, heavy upper lids.
    for (float sx : {-1.0f, 1.0f}) {
        s.ellipsoid(f.at(sx * 0.03f, 0.004f, 0.095f), Vec3(0.021f, 0.014f, 0.022f) * u, H).sub().blend(0.01f * u);
        s.sphere(f.at(sx * 0.03f, 0.003f, 0.069f), 0.0145f * u).colour(k).blend(0.003f * u);
        s.capsule(f.at(sx * 0.017f, 0.009f, 0.08f), f.at(sx * 0.043f, 0.007f, 0.074f), 0.0045f * u, 0.0035f * u)
            .colour(k).blend(0.004f * u);
    }
    // A straight nose from the brow, its tip and wings.
    const float nose = 1.0f - 0.3f * child;
    s.capsule(f.at(0, 0.02f, 0.093f), f.at(0, 0.02f - 0.052f * nose, 0.093f + 0.019f * nose), 0.0085f * u, 0.011f * u)
        .colour(k).blend(0.008f * u);
    s.sphere(f.at(0, 0.018f - 0.054f * nose, 0.108f), 0.0105f * u).colour(k).blend(0.006f * u);
    for (float sx : {-1.0f, 1.0f}) s.sphere(f.at(sx * 0.012f, 0.02f - 0.056f * nose, 0.097f), 0.0085f * u).colour(k).blend(0.006f * u);
    // Lips: a bowed upper lip, a fuller lower lip, the line between them and the hollow below.
    for (float sx : {-1.0f, 1.0f}) {
        s.capsule(f.at(0, -0.054f, 0.093f), f.at(sx * 0.02f, -0.059f, 0.085f), 0.0055f * u, 0.0035f * u).colour(k).blend(0.006f * u);
        s.capsule(f.at(0, -0.066f, 0.09f), f.at(sx * 0.016f, -0.064f, 0.084f), 0.0065f * u, 0.004f * u).colour(k).blend(0.006f * u);
    }
    s.ellipsoid(f.at(0, -0.0605f, 0.096f), Vec3(0.019f, 0.002f, 0.01f) * u, H).sub().blend(0.002f * u);
    s.sphere(f.at(0, -0.078f, 0.096f), 0.0075f * u).sub().blend(0.008f * u);
    // Ears, with a hollow in each.
    for (float sx : {-1.0f, 1.0f}) {
        s.ellipsoid(f.at(sx * 0.077f, -0.008f, -0.006f), Vec3(0.011f, 0.028f, 0.018f) * u, H * Mat3::rotY(sx * 0.35f)).colour(k).blend(0.008f * u);
        s.ellipsoid(f.at(sx * 0.087f, -0.006f, -0.004f), Vec3(0.005f, 0.016f, 0.01f) * u, H * Mat3::rotY(sx * 0.35f)).sub().blend(0.004f * u);
    }
}

// Parted waves: locks that run from the parting down and back, waved along their length,
// and a knot at the nape made of coiled locks.
void addWaves(Shape& s, const HeadFrame& f, const MarbleHead& h) {
    const Vec3 c = f.c;
    const Mat3 toLocal = f.H.transposed();
    const float u = f.u;
    const Vec3 reach = Vec3(0.13f, 0.13f, 0.13f) * u;
    s.custom([c, toLocal, u](const Vec3& q) {
         const Vec3 p = toLocal * (q - c) / u;
         const Vec3 d = p - kCapCentre;
         const float cap = ellipsoidDistance(d, kCapRadii);
         // Position along the parting (front to back) and how far down the side.
         const float side = std::fabs(p.x);
         const float along = std::atan2(-d.z, d.y + 0.03f);  // 0 at the top, grows backwards
         const float swept = along + 2.2f * side + 0.35f * std::sin(side * 70.0f);
         const float lock = std::fabs(std::sin(swept * 9.0f));
         // The parting itself: a groove down the middle of the front half.
         const float parting = 0.004f * std::exp(-side * side / 0.00003f) * (d.z > -0.05f ? 1.0f : 0.0f);
         return (cap - 0.006f * std::sqrt(lock) + parting) * 0.6f * u;
     }, c - reach, c + reach).colour(h.hairColour).blend(0.004f * u);
    // The knot: coils of hair at the back of the head.
    const Mat3 back = f.H * Mat3::rotX(kPi * 0.5f - 0.35f);
    s.ellipsoid(f.at(0, -0.02f, -0.112f), Vec3(0.042f, 0.036f, 0.032f) * u, f.H).colour(h.hairColour).blend(0.012f * u);
    s.torus(f.at(0, -0.022f, -0.125f), 0.03f * u, 0.011f * u, back).colour(h.hairColour).blend(0.004f * u);
    s.torus(f.at(0, -0.024f, -0.142f), 0.017f * u, 0.009f * u, back).colour(h.hairColour).blend(0.004f * u);
    // A ribbon over the crown.
    s.torus(f.at(0, 0.05f, -0.03f), 0.088f * u, 0.0045f * u, f.H * Mat3::rotX(-0.55f)).colour(h.hairColour).blend(0.003f * u);
}

// Snail curls over the hair mass: small coils, each facing out of the head.
void addCurlCap(Shape& s, const HeadFrame& f, const MarbleHead& h, int count, float size) {
    s.ellipsoid(f.at(kCapCentre), kCapRadii * f.u, f.H).colour(h.hairColour).blend(0.006f * f.u);
    content::Rng rng(h.seed);
    for (int i = 0; i < count; ++i) {
        // Spread evenly over the cap (a Fibonacci spiral), the face kept clear.
        const float t = (float(i) + 0.5f) / float(count);
        const float e = std::asin(1.0f - 1.3f * t);       // from the crown downwards
        const float a = float(i) * 2.39996f + float(rng.uniform(-0.15, 0.15));
        Vec3 d(std::cos(e) * std::sin(a), std::sin(e), std::cos(e) * std::cos(a));
        if (d.z > 0.35f && d.y < 0.45f) continue;  // the forehead and face
        if (d.y < -0.3f && d.z > -0.2f) continue;   // the ears and the jaw
        const Vec3 local = kCapCentre + mul(d, kCapRadii) * 0.97f;
        const Vec3 n = f.H * normalize(Vec3(d.x / kCapRadii.x, d.y / kCapRadii.y, d.z / kCapRadii.z));
        const float r = size * float(rng.uniform(0.85, 1.15)) * f.u;
        s.torus(f.at(local), r, r * 0.55f, Mat3::yOnto(n)).colour(h.hairColour).blend(0.003f * f.u);
        s.sphere(f.at(local) + n * (r * 0.15f), r * 0.55f).colour(h.hairColour).blend(0.003f * f.u);
    }
}

void addBeard(Shape& s, const HeadFrame& f, const MarbleHead& h) {
    const float u = f.u;
    s.ellipsoid(f.at(0, -0.088f, 0.03f), Vec3(0.062f, 0.05f, 0.062f) * u, f.H).colour(h.hairColour).blend(0.015f * u);
    // The moustache over the upper lip.
    for (float sx : {-1.0f, 1.0f})
        s.capsule(f.at(sx * 0.004f, -0.047f, 0.103f), f.at(sx * 0.03f, -0.066f, 0.086f), 0.006f * u, 0.004f * u)
            .colour(h.hairColour).blend(0.004f * u);
    content::Rng rng(h.seed ^ 0xBEA4Du);
    for (int i = 0; i < 26; ++i) {
        const float a = float(rng.uniform(-1.5, 1.5));
        const float y = float(rng.uniform(-0.13, -0.075));
        if (std::fabs(a) < 0.35f && y > -0.09f) continue;  // keep the lower lip clear
        const Vec3 local(0.066f * std::sin(a), y, 0.03f + 0.064f * std::cos(a));
        const Vec3 n = f.H * normalize(Vec3(std::sin(a), -0.3f, std::cos(a)));
        const float r = 0.009f * u;
        s.torus(f.at(local), r, r * 0.6f, Mat3::yOnto(n)).colour(h.hairColour).blend(0.003f * u);
    }
}

}  // namespace

void addMarbleHead(Shape& s, const Vec3& c, const Mat3& H, float u, const MarbleHead& h) {
    const HeadFrame f{c, H, u};
    addFace(s, f, h);
    if (h.hair == Coiffure::CurlsBeard) addBeard(s, f, h);
    switch (h.hair) {
        case Coiffure::Waves: addWaves(s, f, h); break;
        case Coiffure::Curls:
        case Coiffure::CurlsBeard: addCurlCap(s, f, h, h.fullness > 0.5f ? 60 : 85, h.fullness > 0.5f ? 0.017f : 0.012f); break;
    }
}

Shape::Ref addDrape(Shape& s, const Drape& d) {
    const Vec3 axis = d.bottom - d.top;
    const float len = length(axis);
    const Vec3 down = axis / len;
    // A frame about the drape's axis: x to the figure's left, z forward.
    const Vec3 x = normalize(cross(Vec3(0, 0, 1), down));
    const Vec3 z = cross(down, x);
    const Drape g = d;
    const float rMax = std::max(d.rTop, d.rBottom) + d.ampBottom + 0.02f;
    const Vec3 lo = vmin(d.top, d.bottom) - Vec3(rMax, 0.02f, rMax);
    const Vec3 hi = vmax(d.top, d.bottom) + Vec3(rMax, 0.02f, rMax);
    return s.custom([g, down, x, z, len](const Vec3& q) {
        const Vec3 p = q - g.top;
        const float along = dot(p, down);
        const float t = clampf(along / len, 0.0f, 1.0f);
        const float px = dot(p, x), pz = dot(p, z);
        const float phi = std::atan2(px, pz);
        const float r = mixf(g.rTop, g.rBottom, std::pow(t, 0.85f));
        // Radius of the ellipse in this direction.
        const float rx = r, rz = r * g.depth;
        const float ex = std::sin(phi) / rx, ez = std::cos(phi) / rz;
        const float edge = 1.0f / std::sqrt(ex * ex + ez * ez);
        const float amp = mixf(g.ampTop, g.ampBottom, t);
        const float wave = phi * float(g.folds) * 0.5f + g.sway * std::sin(t * 4.0f + phi * 2.0f) + g.phase;
        const float fold = std::pow(std::fabs(std::sin(wave)), 0.6f);
        const float radial = std::sqrt(px * px + pz * pz) - edge - amp * fold;
        const float caps = std::max(-along, along - len);
        return std::max(radial * 0.7f, caps);
    }, lo, hi);
}

void addMarbleBody(Shape& s, const Joints& j, float u, bool female, const Vec3& colour) {
    const Mat3& T = j.torso;
    auto at = [&](float x, float y, float z) { return j.chest + T * (Vec3(x, y, z) * u); };
    // Collarbones.
    for (float sx : {-1.0f, 1.0f})
        s.capsule(at(sx * 0.02f, 0.125f, 0.075f), at(sx * 0.13f, 0.14f, 0.035f), 0.011f * u, 0.009f * u).colour(colour).blend(0.015f * u);
    if (female) {
        for (float sx : {-1.0f, 1.0f}) s.sphere(at(sx * 0.075f, 0.0f, 0.085f), 0.062f * u).colour(colour).blend(0.035f * u);
    } else {
        // The chest's two planes and the belly's ridges.
        for (float sx : {-1.0f, 1.0f}) {
            s.ellipsoid(at(sx * 0.075f, 0.04f, 0.075f), Vec3(0.075f, 0.05f, 0.04f) * u, T * Mat3::rotZ(sx * 0.25f)).colour(colour).blend(0.02f * u);
            for (int row = 0; row < 3; ++row)
                s.ellipsoid(at(sx * 0.032f, -0.12f - 0.06f * float(row), 0.088f - 0.004f * float(row)), Vec3(0.028f, 0.024f, 0.016f) * u, T)
                    .colour(colour).blend(0.015f * u);
        }
        s.sphere(at(0, -0.3f, 0.092f), 0.008f * u).sub().blend(0.006f * u);  // navel
    }
    // Knee caps.
    for (int side = 0; side < 2; ++side) {
        const Vec3 thigh = normalize(j.knee[side] - j.hip[side]);
        const Vec3 front = T * Vec3(0, 0, 1);
        const Vec3 fwd = normalize(front - thigh * dot(front, thigh));
        s.sphere(j.knee[side] + fwd * (0.04f * u), 0.03f * u).colour(colour).blend(0.02f * u);
    }
}

}  // namespace kit
