#include "tests/driver/driver.h"

#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace lirabo::test {

std::string BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Narrow(std::filesystem::path(path).parent_path().wstring());
}

namespace {

// Write-protected files are removed too.
void RemoveTree(const std::string& path) {
  const std::filesystem::path root(Widen(path));
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(root, error);
}

// The user's application-data folder, as the programs see it.
std::string AppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer);
  return Narrow(buffer);
}

}  // namespace

std::string SettingsFolder() { return AppDataFolder() + "\\DE Zuzururu\\Lirabo"; }

void ResetUserData() { RemoveTree(AppDataFolder() + "\\DE Zuzururu"); }

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(Widen(path)).parent_path());
  std::ofstream(std::filesystem::path(Widen(path)), std::ios::binary) << bytes;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(std::filesystem::path(Widen(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

Installation::Installation(const std::string& name) {
  folder_ = Narrow((std::filesystem::temp_directory_path() / Widen("lirabo-" + name)).wstring());
  RemoveTree(folder_);
  std::filesystem::create_directory(Widen(folder_));
}

Installation::~Installation() { RemoveTree(folder_); }

void Installation::AddProgram(const std::string& builtName, const std::string& asName) {
  CopyFileW(Widen(BinFolder() + "\\" + builtName).c_str(), Widen(Path(asName.empty() ? builtName : asName)).c_str(),
            FALSE);
}

Process Process::Start(const std::string& program, const std::string& arguments, const std::string& currentFolder) {
  std::wstring line = L"\"" + Widen(program) + L"\"" + (arguments.empty() ? L"" : L" " + Widen(arguments));
  const std::wstring folder =
      Widen(currentFolder.empty() ? program.substr(0, program.find_last_of('\\')) : currentFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Process p;
  CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info);
  CloseHandle(info.hThread);
  p.handle_.reset(info.hProcess);
  p.id_ = info.dwProcessId;
  return p;
}

// Pumps this thread's messages meanwhile: a program that ends may still send to
// the windows that real input gave this thread, and would wait for it forever.
bool Process::WaitForExit(std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return Pump(), WaitForSingleObject(handle_.get(), 0) == WAIT_OBJECT_0; }, timeout);
}

DWORD Process::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(handle_.get(), &code);
  return code;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

std::vector<HWND> WindowsOf(DWORD processId, const std::string& title) {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == processId && (title.empty() || WindowText(window) == title)) found.push_back(window);
  }
  return found;
}

HWND WaitForVisibleWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  const auto visible = [&] {
    for (HWND w : WindowsOf(processId, title)) found = IsWindowVisible(w) ? w : found;
    return found != nullptr;
  };
  WaitUntil(visible, timeout);
  return found;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
  return Narrow(text);
}

std::vector<std::string> ListBoxItems(HWND window, int id) {
  HWND list = GetDlgItem(window, id);
  std::vector<std::string> items(static_cast<size_t>(std::max<LRESULT>(SendMessageW(list, LB_GETCOUNT, 0, 0), 0)));
  for (size_t i = 0; i < items.size(); ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items[i] = Narrow(text);
  }
  return items;
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 3s);
}

void PressKeys(HWND window, std::initializer_list<UINT> keys, UINT modifier) {
  BringToFront(window);
  std::vector<INPUT> inputs;
  const auto add = [&](UINT key, DWORD up) {
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    inputs.push_back({.type = INPUT_KEYBOARD,
                      .ki = {static_cast<WORD>(key), static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)),
                             (arrow ? KEYEVENTF_EXTENDEDKEY : 0u) | up, 0, 0}});
  };
  if (modifier) add(modifier, 0);
  for (UINT key : keys) {
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
  }
  if (modifier) add(modifier, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

int FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus && IsChild(window, info.hwndFocus) ? GetDlgCtrlID(info.hwndFocus) : 0;
}

std::vector<int> TabWalk(HWND window, int steps, bool backwards) {
  std::vector<int> visited{FocusedControl(window)};
  for (int i = 0; i < steps; ++i) {
    PressKeys(window, {VK_TAB}, backwards ? VK_SHIFT : 0);
    WaitUntil([&] { return FocusedControl(window) != visited.back(); }, 2s);
    visited.push_back(FocusedControl(window));
  }
  return visited;
}

RECT WindowRect(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return rc;
}

bool SaveScreenBmp(const std::string& path) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  {
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFOHEADER header{sizeof header, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string pixels(static_cast<size_t>((w * 3 + 3) & ~3) * static_cast<size_t>(h), '\0');
  GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
  const BITMAPFILEHEADER file{0x4D42, offset + static_cast<DWORD>(pixels.size()), 0, 0, offset};
  WriteFileBytes(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                           std::string(reinterpret_cast<const char*>(&header), sizeof header) + pixels);
  return FileExists(path);
}

void SaveScreenshot(const std::string& name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return;
  std::this_thread::sleep_for(400ms);  // a window is listed before it is drawn
  SaveScreenBmp(Narrow(folder) + "\\" + name + ".bmp");
}

}  // namespace lirabo::test
