#include "scenes/particles/mirrored_copies.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>

#include "common/c_random.h"
#include "formats/tg_object.h"
#include "gpu/shader_program.h"

namespace {

// One draw, 0..1: the generator's full 31-bit range over RAND_MAX, as the copies were placed
// with the C library's rand().
float draw01(CRandom& random) { return static_cast<float>(random.next()) / static_cast<float>(RAND_MAX); }

}  // namespace

void scatterCopies(unsigned seed, const CopyScatter& s, CopyPlacement* out, int count) {
    CRandom random(seed);
    auto draw01 = [&random] { return ::draw01(random); };
    for (int i = 0; i < count; ++i) {
        const float angle = draw01() * 6.2831853f;
        const float r2min = s.radiusMin * s.radiusMin;
        const float r2max = s.radiusMax * s.radiusMax;
        const float radius = std::sqrt(r2min + draw01() * (r2max - r2min));
        const float yaw = s.yawMin + draw01() * (s.yawMax - s.yawMin);
        const float scale = s.scaleMin + draw01() * (s.scaleMax - s.scaleMin);
        const float x = s.centre.x + radius * std::cos(angle);
        const float z = s.centre.z + radius * std::sin(angle);
        const float ground = s.groundAt ? s.groundAt(x, z) : s.centre.y;
        out[i].position = TVector(x, ground - s.sink, z);
        out[i].yaw = yaw;
        out[i].scale = scale;
    }
}

Mat4 copyMatrix(const CopyPlacement& p, bool mirrored) {
    const float c = std::cos(p.yaw);
    const float s = std::sin(p.yaw);
    const float k = p.scale;
    const float flip = mirrored ? -1.0f : 1.0f;
    // Column-major: rotation about y scaled by k, then the translation; the mirror negates
    // the second row (every y the matrix produces).
    Mat4 m = {{c * k, 0.0f, -s * k, 0.0f,
               0.0f, flip * k, 0.0f, 0.0f,
               s * k, 0.0f, c * k, 0.0f,
               p.position.x, flip * p.position.y, p.position.z, 1.0f}};
    return m;
}

void drawMirroredCopies(ShaderProgram& program, const TGObject& mesh, const CopyPlacement* copies, int count) {
    for (int i = 0; i < count; ++i) {
        program.setMat4("Local", copyMatrix(copies[i], false).m);
        program.setFloat("Refl", 0.0f);
        mesh.draw(-1);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        program.setMat4("Local", copyMatrix(copies[i], true).m);
        program.setFloat("Refl", 1.0f);
        mesh.draw(-1);
        glDisable(GL_BLEND);
    }
}
