#include "scenes/particles/smog_layer.h"

#include "gpu/shader_program.h"

void drawSmogLayer(ShaderProgram& program, const float* mvp, float ttime, const SmogLayer& layer, GLuint texture) {
    program.use();
    program.setFloat("ttime", ttime);
    program.setMat4("MV", mvp);
    program.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    for (int i = layer.sheets - 1; i >= 0; --i) {
        const float h = smogSheetHeight(layer, i);
        const float s = layer.halfSize;
        // Column-major: scale the unit square's x and z (it lies in y = 0), lift it to h.
        const float local[16] = {s, 0, 0, 0, 0, 1, 0, 0, 0, 0, s, 0, layer.centre.x, layer.centre.y + h, layer.centre.z, 1};
        program.setFloat("height", h);
        program.setMat4("Local", local);
        glBegin(GL_QUADS);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(-1.0f, 0.0f, -1.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(1.0f, 0.0f, -1.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(1.0f, 0.0f, 1.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(-1.0f, 0.0f, 1.0f);
        glEnd();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
