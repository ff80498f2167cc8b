#pragma once
// A monotonic clock, as a port: the teacher PIN's lock-out is measured with it, and
// the native tests move a fake one by hand instead of waiting.
#include <chrono>

namespace lirabo {

class ClockPort {
 public:
  virtual ~ClockPort() = default;
  // Time since some fixed point; never goes back.
  virtual std::chrono::milliseconds Now() = 0;
};

}  // namespace lirabo
