#include "driver/show_loading.h"

#include <GL/glew.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "common/mat4.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/loading_arc.h"
#include "formats/flow_field_loader.h"
#include "formats/tg_object.h"
#include "gpu/post_pass.h"
#include "gpu/shader_program.h"
#include "scenes/lidar/point_cloud.h"

ImageTexture loaderTexture;
float loadProgress = 0.0f;
void (*loadingFrameHook)() = nullptr;

namespace {

Data_Interface& engine() { return engineData; }

void setRepeat(const ImageTexture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void identityMatrices() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

void loadSharedFirst() {
    Data_Interface& e = engine();
    e.colorProgram = new ShaderProgram();
    e.colorProgram->build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixed.cpp");
    e.textureProgram = new ShaderProgram();
    e.textureProgram->build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedtexture.cpp");

    // NOTE: the show cannot run without its flow field; the loader stops it with a message.
    loadFlowField(e.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");

    e.loaderCallback = loadingScreenStep;
    loaderTexture.loadImage("..//newresources//theloader.jpg", true);
}

void loadSharedSecond() {
    Data_Interface& e = engine();
    // The walk cycle, read directly (no cache) at 1/100 of its file's size.
    for (int i = 1; i <= 56; ++i) {
        std::srand(42342);
        char path[64];
        std::snprintf(path, sizeof path, "..//newresources//walkers2//mesh.%04d.objb", i);
        e.walkerMeshes[i - 1] = new TGObject();
        e.walkerMeshes[i - 1]->loadObjb(path, 0.01f, true);
    }
    e.pointCloud = new PointCloud();
    e.pointCloud->loadCompressed("..//newresources//2.ascbb");
    e.pointCloud->upload();
    e.skyboxTexture = new ImageTexture();
    e.skyboxTexture->loadImage("..//newresources//skybox.png", true);
    setRepeat(*e.skyboxTexture);
    e.marbleTexture = new ImageTexture();
    e.marbleTexture->loadImage("..//newresources//marble.jpg", false);
    setRepeat(*e.marbleTexture);
}

void loadingScreenStep(float weight) {
    Data_Interface& e = engine();
    VREngine2& display = *e.display;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glUseProgram(0);
    SDL_GL_MakeCurrent(display.window, display.glContext);

    loadProgress = loading_arc::advance(loadProgress, weight);

    const RenderTarget& target = display.eyeTarget[0];
    glViewport(0, 0, static_cast<GLsizei>(target.width), static_cast<GLsizei>(target.height));
    const float aspect = static_cast<float>(target.width) / static_cast<float>(target.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const float f = loading_arc::fade(loadProgress);
    Mat4 mv = mat4Identity();
    mv[0] = 0.3f;
    mv[5] = -0.3f * aspect;
    mv[10] = 0.3f;
    const Mat4 local = mat4Identity();

    // The picture, tinted grey f.
    e.textureProgram->use();
    e.textureProgram->setMat4("MV", mv.m);
    e.textureProgram->setMat4("Local", local.m);
    glDisable(GL_BLEND);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    identityMatrices();
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, loaderTexture.texture);
    glColor3f(f, f, f);
    drawTexturedSquare(1.03f);

    // The progress arc around it.
    e.colorProgram->use();
    e.colorProgram->setMat4("MV", mv.m);
    e.colorProgram->setMat4("Local", local.m);
    const loading_arc::Arc arc = loading_arc::arc(loadProgress, f);
    for (const loading_arc::Strip& s : arc.strips) {
        glBegin(GL_QUAD_STRIP);
        for (int i = s.first; i < s.first + s.count; ++i) {
            const loading_arc::Direction d = loading_arc::direction(i);
            glColor3f(s.grey1, s.grey1, s.grey1);
            glVertex3f(d.x * s.r1, d.y * s.r1, 0.0f);
            glColor3f(s.grey2, s.grey2, s.grey2);
            glVertex3f(d.x * s.r2, d.y * s.r2, 0.0f);
        }
        glEnd();
    }
    e.colorProgram->unuse();

    if (loadingFrameHook != nullptr) loadingFrameHook();
    SDL_GL_SwapWindow(display.window);
}
