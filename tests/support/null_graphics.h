// A graphics backend that does nothing: one device, mesh, texture and font object each, living for
// the whole process, so loading and drawing allocate nothing and releasing frees nothing. For long
// runs and benchmarks of the renderer without drawing.
#pragma once

#include "render/platform/device_backend.h"

namespace fake {

// The process-wide null backend; install it with SetGraphicsBackend.
GraphicsBackend& NullGraphics();

}  // namespace fake
