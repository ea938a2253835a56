// Compiling and linking the backend's small GLSL programs.
#pragma once

#include <epoxy/gl.h>

#include <string>

namespace gl_backend {

// Compiles and links a vertex and a fragment shader; 0 with the first line of the log in `error`
// on failure.
GLuint LinkProgram(const char* vertexSource, const char* fragmentSource, std::string& error);

}  // namespace gl_backend
