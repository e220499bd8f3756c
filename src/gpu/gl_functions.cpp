#include "gpu/gl_functions.h"

#include <GL/glew.h>

bool loadGlFunctions(std::string& error, std::string& note) {
    error.clear();
    note.clear();
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    glGetError();  // GLEW's initialisation can leave one behind
    if (result == GLEW_OK) return true;
    if (result == GLEW_ERROR_NO_GLX_DISPLAY && glGetString(GL_VERSION) != nullptr) {
        note = "GLEW found no GLX display; its GLX extensions are not loaded (none is used)";
        return true;
    }
    const GLubyte* text = glewGetErrorString(result);
    error = text != nullptr ? reinterpret_cast<const char*>(text) : "unknown GLEW error";
    error += " (GLEW error " + std::to_string(result) + ")";
    return false;
}
