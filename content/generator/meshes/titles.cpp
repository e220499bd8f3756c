// The title and the group's mark, as solid letters for the depth-camera scene's particles.
#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/text.h"

namespace kit {

namespace {

// "VELLUNA" in solid letters, one part per letter, centred on the origin, facing +z.
Mesh makeTitle(bool small) {
    TextStyle st;
    st.height = 1.0f;
    st.weight = 0.085f;
    st.depth = 0.12f;
    const std::string word = "VELLUNA";
    float x = -0.5f * textWidth(word, st);
    Mesh m;
    for (char c : word) {
        Shape s;
        x += addLetter(s, c, x, st);
        m.parts.push_back(meshShape(s, small ? 0.05f : 0.022f));
    }
    translate(m, Vec3(0, -0.5f, 0));
    return m;
}

// A flat dark plate bearing the pale raised letters "QRB".
Mesh makeMarkPlate(bool small) {
    TextStyle st;
    st.height = 1.3f;
    st.weight = 0.09f;
    st.depth = 0.06f;
    st.z = 0.1f;
    st.round = 0.03f;
    st.spacing = 0.25f;
    st.y = -0.65f;
    const std::string word = "QRB";
    Shape s;
    s.roundBox(Vec3(0, 0, 0), Vec3(1.9f, 1.0f, 0.05f), 0.03f).colour({0.24f, 0.24f, 0.27f});
    float x = -0.5f * textWidth(word, st);
    for (char c : word) x += addLetter(s, c, x, st);
    Mesh m;
    m.parts.push_back(meshShape(s, small ? 0.07f : 0.03f));
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(titles) {
    kit::addMeshAsset({"velluna.objb", 2, 0.6, kit::makeTitle});
    kit::addMeshAsset({"qrbplane.objb", 2, 0.6, kit::makeMarkPlate});
}
