#include "generator/meshes/heightfield.h"

namespace kit {

Part heightfield(const std::function<float(float, float)>& height, const std::function<Vec3(const Vec3&)>& colour, float x0,
                 float z0, float x1, float z1, int nx, int nz) {
    Part p;
    for (int j = 0; j <= nz; ++j)
        for (int i = 0; i <= nx; ++i) {
            const float x = x0 + (x1 - x0) * float(i) / float(nx);
            const float z = z0 + (z1 - z0) * float(j) / float(nz);
            p.pos.push_back(Vec3(x, height(x, z), z));
        }
    for (int j = 0; j < nz; ++j)
        for (int i = 0; i < nx; ++i) {
            const uint32_t a = uint32_t(j * (nx + 1) + i), b = a + 1, c = a + uint32_t(nx + 1), d = c + 1;
            // Counter-clockwise seen from above (+y).
            p.idx.insert(p.idx.end(), {a, c, b, b, c, d});
        }
    computeNormals(p);
    p.col.resize(p.pos.size());
    for (size_t i = 0; i < p.pos.size(); ++i) p.col[i] = colour(p.pos[i]);
    return p;
}

}  // namespace kit
