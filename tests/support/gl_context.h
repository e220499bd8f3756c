#pragma once
// A GL context for tests: a hidden 64 x 64 SDL window with a 4.3+ compatibility context,
// made current on the calling thread, GLEW initialised. Created once per process.
// Tests that need it fail (never skip) when no display is available; scripts/test runs
// them under Xvfb with Mesa's llvmpipe.
#include <SDL.h>

namespace testsupport {

// Returns the window, or nullptr after recording a gtest failure.
SDL_Window* glContext();

}  // namespace testsupport

// Use at the start of a GL test body.
#define REQUIRE_GL_CONTEXT() ASSERT_NE(::testsupport::glContext(), nullptr)
