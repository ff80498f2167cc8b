// The teacher PIN as a pupil meets it: asked for by the menu at F6 (also by a copy of
// the menu elsewhere), refused, locked out across restarts. regelpult's walk sets it.
#include "teacher_pin/teacher_pin_gate.h"
#include "teacher_pin/win32/pin_prompt_window_ids.h"
#include "tests/e2e/walk.h"

namespace lirabo::test {
namespace {

namespace f1 = ids::menu_window;
namespace pq = ids::pin_prompt;

// The PIN 471100 with a fixed salt, as regelpult would write it.
constexpr const char* kPinFile =
    "pbkdf2-sha256:100000:000102030405060708090a0b0c0d0e0f:"
    "52421bd21fc4965c6e1cb7e21fb15b9640b10c9209c0338222e015e311b77343\r\n";

TEST_F(WalkWithScreenshots, TheMenuAsksForTheTeacherPinAtF6AndLocksOut) {
  // F6 in a menu that shows its first focus; the PIN query, if it comes.
  const auto pressF6 = [&](Process& p, HWND window) {
    if (!window || !Focused(window, f1::Kamu1Button)) return HWND{};
    PressKeys(window, {VK_F6});
    HWND query = WaitForVisibleWindow(p.Id(), "Lehrermenü", 2s);
    return query && Focused(query, pq::PinBox) ? query : HWND{};
  };
  install.Write("lehrerpin.ini", kPinFile);
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
    PressKeys(otherWindow, {VK_F6});  // and hides it again
    EXPECT_TRUE(WaitUntil([&] { return GetMenu(otherWindow) == nullptr; }));
    Click(otherWindow, f1::DrusaButton);
    EXPECT_EQ(Answer(other), std::string("JW Lirabo: ") + texts::kProgramNotFound);
    EXPECT_FALSE(desktop.Has("Aufrufe.txt"));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", KEY_WOW64_32KEY, 0);
  }
}

}  // namespace
}  // namespace lirabo::test
