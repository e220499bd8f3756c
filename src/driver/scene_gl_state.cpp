#include "driver/scene_gl_state.h"

#include "display/vr_engine2.h"
#include "gpu/render_target.h"

namespace {

void setSampling(GLuint texture, GLint wrap) {
    if (texture == 0) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

}  // namespace

void resetTargetTextures(const RenderTarget& target) {
    setSampling(target.spareTexture, GL_REPEAT);
    for (GLuint texture : target.colourTexture) setSampling(texture, GL_REPEAT);
    setSampling(target.depthTexture, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void resetDisplayTextures(const VREngine2& display) {
    for (const RenderTarget& t : display.eyeTarget) resetTargetTextures(t);
    for (const RenderTarget& t : display.wideTarget) resetTargetTextures(t);
    resetTargetTextures(display.extraTarget);
    resetTargetTextures(display.quarterTarget);
}

void resetSceneGlState() {
    for (GLenum capability : scene_gl_state::kSwitchedOff) glDisable(capability);

    // NOTE: GL_TEXTURE_2D is enabled per unit, and only the fixed-function units have the
    // switch (enabling it on unit 9, say, is an error); a scene that left a higher unit active
    // would otherwise hide an enabled unit 0 from a plain glDisable.
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    for (GLint unit = units - 1; unit >= 0; --unit) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
        glDisable(GL_TEXTURE_2D);
    }
    // The loop ends on unit 0, which stays active.
    glClientActiveTexture(GL_TEXTURE0);

    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glUseProgram(0);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    for (GLenum array : scene_gl_state::kClientArrays) glDisableClientState(array);

    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LESS);
    glBlendFunc(GL_ONE, GL_ZERO);
    glBlendEquation(GL_FUNC_ADD);

    glPointSize(1.0f);
    glLineWidth(1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
