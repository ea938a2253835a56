// Reports files that fail to load: each path is named on standard error once per process, however
// often it is loaded again (a texture shared by several models, reloaded at every system switch).
#pragma once

#include <string>

#include "render/platform/d3d9.h"

namespace gl_backend {

// Prints "<what> '<path>': <reason>" as one line unless `path` was reported before; returns E_FAIL.
HRESULT ReportLoadFailure(const char* what, const char* path, const std::string& reason);

}  // namespace gl_backend
