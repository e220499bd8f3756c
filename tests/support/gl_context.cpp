#include "support/gl_context.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "gpu/gl_functions.h"

namespace testsupport {

namespace {

// One attempt at a hidden window with a current GL 4.3 compatibility context and its entry
// points loaded; on failure the window is gone again and `why` says what failed.
SDL_Window* tryContext(std::string& why) {
    SDL_Window* w = SDL_CreateWindow("velluna test", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (w == nullptr) {
        why = std::string("test window: ") + SDL_GetError();
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(w);
    if (context == nullptr) {
        why = std::string("GL 4.3 compatibility context: ") + SDL_GetError();
        SDL_DestroyWindow(w);
        return nullptr;
    }
    if (SDL_GL_MakeCurrent(w, context) != 0) {
        why = std::string("making the context current: ") + SDL_GetError();
    } else {
        std::string error, note;
        if (loadGlFunctions(error, note)) {
            if (!note.empty()) std::printf("test context: %s\n", note.c_str());
            return w;
        }
        why = "GLEW: " + error;
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(w);
    return nullptr;
}

}  // namespace

SDL_Window* glContext() {
    static SDL_Window* window = nullptr;
    static bool tried = false;
    if (tried) {
        if (window == nullptr) ADD_FAILURE() << "no GL context (see the first failure)";
        return window;
    }
    tried = true;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << "SDL video: " << SDL_GetError() << " (GL tests run under Xvfb: scripts/test)";
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    // A display server under heavy load has failed a context once in hundreds of starts;
    // a second attempt is cheap, and every failure is still reported.
    std::string why;
    for (int attempt = 1; attempt <= 3 && window == nullptr; ++attempt) {
        window = tryContext(why);
        if (window == nullptr) std::printf("test context: attempt %d failed: %s\n", attempt, why.c_str());
    }
    if (window == nullptr) {
        ADD_FAILURE() << why;
        return nullptr;
    }
    glGetError();
    return window;
}

}  // namespace testsupport
