#pragma once
// The particle scenes' shared steps: binding a sample set to a compute system, linking the
// flow field, drawing systems as round lit points, and scattering meshes on worker threads.
//
//   // load
//   linkFlowField(system, engine);
//   startScatterWorker(worker, samples, path, 1.0f, 415.0f, boxMin, boxMax);   // Loader worker
//   ... worker.join(); samples.upload();
//   // render: the step ...
//   system.bindForStep(localTime, timeStep);
//   bindSampleSet(system, samples, samples);
//   bindStone(system, marble.texture);
//   system.setFloat("PosY", 0.0f);
//   system.dispatch();
//   finishParticleSteps();
//   // ... and the points
//   beginParticleDraw(particleProgram, engine, system, {lightMatrix, depthTexture});
//   drawParticleSystem(particleProgram, system, localTime);
//   endParticleDraw();
#include <GL/glew.h>

#include <string>

#include "common/loader.h"
#include "common/tvector.h"
#include "gpu/compute_particle_system.h"
#include "gpu/texture_object.h"

struct Data_Interface;
class ShaderProgram;

// The system reads the engine's velocity field ("CurlTexture") and Voronoi map.
void linkFlowField(ComputeParticleSystem& system, const Data_Interface* engine);

// A sample set on the units every particle step reads: "OriginalPositionTexture" 16 (the set's
// positions), "SuperOriginalPositionTexture" 21 (`super`'s positions), "OriginalColorTexture"
// 17 and "OriginalUVTexture" 18 (the set's colours and normals). The system's program is in use.
void bindSampleSet(const ComputeParticleSystem& system, const TextureObject& set, const TextureObject& super);
// A material image as "StoneTexture2" on unit 19.
void bindStone(const ComputeParticleSystem& system, GLuint texture);
// After the frame's dispatches: the point programs read the systems' images and buffer 0.
// NOTE: the compute step writes with image stores; storage barriers alone do not order the
// texture fetches and vertex reads that follow. Leaves unit 0 active.
void finishParticleSteps();

// The state every particle scene pass starts from: the eye target cleared to dark grey (0.1)
// with its depth, smooth lines at their nicest, polygon smoothing off, depth testing on,
// blending off.
void beginParticleScenePass();
// The light the particle scenes shade with: looking straight down at the origin from
// (-1, 19, 1), up (1, 0, 0), through the camera's projection (the engine's projectionMatrix);
// the product as setCamera makes it.
void particleLightMatrix(const Data_Interface* engine, float out[16]);

struct ParticleDrawUniforms {
    const float* lightMVP = nullptr;  // "LightMVP"; not set when null
    GLuint depthTexture = 0;          // "texture2d_depth" on unit 16; not bound when 0
};

// Makes `program` current with "MVP" (the engine's), "ScreenSize" (the view width) and the
// given light uniforms, and sets up point drawing: `vertexSource`'s buffer 0 as the vertex
// array (each drawParticleSystem then points the array at its own system's buffer 0), round
// points, program point size, point sprites.
void beginParticleDraw(ShaderProgram& program, Data_Interface* engine,
                       const ComputeParticleSystem& vertexSource, const ParticleDrawUniforms& u);
// One system: its buffer 0 as the vertex array (the points' positions), "ColorTexture" 1 =
// image 2, "ttime", "Invocation" = the grid width; width x height points.
void drawParticleSystem(ShaderProgram& program, const ComputeParticleSystem& system, float ttime);
// Unbinds the vertex array and turns point sprites off. NOTE: round points and program point
// size stay on for the scene's further point layers; the sequencer resets them between scenes.
void endParticleDraw();

// Starts `loader` scattering `path` into `target` by area (points per triangle -1), at
// `target`'s load scale and cache flag. The scatter draws from the TextureObject's own
// generator, so the samples do not depend on other threads. Join the loader before
// target.upload().
void startScatterWorker(Loader& loader, TextureObject& target, std::string path, float densityX, float densityY,
                        TVector boxMin, TVector boxMax);
