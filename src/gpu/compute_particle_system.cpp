#include "gpu/compute_particle_system.h"

#include <algorithm>

#include "gpu/particle_owners.h"
#include "gpu/program_registry.h"
#include "gpu/shader_program.h"
#include "gpu/sliced_draw.h"

namespace compute_particles {

int32_t groupCount(int32_t width) { return std::max(0, width / 16); }

}  // namespace compute_particles

namespace {

void createStorageBuffer(GLuint& buffer, GLsizeiptr bytes) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, bytes, nullptr, GL_STATIC_DRAW);
    if (bytes > 0) {
        glMapBufferRange(GL_SHADER_STORAGE_BUFFER, 0, bytes, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
        glUnmapBuffer(GL_SHADER_STORAGE_BUFFER);
    }
}

// NOTE: expects the texture unit it should live on to be active already.
void createImage(GLuint& image, GLuint imageUnit, int32_t w, int32_t h) {
    glGenTextures(1, &image);
    glBindTexture(GL_TEXTURE_2D, image);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, w, h, 0, GL_RGBA, GL_FLOAT, nullptr);
    glBindImageTexture(imageUnit, image, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA32F);
}

void bindImage(GLuint image, GLuint imageUnit) {
    glBindTexture(GL_TEXTURE_2D, image);
    glBindImageTexture(imageUnit, image, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA32F);
}

}  // namespace

void ComputeParticleSystem::create(const std::string& path) {
    program = buildComputeProgram(path);
    program_registry::noteCompute(&program, path);

    const GLsizeiptr bytes =
        width > 0 && height > 0 ? static_cast<GLsizeiptr>(height) * static_cast<GLsizeiptr>(width) * 16 : 0;
    createStorageBuffer(buffer0, bytes);
    createStorageBuffer(buffer1, bytes);
    createStorageBuffer(buffer2, bytes);

    // NOTE: images 0 and 1 are never made (at 2560 x 2560 each would be 100 MB): the positions
    // an image 0 would repeat are buffer 0, which the points draw as their vertex array, and no
    // compute shader declares an image on unit 1. Both stay 0 and their units empty.
    glActiveTexture(GL_TEXTURE8);
    image0 = 0;
    glBindImageTexture(0, 0, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA32F);
    glActiveTexture(GL_TEXTURE9);
    image1 = 0;
    glBindImageTexture(1, 0, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA32F);
    createImage(image2, 2, width, height);
    particle_owners::noteCreated(this);
}

void ComputeParticleSystem::bindForStep(float time, float deltaTime) {
    glUseProgram(program);
    setFloat("ttime", time);
    setFloat("DeltaT", deltaTime);
    setFloat("Invocation", static_cast<float>(width));

    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 4, buffer0);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 5, buffer1);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 6, buffer2);

    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_3D, curlTexture);
    glUniform1i(glGetUniformLocation(program, "CurlTexture"), 3);
    glActiveTexture(GL_TEXTURE13);
    glBindTexture(GL_TEXTURE_2D, voronoiTexture);
    glUniform1i(glGetUniformLocation(program, "VoronoiTexture"), 13);

    glActiveTexture(GL_TEXTURE8);
    bindImage(image0, 0);  // image0 is 0: unit 0 stays empty
    glActiveTexture(GL_TEXTURE9);
    bindImage(image1, 1);  // image1 is 0: unit 1 stays empty
    bindImage(image2, 2);
}

void ComputeParticleSystem::setFloat(const std::string& name, float value) const {
    glUniform1f(glGetUniformLocation(program, name.c_str()), value);
}

void ComputeParticleSystem::setMat4(const std::string& name, const float* m) const {
    glUniformMatrix4fv(glGetUniformLocation(program, name.c_str()), 1, GL_FALSE, m);
}

void ComputeParticleSystem::bindSampler(GLenum target, int unit, const std::string& name, GLuint texture) const {
    const GLint location = glGetUniformLocation(program, name.c_str());
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(target, texture);
    glUniform1i(location, unit);
}

void ComputeParticleSystem::dispatch() const {
    const GLuint groups = static_cast<GLuint>(compute_particles::groupCount(width));
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT);
    glDispatchCompute(groups, groups, 1);
    // NOTE: buffer 0 is read as a vertex array afterwards (drawPoints, the scenes' point
    // draws); a storage barrier alone does not order vertex fetches after shader writes.
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
}

void ComputeParticleSystem::drawPoints() const {
    glBindBuffer(GL_ARRAY_BUFFER, buffer0);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    drawArraysSliced(GL_POINTS, 0, width > 0 && height > 0 ? width * height : 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
}
