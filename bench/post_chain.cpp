// Cost of one frame of the display's post-processing chain with trivial shaders, and of
// loading a shader source (which also rewrites its scrambled twin).
// Needs a display: scripts/xvfb-run-here build/bench/bench_post_chain
// With GALLIUM_NOOP=1 Mesa drops the rendering and the figure is the engine's CPU cost.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/vr_engine2.h"
#include "gpu/post_pass.h"
#include "gpu/shader_program.h"
#include "gpu/shader_source.h"

namespace {

std::string benchFile(const std::string& name, const std::string& text) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velluna_bench_post_chain";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

const char* const kVertex =
    "#version 120\nvoid main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }\n";

VREngine2* displayOf(int width, int height) {
    static VREngine2 display;
    static int madeWidth = 0;
    if (madeWidth == 0) {
        std::fflush(stdout);
        if (!display.initWindowed(0, 0, width, height, false)) return nullptr;
        madeWidth = width;
    }
    return &display;
}

void BM_PostChainFrame(benchmark::State& state) {
    VREngine2* display = displayOf(1920, 1080);
    if (display == nullptr) {
        state.SkipWithError("no display (run under scripts/xvfb-run-here)");
        return;
    }
    ShaderProgram geometry, post, composite;
    geometry.build(benchFile("v_q.cpp", kVertex),
                   benchFile("f_g.cpp", "#version 120\nvoid main() { gl_FragData[0] = vec4(0.5);"
                                        " gl_FragData[1] = vec4(0.2); gl_FragData[2] = vec4(0.7); }\n"));
    post.build(benchFile("v_q.cpp", kVertex),
               benchFile("f_p.cpp", "#version 120\nuniform sampler2D Texture1, Texture2;\n"
                                    "void main() { gl_FragColor = texture2D(Texture1, gl_TexCoord[0].xy)"
                                    " + texture2D(Texture2, gl_TexCoord[0].xy); }\n"));
    composite.build(benchFile("v_q.cpp", kVertex),
                    benchFile("f_c.cpp", "#version 120\nuniform sampler2D Texture1, TextureBlur;\n"
                                         "void main() { gl_FragColor = texture2D(Texture1, gl_TexCoord[0].xy)"
                                         " + texture2D(TextureBlur, gl_TexCoord[0].xy); }\n"));
    for (auto _ : state) {
        display->beginWidePass();
        display->resolveWidePass();
        display->beginEyePass(0);
        geometry.use();
        drawFullScreenQuad();
        display->resolveEyePass(0);
        RenderTarget& eye = display->beginEyePostPass(0);
        bindTargetTextures(eye, post);
        drawFullScreenQuad();
        display->finishEyePostPass(0);
        display->beginQuarterPass();
        geometry.use();
        drawFullScreenQuad();
        display->resolveQuarterPass();
        display->beginEyePostPass(0);
        composite.use();
        composite.bindSampler(GL_TEXTURE_2D, 1, "TextureBlur", display->quarterTarget.colourTexture[0]);
        composite.bindSampler(GL_TEXTURE_2D, 2, "Texture1", eye.spareTexture);
        drawFullScreenQuad();
        display->finishEyePostPass(0);
        display->presentLeftEye();
        SDL_GL_SwapWindow(display->window);
        glFinish();
    }
}
BENCHMARK(BM_PostChainFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadShaderSource(benchmark::State& state) {
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0))) text += "float f(float x) { return x * 0.5; }\n";
    const std::string path = benchFile("f_load.cpp", text);
    for (auto _ : state) benchmark::DoNotOptimize(loadShaderSource(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_LoadShaderSource)->Arg(4096)->Arg(65536);

}  // namespace
