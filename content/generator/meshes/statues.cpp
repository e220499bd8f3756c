// Marble: the classical statue of the reference scene (full, light and bust versions), a
// second statue for the lidar scenes, a cherub's head for the skull scene and the boat
// scene's row of statues.
#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/figure.h"
#include "generator/meshes/marble.h"
#include "generator/meshes/mesher.h"

namespace kit {

namespace {

const Vec3 kMarble{0.93f, 0.91f, 0.87f};
const Vec3 kMarbleShade{0.84f, 0.82f, 0.78f};

Build marbleBuild() {
    Build b;
    b.skin = b.top = b.bottom = b.shoes = kMarble;
    b.hair = kMarbleShade;
    b.dress = 0;  // the drapery is carved separately
    b.hips = 1.08f;
    b.bareHead = true;
    return b;
}

// A statue carved in two pieces: the body, and the head with its neck, which is meshed on a
// finer grid so that the face and hair keep their modelling without a fine grid everywhere.
struct Carving {
    Shape body, head;
};

// The body of a marble figure, modelled, without drapery or head.
Carving carveBody(const Joints& j, const Build& b, bool female) {
    Carving c;
    addFigure(c.body, j, b);
    addMarbleBody(c.body, j, 1.0f, female, kMarble);
    return c;
}

void carveHead(Carving& c, const Joints& j, const Build& b, const MarbleHead& style) {
    const float u = b.height / 1.75f;
    // The neck again, a shade wider than the body's, so the two pieces meet without a seam.
    c.head.capsule(j.neck + j.torso * Vec3(0, -0.02f * u, 0), j.head + j.headRot * Vec3(0, -0.05f * u, -0.02f * u),
                   0.052f * u * b.bulk, 0.044f * u).colour(b.skin);
    addMarbleHead(c.head, j.head, j.headRot, u, style);
}

Mesh meshCarving(const Carving& c, float bodyCell, float headCell) {
    Mesh m;
    m.parts.push_back(meshShape(c.body, bodyCell));
    m.parts.push_back(meshShape(c.head, headCell));
    return m;
}

// A chiton's bodice: fine folds from the shoulders to the belt under the breasts.
Drape bodice(const Joints& j, int folds) {
    Drape d;
    d.top = j.chest + j.torso * Vec3(0, 0.12f, -0.005f);
    d.bottom = j.chest + j.torso * Vec3(0, -0.07f, 0.005f);
    d.rTop = 0.16f, d.rBottom = 0.14f, d.depth = 0.72f;
    d.ampTop = 0.004f, d.ampBottom = 0.007f, d.folds = folds, d.sway = 0.3f;
    return d;
}

// The classical statue: a woman in a belted chiton and a mantle, her weight on the left leg
// and the right knee bent forward through the cloth, the right arm raised, the mantle's end
// over the left forearm; on a moulded plinth.
Carving classicalStatue() {
    Pose p = standPose(0);
    p.hipFlex[kRight] = 0.14f;
    p.knee[kRight] = 0.3f;
    p.ankle[kRight] = -0.15f;
    p.hipOut[kRight] = 0.1f;
    p.hipOut[kLeft] = 0.0f;
    p.sideBend = 0.09f;
    p.shoulderFlex[kRight] = 2.5f;
    p.shoulderOut[kRight] = 0.35f;
    p.elbow[kRight] = 0.9f;
    p.shoulderFlex[kLeft] = 0.25f;
    p.elbow[kLeft] = 1.2f;
    p.shoulderOut[kLeft] = 0.25f;
    p.headYaw = 0.35f;
    p.headPitch = 0.12f;
    p.rootOffset = Vec3(0, 0.32f, 0);
    const Build b = marbleBuild();
    const Joints j = solvePose(p, b);
    Carving c = carveBody(j, b, true);
    Shape& s = c.body;
    // The chiton: a bodice with fine folds to the belt under the breasts, an overfold to the
    // hips, and the skirt falling to the plinth in deep folds.
    const Mat3& T = j.torso;
    const Vec3 belt = j.chest + T * Vec3(0, -0.07f, 0.005f);
    addDrape(s, bodice(j, 18)).colour(kMarble).blend(0.03f);
    Drape band;
    band.top = belt + T * Vec3(0, 0.012f, 0);
    band.bottom = belt - T * Vec3(0, 0.012f, 0);
    band.rTop = band.rBottom = 0.146f, band.depth = 0.74f, band.ampTop = band.ampBottom = 0.0f;
    addDrape(s, band).colour(kMarbleShade).blend(0.006f);
    Drape over;
    over.top = belt;
    over.bottom = j.pelvis + T * Vec3(0, -0.03f, 0.01f);
    over.rTop = 0.15f, over.rBottom = 0.215f, over.depth = 0.7f;
    over.ampTop = 0.004f, over.ampBottom = 0.016f, over.folds = 16, over.sway = 0.6f, over.phase = 0.7f;
    addDrape(s, over).colour(kMarble).blend(0.015f);
    const float ground = p.rootOffset.y - 0.01f;  // the plinth's top
    Drape skirt;
    skirt.top = j.pelvis + T * Vec3(0, 0.02f, 0);
    skirt.bottom = Vec3(j.pelvis.x * 0.6f + (j.ankle[0].x + j.ankle[1].x) * 0.2f, ground,
                        (j.ankle[0].z + j.ankle[1].z) * 0.5f - 0.02f);
    skirt.rTop = 0.16f, skirt.rBottom = 0.25f, skirt.depth = 0.68f;
    skirt.ampTop = 0.006f, skirt.ampBottom = 0.03f, skirt.folds = 20, skirt.sway = 1.1f, skirt.phase = 0.3f;
    addDrape(s, skirt).colour(kMarble).blend(0.03f);
    // The mantle: a heavy roll from the left shoulder across the back to the right hip, and
    // its end hanging over the left forearm in folds.
    for (int i = 0; i < 3; ++i) {
        const Vec3 off = T * Vec3(0, -0.035f * float(i), 0);
        s.capsule(j.shoulder[kLeft] + T * Vec3(-0.02f, 0.02f, 0.03f) + off, j.pelvis + T * Vec3(-0.15f, -0.02f, 0.06f) + off,
                  0.03f, 0.036f).colour(kMarbleShade).blend(0.02f);
    }
    for (int i = 0; i < 5; ++i) {
        const float f = 0.25f + 0.17f * float(i);
        const Vec3 top = lerp(j.elbow[kLeft], j.wrist[kLeft], f) + Vec3(0, -0.015f, 0);
        const float drop = 0.34f + 0.08f * float((i * 3) % 4);
        s.capsule(top, top + Vec3(0.01f * float(i - 2), -drop, 0.015f * float(i % 2)), 0.026f, 0.02f).colour(kMarbleShade).blend(0.02f);
    }
    // The plinth: a block with a moulded top and foot.
    s.roundBox(Vec3(0, 0.16f, 0), Vec3(0.32f, 0.12f, 0.28f), 0.01f).colour(kMarbleShade).blend(0.0f);
    s.roundBox(Vec3(0, 0.295f, 0), Vec3(0.36f, 0.018f, 0.32f), 0.012f).colour(kMarbleShade).blend(0.0f);
    s.roundBox(Vec3(0, 0.045f, 0), Vec3(0.38f, 0.035f, 0.34f), 0.012f).colour(kMarbleShade).blend(0.0f);
    MarbleHead head;
    head.hair = Coiffure::Waves;
    head.seed = 0xA6A1;
    carveHead(c, j, b, head);
    return c;
}

// The reference scene's statue. The show scatters it with load scale 50 through the mesh
// cache, i.e. at 2500 times these positions, so the file is tiny: its budget fitting lands it
// at about 4.4 thousandths of a unit tall. Drawn from the cache it comes out 50 times that.
Mesh makeStatue(bool small) {
    Mesh m = meshCarving(classicalStatue(), small ? 0.03f : 0.013f, small ? 0.012f : 0.0055f);
    translate(m, Vec3(0, -bounds(m).lo.y, 0));  // the plinth on y = 0: the scatter keeps y >= 0 only
    return m;
}

// The same statue, lighter, 2.5 units tall: drawn several times in the boat and fallers scenes.
Mesh makeStatueSimple(bool small) {
    Mesh m = meshCarving(classicalStatue(), small ? 0.045f : 0.022f, small ? 0.015f : 0.0075f);
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
    const Joints j = solvePose(p, b);
    const float cutY = j.chest.y - 0.1f;
    Carving c = carveBody(j, b, true);
    Shape& s = c.body;
    // The mantle's edge over the left shoulder.
    for (int i = 0; i < 3; ++i)
        s.capsule(j.shoulder[kLeft] + Vec3(-0.01f * float(i), 0.02f - 0.035f * float(i), 0.04f),
                  j.chest + Vec3(-0.12f, -0.16f - 0.035f * float(i), 0.1f), 0.025f, 0.03f).colour(kMarbleShade).blend(0.02f);
    s.custom([cutY](const Vec3& q) { return cutY - q.y; }, Vec3(-1e3f, -1e3f, -1e3f), Vec3(1e3f, 1e3f, 1e3f)).intersect();
    // The classical rounded cut through the upper arms and the chest.
    const Vec3 cc = j.chest + Vec3(0, 0.12f, 0);
    s.custom([cc](const Vec3& q) {
         const Vec3 d = q - cc;
         if (d.y > 0.2f) return -1.0f;  // leaves the neck and head whole
         return length(Vec3(d.x / 0.22f, d.y / 0.4f, d.z / 0.26f)) * 0.22f - 0.22f;
     }, Vec3(-1e3f, -1e3f, -1e3f), Vec3(1e3f, 1e3f, 1e3f)).intersect();
    const Vec3 base(j.chest.x, cutY, j.chest.z);
    s.cylinder(base + Vec3(0, -0.16f, 0), base + Vec3(0, 0.02f, 0), 0.09f, 0.01f).colour(kMarbleShade).blend(0.03f);
    s.torus(base + Vec3(0, -0.12f, 0), 0.09f, 0.012f).colour(kMarbleShade).blend(0.005f);
    s.cylinder(base + Vec3(0, -0.24f, 0), base + Vec3(0, -0.15f, 0), 0.15f, 0.02f).colour(kMarbleShade).blend(0.02f);
    MarbleHead head;
    head.hair = Coiffure::Waves;
    head.seed = 0xB057;
    carveHead(c, j, b, head);
    Mesh m = meshCarving(c, small ? 0.02f : 0.009f, small ? 0.01f : 0.0045f);
    translate(m, Vec3(-j.chest.x, -(cutY - 0.24f), -j.chest.z));
    return m;
}

// A cherub's head: round and full-cheeked, with curls, facing +z, centred on the origin.
Mesh makeCherub(bool small) {
    Shape s;
    const Vec3 skin{0.94f, 0.9f, 0.85f};
    s.capsule(Vec3(0, -0.08f, -0.02f), Vec3(0, -0.16f, -0.02f), 0.05f, 0.055f).colour(skin);  // neck
    MarbleHead head;
    head.hair = Coiffure::Curls;
    head.seed = 0xC4E;
    head.fullness = 1.0f;
    head.skin = skin;
    head.hairColour = Vec3(0.86f, 0.82f, 0.76f);
    addMarbleHead(s, Vec3(0, 0.0f, 0), Mat3(), 1.06f, head);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.008f : 0.0032f));
    return m;
}

// The lidar scenes' statue: a bearded warrior with spear and round shield on a plinth, his
// weight on the right leg. The lidar scene scatters it at 150 points per unit of area, so it
// is large (about 90 units tall).
Mesh makeWarrior(bool small) {
    Pose p = standPose(1);
    p.hipFlex[kLeft] = 0.2f;
    p.knee[kLeft] = 0.45f;
    p.ankle[kLeft] = -0.15f;
    p.sideBend = -0.08f;
    p.shoulderFlex[kRight] = 0.5f;
    p.shoulderOut[kRight] = 0.5f;
    p.elbow[kRight] = 1.5f;
    p.shoulderFlex[kLeft] = 0.6f;
    p.elbow[kLeft] = 1.4f;
    p.shoulderOut[kLeft] = 0.3f;
    p.headYaw = -0.4f;
    p.rootOffset = Vec3(0, 0.3f, 0);
    Build b = marbleBuild();
    b.bulk = 1.12f;
    b.hips = 1.0f;
    const Joints j = solvePose(p, b);
    Carving c = carveBody(j, b, false);
    Shape& s = c.body;
    // A short kilt in folds.
    Drape kilt;
    kilt.top = j.pelvis + j.torso * Vec3(0, 0.05f, 0);
    kilt.bottom = (j.knee[0] + j.knee[1]) * 0.5f + Vec3(0, 0.12f, 0);
    kilt.rTop = 0.17f, kilt.rBottom = 0.23f, kilt.depth = 0.7f;
    kilt.ampTop = 0.005f, kilt.ampBottom = 0.02f, kilt.folds = 16, kilt.sway = 0.5f;
    addDrape(s, kilt).colour(kMarble).blend(0.02f);
    // Spear in the right hand, upright.
    const Vec3 grip = j.hand[kRight];
    s.capsule(Vec3(grip.x, 0.3f, grip.z), Vec3(grip.x, 2.55f, grip.z), 0.018f).colour(kMarbleShade).blend(0.01f);
    s.capsule(Vec3(grip.x, 2.5f, grip.z), Vec3(grip.x, 2.75f, grip.z), 0.04f, 0.004f).colour(kMarbleShade).blend(0.005f);
    // Round shield on the left forearm, facing out and forward.
    const Vec3 arm = (j.elbow[kLeft] + j.wrist[kLeft]) * 0.5f;
    const Mat3 face = Mat3::rotY(0.7f) * Mat3::rotX(kPi * 0.5f);
    s.cylinder(arm + Vec3(0.06f, 0, 0.02f), arm + Vec3(0.1f, 0, 0.06f), 0.33f, 0.02f).colour(kMarbleShade).blend(0.02f);
    s.torus(arm + Vec3(0.1f, 0, 0.06f), 0.3f, 0.025f, face).colour(kMarbleShade).blend(0.01f);
    s.sphere(arm + Vec3(0.13f, 0, 0.09f), 0.06f).colour(kMarbleShade).blend(0.02f);  // the boss
    s.roundBox(Vec3(0, 0.15f, 0), Vec3(0.45f, 0.15f, 0.4f), 0.02f).colour(kMarbleShade);
    MarbleHead head;
    head.hair = Coiffure::CurlsBeard;
    head.seed = 0xA6A2;
    carveHead(c, j, b, head);
    Mesh m = meshCarving(c, small ? 0.035f : 0.015f, small ? 0.014f : 0.007f);
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

// The boat scene's row of statues: seven marble figures on plinths along one low base, women
// in belted chitons and men in mantles, each standing on one leg with the other knee eased,
// arms and heads varied. Drawn small on the island, so each figure is carved coarser than the
// big statues; the row stays one part.
Mesh makeStatueRow(bool small) {
    const int count = 7;
    const float spacing = 0.85f;
    Part row;
    for (int i = 0; i < count; ++i) {
        const bool female = i % 2 == 0;
        Pose p = standPose(i * 3 + 1);
        p.rootOffset = Vec3(0, 0.32f, 0);
        Build b = marbleBuild();
        b.hips = female ? 1.08f : 1.0f;
        b.bulk = female ? 1.0f : 1.08f;
        const Joints j = solvePose(p, b);
        Carving c = carveBody(j, b, female);
        Shape& s = c.body;
        const Mat3& T = j.torso;
        const float ground = p.rootOffset.y - 0.01f;
        const Vec3 feet((j.ankle[0].x + j.ankle[1].x) * 0.5f, ground, (j.ankle[0].z + j.ankle[1].z) * 0.5f - 0.02f);
        Drape skirt;
        if (female) {
            // A chiton belted under the breasts, falling to the plinth.
            const Drape top = bodice(j, 14);
            addDrape(s, top).colour(kMarble).blend(0.03f);
            skirt.top = top.bottom;
            skirt.bottom = Vec3(j.pelvis.x * 0.6f + feet.x * 0.4f, ground, feet.z);
            skirt.rTop = 0.15f, skirt.rBottom = 0.25f;
        } else {
            // A mantle wrapped from the waist to the shins, its roll over the left shoulder.
            skirt.top = j.pelvis + T * Vec3(0, 0.1f, 0);
            skirt.bottom = Vec3(j.pelvis.x * 0.5f + feet.x * 0.5f, ground + 0.3f, feet.z);
            skirt.rTop = 0.17f, skirt.rBottom = 0.23f;
            for (int k = 0; k < 2; ++k) {
                const Vec3 off = T * Vec3(0, -0.04f * float(k), 0);
                s.capsule(j.shoulder[kLeft] + T * Vec3(-0.02f, 0.02f, 0.03f) + off, j.pelvis + T * Vec3(-0.15f, 0.08f, 0.06f) + off,
                          0.032f, 0.038f).colour(kMarbleShade).blend(0.02f);
            }
        }
        skirt.depth = 0.7f;
        skirt.ampTop = 0.006f, skirt.ampBottom = 0.026f, skirt.folds = 16, skirt.sway = 0.9f, skirt.phase = 0.4f * float(i);
        addDrape(s, skirt).colour(kMarble).blend(0.03f);
        s.roundBox(Vec3(0, 0.2f, 0), Vec3(0.28f, 0.11f, 0.25f), 0.01f).colour(kMarbleShade).blend(0.0f);
        s.roundBox(Vec3(0, 0.305f, 0), Vec3(0.31f, 0.014f, 0.28f), 0.01f).colour(kMarbleShade).blend(0.0f);
        MarbleHead head;
        head.hair = female ? Coiffure::Waves : (i % 4 == 1 ? Coiffure::CurlsBeard : Coiffure::Curls);
        head.seed = 0x20E0u + uint64_t(i);
        carveHead(c, j, b, head);
        const Mesh m = meshCarving(c, small ? 0.05f : 0.024f, small ? 0.02f : 0.012f);
        Placement at;
        at.rot = Mat3::rotY(0.25f * float((i * 5) % 3 - 1));
        at.offset = Vec3((float(i) - 0.5f * float(count - 1)) * spacing, 0, 0);
        for (const Part& part : m.parts) append(row, part, at);
    }
    Shape base;
    base.roundBox(Vec3(0, 0.06f, 0), Vec3(0.5f * float(count) * spacing + 0.2f, 0.06f, 0.35f), 0.02f).colour(kMarbleShade);
    append(row, meshShape(base, small ? 0.05f : 0.03f));
    Mesh out;
    out.parts.push_back(std::move(row));
    return out;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(statues) {
    kit::addMeshAsset({"agalma3.objb", 4, 2.5, kit::makeStatue});
    kit::addMeshAsset({"agalma3simple.objb", 4, 1.0, kit::makeStatueSimple});
    kit::addMeshAsset({"agalma3cut.objb", 4, 2.0, kit::makeBust});
    kit::addMeshAsset({"cupidhead.objb", 3, 2.0, kit::makeCherub});
    kit::addMeshAsset({"agalma2.objb", 4, 2.0, kit::makeWarrior});
    kit::addMeshAsset({"peoplerow.objb", 3, 1.5, kit::makeStatueRow});
}
