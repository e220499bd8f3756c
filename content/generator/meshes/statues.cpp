// Marble: the classical statue of the reference scene (full, light and bust versions), a
// second statue for the lidar scenes and a cherub's head for the skull scene.
#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/figure.h"
#include "generator/meshes/mesher.h"
#include "generator/rng.h"

namespace kit {

namespace {

const Vec3 kMarble{0.93f, 0.91f, 0.87f};
const Vec3 kMarbleShade{0.84f, 0.82f, 0.78f};

Build marbleBuild() {
    Build b;
    b.skin = b.top = b.bottom = b.shoes = kMarble;
    b.hair = kMarbleShade;
    b.dress = 3;
    b.hips = 1.08f;
    b.longHair = true;
    return b;
}

// Tight curls over the back and top of a head (centre c, head rotation H, unit u).
void addCurls(Shape& s, const Vec3& c, const Mat3& H, float u, uint64_t seed, int count, const Vec3& colour) {
    content::Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float a = float(rng.uniform(0, 2 * kPi));
        const float e = float(rng.uniform(-0.15, 1.2));
        Vec3 d(std::cos(a) * std::cos(e), std::sin(e), std::sin(a) * std::cos(e));
        if (d.z > 0.45f && d.y < 0.55f) d.z = -d.z;  // keep the face clear
        s.sphere(c + H * (mul(d, Vec3(0.085f, 0.1f, 0.095f)) * u), float(rng.uniform(0.018, 0.028)) * u).colour(colour).blend(0.012f * u);
    }
}

// The classical statue: contrapposto on a plinth, right arm raised, a drape to the ankles.
Shape classicalStatue() {
    Pose p = standPose(0);
    p.shoulderFlex[kRight] = 2.5f;
    p.shoulderOut[kRight] = 0.35f;
    p.elbow[kRight] = 0.9f;
    p.shoulderFlex[kLeft] = 0.25f;
    p.elbow[kLeft] = 1.2f;
    p.shoulderOut[kLeft] = 0.25f;
    p.headYaw = 0.35f;
    p.headPitch = 0.1f;
    p.rootOffset = Vec3(0, 0.32f, 0);
    const Build b = marbleBuild();
    const Joints j = solvePose(p, b);
    Shape s;
    addFigure(s, j, b);
    addCurls(s, j.head, j.headRot, 1.0f, 0xA6A1, 40, kMarbleShade);
    // A fold of the drape over the left forearm.
    s.capsule(j.elbow[kLeft] + Vec3(0, -0.02f, 0), j.wrist[kLeft] + Vec3(0, -0.25f, 0.02f), 0.045f, 0.07f).colour(kMarbleShade).blend(0.04f);
    // The plinth.
    s.roundBox(Vec3(0, 0.16f, 0), Vec3(0.34f, 0.14f, 0.3f), 0.02f).colour(kMarbleShade).blend(0.0f);
    s.roundBox(Vec3(0, 0.03f, 0), Vec3(0.4f, 0.03f, 0.36f), 0.01f).colour(kMarbleShade).blend(0.0f);
    return s;
}

// The reference scene's statue. The show scatters it with load scale 50 through the mesh
// cache, i.e. at 2500 times these positions, so the file is tiny: its budget fitting lands it
// at about 4.4 thousandths of a unit tall. Drawn from the cache it comes out 50 times that.
Mesh makeStatue(bool small) {
    Mesh m;
    m.parts.push_back(meshShape(classicalStatue(), small ? 0.03f : 0.013f));
    translate(m, Vec3(0, -bounds(m).lo.y, 0));  // the plinth on y = 0: the scatter keeps y >= 0 only
    return m;
}

// The same statue, lighter, 2.5 units tall: drawn several times in the boat and fallers scenes.
Mesh makeStatueSimple(bool small) {
    Mesh m;
    m.parts.push_back(meshShape(classicalStatue(), small ? 0.045f : 0.022f));
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    scale(m, 2.5f / bounds(m).hi.y);
    return m;
}

// The statue's bust on a small socle, facing +z and centred on the z axis; the skull scene
// scatters only its front half (z >= 0).
Mesh makeBust(bool small) {
    Pose p = standPose(0);
    p.headYaw = 0.3f;
    p.headPitch = 0.08f;
    p.sideBend = 0.0f;
    Build b = marbleBuild();
    b.dress = 0;
    const Joints j = solvePose(p, b);
    const float cutY = j.chest.y - 0.1f;
    Shape s;
    addFigure(s, j, b);
    addCurls(s, j.head, j.headRot, 1.0f, 0xB057, 45, kMarbleShade);
    s.custom([cutY](const Vec3& q) { return cutY - q.y; }, Vec3(-1e3f, -1e3f, -1e3f), Vec3(1e3f, 1e3f, 1e3f)).intersect();
    // The classical rounded cut through the upper arms and the chest.
    const Vec3 c = j.chest + Vec3(0, 0.12f, 0);
    s.custom([c](const Vec3& q) {
         const Vec3 d = q - c;
         if (d.y > 0.2f) return -1.0f;  // leaves the neck and head whole
         return length(Vec3(d.x / 0.22f, d.y / 0.4f, d.z / 0.26f)) * 0.22f - 0.22f;
     }, Vec3(-1e3f, -1e3f, -1e3f), Vec3(1e3f, 1e3f, 1e3f)).intersect();
    const Vec3 base(j.chest.x, cutY, j.chest.z);
    s.cylinder(base + Vec3(0, -0.16f, 0), base + Vec3(0, 0.02f, 0), 0.09f, 0.01f).colour(kMarbleShade).blend(0.03f);
    s.cylinder(base + Vec3(0, -0.24f, 0), base + Vec3(0, -0.15f, 0), 0.15f, 0.02f).colour(kMarbleShade).blend(0.02f);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.02f : 0.008f));
    translate(m, Vec3(-j.chest.x, -(cutY - 0.24f), -j.chest.z));
    return m;
}

// A cherub's head: round and full-cheeked, with curls, facing +z, centred on the origin.
Mesh makeCherub(bool small) {
    Shape s;
    const Vec3 skin{0.94f, 0.9f, 0.85f};
    const Vec3 hair{0.86f, 0.82f, 0.76f};
    s.ellipsoid(Vec3(0, 0.02f, -0.005f), Vec3(0.1f, 0.108f, 0.105f)).colour(skin);
    s.ellipsoid(Vec3(0, -0.045f, 0.035f), Vec3(0.078f, 0.07f, 0.07f)).colour(skin).blend(0.04f);
    for (float sx : {-1.0f, 1.0f}) {
        s.sphere(Vec3(sx * 0.048f, -0.035f, 0.062f), 0.04f).colour(skin).blend(0.03f);            // cheeks
        s.ellipsoid(Vec3(sx * 0.034f, 0.012f, 0.088f), Vec3(0.022f, 0.012f, 0.016f)).sub().blend(0.012f);  // eye sockets
        s.sphere(Vec3(sx * 0.034f, 0.012f, 0.078f), 0.014f).colour(skin).blend(0.004f);           // eyes
        s.ellipsoid(Vec3(sx * 0.1f, 0.0f, 0.0f), Vec3(0.012f, 0.026f, 0.018f)).colour(skin).blend(0.01f);  // ears
    }
    s.capsule(Vec3(0, -0.005f, 0.1f), Vec3(0, -0.03f, 0.112f), 0.01f, 0.015f).colour(skin).blend(0.012f);  // nose
    s.ellipsoid(Vec3(0, -0.058f, 0.104f), Vec3(0.016f, 0.006f, 0.01f)).sub().blend(0.006f);               // mouth
    s.sphere(Vec3(0, -0.09f, 0.085f), 0.022f).colour(skin).blend(0.02f);                                  // chin
    s.capsule(Vec3(0, -0.08f, -0.02f), Vec3(0, -0.16f, -0.02f), 0.05f, 0.055f).colour(skin).blend(0.03f);  // neck
    addCurls(s, Vec3(0, 0.03f, -0.01f), Mat3(), 1.12f, 0xC4E, 70, hair);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.008f : 0.0036f));
    return m;
}

// The lidar scenes' statue: a warrior with spear and round shield on a plinth. The lidar
// scene scatters it at 150 points per unit of area, so it is large (about 90 units tall).
Mesh makeWarrior(bool small) {
    Pose p = standPose(1);
    p.shoulderFlex[kRight] = 0.5f;
    p.shoulderOut[kRight] = 0.5f;
    p.elbow[kRight] = 1.5f;
    p.shoulderFlex[kLeft] = 0.6f;
    p.elbow[kLeft] = 1.4f;
    p.shoulderOut[kLeft] = 0.3f;
    p.headYaw = -0.4f;
    p.rootOffset = Vec3(0, 0.3f, 0);
    Build b = marbleBuild();
    b.dress = 1;
    b.bulk = 1.12f;
    b.longHair = false;
    const Joints j = solvePose(p, b);
    Shape s;
    addFigure(s, j, b);
    addCurls(s, j.head, j.headRot, 1.0f, 0xA6A2, 30, kMarbleShade);
    // Spear in the right hand, upright.
    const Vec3 grip = j.hand[kRight];
    s.capsule(Vec3(grip.x, 0.3f, grip.z), Vec3(grip.x, 2.55f, grip.z), 0.018f).colour(kMarbleShade).blend(0.01f);
    s.capsule(Vec3(grip.x, 2.5f, grip.z), Vec3(grip.x, 2.75f, grip.z), 0.04f, 0.004f).colour(kMarbleShade).blend(0.005f);
    // Round shield on the left forearm, facing out and forward.
    const Vec3 arm = (j.elbow[kLeft] + j.wrist[kLeft]) * 0.5f;
    const Mat3 face = Mat3::rotY(0.7f) * Mat3::rotX(kPi * 0.5f);
    s.cylinder(arm + Vec3(0.06f, 0, 0.02f), arm + Vec3(0.1f, 0, 0.06f), 0.33f, 0.02f).colour(kMarbleShade).blend(0.02f);
    s.torus(arm + Vec3(0.1f, 0, 0.06f), 0.3f, 0.025f, face).colour(kMarbleShade).blend(0.01f);
    s.roundBox(Vec3(0, 0.15f, 0), Vec3(0.45f, 0.15f, 0.4f), 0.02f).colour(kMarbleShade);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.035f : 0.014f));
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(statues) {
    kit::addMeshAsset({"agalma3.objb", 3, 2.0, kit::makeStatue});
    kit::addMeshAsset({"agalma3simple.objb", 3, 0.6, kit::makeStatueSimple});
    kit::addMeshAsset({"agalma3cut.objb", 3, 1.5, kit::makeBust});
    kit::addMeshAsset({"cupidhead.objb", 2, 1.5, kit::makeCherub});
    kit::addMeshAsset({"agalma2.objb", 3, 1.5, kit::makeWarrior});
}
