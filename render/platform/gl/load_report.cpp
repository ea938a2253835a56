// The record of paths already named as failing to load.
#include "render/platform/gl/load_report.h"

#include <cstdio>
#include <set>

namespace gl_backend {

HRESULT ReportLoadFailure(const char* what, const char* path, const std::string& reason) {
  // Loads happen at start-up and at a system switch only, never inside a frame.
  static std::set<std::string> reported;
  if (reported.insert(path).second)
    std::fprintf(stderr, "%s '%s': %s\n", what, path, reason.c_str());
  return E_FAIL;
}

}  // namespace gl_backend
