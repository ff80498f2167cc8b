// Start-up and log viewer timings of the real programs under Wine, printed as the
// medians of interleaved runs; started by "./run bench", never by the tests.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "records/name_entry.h"
#include "records/win32/log_viewer_window_ids.h"
#include "tests/driver/driver.h"

namespace t = lirabo::test;
namespace ids = lirabo::ids;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 7;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits, looking every millisecond, until `done` holds; false after `seconds`.
template <class F>
bool Poll(F done, int seconds = 60) {
  for (auto end = Clock::now() + std::chrono::seconds(seconds); Clock::now() < end; Sleep(1))
    if (done()) return true;
  return false;
}

HWND VisibleWindow(DWORD process, const std::string& title) {
  HWND found = nullptr;
  Poll([&] {
    for (HWND w : t::WindowsOf(process, title)) if (IsWindowVisible(w)) found = w;
    return found != nullptr;
  });
  return found;
}

// From CreateProcess to the visible window; the program is ended afterwards.
double StartUp(const std::string& program, const std::string& arguments, const std::string& title) {
  std::wstring line = lirabo::Widen("\"" + program + "\" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const auto start = Clock::now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return -1;
  const double took = VisibleWindow(info.dwProcessId, title) ? MsSince(start) : -1;
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return took;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string Names(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "Kind " + std::to_string((i * 7919) % count) + "\r\n";
  return text;
}

std::string Log(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "Kamu 1 Aufgabe " + std::to_string(i) + ": 0 Fehler\r\n";
  return text;
}

// Selects a log in the viewer and measures until its text box holds text (or none).
double ShowLog(HWND viewer, const std::string& name, bool empty) {
  HWND list = t::Child(viewer, ids::log_viewer::Logs), text = t::Child(viewer, ids::log_viewer::LogText);
  auto items = t::ListBoxItems(viewer, ids::log_viewer::Logs);
  auto at = std::find(items.begin(), items.end(), name) - items.begin();
  const auto start = Clock::now();
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  PostMessageW(viewer, WM_COMMAND, MAKEWPARAM(ids::log_viewer::Logs, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  if (!Poll([&] { return (SendMessageW(text, WM_GETTEXTLENGTH, 0, 0) == 0) == empty; }, 600)) return -1;
  return MsSince(start);
}

void Print(const std::map<std::string, std::vector<double>>& ms, int rounds) {
  std::printf("median of %d interleaved runs, ms (-1: no window)\n", rounds);
  for (auto& [name, values] : ms) {
    std::printf("  %-32s %8.1f", name.c_str() + 2, Median(values));
    if (name[0] == '2') std::printf("   %.2fx the minimal window", Median(values) / Median(ms.at("1 minimal window")));
    if (name[0] == '4') std::printf("   %.2fx 5 names", Median(values) / Median(ms.at("3 name entry, 5 names")));
    std::printf("\n");
  }
  std::fflush(stdout);
}

}  // namespace

// The menu timed is the one built beside the bench, or the program given.
int main(int argc, char** argv) {
  t::ResetUserData();
  t::Installation install("bench");
  const std::string menu = install.Path("tafelwahl.exe"), bare = t::BinFolder() + "\\bare_window.exe";
  const std::string built = argc > 1 ? argv[1] : t::BinFolder() + "\\tafelwahl.exe";
  CopyFileW(lirabo::Widen(built).c_str(), lirabo::Widen(menu).c_str(), FALSE);
  install.Write("options.ini", t::OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  install.Write("Protokoll_2\\Namen.ini", Names(5));
  std::map<std::string, std::vector<double>> ms;
  for (int round = 0; round <= kRounds; ++round) {  // round 0 warms up and makes the user's copies
    std::map<std::string, double> now;
    now["1 minimal window"] = StartUp(bare, "", "Bare");
    now["2 menu greeting Anna"] = StartUp(menu, "/n=\"Anna\"", lirabo::texts::kMenuCaption);
    for (int count : {5, 10000}) {
      t::WriteFileBytes(t::LogFolder() + "\\Namen.ini", Names(count));
      now[(count == 5 ? "3" : "4") + std::string(" name entry, ") + std::to_string(count) + " names"] =
          StartUp(menu, "", lirabo::texts::kNameEntryCaption);
    }
    for (auto& [name, took] : now) if (round) ms[name].push_back(took);
  }
  Print(ms, kRounds);

  if (std::getenv("LIRABO_BENCH_NO_LOGS")) return 0;
  // The log viewer: a 20 MB log takes long under Wine, so fewer runs.
  constexpr int kLogRounds = 3;
  ms.clear();
  t::WriteFileBytes(t::LogFolder() + "\\Log2MB.txt", Log(2'000'000));
  t::WriteFileBytes(t::LogFolder() + "\\Log20MB.txt", Log(20'000'000));
  t::Process running = t::Process::Start(menu, "/n=\"Anna\"");
  HWND window = VisibleWindow(running.Id(), lirabo::texts::kMenuCaption);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(ids::menu_window::ShowLogsItem, 0), 0);
  HWND viewer = VisibleWindow(running.Id(), "Protokolle anzeigen");
  for (int round = 0; viewer && round < kLogRounds; ++round)
    for (const char* log : {"Log2MB.txt", "Log20MB.txt"}) {
      ShowLog(viewer, "Anna.txt", true);
      ms[std::string("5 log viewer, ") + log].push_back(ShowLog(viewer, log, false));
    }
  running.Kill();
  Print(ms, kLogRounds);
  return 0;
}
