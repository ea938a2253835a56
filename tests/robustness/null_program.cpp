// The renderer over the null graphics backend and a held-key keyboard.
#include "tests/robustness/null_program.h"

#include "tests/support/null_graphics.h"

namespace robust {

NullProgram::NullProgram() {
  SetGraphicsBackend(&fake::NullGraphics());
  SetWindowBackend(&keys_);
  render_ = std::make_unique<CRender>(nullptr);
  g_render = render_.get();
}

NullProgram::~NullProgram() {
  render_.reset();
  g_render = nullptr;
  SetWindowBackend(nullptr);
  SetGraphicsBackend(nullptr);
  ResetWindowState();
}

}  // namespace robust
