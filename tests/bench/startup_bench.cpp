// Start-up and log viewer timings of the real programs under Wine, printed as the
// medians of interleaved runs; started by "./run bench", never by the tests.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "records/name_entry.h"
#include "records/win32/log_viewer_window_ids.h"
#include "tests/driver/driver.h"

namespace t = lirabo::test;
namespace ids = lirabo::ids;
using Clock = std::chrono::steady_clock;

namespace {

// Milliseconds from `start` until `done` holds, looking every millisecond; -1 after 10 minutes.
template <class F>
double MsUntil(Clock::time_point start, F done) {
  while (!done()) {
    if (Clock::now() - start > std::chrono::minutes(10)) return -1;
    Sleep(1);
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// From the process's start to its visible window; the program is ended afterwards. The
// title is read with WM_GETTEXT, so the time ends when the program first answers messages.
double StartUp(const std::string& program, const std::string& arguments, const std::string& title) {
  const auto start = Clock::now();
  t::Process process = t::Process::Start(program, arguments);
  return MsUntil(start, [&] { return std::ranges::any_of(t::WindowsOf(process.Id(), title), IsWindowVisible); });
}

// `count` lines, numbered in a shuffled order.
std::string Lines(const std::string& text, long long count) {
  std::string lines;
  for (long long i = 0; i < count; ++i) lines += text + std::to_string(i * 7919 % count) + "\r\n";
  return lines;
}

// Selects a log in the viewer and measures until its text box holds text (or none).
double ShowLog(HWND viewer, const std::string& name, bool empty) {
  HWND list = t::Child(viewer, ids::log_viewer::Logs), text = t::Child(viewer, ids::log_viewer::LogText);
  auto items = t::ListBoxItems(viewer, ids::log_viewer::Logs);
  const auto start = Clock::now();
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::find(items.begin(), items.end(), name) - items.begin()), 0);
  PostMessageW(viewer, WM_COMMAND, MAKEWPARAM(ids::log_viewer::Logs, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  return MsUntil(start, [&] { return (SendMessageW(text, WM_GETTEXTLENGTH, 0, 0) == 0) == empty; });
}

}  // namespace

int main() {
  t::ResetUserData();
  t::Installation install("bench");
  install.AddProgram("tafelwahl.exe");
  const std::string menu = install.Path("tafelwahl.exe"), bare = t::BinFolder() + "\\bare_window.exe";
  install.Write("options.ini", t::OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  std::map<std::string, std::vector<double>> ms;  // the names sort in the order printed
  for (int round = 0; round <= 7; ++round) {      // round 0 warms up and makes the user's copies
    std::map<std::string, double> now{
        {"1 minimal window", StartUp(bare, "", "Bare")},
        {"2 menu greeting Anna", StartUp(menu, "/n=\"Anna\"", lirabo::texts::kMenuCaption)}};
    for (auto [count, name] : {std::pair{5, "3 name entry, 5 names"}, {10000, "4 name entry, 10000 names"}}) {
      t::WriteFileBytes(t::LogFolder() + "\\Namen.ini", Lines("Kind ", count));
      now[name] = StartUp(menu, "", lirabo::texts::kNameEntryCaption);
    }
    for (auto& [name, took] : now)
      if (round) ms[name].push_back(took);
  }
  // The log viewer: a 20 MB log takes long under Wine, so fewer runs.
  t::WriteFileBytes(t::LogFolder() + "\\Log2MB.txt", Lines("Kamu 1: 0 Fehler, Aufgabe ", 60'000));
  t::WriteFileBytes(t::LogFolder() + "\\Log20MB.txt", Lines("Kamu 1: 0 Fehler, Aufgabe ", 600'000));
  t::Process running = t::Process::Start(menu, "/n=\"Anna\"");
  HWND window = t::WaitForVisibleWindow(running.Id(), lirabo::texts::kMenuCaption);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(ids::menu_window::ShowLogsItem, 0), 0);
  HWND viewer = t::WaitForVisibleWindow(running.Id(), "Protokolle anzeigen");
  for (int round = 0; viewer && round < 3; ++round)
    for (const char* log : {"Log2MB.txt", "Log20MB.txt"}) {
      ShowLog(viewer, "Anna.txt", true);
      ms[std::string("5 log viewer, ") + log].push_back(ShowLog(viewer, log, false));
    }
  std::map<char, double> median;
  std::printf("median of interleaved runs, ms (-1: no window)\n");
  for (auto& [name, values] : ms) {
    std::sort(values.begin(), values.end());
    median[name[0]] = values[values.size() / 2];
    std::printf("  %-32s %8.1f   (%zu runs)\n", name.c_str() + 2, values[values.size() / 2], values.size());
  }
  std::printf("  menu: %.2fx the minimal window; name entry: 10000 names %.2fx 5 names\n", median['2'] / median['1'],
              median['4'] / median['3']);
  return 0;
}
