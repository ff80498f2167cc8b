#include "tests/driver/driver.h"

#include <shlobj.h>

#include <thread>
#include <utility>

#include "common/win32/handles.h"
#include "common/win32/wide.h"

namespace lirabo::test {

std::string BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path);
  return Narrow(p.substr(0, p.find_last_of(L'\\')));
}

std::string AppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer);
  return Narrow(buffer);
}

std::string SettingsFolder() { return AppDataFolder() + "\\DE Zuzururu\\Lirabo"; }
std::string LogFolder() { return SettingsFolder() + "\\Protokoll_2"; }
void ResetUserData() { RemoveTree(AppDataFolder() + "\\DE Zuzururu"); }

void RemoveTree(const std::string& path) {
  std::wstring wide = Widen(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(wide.c_str());
    return;
  }
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW((wide + L"\\*").c_str(), &data));
  if (find) {
    do {
      std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + "\\" + Narrow(name));
    } while (FindNextFileW(find.get(), &data));
  }
  RemoveDirectoryW(wide.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::wstring wide = Widen(path);
  // Create missing folders on the way.
  for (size_t at = wide.find(L'\\', 3); at != std::wstring::npos; at = wide.find(L'\\', at + 1))
    CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Installation::Installation(const std::string& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder_ = Narrow(temp) + "lirabo-" + name;
  if (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();
  RemoveTree(folder_);
  CreateDirectoryW(Widen(folder_).c_str(), nullptr);
}

Installation::~Installation() { RemoveTree(folder_); }

void Installation::AddProgram(const std::string& builtName, const std::string& asName) {
  CopyFileW(Widen(BinFolder() + "\\" + builtName).c_str(),
            Widen(Path(asName.empty() ? builtName : asName)).c_str(), FALSE);
}

std::string OptionsText(const std::vector<int>& values) {
  std::string text;
  for (int v : values) text += (v >= 0 ? " " : "") + std::to_string(v) + " \r\n";
  return text;
}

Process Process::Start(const std::string& program, const std::string& arguments, const std::string& currentFolder) {
  std::wstring line = L"\"" + Widen(program) + L"\"";
  if (!arguments.empty()) line += L" " + Widen(arguments);
  std::wstring folder =
      Widen(currentFolder.empty() ? program.substr(0, program.find_last_of('\\')) : currentFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Process p;
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    p.handle_ = info.hProcess;
    p.id_ = info.dwProcessId;
    WaitForInputIdle(p.handle_, 5000);
  }
  return p;
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) {
  other.handle_ = nullptr;
  other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() { Kill(); }

// Pumps this thread's messages meanwhile: a program that ends may still send to
// the windows that real input gave this thread, and would wait for it forever.
bool Process::WaitForExit(std::chrono::milliseconds timeout) {
  if (!handle_) return false;
  auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    DWORD wait = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    DWORD result = MsgWaitForMultipleObjects(1, &handle_, FALSE, wait, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

bool Process::IsRunning() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

DWORD Process::ExitCode() const {
  DWORD code = 0;
  if (handle_) GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (!handle_) return;
  if (IsRunning()) {
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
  handle_ = nullptr;
}

Process HoldFileInOtherProcess(const std::string& path, const std::string& access, const std::string& share) {
  Process holder = Process::Start(BinFolder() + "\\hold_file.exe", "\"" + path + "\" " + access + " " + share);
  std::wstring event = L"Local\\LiraboHeld" + std::to_wstring(holder.Id());
  WaitUntil([&] {
    HANDLE ready = OpenEventW(SYNCHRONIZE, FALSE, event.c_str());
    if (ready) CloseHandle(ready);
    return ready != nullptr || !holder.IsRunning();
  });
  return holder;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
}

namespace {

struct Search {
  DWORD processId;
  std::wstring title;
  std::wstring windowClass;
  bool anyTitle;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId) return TRUE;
  if (!search->windowClass.empty()) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (search->windowClass != cls) return TRUE;
  }
  if (!search->anyTitle && Widen(WindowText(window)) != search->title) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, const std::string& title, const std::wstring& windowClass) {
  Search search{processId, Widen(title), windowClass, title.empty(), {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] {
    auto windows = WindowsOf(processId, title);
    found = windows.empty() ? nullptr : windows.front();
    return found != nullptr;
  }, timeout);
  return found;
}

HWND WaitForVisibleWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : WindowsOf(processId, title))
      if (IsWindowVisible(w)) {
        found = w;
        return true;
      }
    return false;
  }, timeout);
  return found;
}

HWND WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : WindowsOf(processId, {}, L"#32770"))
      if (IsWindowVisible(w) && GetDlgItem(w, 0xFFFF)) {
        found = w;
        return true;
      }
    return false;
  }, timeout);
  return found;
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void AnswerMessageBox(HWND box, int buttonId) {
  PostMessageW(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(box); });
}

std::string WindowText(HWND window) {
  if (!window) return {};
  LRESULT n = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcslen(text.c_str()));
  return Narrow(text);
}

HWND Child(HWND window, int id) { return GetDlgItem(window, id); }
std::string ControlText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }
bool IsControlVisible(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }
bool IsControlEnabled(HWND window, int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
bool IsChecked(HWND window, int id) { return SendMessageW(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

void PostKey(HWND target, UINT virtualKey) {
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | (1u << 30) | (1u << 31));
}

void PostChar(HWND target, wchar_t character) { PostMessageW(target, WM_CHAR, character, 1); }

std::vector<std::string> ListBoxItems(HWND window, int id) {
  HWND list = GetDlgItem(window, id);
  std::vector<std::string> items;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    items.push_back(Narrow(text));
  }
  return items;
}

bool BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return true;
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 3s);
}

namespace {

INPUT KeyInput(UINT key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return input;
}

}  // namespace

void PressKeys(HWND window, std::initializer_list<UINT> keys, UINT modifier) {
  BringToFront(window);
  std::vector<INPUT> inputs;
  if (modifier) inputs.push_back(KeyInput(modifier, false));
  for (UINT key : keys) {
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
  }
  if (modifier) inputs.push_back(KeyInput(modifier, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickWithMouse(HWND window, int id) {
  BringToFront(window);
  RECT rc = WindowRect(GetDlgItem(window, id));
  const POINT target{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  // Two clicks in quick succession would be a double click, which a button may take
  // for something else; a person clicking twice leaves a pause between.
  static auto lastClick = std::chrono::steady_clock::time_point{};
  const auto pause = std::chrono::milliseconds(GetDoubleClickTime() + 50);
  WaitUntil([&] { return std::chrono::steady_clock::now() - lastClick > pause; }, pause);
  // The move is real input too, not SetCursorPos: the system then knows which
  // window is under the cursor before the button goes down.
  const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = (target.x * 65536 + width - 1) / width;
  move.mi.dy = (target.y * 65536 + height - 1) / height;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // Under Wine a move now and then gets lost on its way through the X server: move
  // again until the cursor is there.
  const auto there = [&] {
    POINT at{};
    return GetCursorPos(&at) && at.x == target.x && at.y == target.y;
  };
  for (int attempt = 0; attempt < 20 && !there(); ++attempt) {
    SendInput(1, &move, sizeof(INPUT));
    WaitUntil(there, 250ms);
  }
  // The button events carry the position too, so a late move cannot come between.
  INPUT click[2]{move, move};
  click[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  lastClick = std::chrono::steady_clock::now();
}

int FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
  if (info.hwndFocus == window || !IsChild(window, info.hwndFocus)) return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

std::vector<int> TabWalk(HWND window, int steps, bool backwards) {
  std::vector<int> visited{FocusedControl(window)};
  for (int i = 0; i < steps; ++i) {
    const int before = visited.back();
    PressKeys(window, {VK_TAB}, backwards ? VK_SHIFT : 0);
    WaitUntil([&] { return FocusedControl(window) != before; }, 2s);
    visited.push_back(FocusedControl(window));
  }
  return visited;
}

RECT WindowRect(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return rc;
}

RECT ClientRectOnScreen(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool SaveScreenBmp(const std::string& path) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  {
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFOHEADER header{sizeof header, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
  std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(h), '\0');
  GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes += pixels;
  WriteFileBytes(path, bytes);
  return FileExists(path);
}

void SaveScreenshot(const std::string& name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return;
  std::this_thread::sleep_for(400ms);  // a window is listed before it is drawn
  SaveScreenBmp(Narrow(folder) + "\\" + name + ".bmp");
}

}  // namespace lirabo::test
