// The animals: a buffalo standing, a cheetah at full gallop and a bird in flight.
// Metres, y up, facing +z, feet on y = 0 (the bird hovers a little above it).
#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/noise.h"

namespace kit {

namespace {

// A leg from the shoulder or hip through two bends to the hoof or paw (y = 0 at the end).
void addLeg(Shape& s, const Vec3& top, const Vec3& knee, const Vec3& ankle, const Vec3& foot, float r0, float r1, float r2,
            const Vec3& c, const Vec3& footColour) {
    s.capsule(top, knee, r0, r1).colour(c).blend(0.08f * r0 / 0.12f);
    s.capsule(knee, ankle, r1, r2).colour(c).blend(0.04f * r0 / 0.12f);
    s.capsule(ankle, foot, r2, r2 * 1.1f).colour(footColour).blend(0.02f);
}

// A buffalo: massive forequarters with a hump, the head low, short horns, a shaggy beard.
Mesh makeBuffalo(bool small) {
    Shape s;
    const Vec3 hide{0.5f, 0.39f, 0.29f};  // dusty, so the body reads against the night
    const Vec3 shag{0.36f, 0.27f, 0.2f};
    const Vec3 hoof{0.12f, 0.1f, 0.09f};
    const Vec3 horn{0.8f, 0.76f, 0.68f};
    s.ellipsoid(Vec3(0, 1.1f, -0.35f), Vec3(0.5f, 0.5f, 0.95f)).colour(hide);                      // barrel
    s.ellipsoid(Vec3(0, 1.3f, 0.45f), Vec3(0.58f, 0.62f, 0.6f)).colour(shag).blend(0.25f);        // forequarters
    s.ellipsoid(Vec3(0, 1.62f, 0.35f), Vec3(0.4f, 0.35f, 0.55f)).colour(shag).blend(0.25f);       // hump
    s.ellipsoid(Vec3(0, 1.05f, -1.05f), Vec3(0.42f, 0.42f, 0.4f)).colour(hide).blend(0.2f);       // rump
    s.ellipsoid(Vec3(0, 0.95f, 1.25f), Vec3(0.3f, 0.36f, 0.32f)).colour(shag).blend(0.15f);       // head
    s.ellipsoid(Vec3(0, 0.78f, 1.5f), Vec3(0.2f, 0.2f, 0.2f)).colour(hide).blend(0.1f);           // muzzle
    s.ellipsoid(Vec3(0, 0.6f, 1.3f), Vec3(0.18f, 0.25f, 0.15f)).colour(shag).blend(0.1f);         // beard
    for (float sx : {-1.0f, 1.0f}) {
        s.capsule(Vec3(sx * 0.22f, 1.15f, 1.35f), Vec3(sx * 0.42f, 1.22f, 1.3f), 0.055f, 0.04f).colour(horn).blend(0.04f);
        s.capsule(Vec3(sx * 0.42f, 1.22f, 1.3f), Vec3(sx * 0.43f, 1.38f, 1.24f), 0.04f, 0.012f).colour(horn).blend(0.01f);
        s.sphere(Vec3(sx * 0.12f, 1.0f, 1.52f), 0.03f).colour(Vec3(0.05f, 0.04f, 0.04f)).blend(0.01f);  // eyes
        // Front legs stand straight, the hind legs bend back at the hock.
        addLeg(s, Vec3(sx * 0.3f, 1.0f, 0.55f), Vec3(sx * 0.3f, 0.5f, 0.6f), Vec3(sx * 0.3f, 0.2f, 0.58f), Vec3(sx * 0.3f, 0.04f, 0.62f),
               0.17f, 0.1f, 0.07f, shag, hoof);
        addLeg(s, Vec3(sx * 0.3f, 1.0f, -1.1f), Vec3(sx * 0.28f, 0.55f, -1.0f), Vec3(sx * 0.27f, 0.32f, -1.25f),
               Vec3(sx * 0.27f, 0.04f, -1.18f), 0.18f, 0.09f, 0.065f, hide, hoof);
    }
    s.capsule(Vec3(0, 1.25f, -1.35f), Vec3(0, 0.75f, -1.5f), 0.04f, 0.03f).colour(hide).blend(0.03f);  // tail
    s.ellipsoid(Vec3(0, 0.7f, -1.5f), Vec3(0.06f, 0.12f, 0.06f)).colour(shag).blend(0.02f);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.06f : 0.025f));
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

// A cheetah at full stretch of its gallop: long legs, small head, spotted coat, long tail.
Mesh makeCheetah(bool small) {
    Shape s;
    const Vec3 coat{0.86f, 0.68f, 0.4f};
    const Vec3 belly{0.93f, 0.88f, 0.78f};
    s.ellipsoid(Vec3(0, 0.72f, 0.25f), Vec3(0.17f, 0.22f, 0.36f)).colour(coat);            // chest
    s.ellipsoid(Vec3(0, 0.72f, -0.25f), Vec3(0.13f, 0.15f, 0.4f)).colour(coat).blend(0.12f);  // waist
    s.ellipsoid(Vec3(0, 0.74f, -0.62f), Vec3(0.14f, 0.16f, 0.2f)).colour(coat).blend(0.1f);  // haunch
    s.capsule(Vec3(0, 0.82f, 0.45f), Vec3(0, 0.88f, 0.68f), 0.09f, 0.07f).colour(coat).blend(0.06f);  // neck
    s.ellipsoid(Vec3(0, 0.9f, 0.78f), Vec3(0.09f, 0.08f, 0.1f)).colour(coat).blend(0.04f);  // head
    s.ellipsoid(Vec3(0, 0.87f, 0.87f), Vec3(0.055f, 0.05f, 0.06f)).colour(coat).blend(0.03f);  // muzzle
    for (float sx : {-1.0f, 1.0f}) {
        s.sphere(Vec3(sx * 0.06f, 0.97f, 0.73f), 0.03f).colour(coat).blend(0.015f);  // ears
        s.capsule(Vec3(sx * 0.03f, 0.92f, 0.86f), Vec3(sx * 0.04f, 0.86f, 0.92f), 0.008f).colour(Vec3(0.1f, 0.08f, 0.06f)).blend(0.005f);
        // Front legs reach forward, hind legs push back: the extended phase of the gallop.
        const float off = sx * 0.02f;
        addLeg(s, Vec3(sx * 0.1f, 0.68f, 0.3f), Vec3(sx * 0.1f, 0.45f, 0.55f + off), Vec3(sx * 0.09f, 0.3f, 0.82f + off),
               Vec3(sx * 0.09f, 0.22f, 0.95f + off), 0.07f, 0.04f, 0.03f, coat, belly);
        addLeg(s, Vec3(sx * 0.1f, 0.7f, -0.62f), Vec3(sx * 0.1f, 0.45f, -0.78f - off), Vec3(sx * 0.09f, 0.28f, -1.02f - off),
               Vec3(sx * 0.09f, 0.2f, -1.18f - off), 0.09f, 0.045f, 0.03f, coat, belly);
    }
    // The tail, curving up at its tip.
    s.capsule(Vec3(0, 0.78f, -0.78f), Vec3(0, 0.7f, -1.1f), 0.04f, 0.03f).colour(coat).blend(0.03f);
    s.capsule(Vec3(0, 0.7f, -1.1f), Vec3(0, 0.78f, -1.4f), 0.03f, 0.025f).colour(coat).blend(0.02f);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.035f : 0.011f));
    // Spots: dark where a cell noise peaks, the belly pale.
    for (size_t i = 0; i < m.parts[0].pos.size(); ++i) {
        const Vec3 p = m.parts[0].pos[i];
        const float n = noise3(p * 22.0f, 77);
        if (n > 0.72f && p.y > 0.45f) m.parts[0].col[i] = Vec3(0.18f, 0.13f, 0.08f);
        if (m.parts[0].nrm[i].y < -0.6f && p.y > 0.5f) m.parts[0].col[i] = belly;
    }
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

// A bird in flight, wings raised in a shallow V and spread wide, tail fanned.
Mesh makeBird(bool small) {
    Shape s;
    const Vec3 back{0.55f, 0.52f, 0.5f};
    const Vec3 light{0.9f, 0.88f, 0.84f};
    s.ellipsoid(Vec3(0, 0, 0), Vec3(0.09f, 0.085f, 0.22f)).colour(light);
    s.sphere(Vec3(0, 0.05f, 0.23f), 0.06f).colour(light).blend(0.05f);
    s.capsule(Vec3(0, 0.045f, 0.27f), Vec3(0, 0.03f, 0.35f), 0.018f, 0.003f).colour(Vec3(0.85f, 0.6f, 0.2f)).blend(0.01f);
    for (float sx : {-1.0f, 1.0f}) {
        s.sphere(Vec3(sx * 0.035f, 0.07f, 0.27f), 0.01f).colour(Vec3(0.05f, 0.05f, 0.05f)).blend(0.004f);
        // Inner wing, outer wing and the long primaries, each a thin slab.
        const Mat3 inner = Mat3::rotZ(sx * 0.22f) * Mat3::rotY(sx * 0.1f);
        const Mat3 outer = Mat3::rotZ(sx * -0.05f) * Mat3::rotY(sx * 0.25f);
        s.ellipsoid(Vec3(sx * 0.24f, 0.045f, 0.0f), Vec3(0.22f, 0.02f, 0.14f), inner).colour(back).blend(0.04f);
        s.ellipsoid(Vec3(sx * 0.52f, 0.1f, -0.03f), Vec3(0.18f, 0.013f, 0.11f), outer).colour(back).blend(0.04f);
        s.ellipsoid(Vec3(sx * 0.75f, 0.1f, -0.09f), Vec3(0.14f, 0.008f, 0.065f), Mat3::rotY(sx * 0.45f)).colour(Vec3(0.3f, 0.3f, 0.3f)).blend(0.04f);
    }
    s.ellipsoid(Vec3(0, 0.0f, -0.3f), Vec3(0.09f, 0.01f, 0.12f), Mat3::rotX(-0.1f)).colour(back).blend(0.04f);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.014f : 0.0065f));
    translate(m, Vec3(0, 1.0f, 0));
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(animals) {
    kit::addMeshAsset({"buffalo.objb", 3, 1.0, kit::makeBuffalo});
    kit::addMeshAsset({"cheetah2.objb", 2, 0.8, kit::makeCheetah});
    kit::addMeshAsset({"bird.objb", 2, 0.5, kit::makeBird});
}
