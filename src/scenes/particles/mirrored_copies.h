#pragma once
// Copies of a mesh standing over the water, each drawn once upright and once mirrored in the
// water plane y = 0 (scale (1, -1, 1)), the mirror image blended over what lies behind it:
// the water's reflection. Their placements come from the C library generator, reseeded with a
// fixed seed every time they are placed, so the copies stand still from frame to frame and
// from run to run.
//
//   CopyScatter ring;                      // where and how large
//   ring.centre = island; ring.radiusMax = 5.0f; ring.groundAt = islandHeight;
//   CopyPlacement copies[5];
//   scatterCopies(4711, ring, copies, 5);  // each frame, on the render thread
//   program.use(); ...                     // the mesh program, with its other uniforms
//   drawMirroredCopies(program, statueMesh, copies, 5);
//
// NOTE: the C library generator is process-wide; place copies on the render thread only, and
// never while a loading worker might draw from it.
#include "common/mat4.h"
#include "common/tvector.h"

class ShaderProgram;
class TGObject;

struct CopyScatter {
    TVector centre;                  // the middle of the ring the copies stand in
    float radiusMin = 0.0f;          // distance from the centre, in the xz plane
    float radiusMax = 1.0f;
    float yawMin = 0.0f;             // turn about y, radians
    float yawMax = 6.2831853f;
    float scaleMin = 1.0f;
    float scaleMax = 1.0f;
    float sink = 0.0f;               // how far each copy stands below the ground
    float (*groundAt)(float x, float z) = nullptr;   // ground height; null: centre.y
};

struct CopyPlacement {
    TVector position;                // where the mesh's origin stands
    float yaw = 0.0f;                // turn about y, radians
    float scale = 1.0f;
};

// Four draws per copy from a generator of its own seeded with `seed` (the numbers of the C
// library's rand() after srand(seed), each over RAND_MAX), in this order: angle, radius, turn,
// scale. The radius is spread so the copies cover the ring's area evenly. The process-wide
// rand() is not touched.
void scatterCopies(unsigned seed, const CopyScatter& scatter, CopyPlacement* out, int count);

// translate(position) x rotateY(yaw) x scale; mirrored: diag(1, -1, 1) x that.
Mat4 copyMatrix(const CopyPlacement& placement, bool mirrored);

// The program is in use. For each copy: "Local" = its matrix, "Refl" = 0, draw every part;
// then "Local" = the mirrored matrix, "Refl" = 1, blended (source alpha, one minus source
// alpha), draw. Leaves blending off.
void drawMirroredCopies(ShaderProgram& program, const TGObject& mesh, const CopyPlacement* copies, int count);
