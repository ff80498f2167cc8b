// A classroom starting while the teacher saves: 30 menus copy the master again and
// again (each like a fresh PC) while one process saves it 20 times through the
// options dialog's own session, all through the real file port and its retry. Not a
// timed test: `./run load` prints each process's figures. Exit code 0 when every copy
// was the old or the new master byte for byte, every save succeeded or failed as
// busy, no process crashed and no staged file remained.
// Usage: classroom_load [<master folder> <folder>]: saves when the folder is the
// master's, copies into it otherwise; its exit code is the number of wrong results.
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

// The message the options dialog would have shown last.
class LastMessage final : public MessagePort {
 public:
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    last = text;
    return MsgAnswer::Ok;
  }
  std::string last;
};

Win32FilePort files;
Win32SystemPort system(L"Local\\JW.Lirabo.Load");
OptionsRecord versions[2];  // the old master and the teacher's new one

// One menu PC: a fresh start-up copy until the teacher is done.
int Copy(const std::string& master, const std::string& settings, HANDLE done) {
  int copies = 0, busy = 0, wrong = 0;
  do {
    files.RemoveFile(settings + kOptionsFileName);
    files.RemoveFile(settings + kOptionsMarkerName);
    auto file = OpenSettingsWithRetry(files, system, settings, master);
    auto bytes = file ? (*file)->ReadAll() : Expected<std::string>(file.error());
    if (bytes && (*bytes == FormatOptionsFile(versions[0]) || *bytes == FormatOptionsFile(versions[1])))
      ++copies;
    else
      ++(!file && file.error().IsLockedOrDenied() ? busy : wrong);
  } while (WaitForSingleObject(done, 0) == WAIT_TIMEOUT);
  std::printf("%s: %d copies, %d busy, %d wrong\n", settings.c_str(), copies, busy, wrong);
  return wrong;
}

// The teacher: the options dialog's own open and save.
int Save(const std::string& master, HANDLE done) {
  LastMessage messages;
  int saved = 0, busy = 0, wrong = 0;
  for (int i = 0; i < 20; ++i, Sleep(20)) {
    OptionsSession session(files, system, messages, master + kOptionsFileName);
    std::vector<std::int16_t> values;
    messages.last.clear();
    if (session.Open(values) == OptionsSession::OpenResult::Open && session.Save(versions[i % 2 == 0]))
      ++saved;
    else
      ++(messages.last == SystemErrorDescription(ERROR_SHARING_VIOLATION) ||
                 messages.last == SystemErrorDescription(ERROR_ACCESS_DENIED)
             ? busy
             : wrong);
  }
  SetEvent(done);
  std::printf("saves: %d saved, %d busy, %d wrong\n", saved, busy, wrong);
  return wrong + (saved + busy != 20);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  versions[1].colourDepth = 2;
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, L"Local\\LiraboLoadGo");
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, L"Local\\LiraboLoadDone");
  if (argc == 3) {
    WaitForSingleObject(go, 120000);
    const std::string master = Narrow(argv[1]), folder = Narrow(argv[2]);
    return folder == master ? Save(master, done) : Copy(master, folder, done);
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string root = Narrow(temp) + "lirabo-load", master = root + "\\Lirabo";
  files.MakeDirectory(root);
  files.MakeDirectory(master);
  files.ReplaceContents(master + kOptionsFileName, FormatOptionsFile(versions[0]));
  std::vector<PROCESS_INFORMATION> children(31);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const std::string folder = i ? root + "\\PC" + std::to_string(i) : master;
    files.MakeDirectory(folder);
    std::wstring line = L"\"" + std::wstring(argv[0]) + L"\" \"" + Widen(master) + L"\" \"" + Widen(folder) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &children[i]);
  }
  const ULONGLONG started = GetTickCount64();
  SetEvent(go);
  DWORD failed = 0, left = 0;
  for (auto& child : children) {
    DWORD code = 1;
    WaitForSingleObject(child.hProcess, INFINITE);
    GetExitCodeProcess(child.hProcess, &code);
    failed += code;
  }
  for (std::size_t i = 0; i < children.size(); ++i)
    left += static_cast<DWORD>(files.ListFiles(i ? root + "\\PC" + std::to_string(i) : master, ".neu")->size());
  std::printf("wrong or crashed: %lu, staged files left: %lu, time: %llu ms\n", failed, left,
              GetTickCount64() - started);
  return failed || left ? 1 : 0;
}
