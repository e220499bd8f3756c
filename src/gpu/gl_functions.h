#pragma once

#include <string>

// Loads the OpenGL entry points for the context current on this thread (GLEW, with its
// experimental lookups on, as a compatibility context needs). Returns false with the reason
// in `error` when the entry points could not be loaded.
//
// NOTE: GLEW looks up the window system's own extensions (GLX) after the GL entry points. A
// failure there alone ("no GLX display", seen once on a heavily loaded Xvfb) leaves every GL
// entry point loaded, and nothing in the show uses a GLX extension, so it is not a failure
// here; `note` then says what was skipped.
bool loadGlFunctions(std::string& error, std::string& note);
