#include "support/gl_context.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace testsupport {

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
    SDL_Window* w = SDL_CreateWindow("velluna test", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (w == nullptr) {
        ADD_FAILURE() << "test window: " << SDL_GetError();
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(w);
    if (context == nullptr) {
        ADD_FAILURE() << "GL 4.3 compatibility context: " << SDL_GetError();
        return nullptr;
    }
    SDL_GL_MakeCurrent(w, context);
    glewExperimental = GL_TRUE;
    const GLenum err = glewInit();
    if (err != GLEW_OK) {
        ADD_FAILURE() << "GLEW: " << glewGetErrorString(err);
        return nullptr;
    }
    glGetError();
    window = w;
    return window;
}

}  // namespace testsupport
