// The shared call log of the test backends.
#include "tests/support/call_log.h"

namespace fake {

std::vector<Call> CallLog::Named(const std::string& name) const {
  std::vector<Call> out;
  for (const Call& c : calls_) {
    if (c.name == name) out.push_back(c);
  }
  return out;
}

std::size_t CallLog::Count(const std::string& name) const {
  std::size_t n = 0;
  for (const Call& c : calls_) {
    if (c.name == name) ++n;
  }
  return n;
}

std::vector<std::string> CallLog::Names() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const Call& c : calls_) out.push_back(c.name);
  return out;
}

CallLog& Log() {
  static CallLog log;
  return log;
}

}  // namespace fake
