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

std::string InstalledFolder() {
  // The package writes it in the 32-bit view, which a 64-bit Windows keeps apart.
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return {};
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);  // room for the terminator the value may lack
  DWORD type = 0;
  LSTATUS status = RegQueryValueExW(key, L"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return {};
  return Narrow(buffer);
}

std::string ProgramFileOf(const std::string& commandLine) {
  // The first word, or the first quoted part.
  if (!commandLine.empty() && commandLine[0] == '"') {
    std::size_t end = commandLine.find('"', 1);
    return commandLine.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

std::string FindProgramFile(const std::string& name) {
  // A given folder is taken as it is.
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  // Never the current folder, nor PATH: a pupil may write to both.
  wchar_t system[MAX_PATH] = {}, windows[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  GetSystemWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring folders = Widen(ApplicationPath()) + L";" + system + L";" + windows;
  std::vector<wchar_t> found(MAX_PATH);
  for (;;) {
    DWORD n = SearchPathW(folders.c_str(), Widen(name).c_str(), nullptr, static_cast<DWORD>(found.size()),
                          found.data(), nullptr);
    if (n == 0) return {};
    if (n < found.size()) return Narrow(std::wstring(found.data(), n));
    found.resize(n);
  }
}

bool Win32SystemPort::StartProcess(const std::string& commandLine) {
  // The command line stays as it is (the exercise programs read it); only the
  // program file is looked up by ourselves.
  const std::string program = FindProgramFile(ProgramFileOf(commandLine));
  if (program.empty()) return false;
  std::wstring application = Widen(program);
  std::wstring line = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  // A process started from here may take the foreground.
  AllowSetForegroundWindow(process.dwProcessId);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void LoadDllsFromSystemFolderOnly() {
  // Windows 8 on, and Windows 7 with KB2533623: looked up so that a Windows 7 without
  // the update still starts.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                    : nullptr;
  if (set)
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  else
    SetDllDirectoryW(L"");  // at least the current folder is left out
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

std::chrono::milliseconds Win32ClockPort::WallNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const long long ticks = static_cast<long long>((static_cast<unsigned long long>(now.dwHighDateTime) << 32) |
                                                 now.dwLowDateTime);
  constexpr long long kFrom1601To1970 = 116444736000000000LL;  // in 100 ns
  return std::chrono::milliseconds((ticks - kFrom1601To1970) / 10000);
}

}  // namespace lirabo
