// Scenes and objects: the boat on calm water, the coupé, the heap of garbled heads, the
// pair of eyes and the low rocky island.
#include <algorithm>
#include <vector>

#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/crowds.h"
#include "generator/meshes/heightfield.h"
#include "generator/meshes/marble.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/noise.h"
#include "generator/rng.h"

namespace kit {

namespace {

Shape::Ref cutAbove(Shape& s, float y) {
    return s.custom([y](const Vec3& q) { return q.y - y; }, Vec3(-1e3f, -1e3f, -1e3f), Vec3(1e3f, 1e3f, 1e3f)).intersect();
}

// A classic coupé, 4.4 m long, facing +z, wheels on y = 0.
Mesh makeCoupe(bool small) {
    Shape s;
    const Vec3 paint{0.74f, 0.75f, 0.78f};
    const Vec3 tyre{0.08f, 0.08f, 0.09f};
    const Vec3 chrome{0.9f, 0.9f, 0.92f};
    // Body: a low tub with rounded flanks, a long bonnet and a short tail.
    s.roundBox(Vec3(0, 0.55f, 0.05f), Vec3(0.74f, 0.16f, 2.0f), 0.2f).colour(paint);
    s.ellipsoid(Vec3(0, 0.58f, 0.05f), Vec3(0.93f, 0.3f, 2.25f)).colour(paint).blend(0.25f);
    // Cabin: a narrower glasshouse set back, its roof running into a fastback.
    s.roundBox(Vec3(0, 0.98f, -0.35f), Vec3(0.52f, 0.16f, 0.62f), 0.17f, Mat3::rotX(-0.05f)).colour(paint).blend(0.22f);
    s.ellipsoid(Vec3(0, 0.76f, -1.25f), Vec3(0.72f, 0.3f, 1.05f)).colour(paint).blend(0.25f);
    s.roundBox(Vec3(0, 0.66f, 1.25f), Vec3(0.74f, 0.08f, 0.85f), 0.12f, Mat3::rotX(0.06f)).colour(paint).blend(0.14f);  // bonnet
    for (float z : {-1.35f, 1.38f})
        for (float sx : {-1.0f, 1.0f}) s.cylinder(Vec3(sx * 0.6f, 0.34f, z), Vec3(sx * 1.05f, 0.34f, z), 0.42f, 0.0f).sub().blend(0.05f);
    for (float z : {-1.35f, 1.38f})
        for (float sx : {-1.0f, 1.0f}) {
            s.cylinder(Vec3(sx * 0.58f, 0.33f, z), Vec3(sx * 0.86f, 0.33f, z), 0.33f, 0.06f).colour(tyre);
            s.cylinder(Vec3(sx * 0.6f, 0.33f, z), Vec3(sx * 0.88f, 0.33f, z), 0.17f, 0.02f).colour(chrome);
        }
    for (float z : {-2.13f, 2.2f}) s.capsule(Vec3(-0.78f, 0.42f, z), Vec3(0.78f, 0.42f, z), 0.055f).colour(chrome).blend(0.02f);
    for (float sx : {-1.0f, 1.0f}) {
        s.sphere(Vec3(sx * 0.58f, 0.64f, 2.08f), 0.1f).colour(Vec3(1.0f, 0.95f, 0.8f)).blend(0.03f);
        s.sphere(Vec3(sx * 0.62f, 0.62f, -2.05f), 0.07f).colour(Vec3(0.8f, 0.1f, 0.08f)).blend(0.03f);
    }
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.05f : 0.027f));
    // The glasshouse: dark glass between the waist line and the roof.
    Part& p = m.parts[0];
    for (size_t i = 0; i < p.pos.size(); ++i) {
        const Vec3& q = p.pos[i];
        if (q.y > 0.9f && q.y < 1.2f && q.z > -1.3f && q.z < 0.45f && std::fabs(p.nrm[i].y) < 0.8f) p.col[i] = Vec3(0.1f, 0.12f, 0.15f);
    }
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

// A rowing boat with two figures on calm water; the water surface stays above y = 0.
Mesh makeBoatScene(bool small) {
    Mesh m;
    const float w = 4.2f;
    m.parts.push_back(heightfield(
        [](float x, float z) {
            return 0.03f + 0.012f * std::sin(x * 1.7f + z * 0.6f) + 0.008f * std::sin(z * 2.9f - x * 0.8f) +
                   0.01f * fbm3(Vec3(x * 0.8f, 0, z * 0.8f), 5, 3);
        },
        [](const Vec3& p) {
            const float t = clampf((p.y - 0.02f) * 25.0f, 0, 1);
            return lerp(Vec3(0.16f, 0.22f, 0.28f), Vec3(0.36f, 0.42f, 0.48f), t);
        },
        -w, -w, w, w, small ? 40 : 110, small ? 40 : 110));

    Shape s;
    const Vec3 wood{0.52f, 0.37f, 0.24f};
    s.ellipsoid(Vec3(0, 0.42f, 0), Vec3(0.72f, 0.5f, 2.2f)).colour(wood);
    s.ellipsoid(Vec3(0, 0.5f, 0), Vec3(0.66f, 0.47f, 2.12f)).sub().colour(Vec3(0.42f, 0.3f, 0.2f));
    cutAbove(s, 0.62f);
    s.roundBox(Vec3(0, 0.36f, 0.3f), Vec3(0.62f, 0.03f, 0.14f), 0.01f).colour(wood);   // thwarts
    s.roundBox(Vec3(0, 0.36f, -1.2f), Vec3(0.5f, 0.03f, 0.2f), 0.01f).colour(wood);
    // The rower faces the stern (-z) and pulls; the passenger sits in the stern facing him.
    Build b;
    b.top = Vec3(0.85f, 0.83f, 0.78f);
    Pose rower;
    rower.grounded = false;
    rower.yaw = kPi;
    for (int side = 0; side < 2; ++side) {
        rower.hipFlex[side] = 1.45f;
        rower.knee[side] = 1.3f;
        rower.shoulderFlex[side] = 1.25f;
        rower.elbow[side] = 0.5f;
        rower.shoulderOut[side] = 0.25f;
    }
    rower.lean = -0.15f;
    rower.rootOffset = Vec3(0, 0.39f + 0.1f - 0.95f, 0.3f);
    const Joints jr = solvePose(rower, b);
    addFigure(s, jr, b);
    for (int side = 0; side < 2; ++side) {
        const Vec3 h = jr.hand[side];
        const float sx = h.x > 0 ? 1.0f : -1.0f;
        s.capsule(h, Vec3(sx * 2.0f, 0.06f, h.z + 0.5f), 0.025f).colour(wood).blend(0.01f);
        s.ellipsoid(Vec3(sx * 2.05f, 0.05f, h.z + 0.52f), Vec3(0.12f, 0.02f, 0.07f), Mat3::rotY(sx * 0.25f)).colour(wood).blend(0.02f);
    }
    Build pb;
    pb.dress = 1;
    pb.longHair = true;
    pb.top = Vec3(0.7f, 0.45f, 0.38f);
    pb.bottom = Vec3(0.75f, 0.72f, 0.66f);
    Pose passenger = rower;
    passenger.yaw = 0.0f;
    for (int side = 0; side < 2; ++side) {
        passenger.shoulderFlex[side] = 0.5f;
        passenger.elbow[side] = 1.3f;
        passenger.shoulderOut[side] = 0.15f;
    }
    passenger.lean = 0.1f;
    passenger.rootOffset = Vec3(0, 0.39f + 0.1f - 0.95f, -1.25f);
    addFigure(s, solvePose(passenger, pb), pb);
    m.parts.push_back(meshShape(s, small ? 0.05f : 0.022f));
    return m;
}

// Darkens the colours in the hollows (eye sockets, the mouth line, under the nose and the
// brows, between the locks), as light that does not reach into them: a vertex that lies below
// its smoothed surface, by `depth` (mesh units) or more, is at its darkest. The particles that
// draw the heads take their colour, so the features read even where the light falls flat.
void shadeHollows(Part& p, float depth) {
    const size_t n = p.pos.size();
    std::vector<std::vector<uint32_t>> next(n);
    for (size_t t = 0; t + 2 < p.idx.size(); t += 3) {
        for (int k = 0; k < 3; ++k) {
            const uint32_t a = p.idx[t + size_t(k)], b = p.idx[t + size_t((k + 1) % 3)];
            next[a].push_back(b);
            next[b].push_back(a);
        }
    }
    std::vector<Vec3> smooth = p.pos, tmp(n);
    for (int pass = 0; pass < 24; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            Vec3 sum(0, 0, 0);
            for (uint32_t j : next[i]) sum += smooth[j];
            tmp[i] = next[i].empty() ? smooth[i] : sum * (1.0f / float(next[i].size()));
        }
        smooth.swap(tmp);
    }
    for (size_t i = 0; i < n; ++i) {
        const float below = dot(smooth[i] - p.pos[i], p.nrm[i]);
        const float dark = std::clamp(below / depth, 0.0f, 1.0f);
        p.col[i] = p.col[i] * (1.0f - 0.7f * dark);
    }
}

// A head to garble, facing +z (unit about 0.25 m): a carved face with brows, nose, lips and
// deep eye sockets that catch the light, under one of three coiffures.
Part plainHead(int variant, float cell) {
    Shape s;
    MarbleHead head;
    head.hair = variant == 0 ? Coiffure::Waves : (variant == 1 ? Coiffure::Curls : Coiffure::CurlsBeard);
    head.seed = 0x4EAD0u + uint64_t(variant);
    head.skin = variant % 2 ? Vec3(0.9f, 0.86f, 0.8f) : Vec3(0.84f, 0.78f, 0.7f);
    head.hairColour = head.skin * 0.88f;
    s.capsule(Vec3(0, -0.07f, -0.02f), Vec3(0, -0.15f, -0.025f), 0.045f, 0.05f).colour(head.skin);  // neck
    addMarbleHead(s, Vec3(0, 0, 0), Mat3(), 1.0f, head);
    Part p = meshShape(s, cell);
    shadeHollows(p, 0.004f);
    return p;
}

// Bends a head: stretched, sheared, twisted and swollen, but not so far that it loses its face.
void garble(Part& p, content::Rng& rng, int salt) {
    const Vec3 stretch(float(rng.uniform(0.85, 1.25)), float(rng.uniform(0.85, 1.3)), float(rng.uniform(0.85, 1.15)));
    const float shear = float(rng.uniform(-0.3, 0.3)), twist = float(rng.uniform(-1.6, 1.6)), swell = float(rng.uniform(0.0, 0.12));
    for (Vec3& q : p.pos) {
        Vec3 r = mul(q, stretch);
        r.x += shear * r.y;
        const float t = twist * r.y;
        r = Vec3(r.x * std::cos(t) - r.z * std::sin(t), r.y, r.x * std::sin(t) + r.z * std::cos(t));
        q = r * (1.0f + swell * std::sin(r.y * 16.0f + float(salt)));
    }
}

// A heap of distorted heads, piled in rings, their faces turned out of the heap toward the
// side the heap's shots look from (between +x, where the moon and the eyes look, and +z, where
// the long orbit starts) and tipped back to look up.
Mesh makeHeads(bool small) {
    content::Rng rng(0x4EAD5);
    std::vector<Part> kinds;
    for (int v = 0; v < 3; ++v) kinds.push_back(plainHead(v, small ? 0.012f : 0.0068f));
    Mesh m;
    // Few heads for the area budget: each comes out large enough for its face to read from
    // the heap's shots.
    const int layers[] = {6, 4, 2};
    const Vec3 seen = normalize(Vec3(1.0f, 0, 0.6f));   // the middle of the shots' arc
    float y = 0.12f;
    for (int layer = 0; layer < 3; ++layer) {
        const int n = layers[layer];
        const float ring = 0.13f * float(n) / 2.2f;
        for (int i = 0; i < n; ++i) {
            const Part& kind = kinds[rng.below(3)];
            // The rings turn so that their heads crowd the seen side rather than the back.
            const float a = 2 * kPi * (float(i) + float(rng.uniform(0, 0.4))) / float(n) + 0.3f * float(layer);
            const Vec3 radial(std::cos(a), 0, std::sin(a));
            const Vec3 out = normalize(radial + seen * 1.3f);
            const float yaw = std::atan2(out.x, out.z) + float(rng.uniform(-0.25, 0.25));
            Placement at;
            at.rot = Mat3::rotY(yaw) * Mat3::rotX(-float(rng.uniform(0.15, 0.5))) * Mat3::rotZ(float(rng.uniform(-0.4, 0.4)));
            at.offset = Vec3(ring * radial.x, y + float(rng.uniform(0, 0.05)), ring * radial.z);
            Part p = kind;
            garble(p, rng, i);
            for (Vec3& q : p.pos) q = at.apply(q);
            computeNormals(p);
            m.parts.push_back(std::move(p));
        }
        y += 0.17f;
    }
    // Every head above the ground.
    float low = 1e9f;
    for (const Part& p : m.parts)
        for (const Vec3& q : p.pos) low = std::min(low, q.y);
    translate(m, Vec3(0, -low, 0));
    return m;
}

// A pair of eyes looking ahead (+z): white, a coloured iris, a black pupil under the cornea.
Mesh makeEyes(bool small) {
    Mesh m;
    for (float sx : {-1.0f, 1.0f}) {
        Shape s;
        s.sphere(Vec3(0, 0, 0), 1.0f).colour(Vec3(0.95f, 0.93f, 0.9f));
        s.sphere(Vec3(0, 0, 0.52f), 0.55f).colour(Vec3(0.95f, 0.93f, 0.9f)).blend(0.08f);
        Part p = meshShape(s, small ? 0.1f : 0.04f);
        for (size_t i = 0; i < p.pos.size(); ++i) {
            const Vec3 d = normalize(p.pos[i]);
            const float r = std::sqrt(d.x * d.x + d.y * d.y);
            if (d.z > 0 && r < 0.2f) p.col[i] = Vec3(0.03f, 0.03f, 0.03f);
            else if (d.z > 0 && r < 0.5f) {
                const float ang = std::atan2(d.y, d.x);
                const float streak = 0.5f + 0.5f * std::sin(ang * 23.0f);
                p.col[i] = lerp(Vec3(0.22f, 0.38f, 0.5f), Vec3(0.45f, 0.6f, 0.62f), streak * (r - 0.2f) / 0.3f);
            } else if (d.z < 0.2f) {
                p.col[i] = Vec3(0.92f, 0.82f, 0.8f);
            }
        }
        Mesh one;
        Placement at;
        at.offset = Vec3(sx * 1.35f, 0, 0);
        at.rot = Mat3::rotY(-sx * 0.06f);
        Part placed;
        append(placed, p, at);
        m.parts.push_back(std::move(placed));
    }
    return m;
}

// A low rocky island, 24 units across and under 2 high; its shore dips just below y = 0.
Mesh makeIsland(bool small) {
    const float R = 12.0f;
    auto h = [R](float x, float z) {
        const float r = std::sqrt(x * x + z * z) / R;
        const float dome = 1.7f * std::max(0.0f, 1.0f - r * r) - 0.24f;
        const float rock = 1.7f * std::pow(fbm3(Vec3(x * 0.375f, 0, z * 0.375f), 11, 5), 2.5f) * clampf(1.2f - r, 0, 1);
        return std::max(dome + rock, -0.24f);
    };
    Part p = heightfield(h,
                         [](const Vec3& q) {
                             const float n = fbm3(q * 3.3f, 13, 3);
                             const Vec3 rock = lerp(Vec3(0.42f, 0.4f, 0.37f), Vec3(0.62f, 0.6f, 0.56f), n);
                             return q.y < 0.06f ? Vec3(0.3f, 0.29f, 0.27f) : rock;
                         },
                         -R * 1.15f, -R * 1.15f, R * 1.15f, R * 1.15f, small ? 60 : 180, small ? 60 : 180);
    // Keep the round island, drop the corners of the grid.
    Part round;
    round.pos = p.pos;
    round.nrm = p.nrm;
    round.col = p.col;
    for (size_t t = 0; t + 2 < p.idx.size(); t += 3) {
        const Vec3 c = (p.pos[p.idx[t]] + p.pos[p.idx[t + 1]] + p.pos[p.idx[t + 2]]) / 3.0f;
        if (std::sqrt(c.x * c.x + c.z * c.z) < R * 1.1f) round.idx.insert(round.idx.end(), {p.idx[t], p.idx[t + 1], p.idx[t + 2]});
    }
    Mesh m;
    m.parts.push_back(std::move(round));
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(scenes) {
    kit::addMeshAsset({"gto.objb", 2, 1.0, kit::makeCoupe});
    kit::addMeshAsset({"sceneboat.objb", 2, 1.5, kit::makeBoatScene});
    kit::addMeshAsset({"headsgarbled.objb", 5, 2.5, kit::makeHeads});
    kit::addMeshAsset({"eyes.objb", 2, 0.3, kit::makeEyes});
    kit::addMeshAsset({"island.objb", 2, 0.3, kit::makeIsland});
}
