#pragma once
// The clocks, as a port: the teacher PIN's lock-out is measured with them, and the
// native tests move fake ones by hand instead of waiting.
#include <chrono>

namespace lirabo {

class ClockPort {
 public:
  virtual ~ClockPort() = default;
  // Time since some fixed point; never goes back, but starts again with Windows.
  virtual std::chrono::milliseconds Now() = 0;
  // The wall clock: milliseconds since 1970 (UTC); may be set back and forth.
  virtual std::chrono::milliseconds WallNow() = 0;
};

}  // namespace lirabo
