#include "display/post_chain.h"

#include <GL/glew.h>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "gpu/image_texture.h"
#include "gpu/post_pass.h"
#include "gpu/render_target.h"
#include "gpu/shader_program.h"

namespace {

// "ttime" and whatever extras the scene asked for; the program is in use.
void setPostUniforms(Data_Interface* engine, RenderTarget& target, ShaderProgram& program,
                     const PostUniforms& u) {
    program.setFloat("ttime", u.ttime);
    if (u.extras & kPostResolution) program.setVec3("resolution", engine->viewWidth, engine->viewHeight, 0.0f);
    if (u.extras & kPostSky)
        program.bindSampler(GL_TEXTURE_2D, 31, "Sky", engine->skyboxTexture ? engine->skyboxTexture->texture : 0);
    if (u.extras & kPostPosY) program.setFloat("PosY", u.posY);
    if (u.extras & kPostDump) program.setFloat("dump", u.dump);
    if (u.extras & kPostRePos) {
        program.setFloat("RePosX", u.rePosX);
        program.setFloat("RePosY", u.rePosY);
    }
    if (u.extras & kPostAspect)
        program.setFloat("aspect", engine->viewHeight != 0.0f ? engine->viewWidth / engine->viewHeight : 1.0f);
    if (u.extras & kPostDepth) program.bindSampler(GL_TEXTURE_2D, 3, "TextureDepth", target.depthTexture);
}

}  // namespace

RenderTarget& postOcclusion(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u) {
    VREngine2* display = engine->display;
    RenderTarget& target = display->beginEyePostPass(eye);
    bindTargetTextures(target, program);
    setPostUniforms(engine, target, program, u);
    drawFullScreenQuad();
    display->finishEyePostPass(eye);
    return target;
}

RenderTarget& postBlur(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u) {
    VREngine2* display = engine->display;
    RenderTarget& source = display->eyeTargetFor(eye);
    RenderTarget& quarter = display->beginQuarterPass();
    glClearColor(1.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    program.use();
    setPostUniforms(engine, source, program, u);
    program.bindSampler(GL_TEXTURE_2D, 6, "Texture1", source.spareTexture);
    drawFullScreenQuad();
    display->resolveQuarterPass();
    return quarter;
}

void postComposite(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u) {
    VREngine2* display = engine->display;
    glViewport(0, 0, static_cast<GLsizei>(engine->viewWidth), static_cast<GLsizei>(engine->viewHeight));
    RenderTarget& target = display->beginEyePostPass(eye);
    program.use();
    program.bindSampler(GL_TEXTURE_2D, 1, "TextureBlur", display->quarterTarget.colourTexture[0]);
    program.bindSampler(GL_TEXTURE_2D, 2, "Texture1", target.spareTexture);
    setPostUniforms(engine, target, program, u);
    drawFullScreenQuad();
    display->finishEyePostPass(eye);
}

void runPostChain(Data_Interface* engine, int eye, const PostPrograms& programs,
                  const PostUniforms& occlusion, const PostUniforms& composite) {
    if (programs.occlusion) postOcclusion(engine, eye, *programs.occlusion, occlusion);
    if (programs.blur == nullptr || programs.composite == nullptr) return;
    PostUniforms blur;
    blur.ttime = composite.ttime;
    postBlur(engine, eye, *programs.blur, blur);
    postComposite(engine, eye, *programs.composite, composite);
}
