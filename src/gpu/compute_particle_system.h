#pragma once
// ComputeParticleSystem: one compute program stepping width x height particles held in three
// shader-storage buffers (one vec4 record each), with one RGBA32F image beside them.
//
//   ComputeParticleSystem p;
//   p.width = p.height = 1000;
//   p.curlTexture = field.curl;  p.voronoiTexture = field.voronoi;
//   p.create("../shaders/x/ComputeShader1.cpp");   // loading step, render thread
//   // every frame:
//   p.bindForStep(time, dt);
//   p.bindSampler(GL_TEXTURE_2D, 5, "OriginalPositionTexture", tex);
//   p.dispatch();
//   p.drawPoints();                                 // buffer 0 as a point cloud
//
// Bindings a compute shader can rely on: buffers 0, 1, 2 on storage binding points 4, 5, 6;
// image 2 on image unit 2 (the particles' colours: rgb, a = size factor); "CurlTexture" (3D)
// on unit 3, "VoronoiTexture" on unit 13; uniforms "ttime", "DeltaT" and "Invocation" (the
// grid width). Image units 0 and 1 are left empty and images 0 and 1 are never made: the
// positions live in buffer 0 alone (the points draw it as their vertex array), and no shader
// declares an image on unit 1.
// Buffer contents are undefined until the compute shader writes them. Nothing is deleted.
#include <GL/glew.h>

#include <cstdint>
#include <string>

struct ComputeParticleSystem {
    GLuint program = 0;
    GLuint curlTexture = 0;      // 3D, set by the scene before use
    GLuint voronoiTexture = 0;   // 2D, set by the scene before use
    GLuint buffer0 = 0;
    GLuint buffer1 = 0;
    GLuint buffer2 = 0;
    GLuint image0 = 0;           // never made: 0
    GLuint image2 = 0;
    GLuint image1 = 0;           // never made: 0
    int32_t width = 0;           // particle grid; set before create()
    int32_t height = 0;

    // Builds the compute program from `path`, then the buffers and images.
    void create(const std::string& path);
    // Makes the program current and binds buffers, images, the two field textures and the
    // per-step uniforms. NOTE: leaves texture unit 9 active.
    void bindForStep(float time, float deltaTime);
    void setFloat(const std::string& name, float value) const;
    void setMat4(const std::string& name, const float* m) const;
    // Binds `texture` on `unit` and sets the sampler; leaves that unit active.
    void bindSampler(GLenum target, int unit, const std::string& name, GLuint texture) const;
    // width / 16 work groups along x and y (the width for both), between storage barriers;
    // the barrier after also covers vertex fetches, so buffer 0 can be drawn at once.
    void dispatch() const;
    // Draws buffer 0 as width x height points through the fixed-function vertex array.
    void drawPoints() const;
};

namespace compute_particles {

// Work groups along each axis for a grid of `width`: width / 16, truncated toward zero.
int32_t groupCount(int32_t width);

}  // namespace compute_particles
