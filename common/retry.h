#pragma once
// The one retry policy for files held by someone else: four attempts, with waits
// of 500, 1000 and 1500 ms between them.
#include "common/system_port.h"
#include "common/win_error.h"

namespace lirabo {

inline constexpr int kLockedFileAttempts = 4;

// Calls `attempt` (returning a SysError, empty on success) until it succeeds, fails
// for another reason than a lock or denial, or has been tried four times. Returns
// the last error.
template <class Attempt>
SysError RetryWhileLocked(SystemPort& system, Attempt&& attempt) {
  for (int i = 1;; ++i) {
    SysError error = attempt();
    if (!error || !error.IsLockedOrDenied() || i >= kLockedFileAttempts) return error;
    system.Sleep(static_cast<unsigned>(i) * 500u);
  }
}

}  // namespace lirabo
