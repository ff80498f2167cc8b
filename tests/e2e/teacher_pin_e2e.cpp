// The teacher PIN as a teacher and a pupil use it: set in regelpult by keys, asked
// for by the menu at F6 (also by a copy of the menu elsewhere), refused, locked out,
// and removed again.
#include <regex>

#include "options/win32/options_window_ids.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "teacher_pin/win32/pin_prompt_window_ids.h"
#include "teacher_pin/win32/pin_setup_window_ids.h"
#include "tests/e2e/walk.h"

namespace lirabo::test {
namespace {

namespace f1 = ids::menu_window;
namespace pq = ids::pin_prompt;
namespace ps = ids::pin_setup;

// Digits, capital letters, Tab and Enter: their virtual-key codes are their characters.
void Type(HWND window, const std::string& keys) {
  for (char c : keys)
    PressKeys(window, {static_cast<UINT>(c)});
}

TEST_F(WalkWithScreenshots, TheTeacherPinSetInRegelpultAskedForAtF6LockedOutAndRemoved) {
  // regelpult's "Lehrer-PIN…" is the last tab stop, one Shift+Tab back from the first.
  const auto openPinDialog = [&] {
    HWND options = StartRegelpult();
    if (!options || !Focused(options, ids::options_window::HighColourOption))
      return HWND{};
    PressKeys(options, {VK_TAB}, VK_SHIFT);
    if (!Focused(options, ids::options_window::TeacherPinButton))
      return HWND{};
    PressKeys(options, {VK_RETURN});
    return WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
  };
  const auto closeRegelpult = [&] {
    PressKeys(WaitForVisibleWindow(regelpult.Id(), "Optionen"), {VK_ESCAPE});
    EXPECT_TRUE(regelpult.WaitForExit());
  };
  // F6 in a menu that shows its first focus; the PIN query, if it comes.
  const auto pressF6 = [&](Process& p, HWND window) {
    if (!window || !Focused(window, f1::Kamu1Button))
      return HWND{};
    PressKeys(window, {VK_F6});
    HWND query = WaitForVisibleWindow(p.Id(), "Lehrermenü", 2s);
    return query && Focused(query, pq::PinBox) ? query : HWND{};
  };
  HWND dialog = openPinDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateNone);
  EXPECT_FALSE(IsWindowEnabled(Child(dialog, ps::RemoveButton)));
  ASSERT_TRUE(Focused(dialog, ps::NewPin));
  EXPECT_EQ(TabWalk(dialog, 4), (Ids{ps::NewPin, ps::RepeatPin, ps::SaveButton, ps::CancelButton, ps::NewPin}));
  Type(dialog, "471100\t471200\r");
  EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinMismatch);
  EXPECT_FALSE(install.Has("lehrerpin.ini"));
  // Letters never reach the boxes, so these two match.
  ASSERT_TRUE(Focused(dialog, ps::NewPin));
  Type(dialog, "47AB1100\t471100");
  SaveScreenshot("teacher-pin-regelpult");
  PressKeys(dialog, {VK_RETURN});
  EXPECT_EQ(Answer(regelpult), "regelpult: Die PIN gilt ab sofort für alle Computer dieser Installation.");
  EXPECT_TRUE(std::regex_match(install.Read("lehrerpin.ini"),
                               std::regex("pbkdf2-sha256:200000:[0-9a-f]{32}:[0-9a-f]{64}\r\n")));
  closeRegelpult();

  // The menu asks; wrong PINs are refused, the third locks.
  HWND window = StartMenu();
  HWND query = pressF6(menu, window);
  ASSERT_TRUE(query);
  EXPECT_TRUE(GetWindowLongPtrW(query, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(TabWalk(query, 3), (Ids{pq::PinBox, pq::OkButton, pq::CancelButton, pq::PinBox}));
  for (const char* shown : {texts::kPinWrong, texts::kPinWrong, texts::kPinLockedOut}) {
    ASSERT_TRUE(Focused(query, pq::PinBox));
    Type(query, "1234");
    SaveScreenshot("teacher-pin-menu");
    PressKeys(query, {VK_RETURN});
    EXPECT_EQ(Answer(menu), std::string("JW Lirabo: ") + shown);
  }
  ASSERT_TRUE(Closed(query));
  EXPECT_EQ(GetMenu(window), nullptr);
  // The lock-out outlasts a restart: F6 asks nothing, F1 still helps.
  ASSERT_TRUE(EndMenu(window));
  window = StartMenu();
  EXPECT_FALSE(pressF6(menu, window));
  EXPECT_EQ(HelpOnF1(window), Help(102));
  // Its minute is over when the lock file says so; the second lock-out is two minutes long.
  WriteFileBytes(SettingsFolder() + "\\pinsperre.ini", "3:1:1\r\n");
  query = pressF6(menu, window);
  for (int wrong = 1; wrong <= 3; ++wrong) {
    ASSERT_TRUE(query && Focused(query, pq::PinBox));
    Type(query, "1234\r");
    const bool locked = Answer(menu).find("jetzt 2 Minuten lang gesperrt.") != std::string::npos;
    EXPECT_EQ(locked, wrong == 3) << wrong;
  }
  ASSERT_TRUE(Closed(query));
  ASSERT_TRUE(EndMenu(window));  // the running menu holds its lock-out too

  {  // A copy elsewhere, started from a folder a pupil may write to, takes the installed PIN
    // and starts no stand-in from the current folder.
    WriteFileBytes(SettingsFolder() + "\\pinsperre.ini", "6:1:1\r\n");
    Installation copy{"walk-copy"};
    Installation desktop{"walk-desktop"};
    copy.AddProgram("tafelwahl.exe");
    copy.Write("options.ini", OptionsText(kNamesOn));
    desktop.AddProgram("placeholder.exe", "Drusa.exe");
    HKEY key = nullptr;  // the 32-bit view, as the installer writes it
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring folder = Widen(install.Folder() + "\\");
    RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    Process other = Process::Start(copy.Path("tafelwahl.exe"), "/n=\"Anna\"", desktop.Folder());
    HWND otherWindow = WaitForVisibleWindow(other.Id(), texts::kMenuCaption);
    query = pressF6(other, otherWindow);
    ASSERT_TRUE(query);
    Type(query, "471100\r");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(query) && GetMenu(otherWindow) != nullptr; }));
    Click(otherWindow, f1::DrusaButton);
    EXPECT_EQ(Answer(other), std::string("JW Lirabo: ") + texts::kProgramNotFound);
    EXPECT_FALSE(desktop.Has("Aufrufe.txt"));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", KEY_WOW64_32KEY, 0);
  }

  // Removed in regelpult: F6 shows the teacher menu without asking, and hides it again.
  dialog = openPinDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateSet);
  ASSERT_TRUE(Focused(dialog, ps::NewPin));
  PressKeys(dialog, {VK_TAB, VK_TAB, VK_TAB});
  ASSERT_TRUE(Focused(dialog, ps::RemoveButton));
  PressKeys(dialog, {VK_RETURN});
  EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinRemoved);
  EXPECT_FALSE(install.Has("lehrerpin.ini"));
  closeRegelpult();
  window = StartMenu();
  EXPECT_FALSE(pressF6(menu, window));
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr; }));
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) == nullptr; }));
  EXPECT_TRUE(EndMenu(window));
}

}  // namespace
}  // namespace lirabo::test
