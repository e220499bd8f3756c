#include "display/vr_engine2.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void expectMatrix(const Mat4& actual, const Mat4& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << "element " << i;
}

TEST(VREngine2Matrices, QueriesOnTheStoredIdentities) {
    const VREngine2 display;
    const TVector zero(0, 0, 0), offset(1, 2, 3);
    const Mat4 identity = mat4Identity();
    const Mat4 shifted = mat4Translation(1, 2, 3);
    struct Case { const char* name; Mat4 actual, expected; };
    const Case cases[] = {
        {"mvp, no offset", display.mvpFor(0, zero), identity},
        {"view, no offset", display.viewFor(0, zero), identity},
        {"eye view", display.eyeViewFor(0), identity},
        {"projection", display.projectionFor(0), identity},
        {"mvp, offset", display.mvpFor(0, offset), shifted},
        {"view, offset", display.viewFor(0, offset), shifted},
        {"right eye view, offset", display.viewFor(1, offset), shifted},
        {"eye view ignores offsets", display.eyeViewFor(1), identity},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectMatrix(c.actual, c.expected);
    }
    EXPECT_EQ(display.sampleCount, 2);
    EXPECT_FALSE(display.vsync);
    EXPECT_FALSE(display.debugContext);
}

TEST(VREngine2Matrices, ProductsInTheirOrderAndUnknownEyesGiveTheIdentity) {
    VREngine2 display;
    display.projection[0] = mat4Perspective(60.0f, 1.5f, 0.1f, 10.0f);
    display.eyeMatrix[0] = mat4Translation(-0.03f, 0.0f, 0.0f);
    display.headPose = mat4Translation(0.0f, -1.7f, 0.0f);
    const TVector offset(1, 2, 3);
    const Mat4 t = mat4Translation(1, 2, 3);
    const Mat4 eh = mat4Multiply(display.eyeMatrix[0], display.headPose);
    expectMatrix(display.projectionFor(0), display.projection[0]);
    expectMatrix(display.eyeViewFor(0), eh);
    expectMatrix(display.viewFor(0, offset), mat4Multiply(eh, t));
    expectMatrix(display.mvpFor(0, offset), mat4Multiply(display.projection[0], mat4Multiply(eh, t)));
    for (int eye : {2, -1}) {
        SCOPED_TRACE(eye);
        expectMatrix(display.projectionFor(eye), mat4Identity());
        expectMatrix(display.eyeViewFor(eye), mat4Identity());
        expectMatrix(display.viewFor(eye, offset), mat4Identity());
        expectMatrix(display.mvpFor(eye, offset), mat4Identity());
    }
}

SDL_Event keyDown(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    return e;
}

TEST(VREngine2Input, TakesEveryQueuedEventAndMarksQuitRequests) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    struct Case { const char* name; std::vector<SDL_Event> events; bool quit; };
    const Case cases[] = {
        {"nothing queued", {}, false},
        {"escape", {keyDown(SDLK_ESCAPE)}, true},
        {"q", {keyDown(SDLK_q)}, true},
        {"quit event", {quit}, true},
        {"other keys and motion", {keyDown(SDLK_a), motion, keyDown(SDLK_SPACE)}, false},
        {"escape behind others", {motion, keyDown(SDLK_1), keyDown(SDLK_ESCAPE)}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (SDL_Event e : c.events) ASSERT_EQ(SDL_PushEvent(&e), 1);
        VREngine2 display;
        EXPECT_TRUE(display.handleInput());
        EXPECT_EQ(display.quitRequested, c.quit);
        EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
    }
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
