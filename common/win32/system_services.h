#pragma once
// Folders, process probe and version test, and the system port built on them.
#include <string>

#include "common/clock_port.h"
#include "common/system_port.h"
#include "common/win32/handles.h"

namespace lirabo {

// The folder of the running program file, without a trailing backslash.
std::string ApplicationPath();
// SHGetFolderPath for a CSIDL; "" on failure.
std::string GetSpecialFolder(int csidl, bool create, bool verify);
// True when a running process's file name contains `name`, in any letter case.
bool IsProcessRunning(const std::string& name);
// Windows Vista or later, where the HTML help format is used.
bool IsNt6OrLater();

// HKLM\Software\JW Lirabo "InstallDir" in the 32-bit view: the folder the package
// installed the programs into; "" when the package is not installed.
std::string InstalledFolder();
// The program file a command line starts, found only in this program's folder and
// then the system folders, never the current folder or PATH; "" when none is there.
std::string FindProgramFile(const std::string& name);
std::string ProgramFileOf(const std::string& commandLine);
// DLLs are loaded from the system folder only, never from the program's (perhaps
// writable) folder or the current one. First thing at start.
void LoadDllsFromSystemFolderOnly();

class Win32SystemPort final : public SystemPort {
 public:
  // `instanceName` names the mutex that tells a second instance of the program.
  explicit Win32SystemPort(std::wstring instanceName) : instanceName_(std::move(instanceName)) {}

  std::string ApplicationPath() override { return lirabo::ApplicationPath(); }
  std::string GetSpecialFolder(int csidl, bool create, bool verify) override {
    return lirabo::GetSpecialFolder(csidl, create, verify);
  }
  bool IsProcessRunning(const std::string& name) override { return lirabo::IsProcessRunning(name); }
  bool IsNt6OrLater() override { return lirabo::IsNt6OrLater(); }
  void Sleep(unsigned milliseconds) override;
  bool StartProcess(const std::string& commandLine) override;
  bool IsPreviousInstanceRunning() override;
  void ActivateWindowTitled(const std::string& title) override;

 private:
  std::wstring instanceName_;
  UniqueHandle instanceMutex_;
  bool previousInstance_ = false;
  bool instanceChecked_ = false;
};

// GetTickCount64: milliseconds since the system started, never set back.
class Win32ClockPort final : public ClockPort {
 public:
  std::chrono::milliseconds Now() override;
  std::chrono::milliseconds WallNow() override;
};

}  // namespace lirabo
