// GLSL compile and link with the driver's log reduced to one line for the failure report.
#include "render/platform/gl/shader_program.h"

#include <vector>

namespace gl_backend {
namespace {

std::string FirstLine(std::string log) {
  const std::size_t end = log.find('\n');
  if (end != std::string::npos)
    log.resize(end);
  return log;
}

std::string ShaderLog(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
  return FirstLine(log.data());
}

std::string ProgramLog(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
  return FirstLine(log.data());
}

GLuint Compile(GLenum kind, const char* source, std::string& error) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == GL_TRUE)
    return shader;
  error = (kind == GL_VERTEX_SHADER ? "vertex shader: " : "fragment shader: ") + ShaderLog(shader);
  glDeleteShader(shader);
  return 0;
}

}  // namespace

GLuint LinkProgram(const char* vertexSource, const char* fragmentSource, std::string& error) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, error);
  if (vertex == 0)
    return 0;
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource, error);
  if (fragment == 0) {
    glDeleteShader(vertex);
    return 0;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  // The program keeps the compiled code; the shader objects are no longer needed.
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    error = "link: " + ProgramLog(program);
    glDeleteProgram(program);
    program = 0;
  }
  return program;
}

}  // namespace gl_backend
