// The teacher PIN probed as a pupil would: wrong PINs across restarts of the menu,
// a copy of the menu in another folder, the program folder gone, and a stand-in
// exercise program in the folder the menu was started from.
#include <gtest/gtest.h>

#include <algorithm>

#include "teacher_pin/teacher_pin.h"
#include "teacher_pin/win32/bcrypt_crypto.h"
#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "menu/win32/menu_window_ids.h"
#include "teacher_pin/win32/pin_prompt_window_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

std::string AnswerWithEnter(DWORD processId) {
  HWND box = WaitForMessageBox(processId);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  PressKeys(box, {VK_RETURN});
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

class PinGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    for (Installation* each : {&install, &copy}) {
      each->AddProgram("tafelwahl.exe");
      each->AddProgram("placeholder.exe", "hh.exe");
      each->Write("Protokoll_2\\Namen.ini", "Anna\r\n");
      each->Write("options.ini", OptionsText({0, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
    }
    Win32CryptoPort crypto;
    install.Write("lehrerpin.ini", FormatPinFile(*MakePinRecord(crypto, "4711", kMinPinIterations)));
    // Where a pupil may write: the menu is started from here.
    desktop.AddProgram("placeholder.exe", "Drusa.exe");
  }
  void TearDown() override {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", KEY_WOW64_32KEY, 0);
  }

  HWND StartMenu(Process& menu, const Installation& from) {
    menu = Process::Start(from.Path("tafelwahl.exe"), "/n=\"Anna\"", desktop.Folder());
    HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
    if (window) WaitUntil([&] { return FocusedControl(window) == ids::menu_window::Kamu1Button; });
    return window;
  }

  // F6 and three wrong PINs; the text of the lock-out's message.
  std::string ThreeWrongPins(const Process& menu, HWND window) {
    PressKeys(window, {VK_F6});
    HWND query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
    if (!query) return "(no query)";
    for (int i = 0; i < 2; ++i) {
      EXPECT_TRUE(WaitUntil([&] { return FocusedControl(query) == ids::pin_prompt::PinBox; }));
      PressKeys(query, {'1', '1', '1', '1', VK_RETURN});
      EXPECT_EQ(AnswerWithEnter(menu.Id()), texts::kPinWrong);
    }
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(query) == ids::pin_prompt::PinBox; }));
    PressKeys(query, {'1', '1', '1', '1', VK_RETURN});
    std::string text = AnswerWithEnter(menu.Id());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(query); }));
    return text;
  }

  // F6, then F1, whose help call shows that the menu has dealt with F6.
  bool F6Ignored(const Installation& at, HWND window, DWORD menuId) {
    const std::size_t before = SplitLinesCount(at.Read("Aufrufe.txt"));
    PressKeys(window, {VK_F6, VK_F1});
    WaitUntil([&] { return SplitLinesCount(at.Read("Aufrufe.txt")) > before; });
    return WindowsOf(menuId, "Lehrermenü").empty() && !WaitForMessageBox(menuId, 0ms) && !GetMenu(window);
  }
  static std::size_t SplitLinesCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  }

  Installation install{"guard"};
  Installation copy{"guard-copy"};
  Installation desktop{"guard-desktop"};
};

TEST_F(PinGuard, WrongPinsOutlastARestartTheLockOutGrowsAndAGoneFolderOpensNothing) {
  Process menu;
  HWND window = StartMenu(menu, install);
  ASSERT_TRUE(window);
  EXPECT_EQ(ThreeWrongPins(menu, window), texts::kPinLockedOut);
  Click(window, ids::menu_window::EndButton);
  ASSERT_TRUE(menu.WaitForExit());

  window = StartMenu(menu, install);
  ASSERT_TRUE(window);
  EXPECT_TRUE(F6Ignored(install, window, menu.Id()));
  // The minute is over (the lock file says so); three more wrong PINs lock for two.
  const std::string lockFile = SettingsFolder() + "\\pinsperre.ini";
  WriteFileBytes(lockFile, "3:1:1\r\n");
  EXPECT_EQ(ThreeWrongPins(menu, window), "Die PIN ist falsch. Das Lehrermenü ist jetzt 2 Minuten lang gesperrt.");
  auto lock = ParsePinLock(ReadFileBytes(lockFile));
  ASSERT_TRUE(lock);
  EXPECT_EQ(lock->wrongPins, 6u);
  EXPECT_EQ(lock->lockEnd - lock->lockStart, 120000);

  // The program folder gone while the menu runs: F6 says why and opens nothing.
  const std::wstring moved = Widen(install.Folder() + "-weg");
  ASSERT_TRUE(MoveFileW(Widen(install.Folder()).c_str(), moved.c_str()));
  PressKeys(window, {VK_F6});
  const std::string text = AnswerWithEnter(menu.Id());
  EXPECT_EQ(text.rfind(std::string(texts::kPinFileUnreadable) + "\r\n", 0), 0u) << text;
  EXPECT_GT(text.size(), std::string(texts::kPinFileUnreadable).size() + 2);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_TRUE(WindowsOf(menu.Id(), "Lehrermenü").empty());
  ASSERT_TRUE(MoveFileW(moved.c_str(), Widen(install.Folder()).c_str()));
  Click(window, ids::menu_window::EndButton);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(PinGuard, ACopyElsewhereAsksForTheInstalledPinAndStartsNoStandInFromTheCurrentFolder) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::wstring folder = Widen(install.Folder() + "\\");
  RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);

  Process menu;
  HWND window = StartMenu(menu, copy);
  ASSERT_TRUE(window);
  PressKeys(window, {VK_F6});
  HWND query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  PressKeys(query, {VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(query); }));
  EXPECT_EQ(GetMenu(window), nullptr);

  // "Drusa" with no Drusa.exe beside the menu: the one in the current folder stays unused.
  Click(window, ids::menu_window::DrusaButton);
  EXPECT_EQ(AnswerWithEnter(menu.Id()), texts::kProgramNotFound);
  EXPECT_FALSE(desktop.Has("Aufrufe.txt"));
  Click(window, ids::menu_window::EndButton);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
