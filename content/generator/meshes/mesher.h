#pragma once
// Surface nets: turns a signed-distance shape into a closed, consistently wound triangle
// mesh with one vertex per surface cell, area-weighted normals and colours from the shape.
#include "generator/meshes/mesh.h"
#include "generator/meshes/sdf.h"

namespace kit {

// Meshes the shape on a grid of the given cell size. The grid covers the shape's Add
// primitives; pass lo/hi to mesh only a region (faces on its border stay open).
Part meshShape(const Shape& shape, float cell);
Part meshShape(const Shape& shape, float cell, const Vec3& lo, const Vec3& hi);

// Picks the cell size that gives about `triangles` triangles (two tries), and meshes.
Part meshShapeToTriangles(const Shape& shape, size_t triangles, float* cellUsed = nullptr);

}  // namespace kit
