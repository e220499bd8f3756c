#include "scenes/particles/particle_shadow_timeline.h"

#include <cstdlib>

#include "common/c_random.h"

namespace particle_shadow {

int crowdAFrame(float t) {
    const float frame = t * 34.0f + 2524.0f;
    return static_cast<int>(frame) % kWalkFrames;
}

int crowdBFrame(float t) {
    const float frame = t * 35.0f + 41.0f + 2515.0f;
    return static_cast<int>(frame) % kWalkFrames;
}

const MaterialRow kMaterialRowTable[kMaterialRows] = {
    {0.0f, 0.0f, RowMesh::Statue}, {0.0f, 1.0f, RowMesh::Statue},
    {1.0f, 0.0f, RowMesh::Statue}, {1.0f, 1.0f, RowMesh::Statue},
    {2.0f, 0.0f, RowMesh::Statue}, {2.0f, 1.0f, RowMesh::Statue},
    {3.0f, 0.0f, RowMesh::Island}, {4.0f, 0.0f, RowMesh::Island},
    {5.0f, 0.0f, RowMesh::Island}, {6.0f, 0.0f, RowMesh::Island},
};

bool materialRowDrawn(int row, float t) {
    const double td = t;
    switch (row) {
    case 0: return t < 8.0f;
    case 1: return td < 8.1;
    case 2:
    case 3: return t >= 8.0f;
    case 4: return 0.2 < td && td < 28.8;
    case 5: return 0.0 < td && td < 28.9;
    case 6:
    case 7:
    case 8:
    case 9: return true;
    default: return false;
    }
}

CameraPose cameraAt(float t) {
    if (t >= 13.0f && t < 16.0f) {
        const float z = static_cast<float>((static_cast<double>(t) - 13.0) * 0.4) - 3.0f;
        return {TVector(8.0f, 0.5f, z), TVector(0.0f, 0.5f, z)};
    }
    return {TVector(13.0f, 0.5f, 0.0f), TVector(0.0f, 0.5f, 0.0f)};
}

void makeGreyPoints(GreyPoint (&points)[kGreyPointCount]) {
    CRandom random(42424);
    for (GreyPoint& p : points) {
        const float r1 = random.unit15();
        const float r2 = random.unit15();
        const float height = 10.0f * r2 + 10.0f;
        p.grey = (height - 10.0f) * 0.1f;
        p.position = TVector(-20.0f, height - 3.0f, 60.0f * r1 - 30.0f);
    }
}

}  // namespace particle_shadow
