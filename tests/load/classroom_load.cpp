// A classroom starting while the teacher saves: 30 menus copy the master at the
// same time (each, like a fresh PC, again and again) while one process rewrites it
// 20 times, all through the real file port and the real retry. Not a timed test;
// `./run load` runs it and prints the figures. Exit code 0 when every copy was the
// old or the new master byte for byte, every save succeeded or failed as busy,
// no process crashed and no staged file remained.
// Usage: classroom_load [<master folder> <folder>]: saves when the folder is the
// master's, copies into it otherwise; its figures go to <folder>\figures.txt.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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

// Each child's figures: done (copies or saves), busy, wrong, retries.
long tally[4] = {};

// The real sleeps, counted: each one is a retry. Nothing else of it is used here.
class CountingSystem final : public SystemPort {
 public:
  std::string ApplicationPath() override {
    return {};
  }
  std::string GetSpecialFolder(int, bool, bool) override {
    return {};
  }
  bool IsProcessRunning(const std::string&) override {
    return false;
  }
  bool IsNt6OrLater() override {
    return true;
  }
  void Sleep(unsigned ms) override {
    ++tally[3];
    ::Sleep(ms);
  }
  bool StartProcess(const std::string&) override {
    return false;
  }
  bool IsPreviousInstanceRunning() override {
    return false;
  }
  void ActivateWindowTitled(const std::string&) override {}
};

// The last message the options dialog would have shown.
class LastMessage final : public MessagePort {
 public:
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    last = text;
    return MsgAnswer::Ok;
  }
  std::string last;
};

Win32FilePort files;
CountingSystem counting;
OptionsRecord versions[2];  // the old master and the teacher's new one (colourDepth 2)

void Tally(bool ok, bool busy, const std::string& why) {
  ++tally[ok ? 0 : busy ? 1 : 2];
  if (!ok && !busy)
    std::printf("Fehler: %s\n", why.c_str());
}

// One menu PC: a fresh start-up copy until the teacher is done (has left the figures).
void Copy(const std::string& master, const std::string& settings) {
  const ULONGLONG started = GetTickCount64();
  do {
    files.RemoveFile(settings + kOptionsFileName);
    files.RemoveFile(settings + kOptionsMarkerName);
    auto file = OpenSettingsWithRetry(files, counting, settings, master);
    auto bytes = file ? (*file)->ReadAll() : Expected<std::string>(file.error());
    Tally(bytes && (*bytes == FormatOptionsFile(versions[0]) || *bytes == FormatOptionsFile(versions[1])),
          !file && file.error().IsLockedOrDenied(), bytes ? "Kopie weder alt noch neu" : bytes.error().description);
  } while (!files.FileExists(master + "\\figures.txt") && GetTickCount64() - started < 600000);
}

// The teacher: the options dialog's own open and save.
void Save(const std::string& master) {
  LastMessage messages;
  for (int i = 0; i < kSaves; ++i, Sleep(20)) {
    OptionsSession session(files, counting, messages, master + kOptionsFileName);
    std::vector<std::int16_t> values;
    messages.last = "nicht geöffnet";
    const bool opened = session.Open(values) == OptionsSession::OpenResult::Open;
    const bool saved = opened && session.Save(versions[i % 2 == 0]);
    Tally(saved,
          opened && (messages.last == SystemErrorDescription(ERROR_SHARING_VIOLATION) ||
                     messages.last == SystemErrorDescription(ERROR_ACCESS_DENIED)),
          messages.last);
  }
}

int Run() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::string root = std::string(std::getenv("TEMP")) + "\\lirabo-load", master = root + "\\Lirabo";
  std::vector<std::string> folders{master};
  for (int i = 1; i <= kMenus; ++i)
    folders.push_back(root + "\\PC" + std::to_string(i));
  // The event lives as long as this process: an event whose last handle closes is gone.
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, kGo);
  std::vector<PROCESS_INFORMATION> children(folders.size());
  files.MakeDirectory(root);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    files.MakeDirectory(folders[i]);
    files.RemoveFile(folders[i] + "\\figures.txt");
    std::wstring line = L"\"" + std::wstring(self) + L"\" \"" + Widen(master) + L"\" \"" + Widen(folders[i]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &children[i]);
  }
  files.ReplaceContents(master + kOptionsFileName, FormatOptionsFile(versions[0]));
  const ULONGLONG started = GetTickCount64();
  SetEvent(go);
  int crashed = 0, left = 0;
  long totals[2][4] = {};
  for (std::size_t i = 0; i < folders.size(); ++i) {
    WaitForSingleObject(children[i].hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(children[i].hProcess, &code);
    long* t = totals[i ? 1 : 0];
    std::ifstream figures(folders[i] + "\\figures.txt");
    for (int k = 0; k < 4; ++k)
      figures >> tally[k], t[k] += tally[k];
    if (code != 0 || !figures) {
      ++crashed;
      std::printf("Prozess %d: Code %lu\n", static_cast<int>(i), code);
    }
  }
  const ULONGLONG elapsed = GetTickCount64() - started;
  for (const std::string& folder : folders)
    left += files.ListFiles(folder, ".neu") ? static_cast<int>(files.ListFiles(folder, ".neu")->size()) : 0;
  for (int k = 0; k < 2; ++k)
    std::printf("%s: %ld %s, %ld busy, %ld wrong, %ld retries\n", k ? "menus" : "saves", totals[k][0],
                k ? "copies" : "saved", totals[k][1], totals[k][2], totals[k][3]);
  std::printf("crashed: %d, staged files left: %d, time: %lu ms\n", crashed, left, static_cast<unsigned long>(elapsed));
  return crashed || left || totals[0][2] || totals[1][2] || totals[0][0] + totals[0][1] != kSaves ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  versions[1].colourDepth = 2;
  if (argc < 3)
    return Run();
  const std::string master = Narrow(argv[1]), folder = Narrow(argv[2]);
  WaitForSingleObject(CreateEventW(nullptr, TRUE, FALSE, kGo), 120000);  // the parent's, made here if not yet there
  folder == master ? Save(master) : Copy(master, folder);
  std::ofstream(folder + "\\figures.txt") << tally[0] << ' ' << tally[1] << ' ' << tally[2] << ' ' << tally[3];
  return 0;
}
