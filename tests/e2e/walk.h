#pragma once
// What every walk starts from: a fresh installation with both programs, a help
// stand-in (hh.exe) and exercise stand-ins that record how they were started.
#include <gtest/gtest.h>

#include "common/text.h"
#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {

using Ids = std::vector<int>;

// High colour, speech, taskbar, log after ten, "Weiter", names in use (line 10).
inline const std::vector<int> kNamesOn = {2, -1, 0, 0, -1, 0, 0, -1, -1, 1};

// Digits, capital letters, Tab and Enter: their virtual-key codes are their characters.
inline void Type(HWND window, const std::string& keys) {
  for (char c : keys) PressKeys(window, {static_cast<UINT>(c)});
}

// The walks also take the pictures of every form for ./run screenshots.
class WalkWithScreenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", L"1");
    for (const char* program : {"tafelwahl.exe", "regelpult.exe"}) install.AddProgram(program);
    for (const char* program : {"hh.exe", "Kamu1.exe"}) install.AddProgram("placeholder.exe", program);
    install.Write("Protokoll_2\\Namen.ini", "Ben\r\nAnna\r\n");
    install.Write("options.ini", OptionsText(kNamesOn));
  }
  HWND StartMenu(const std::string& arguments = "/n=\"Anna\"") {
    menu = Process::Start(install.Path("tafelwahl.exe"), arguments);
    return WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  }
  HWND StartRegelpult() {
    regelpult = Process::Start(install.Path("regelpult.exe"));
    return WaitForVisibleWindow(regelpult.Id(), "Optionen");
  }
  // The next line the stand-ins recorded.
  std::string NextCall() {
    WaitUntil([&] { return SplitLines(install.Read("Aufrufe.txt")).size() > seen; });
    const auto calls = SplitLines(install.Read("Aufrufe.txt"));
    return calls.size() > seen ? calls[seen++] : std::string("(nothing recorded)");
  }
  // What F1 in `window` started.
  std::string HelpOnF1(HWND window) {
    PressKeys(window, {VK_F1});
    return NextCall();
  }
  std::string Help(int topic, const std::string& file = "LiraboHilfe.chm") const {
    return "hh.exe -mapid " + std::to_string(topic) + " \"" + install.Path(file) + "\"";
  }
  // "title: text" of the process's next message box, which is then answered.
  static std::string Answer(const Process& p, int button = IDOK) {
    HWND box = nullptr;
    WaitUntil([&] {
      for (HWND w : WindowsOf(p.Id(), {}, L"#32770")) box = IsWindowVisible(w) && GetDlgItem(w, 0xFFFF) ? w : box;
      return box != nullptr;
    });
    if (!box) return "(no message box)";
    const std::string shown = WindowText(box) + ": " + WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    Closed(box);
    return shown;
  }
  static bool Closed(HWND window) {
    return WaitUntil([&] { return !IsWindow(window); });
  }
  // "Ende" and the menu's exit.
  bool EndMenu(HWND window) {
    Click(window, ids::menu_window::EndButton);
    return menu.WaitForExit();
  }
  static bool Focused(HWND window, int id) {
    return WaitUntil([&] { return FocusedControl(window) == id; });
  }
  // Selects a list entry as a click would, with the notification the dialog acts on.
  static void Select(HWND dialog, int list, int index) {
    SendMessageW(Child(dialog, list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Child(dialog, list)));
  }

  Installation install{"walk"};
  Process menu;
  Process regelpult;
  std::size_t seen = 0;
};

}  // namespace lirabo::test
