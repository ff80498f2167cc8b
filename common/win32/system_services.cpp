#include "common/win32/system_services.h"

#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <vector>

#include "common/text.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"

namespace lirabo {

std::string ApplicationPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  // The folder is everything before the last backslash; for a drive root that
  // leaves "D:" without its backslash.
  std::wstring path(buffer.begin(), buffer.end());
  std::size_t slash = path.find_last_of(L'\\');
  return Narrow(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::string GetSpecialFolder(int csidl, bool create, bool verify) {
  wchar_t buffer[MAX_PATH] = {};
  int flags = csidl;
  if (create) flags |= CSIDL_FLAG_CREATE;
  if (!verify) flags |= CSIDL_FLAG_DONT_VERIFY;
  if (SHGetFolderPathW(nullptr, flags, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return Narrow(buffer);
}

bool IsProcessRunning(const std::string& name) {
  UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  const std::string wanted = UpperCase(name);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (UpperCase(Narrow(entry.szExeFile)).find(wanted) != std::string::npos) return true;
  }
  return false;
}

bool IsNt6OrLater() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  return info.dwPlatformId >= VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 6;
}

void Win32SystemPort::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool Win32SystemPort::StartProcess(const std::string& commandLine) {
  std::wstring line = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  // A process started from here may take the foreground.
  AllowSetForegroundWindow(process.dwProcessId);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32SystemPort::IsPreviousInstanceRunning() {
  // Asked once per process: a reloaded menu is still the same instance.
  if (instanceChecked_) return previousInstance_;
  instanceChecked_ = true;
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, instanceName_.c_str()));
  const DWORD code = GetLastError();
  // Only ERROR_ALREADY_EXISTS proves another instance. Any failure (access denied
  // by a mutex of another account) lets the start go on, but leaves a trace.
  previousInstance_ = instanceMutex_ && code == ERROR_ALREADY_EXISTS;
  if (!instanceMutex_)
    OutputDebugStringW(Widen("Prüfung auf eine laufende Instanz fehlgeschlagen: " + SystemErrorDescription(code)).c_str());
  return previousInstance_;
}

void Win32SystemPort::ActivateWindowTitled(const std::string& title) {
  HWND window = FindWindowW(nullptr, Widen(title).c_str());
  if (!window) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

std::chrono::milliseconds Win32ClockPort::Now() { return std::chrono::milliseconds(static_cast<long long>(GetTickCount64())); }

}  // namespace lirabo
