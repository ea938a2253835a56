// Reference counting for the objects the OpenGL backend hands out: each starts with one reference
// and deletes itself when Release drops the count to zero.
#pragma once

#include "render/platform/d3d9.h"

namespace gl_backend {

template <typename Interface>
class RefCounted : public Interface {
 public:
  // Drops one reference; deletes the object at zero and returns the count left.
  ULONG Release() override {
    if (--refs_ > 0)
      return refs_;
    delete this;
    return 0;
  }

 private:
  ULONG refs_ = 1;
};

}  // namespace gl_backend
