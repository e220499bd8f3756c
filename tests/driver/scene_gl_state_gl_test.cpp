#include "driver/scene_gl_state.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/entrypoint.h"
#include "driver/part.h"
#include "driver/scene_table.h"
#include "support/gl_context.h"

namespace {

bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

bool floatsAre(GLenum name, std::vector<float> expected) {
    float value[16] = {};
    glGetFloatv(name, value);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (value[i] != expected[i]) return false;
    }
    return true;
}

const std::vector<float> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void loadScale(GLenum mode, float s) {
    glMatrixMode(mode);
    glLoadIdentity();
    glScalef(s, s, s);
}

GLint fixedFunctionUnits() { return integer(GL_MAX_TEXTURE_UNITS); }

bool texture2dOffOnEveryUnit() {
    const GLint active = integer(GL_ACTIVE_TEXTURE);
    bool off = true;
    for (GLint unit = 0; unit < fixedFunctionUnits(); ++unit) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
        off = off && !enabled(GL_TEXTURE_2D);
    }
    glActiveTexture(static_cast<GLenum>(active));
    return off;
}

// One piece of the listed state: how a scene might leave it, and whether it is as the rule
// promises.
struct Piece {
    std::string name;
    std::function<void()> dirty;
    std::function<bool()> clean;
};

GLuint g_program = 0;
GLuint g_vertexArray = 0;
GLuint g_buffer = 0;

std::vector<Piece> pieces() {
    std::vector<Piece> list;
    const std::pair<GLenum, const char*> capabilities[] = {
        {GL_BLEND, "GL_BLEND"},
        {GL_CULL_FACE, "GL_CULL_FACE"},
        {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
        {GL_ALPHA_TEST, "GL_ALPHA_TEST"},
        {GL_SCISSOR_TEST, "GL_SCISSOR_TEST"},
        {GL_STENCIL_TEST, "GL_STENCIL_TEST"},
        {GL_POINT_SMOOTH, "GL_POINT_SMOOTH"},
        {GL_LINE_SMOOTH, "GL_LINE_SMOOTH"},
        {GL_POLYGON_SMOOTH, "GL_POLYGON_SMOOTH"},
        {GL_VERTEX_PROGRAM_POINT_SIZE, "GL_VERTEX_PROGRAM_POINT_SIZE"},
        {GL_POINT_SPRITE, "GL_POINT_SPRITE"},
        {GL_LIGHTING, "GL_LIGHTING"},
    };
    for (const auto& [capability, name] : capabilities) {
        list.push_back({name, [c = capability] { glEnable(c); }, [c = capability] { return !enabled(c); }});
    }
    const std::pair<GLenum, const char*> arrays[] = {
        {GL_VERTEX_ARRAY, "vertex array"},
        {GL_COLOR_ARRAY, "colour array"},
        {GL_NORMAL_ARRAY, "normal array"},
        {GL_TEXTURE_COORD_ARRAY, "texture coordinate array"},
    };
    // Client arrays belong to the bound vertex array object: these are vertex array 0's (and
    // the texture coordinates those of client unit 0).
    for (const auto& [array, name] : arrays) {
        list.push_back({name,
                        [a = array] {
                            glBindVertexArray(0);
                            glClientActiveTexture(GL_TEXTURE0);
                            glEnableClientState(a);
                        },
                        [a = array] {
                            const GLint bound = integer(GL_VERTEX_ARRAY_BINDING);
                            const GLint client = integer(GL_CLIENT_ACTIVE_TEXTURE);
                            glBindVertexArray(0);
                            glClientActiveTexture(GL_TEXTURE0);
                            const bool off = !enabled(a);
                            glBindVertexArray(static_cast<GLuint>(bound));
                            glClientActiveTexture(static_cast<GLenum>(client));
                            return off;
                        }});
    }
    // The per-unit switch first, then the units and matrices (which depend on the active unit).
    list.push_back({"GL_TEXTURE_2D on every fixed-function unit",
                    [] {
                        for (GLint unit = 0; unit < fixedFunctionUnits(); ++unit) {
                            glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
                            glEnable(GL_TEXTURE_2D);
                        }
                    },
                    texture2dOffOnEveryUnit});
    list.push_back({"texture matrix of unit 0",
                    [] {
                        glActiveTexture(GL_TEXTURE0);
                        loadScale(GL_TEXTURE, 3.0f);
                    },
                    [] {
                        const GLint active = integer(GL_ACTIVE_TEXTURE);
                        glActiveTexture(GL_TEXTURE0);
                        const bool identity = floatsAre(GL_TEXTURE_MATRIX, kIdentity);
                        glActiveTexture(static_cast<GLenum>(active));
                        return identity;
                    }});
    list.push_back({"projection matrix", [] { loadScale(GL_PROJECTION, 2.0f); },
                    [] { return floatsAre(GL_PROJECTION_MATRIX, kIdentity); }});
    list.push_back({"modelview matrix", [] { loadScale(GL_MODELVIEW, 4.0f); },
                    [] { return floatsAre(GL_MODELVIEW_MATRIX, kIdentity); }});
    list.push_back({"matrix mode", [] { glMatrixMode(GL_TEXTURE); },
                    [] { return integer(GL_MATRIX_MODE) == GL_MODELVIEW; }});
    list.push_back({"active texture unit", [] { glActiveTexture(GL_TEXTURE9); },
                    [] { return integer(GL_ACTIVE_TEXTURE) == GL_TEXTURE0; }});
    list.push_back({"client active texture unit", [] { glClientActiveTexture(GL_TEXTURE1); },
                    [] { return integer(GL_CLIENT_ACTIVE_TEXTURE) == GL_TEXTURE0; }});
    list.push_back({"colour", [] { glColor4f(0.2f, 0.4f, 0.6f, 0.5f); },
                    [] { return floatsAre(GL_CURRENT_COLOR, {1, 1, 1, 1}); }});
    list.push_back({"program", [] { glUseProgram(g_program); }, [] { return integer(GL_CURRENT_PROGRAM) == 0; }});
    list.push_back({"vertex array object", [] { glBindVertexArray(g_vertexArray); },
                    [] { return integer(GL_VERTEX_ARRAY_BINDING) == 0; }});
    list.push_back({"array buffer", [] { glBindBuffer(GL_ARRAY_BUFFER, g_buffer); },
                    [] { return integer(GL_ARRAY_BUFFER_BINDING) == 0; }});
    list.push_back({"depth mask", [] { glDepthMask(GL_FALSE); },
                    [] { return integer(GL_DEPTH_WRITEMASK) == GL_TRUE; }});
    list.push_back({"colour mask", [] { glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_FALSE); },
                    [] {
                        GLboolean m[4] = {};
                        glGetBooleanv(GL_COLOR_WRITEMASK, m);
                        return m[0] && m[1] && m[2] && m[3];
                    }});
    list.push_back({"depth function", [] { glDepthFunc(GL_GREATER); },
                    [] { return integer(GL_DEPTH_FUNC) == GL_LESS; }});
    list.push_back({"blend function", [] { glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); },
                    [] {
                        return integer(GL_BLEND_SRC_RGB) == GL_ONE && integer(GL_BLEND_SRC_ALPHA) == GL_ONE &&
                               integer(GL_BLEND_DST_RGB) == GL_ZERO && integer(GL_BLEND_DST_ALPHA) == GL_ZERO;
                    }});
    list.push_back({"blend equation", [] { glBlendEquation(GL_MAX); },
                    [] { return integer(GL_BLEND_EQUATION_RGB) == GL_FUNC_ADD; }});
    list.push_back({"point size", [] { glPointSize(5.0f); }, [] { return floatsAre(GL_POINT_SIZE, {1}); }});
    list.push_back({"line width", [] { glLineWidth(3.0f); }, [] { return floatsAre(GL_LINE_WIDTH, {1}); }});
    list.push_back({"polygon mode", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); },
                    [] {
                        GLint mode[2] = {};
                        glGetIntegerv(GL_POLYGON_MODE, mode);
                        return mode[0] == GL_FILL && mode[1] == GL_FILL;
                    }});
    return list;
}

// A program, a vertex array object and a buffer to leave bound, in the current context.
void makeObjects() {
    const char* source = "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n";
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    g_program = glCreateProgram();
    glAttachShader(g_program, shader);
    glLinkProgram(g_program);
    glGenVertexArrays(1, &g_vertexArray);
    glGenBuffers(1, &g_buffer);
}

// Leaves every listed piece of state as far from the rule as a scene could.
void dirtyEverything() {
    for (const Piece& p : pieces()) p.dirty();
}

TEST(SceneGlState, ResetCleansEveryListedPiece) {
    REQUIRE_GL_CONTEXT();
    makeObjects();
    dirtyEverything();
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "dirtying";
    for (const Piece& p : pieces()) EXPECT_FALSE(p.clean()) << p.name << " was not dirtied";
    resetSceneGlState();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the reset raised an error";
    for (const Piece& p : pieces()) EXPECT_TRUE(p.clean()) << p.name;
    // The table covers the header's list.
    for (GLenum c : scene_gl_state::kSwitchedOff) EXPECT_FALSE(enabled(c)) << c;
    for (GLenum a : scene_gl_state::kClientArrays) EXPECT_FALSE(enabled(a)) << a;
}

GLint textureParameter(GLuint texture, GLenum name) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

// The display's shared textures sample as the targets were created: colour and spare textures
// linear and repeating, depth textures linear and clamped. Names the first that does not.
std::string sharedTexturesAsCreated(const VREngine2& display) {
    const RenderTarget* targets[] = {&display.eyeTarget[0], &display.eyeTarget[1], &display.wideTarget[0],
                                     &display.wideTarget[1], &display.extraTarget, &display.quarterTarget};
    for (const RenderTarget* t : targets) {
        const std::pair<GLuint, GLint> textures[] = {{t->spareTexture, GL_REPEAT}, {t->colourTexture[0], GL_REPEAT},
                                                     {t->colourTexture[1], GL_REPEAT}, {t->colourTexture[2], GL_REPEAT},
                                                     {t->depthTexture, GL_CLAMP_TO_EDGE}};
        for (const auto& [texture, wrap] : textures) {
            if (textureParameter(texture, GL_TEXTURE_WRAP_S) != wrap ||
                textureParameter(texture, GL_TEXTURE_WRAP_T) != wrap ||
                textureParameter(texture, GL_TEXTURE_MIN_FILTER) != GL_LINEAR ||
                textureParameter(texture, GL_TEXTURE_MAG_FILTER) != GL_LINEAR) {
                return "display texture " + std::to_string(texture);
            }
        }
    }
    return "";
}

// A scene that leaves everything dirty (the display's shared textures clamped and unfiltered
// among it) and paints the finished picture with the colour it leaves behind.
class DirtyScene : public Part {
public:
    void render(Data_Interface*, int, const float*) override {
        RenderTarget& target = engine->display->eyeTarget[0];
        std::vector<unsigned char> picture(target.width * target.height * 4, 0);
        for (size_t i = 0; i < picture.size(); i += 4) {
            picture[i + 0] = 40;
            picture[i + 1] = 160;
            picture[i + 2] = 220;
            picture[i + 3] = 255;
        }
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, target.spareTexture);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, target.width, target.height, GL_RGBA, GL_UNSIGNED_BYTE,
                        picture.data());
        for (GLuint shared : {engine->display->quarterTarget.colourTexture[0], target.spareTexture,
                              engine->display->wideTarget[0].depthTexture}) {
            glBindTexture(GL_TEXTURE_2D, shared);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
        glBindTexture(GL_TEXTURE_2D, target.spareTexture);
        dirtyEverything();
    }
    void update(Data_Interface* e) override {
        engine = e;
        if (++updateCount == endsAfter) done = true;
    }
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override {}
    void finishLoad() override {}
    uint32_t endsAfter = 0;  // 0: never
};

// A scene that notes which listed pieces it finds unclean as its render starts.
class CheckingScene : public DirtyScene {
public:
    void render(Data_Interface* e, int, const float*) override {
        ++renders;
        for (const Piece& p : pieces()) {
            if (!p.clean()) unclean.push_back(p.name);
        }
        const std::string shared = sharedTexturesAsCreated(*e->display);
        if (!shared.empty()) unclean.push_back(shared);
    }
    int renders = 0;
    std::vector<std::string> unclean;
};

// Through the sequencer's own frame: the second scene finds the listed state however the first
// left it, and the window shows the finished picture unchanged by the colour left behind.
TEST(SceneGlState, NextSceneFindsTheRuleAndTheWindowShowsThePicture) {
    REQUIRE_GL_CONTEXT();
    makeObjects();
    auto engine = std::make_unique<Data_Interface>();
    Entrypoint entry;
    entry.engine = engine.get();
    entry.settings.width = 32;
    entry.settings.height = 24;
    ASSERT_TRUE(entry.display.initWindowed(0, 0, 32, 24, false));
    engine->display = &entry.display;
    makeObjects();  // the display's context is a new one
    EXPECT_EQ(sharedTexturesAsCreated(entry.display), "") << "as the display made them";

    std::unique_ptr<DirtyScene> scenes[scene_table::kSlots];
    for (int s = 0; s < scene_table::kSlots; ++s) {
        scenes[s] = s == 0 ? std::make_unique<CheckingScene>() : std::make_unique<DirtyScene>();
        engine->scenes[s] = scenes[s].get();
    }
    scenes[8]->endsAfter = 2;  // first in play order: drawn in frame 1, ends in frame 2's update
    auto& checking = static_cast<CheckingScene&>(*scenes[0]);

    entry.playFrame();
    std::vector<unsigned char> window(32 * 24 * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 32, 24, GL_RGBA, GL_UNSIGNED_BYTE, window.data());
    for (size_t i : {size_t(0), size_t((12 * 32 + 16) * 4), window.size() - 4}) {
        EXPECT_EQ(window[i + 0], 40) << "byte " << i;
        EXPECT_EQ(window[i + 1], 160) << "byte " << i;
        EXPECT_EQ(window[i + 2], 220) << "byte " << i;
    }

    entry.playFrame();
    EXPECT_EQ(checking.renders, 1);
    std::string unclean;
    for (const std::string& name : checking.unclean) unclean += name + "; ";
    EXPECT_EQ(unclean, "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    SDL_GL_DeleteContext(entry.display.glContext);
    SDL_DestroyWindow(entry.display.window);
}

}  // namespace
