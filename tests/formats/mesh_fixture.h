#pragma once
// Small meshes for the format tests, written by our own writer.
#include <string>

#include "formats/objb.h"

namespace fixture {

// Two parts: a unit right triangle at z = 0 and a triangle pair (a quad) from (-1, -2, -3) to
// (3, 4, 5), with normals and colours in -1..1.
inline ObjbMesh twoParts() {
    ObjbMesh m;
    m.hasNormals = true;
    m.hasColours = true;
    MeshPart a;
    a.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    a.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    a.colours = {-1, -1, -1, 1, 1, 1, 0, 0.5f, -0.5f};
    a.indices = {0, 1, 2};
    MeshPart b;
    b.positions = {-1, -2, -3, 3, -2, -3, 3, 4, 5, -1, 4, 5};
    b.normals = {-2, 2, 0, 0.5f, -0.5f, 1, 1, 1, 1, 0, 0, -1};
    b.colours = {1, 0, -1, 0.2f, 0.4f, 0.6f, -0.2f, -0.4f, -0.6f, 0, 0, 0};
    b.indices = {0, 1, 2, 0, 2, 3};
    m.parts = {a, b};
    return m;
}

}  // namespace fixture
