#include "gpu/render_target.h"

#include <algorithm>

namespace render_target {

int clampColourCount(int count) { return std::clamp(count, 1, 3); }

int clampColourIndex(int index) { return std::clamp(index, 0, 2); }

GLuint wideExtent(GLuint size) { return static_cast<GLuint>(static_cast<double>(size) * 1.5); }

GLuint quarterExtent(GLuint size) { return size >> 2; }

}  // namespace render_target

namespace {

struct ColourFormat {
    GLenum storage;         // renderbuffer storage
    GLint internalFormat;   // texture
    GLenum format;
    GLenum type;
};

constexpr ColourFormat kByteColour{GL_RGBA8, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE};
constexpr ColourFormat kFloatColour{GL_RGBA32F, GL_RGBA32F, GL_RGBA, GL_FLOAT};

void createColourTexture(GLuint& texture, GLuint w, GLuint h, const ColourFormat& f) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, f.internalFormat, static_cast<GLsizei>(w), static_cast<GLsizei>(h), 0,
                 f.format, f.type, nullptr);
}

void createTarget(RenderTarget& t, GLuint w, GLuint h, GLint samples, const ColourFormat& f) {
    t.width = w;
    t.height = h;
    const GLsizei sw = static_cast<GLsizei>(w);
    const GLsizei sh = static_cast<GLsizei>(h);

    for (GLuint& buffer : t.colourBuffer) {
        glGenRenderbuffers(1, &buffer);
        glBindRenderbuffer(GL_RENDERBUFFER, buffer);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, f.storage, sw, sh);
    }
    glGenRenderbuffers(1, &t.depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, t.depthBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT32, sw, sh);

    glGenFramebuffers(1, &t.drawFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, t.drawFramebuffer);
    for (int k = 0; k < 3; ++k) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + k, GL_RENDERBUFFER, t.colourBuffer[k]);
    }
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, t.depthBuffer);

    glGenFramebuffers(1, &t.resolveFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, t.resolveFramebuffer);

    glGenTextures(1, &t.depthTexture);
    glBindTexture(GL_TEXTURE_2D, t.depthTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE, GL_LUMINANCE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32, sw, sh, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);

    createColourTexture(t.spareTexture, w, h, f);
    for (GLuint& texture : t.colourTexture) createColourTexture(texture, w, h, f);

    t.attachResolveTextures();
}

}  // namespace

void RenderTarget::create(GLuint w, GLuint h, GLint samples) { createTarget(*this, w, h, samples, kByteColour); }

void RenderTarget::destroy() {
    glDeleteFramebuffers(1, &drawFramebuffer);
    glDeleteFramebuffers(1, &resolveFramebuffer);
    glDeleteRenderbuffers(3, colourBuffer);
    glDeleteRenderbuffers(1, &depthBuffer);
    glDeleteTextures(3, colourTexture);
    glDeleteTextures(1, &spareTexture);
    glDeleteTextures(1, &depthTexture);
    *this = RenderTarget();
}

void RenderTarget::createFloat(GLuint w, GLuint h, GLint samples) {
    createTarget(*this, w, h, samples, kFloatColour);
}

void RenderTarget::attachResolveTextures() {
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer);
    for (int k = 0; k < 3; ++k) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + k, GL_TEXTURE_2D, colourTexture[k], 0);
        glCheckFramebufferStatus(GL_FRAMEBUFFER);
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthTexture, 0);
    glCheckFramebufferStatus(GL_FRAMEBUFFER);
}

void RenderTarget::attachResolveColour(int index, GLuint texture) {
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + render_target::clampColourIndex(index),
                           GL_TEXTURE_2D, texture, 0);
}

void RenderTarget::bindForDrawing(int count) {
    static const GLenum kAttachments[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer);
    glDrawBuffers(render_target::clampColourCount(count), kAttachments);
}

void RenderTarget::resolve(int count, bool withDepth) {
    const GLint w = static_cast<GLint>(width);
    const GLint h = static_cast<GLint>(height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer);
    const int n = render_target::clampColourCount(count);
    for (int k = 0; k < n; ++k) {
        glReadBuffer(GL_COLOR_ATTACHMENT0 + k);
        glDrawBuffer(GL_COLOR_ATTACHMENT0 + k);
        glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, k == 0 ? GL_LINEAR : GL_NEAREST);
    }
    if (withDepth) glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}
