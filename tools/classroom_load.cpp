// A classroom starting while the teacher saves: 30 menus copy the master at the
// same time (each, like a fresh PC, again and again) while one process rewrites it
// 20 times, all through the real file port and the real retry. Not a timed test;
// `./run load` runs it and prints the figures. Exit code 0 when every copy was the
// old or the new master byte for byte, every save succeeded or failed as busy,
// no process crashed and no staged file remained.
// Usage: classroom_load [copy <master folder> <settings folder> | save <master folder>]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "menu/menu_startup.h"
#include "options/options_dialog.h"
#include "options/options_format.h"
#include "options/options_store.h"

namespace {

using namespace lirabo;

constexpr int kMenus = 30, kSaves = 20;
const wchar_t* const kGo = L"Local\\LiraboLoadGo";
const wchar_t* const kSaved = L"Local\\LiraboLoadSaved";

OptionsRecord Version(bool fresh) {
  OptionsRecord r;
  r.colourDepth = fresh ? 2 : 1;
  r.speechOutput = fresh ? -1 : 0;
  return r;
}

// The real sleeps, counted: each one is a retry.
class CountingSystem final : public SystemPort {
 public:
  std::string ApplicationPath() override { return real_.ApplicationPath(); }
  std::string GetSpecialFolder(int csidl, bool create, bool verify) override {
    return real_.GetSpecialFolder(csidl, create, verify);
  }
  bool IsProcessRunning(const std::string& name) override { return real_.IsProcessRunning(name); }
  bool IsNt6OrLater() override { return real_.IsNt6OrLater(); }
  void Sleep(unsigned ms) override {
    ++retries;
    real_.Sleep(ms);
  }
  bool StartProcess(const std::string& commandLine) override { return real_.StartProcess(commandLine); }
  bool IsPreviousInstanceRunning() override { return false; }
  void ActivateWindowTitled(const std::string&) override {}
  int retries = 0;

 private:
  Win32SystemPort real_{L"Local\\LiraboLoad"};
};

class RecordedMessages final : public MessagePort {
 public:
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    last = text;
    return MsgAnswer::Ok;
  }
  std::string last;
};

void WaitFor(const wchar_t* name) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name);
  WaitForSingleObject(event, 120000);
  CloseHandle(event);
}

bool IsSet(const wchar_t* name) {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, name);
  bool set = event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  if (event) CloseHandle(event);
  return set;
}

// One menu PC: a fresh start-up copy until the saver is done. Prints
// "copies retries busy wrong".
int Copy(const std::string& master, const std::string& settings) {
  Win32FilePort files;
  CountingSystem system;
  const std::string old = FormatOptionsFile(Version(false)), fresh = FormatOptionsFile(Version(true));
  int copies = 0, busy = 0, wrong = 0;
  WaitFor(kGo);
  const ULONGLONG started = GetTickCount64();
  do {
    files.RemoveFile(settings + kOptionsFileName);
    files.RemoveFile(settings + kOptionsMarkerName);
    auto file = OpenSettingsWithRetry(files, system, settings, master);
    if (!file) {
      busy += file.error().IsLockedOrDenied();
      wrong += !file.error().IsLockedOrDenied();
      if (!file.error().IsLockedOrDenied()) std::printf("Fehler: %s\n", file.error().description.c_str());
      continue;
    }
    auto bytes = (*file)->ReadAll();
    ++copies;
    if (!bytes || (*bytes != old && *bytes != fresh)) ++wrong;
  } while (!IsSet(kSaved) && GetTickCount64() - started < 600000);
  std::printf("%d %d %d %d\n", copies, system.retries, busy, wrong);
  return 0;
}

// The teacher: the options dialog's own open and save, 20 times. Prints
// "saved retries busy wrong".
int Save(const std::string& master) {
  Win32FilePort files;
  CountingSystem system;
  RecordedMessages messages;
  int saved = 0, busy = 0, wrong = 0;
  WaitFor(kGo);
  for (int i = 0; i < kSaves; ++i) {
    OptionsSession session(files, system, messages, master + kOptionsFileName);
    std::vector<std::int16_t> values;
    if (session.Open(values) != OptionsSession::OpenResult::Open) {
      ++wrong;
      continue;
    }
    messages.last.clear();
    if (session.Save(Version(i % 2 == 0))) {
      ++saved;
    } else if (messages.last == SystemErrorDescription(ERROR_SHARING_VIOLATION) ||
               messages.last == SystemErrorDescription(ERROR_ACCESS_DENIED)) {
      ++busy;
    } else {
      ++wrong;
      std::printf("Fehler: %s\n", messages.last.c_str());
    }
    session.Release();
    Sleep(20);
  }
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, kSaved);
  SetEvent(done);
  std::printf("%d %d %d %d\n", saved, system.retries, busy, wrong);
  CloseHandle(done);
  return 0;
}

struct Child {
  PROCESS_INFORMATION process{};
  HANDLE output = nullptr;  // read end
  std::string text;
};

Child Start(const std::wstring& arguments) {
  Child child;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE write = nullptr;
  CreatePipe(&child.output, &write, &inherit, 0);
  SetHandleInformation(child.output, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(self) + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child.process);
  CloseHandle(write);
  return child;
}

void Finish(Child& child) {
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(child.output, buffer, sizeof buffer, &got, nullptr) && got) child.text.append(buffer, got);
  WaitForSingleObject(child.process.hProcess, INFINITE);
}

int Run() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string root = Narrow(temp) + "lirabo-load";
  Win32FilePort files;
  files.MakeDirectory(root);
  const std::string master = root + "\\Lirabo";
  files.MakeDirectory(master);
  if (SysError e = files.ReplaceContents(master + kOptionsFileName, FormatOptionsFile(Version(false)))) {
    std::printf("Fehler: %s\n", e.description.c_str());
    return 1;
  }
  // Both events live as long as this process: an event whose last handle closes is gone.
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, kGo);
  HANDLE saved = CreateEventW(nullptr, TRUE, FALSE, kSaved);
  std::vector<Child> children;
  children.push_back(Start(L"save \"" + Widen(master) + L"\""));
  for (int i = 0; i < kMenus; ++i) {
    const std::string settings = root + "\\PC" + std::to_string(i + 1);
    files.MakeDirectory(settings);
    children.push_back(Start(L"copy \"" + Widen(master) + L"\" \"" + Widen(settings) + L"\""));
  }
  const ULONGLONG started = GetTickCount64();
  SetEvent(go);
  int crashed = 0;
  long totals[2][4] = {};
  for (std::size_t i = 0; i < children.size(); ++i) {
    Finish(children[i]);
    DWORD code = 1;
    GetExitCodeProcess(children[i].process.hProcess, &code);
    long a = 0, b = 0, c = 0, d = 0;
    // The figures are the last line; lines before it name failures.
    const std::string& text = children[i].text;
    const std::size_t last = text.find_last_of('\n', text.size() >= 2 ? text.size() - 2 : 0);
    const std::string figures = last == std::string::npos ? text : text.substr(last + 1);
    if (text.find("Fehler") != std::string::npos) std::printf("Prozess %d: %s", static_cast<int>(i), text.c_str());
    if (code != 0 || std::sscanf(figures.c_str(), "%ld %ld %ld %ld", &a, &b, &c, &d) != 4) {
      ++crashed;
      std::printf("Prozess %d: Code %lu, Ausgabe %s\n", static_cast<int>(i), code, children[i].text.c_str());
    }
    long* t = totals[i == 0 ? 0 : 1];
    t[0] += a, t[1] += b, t[2] += c, t[3] += d;
  }
  const ULONGLONG elapsed = GetTickCount64() - started;
  auto staged = files.ListFiles(master, ".neu");
  int left = static_cast<int>(staged ? staged->size() : 0);
  for (int i = 0; i < kMenus; ++i) {
    auto s = files.ListFiles(root + "\\PC" + std::to_string(i + 1), ".neu");
    left += s ? static_cast<int>(s->size()) : 0;
  }
  std::printf("saves: %ld saved, %ld busy, %ld wrong, %ld retries\n", totals[0][0], totals[0][2], totals[0][3],
              totals[0][1]);
  std::printf("menus: %ld copies, %ld busy, %ld wrong, %ld retries\n", totals[1][0], totals[1][2], totals[1][3],
              totals[1][1]);
  std::printf("crashed: %d, staged files left: %d, time: %lu ms\n", crashed, left, static_cast<unsigned long>(elapsed));
  CloseHandle(go);
  CloseHandle(saved);
  return crashed || left || totals[0][3] || totals[1][3] || totals[0][0] + totals[0][2] != kSaves ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"copy") return Copy(Narrow(argv[2]), Narrow(argv[3]));
  if (argc >= 3 && std::wstring(argv[1]) == L"save") return Save(Narrow(argv[2]));
  return Run();
}
