#pragma once
// Drives the real programs from a Windows-side test: scratch installations,
// exact command lines, windows found by process and title, controls by ID.
// Everything waits for a condition with a timeout.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/wide.h"

namespace lirabo::test {

using namespace std::chrono_literals;
inline constexpr auto kTimeout = 10s;

// The folder of the running test program; the programs under test lie beside it.
std::string BinFolder();
// The per-user settings folder of the menu and its log folder.
std::string SettingsFolder();
inline std::string LogFolder() { return SettingsFolder() + "\\Protokoll_2"; }
// Removes the per-user folders, so that the next start is a first start.
void ResetUserData();

// Creates missing folders on the way.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
inline bool FileExists(const std::string& path) { return std::filesystem::is_regular_file(Widen(path)); }

// A scratch installation folder under the temp folder, removed at the end.
class Installation {
 public:
  explicit Installation(const std::string& name);
  ~Installation();

  std::string Path(const std::string& relative) const { return folder_ + "\\" + relative; }
  // Copies a program built beside the tests into the installation.
  void AddProgram(const std::string& builtName, const std::string& asName = {});
  void Write(const std::string& relative, const std::string& bytes) { WriteFileBytes(Path(relative), bytes); }
  std::string Read(const std::string& relative) const { return ReadFileBytes(Path(relative)); }

 private:
  std::string folder_;
};

// Options file text in the writer's format from ten (or fewer) values.
inline std::string OptionsText(const std::vector<int>& values) {
  std::string text;
  for (int v : values) text += (v >= 0 ? " " : "") + std::to_string(v) + " \r\n";
  return text;
}

// A process the test started is ended with the test.
struct KilledProcessTraits : KernelHandleTraits {
  static void Close(HANDLE process) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
};

class Process {
 public:
  // Starts `program` with the exact command line `"program" arguments`, in its own
  // folder or in `currentFolder`.
  static Process Start(const std::string& program, const std::string& arguments = {},
                       const std::string& currentFolder = {});
  DWORD Id() const { return id_; }
  bool WaitForExit(std::chrono::milliseconds timeout = kTimeout);
  DWORD ExitCode() const;

 private:
  UniqueAny<KilledProcessTraits> handle_;
  DWORD id_ = 0;
};

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kTimeout);
// Dispatches what waits in this thread's queue.
void Pump();

// Top-level windows of a process (visible or not) with that title; empty matches any.
std::vector<HWND> WindowsOf(DWORD processId, const std::string& title = {});
HWND WaitForVisibleWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout = kTimeout);

std::string WindowText(HWND window);  // WM_GETTEXT, also across processes
inline HWND Child(HWND window, int id) { return GetDlgItem(window, id); }
inline std::string ControlText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }
inline bool IsChecked(HWND window, int id) { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
// Posts a click, so a handler that opens a modal box cannot block the test.
inline void Click(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }
std::vector<std::string> ListBoxItems(HWND window, int id);

// Real input, as a person gives it: the window is brought to the front first and
// the keys go to whatever has the focus there.
bool BringToFront(HWND window);
// Presses and releases each key in turn; `modifier` (such as VK_SHIFT) is held around all of them.
void PressKeys(HWND window, std::initializer_list<UINT> keys, UINT modifier = 0);
// The control of `window` that has the keyboard focus (its ID), 0 when none.
int FocusedControl(HWND window);
// Presses Tab (or Shift+Tab) after each step and returns the IDs the focus
// visited, starting with the one that has it now.
std::vector<int> TabWalk(HWND window, int steps, bool backwards = false);
RECT WindowRect(HWND window);

// Saves the whole screen as a 24-bit BMP.
bool SaveScreenBmp(const std::string& path);
// Saves the screen as <name>.bmp in the folder named by LIRABO_SCREENSHOTS (./run
// screenshots), after the windows have had time to draw; nothing without it.
void SaveScreenshot(const std::string& name);

}  // namespace lirabo::test
