// One ordered log of everything the test backends saw: device calls, loads, releases, message boxes.
#pragma once

#include <string>
#include <vector>

#include "render/platform/d3d9.h"

namespace fake {

// One recorded call with the arguments a test may check.
struct Call {
  std::string name;          // operation, e.g. "SetTexture", "DrawSubset", "MessageBox", "Release"
  std::vector<double> args;  // numeric arguments in call order
  std::string file;          // the file behind a texture or mesh involved; "" for none
  std::string text;          // message-box text or drawn text
  std::string caption;       // message-box caption; for Release: the kind of object
  D3DMATRIX matrix{};        // SetTransform
  D3DLIGHT9 light{};         // SetLight
  D3DMATERIAL9 material{};   // SetMaterial
  RECT rect{};               // DrawText rectangle
};

class CallLog {
 public:
  void Add(Call call) { calls_.push_back(std::move(call)); }
  void Clear() { calls_.clear(); }
  const std::vector<Call>& Calls() const { return calls_; }
  // The calls named `name`, in order.
  std::vector<Call> Named(const std::string& name) const;
  // How many calls are named `name`.
  std::size_t Count(const std::string& name) const;
  // Just the names, in order (handy for checking sequences).
  std::vector<std::string> Names() const;

 private:
  std::vector<Call> calls_;
};

// The log shared by the fake window backend and the recording device.
CallLog& Log();

}  // namespace fake
