#pragma once
// Process, folder and timing services of the system, as a port so that the
// start-up and the retry loops can be tested with a fake.
#include <string>

namespace lirabo {

inline constexpr int kCsidlAppData = 26;

class SystemPort {
 public:
  virtual ~SystemPort() = default;
  virtual std::string ApplicationPath() = 0;
  virtual std::string GetSpecialFolder(int csidl, bool create, bool verify) = 0;
  virtual bool IsProcessRunning(const std::string& name) = 0;
  virtual bool IsNt6OrLater() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // Starts a command line with a normal, focused window; does not wait.
  virtual bool StartProcess(const std::string& commandLine) = 0;
  // True when another instance of this program already runs.
  virtual bool IsPreviousInstanceRunning() = 0;
  // Brings the top-level window with exactly this title to the front, if any.
  virtual void ActivateWindowTitled(const std::string& title) = 0;
};

}  // namespace lirabo
