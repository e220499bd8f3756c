#include "gpu/post_pass.h"

#include "gpu/shader_program.h"

void bindTargetTextures(const RenderTarget& target, ShaderProgram& program) {
    program.use();
    program.bindSampler(GL_TEXTURE_2D, 0, "Texture1", target.colourTexture[0]);
    program.bindSampler(GL_TEXTURE_2D, 1, "Texture2", target.colourTexture[1]);
    program.bindSampler(GL_TEXTURE_2D, 2, "Texture3", target.colourTexture[2]);
    program.bindSampler(GL_TEXTURE_2D, 3, "TextureDepth", target.depthTexture);
}

void drawFullScreenQuad() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    drawTexturedSquare(1.0f);
}

void drawTexturedSquare(float half) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-half, -half, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(half, -half, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(half, half, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-half, half, 0.0f);
    glEnd();
}
