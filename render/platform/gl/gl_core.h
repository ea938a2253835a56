// What one device draws with: its context, the emulated pipeline and the text renderer. The device
// and every resource it created share it, so whichever of them goes last tears the context down.
#pragma once

#include "render/platform/gl/fixed_function.h"
#include "render/platform/gl/gl_context.h"
#include "render/platform/gl/text_renderer.h"

namespace gl_backend {

struct GlCore {
  GlCore() = default;
  GlCore(const GlCore&) = delete;
  GlCore& operator=(const GlCore&) = delete;
  // The GL objects below are deleted with their own context current, then the context goes.
  ~GlCore() { context.MakeCurrent(); }

  GlContext context;               // declared first: destroyed last
  FixedFunctionPipeline pipeline;  // scene draws
  TextRenderer text;               // font draws
  int backBufferWidth = 0;         // pixels, the space text is laid out in
  int backBufferHeight = 0;
};

}  // namespace gl_backend
