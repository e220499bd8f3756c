#include "scenes/particles/particle_kit.h"

#include "common/mat4.h"
#include "driver/data_interface.h"
#include "gpu/shader_program.h"
#include "gpu/sliced_draw.h"

namespace {

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kOriginalPosition = "OriginalPositionTexture";
const std::string kSuperOriginalPosition = "SuperOriginalPositionTexture";
const std::string kOriginalColour = "OriginalColorTexture";
const std::string kOriginalUV = "OriginalUVTexture";
const std::string kStone = "StoneTexture2";
const std::string kColours = "ColorTexture";
const std::string kDepth = "texture2d_depth";
const std::string kInvocation = "Invocation";
const std::string kScreenSize = "ScreenSize";

}  // namespace

void linkFlowField(ComputeParticleSystem& system, const Data_Interface* engine) {
    system.curlTexture = engine->flowField.velocityTexture;
    system.voronoiTexture = engine->flowField.voronoiTexture;
}

void bindSampleSet(const ComputeParticleSystem& system, const TextureObject& set, const TextureObject& super) {
    system.bindSampler(GL_TEXTURE_2D, 16, kOriginalPosition, set.positionTexture);
    system.bindSampler(GL_TEXTURE_2D, 21, kSuperOriginalPosition, super.positionTexture);
    system.bindSampler(GL_TEXTURE_2D, 17, kOriginalColour, set.colourTexture);
    system.bindSampler(GL_TEXTURE_2D, 18, kOriginalUV, set.normalTexture);
}

void bindStone(const ComputeParticleSystem& system, GLuint texture) {
    system.bindSampler(GL_TEXTURE_2D, 19, kStone, texture);
}

void beginParticleScenePass() {
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

void particleLightMatrix(const Data_Interface* engine, float out[16]) {
    const Mat4 lightView = mat4LookAt(TVector(-0.5f, 9.5f, 0.5f) * 2.0f, TVector(0.0f, 0.0f, 0.0f),
                                      TVector(1.0f, 0.0f, 0.0f));
    mat4Store(mat4Multiply(mat4Load(engine->projectionMatrix), lightView), out);
}

void finishParticleSteps() {
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT | GL_SHADER_IMAGE_ACCESS_BARRIER_BIT |
                    GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
    glActiveTexture(GL_TEXTURE0);
}

void beginParticleDraw(ShaderProgram& program, Data_Interface* engine,
                       const ComputeParticleSystem& vertexSource, const ParticleDrawUniforms& u) {
    program.use();
    program.setMat4("MVP", engine->mvpMatrix);
    program.setFloat(kScreenSize, engine->viewWidth);
    if (u.lightMVP) program.setMat4("LightMVP", u.lightMVP);
    if (u.depthTexture) program.bindSampler(GL_TEXTURE_2D, 16, kDepth, u.depthTexture);
    glBindBuffer(GL_ARRAY_BUFFER, vertexSource.buffer0);
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);  // gl_PointCoord for the round points
}

void drawParticleSystem(ShaderProgram& program, const ComputeParticleSystem& system, float ttime) {
    glBindBuffer(GL_ARRAY_BUFFER, system.buffer0);
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    program.bindSampler(GL_TEXTURE_2D, 1, kColours, system.image2);
    program.setFloat("ttime", ttime);
    program.setFloat(kInvocation, static_cast<float>(system.width));
    if (system.width > 0 && system.height > 0)
        drawArraysSliced(GL_POINTS, 0, static_cast<GLsizei>(system.width) * system.height);
}

void endParticleDraw() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_POINT_SPRITE);
}

void startScatterWorker(Loader& loader, TextureObject& target, std::string path, float densityX, float densityY,
                        TVector boxMin, TVector boxMax) {
    loader.start([&target, path = std::move(path), densityX, densityY, boxMin, boxMax] {
        target.loadMesh(path, densityX, densityY, boxMin, boxMax, -1.0f);
    });
}
