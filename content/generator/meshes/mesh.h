#pragma once
// The kit's mesh: parts of indexed triangles with per-vertex normals and colours.
// Colours are 0..1 here; the ".objb" file holds them in -1..1 (toObjb converts).
#include <cstdint>
#include <vector>

#include "generator/meshes/vec.h"

namespace kit {

struct Part {
    std::vector<Vec3> pos;
    std::vector<Vec3> nrm;
    std::vector<Vec3> col;
    std::vector<uint32_t> idx;  // three per triangle, counter-clockwise seen from outside

    size_t triangles() const { return idx.size() / 3; }
};

struct Mesh {
    std::vector<Part> parts;
    size_t triangles() const;
    size_t vertices() const;
};

struct Box {
    Vec3 lo{1e30f, 1e30f, 1e30f};
    Vec3 hi{-1e30f, -1e30f, -1e30f};
    void add(const Vec3& p) { lo = vmin(lo, p); hi = vmax(hi, p); }
    bool empty() const { return lo.x > hi.x; }
    Vec3 size() const { return hi - lo; }
    Vec3 centre() const { return (lo + hi) * 0.5f; }
};

// Area-weighted vertex normals from the triangles (unit length; +y where undefined).
void computeNormals(Part& part);
double area(const Part& part);
double area(const Mesh& mesh);
Box bounds(const Mesh& mesh);
Box bounds(const Part& part);

// Appends src to dst, placed by `where` (normals are rotated).
void append(Part& dst, const Part& src, const Placement& where = Placement());
// Moves every vertex: p -> p * s (about the origin).
void scale(Mesh& mesh, float s);
void translate(Mesh& mesh, const Vec3& by);
// Merges all parts into one.
Part merged(const Mesh& mesh);
// Reverses the winding of every triangle and flips the normals.
void flip(Part& part);

}  // namespace kit
