#include "generator/meshes/mesh.h"

namespace kit {

size_t Mesh::triangles() const {
    size_t n = 0;
    for (const Part& p : parts) n += p.triangles();
    return n;
}

size_t Mesh::vertices() const {
    size_t n = 0;
    for (const Part& p : parts) n += p.pos.size();
    return n;
}

void computeNormals(Part& part) {
    std::vector<Vec3> acc(part.pos.size(), Vec3(0, 0, 0));
    for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
        const uint32_t a = part.idx[t], b = part.idx[t + 1], c = part.idx[t + 2];
        const Vec3 n = cross(part.pos[b] - part.pos[a], part.pos[c] - part.pos[a]);
        acc[a] += n;
        acc[b] += n;
        acc[c] += n;
    }
    part.nrm.resize(part.pos.size());
    for (size_t i = 0; i < acc.size(); ++i) {
        const Vec3 n = normalize(acc[i]);
        part.nrm[i] = length(n) > 0.5f ? n : Vec3(0, 1, 0);
    }
}

double area(const Part& part) {
    double a = 0;
    for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
        const Vec3& p0 = part.pos[part.idx[t]];
        a += 0.5 * length(cross(part.pos[part.idx[t + 1]] - p0, part.pos[part.idx[t + 2]] - p0));
    }
    return a;
}

double area(const Mesh& mesh) {
    double a = 0;
    for (const Part& p : mesh.parts) a += area(p);
    return a;
}

Box bounds(const Part& part) {
    Box b;
    for (const Vec3& p : part.pos) b.add(p);
    return b;
}

Box bounds(const Mesh& mesh) {
    Box b;
    for (const Part& part : mesh.parts)
        for (const Vec3& p : part.pos) b.add(p);
    return b;
}

void append(Part& dst, const Part& src, const Placement& where) {
    const uint32_t base = static_cast<uint32_t>(dst.pos.size());
    for (size_t i = 0; i < src.pos.size(); ++i) {
        dst.pos.push_back(where.apply(src.pos[i]));
        dst.nrm.push_back(i < src.nrm.size() ? normalize(where.applyDir(src.nrm[i])) : Vec3(0, 1, 0));
        dst.col.push_back(i < src.col.size() ? src.col[i] : Vec3(0.5f, 0.5f, 0.5f));
    }
    for (uint32_t i : src.idx) dst.idx.push_back(base + i);
}

void scale(Mesh& mesh, float s) {
    for (Part& part : mesh.parts)
        for (Vec3& p : part.pos) p *= s;
}

void translate(Mesh& mesh, const Vec3& by) {
    for (Part& part : mesh.parts)
        for (Vec3& p : part.pos) p += by;
}

Part merged(const Mesh& mesh) {
    Part out;
    for (const Part& p : mesh.parts) append(out, p);
    return out;
}

void flip(Part& part) {
    for (size_t t = 0; t + 2 < part.idx.size(); t += 3) std::swap(part.idx[t + 1], part.idx[t + 2]);
    for (Vec3& n : part.nrm) n = -n;
}

}  // namespace kit
