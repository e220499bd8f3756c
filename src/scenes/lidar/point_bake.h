#pragma once
// The point bake: a mesh rendered from the 60 cameras of the bake ring into a float target
// whose colour is each visible fragment's world position (and a fourth value of the bake
// program's choosing), read back, thinned by distance and gathered into a PointBuffer.
//
//   PointBakeTarget bake;
//   bake.create(1000, "../shaders/DEMOLidarTree/v_Material1.cpp", "../shaders/DEMOLidarTree/f_Material1.cpp");
//   int32_t n = bakeMeshPoints(bake, mesh, points);   // render thread; once, at load
//
// The camera ring and the selection rule are in point_bake_rule.h.
#include <cstdint>
#include <string>
#include <vector>

#include "gpu/point_buffer.h"
#include "gpu/render_target.h"
#include "gpu/shader_program.h"

class TGObject;

struct PointBakeTarget {
    RenderTarget target;         // float colour, single-sampled, size x size
    ShaderProgram program;       // writes position and the fourth value
    std::vector<float> readBack; // one RGBA float image; released after the bake
    int size = 0;
    // Wall-clock seconds the last bake spent drawing, reading back and selecting.
    double renderSeconds = 0.0, readSeconds = 0.0, selectSeconds = 0.0;

    // Creates the target and builds its program. Render thread.
    void create(int targetSize, const std::string& vertexPath, const std::string& fragmentPath);
};

// Renders `mesh` from the bake ring (drawing the C library generator's numbers from seed 42342,
// on a generator of its own),
// creates `points` for the kept texels and fills it. Leaves framebuffer 0 bound, the
// projection matrix at identity and the model-view matrix current. Returns the point count;
// 0 for an empty mesh (every texel is background).
int32_t bakeMeshPoints(PointBakeTarget& bake, const TGObject& mesh, PointBuffer& points);
