#include <gtest/gtest.h>

#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

// No background, names in use (setting 10).
const std::vector<int> kNamesOn = {2, -1, 0, 0, -1, 0, 0, -1, -1, 1};
const std::vector<int> kNamesOff = {2, -1, 0, 0, -1, 0, 0, -1, -1, 0};

class MenuStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen\r\n");
  }
  Process StartMenu(const std::string& arguments = {}) {
    return Process::Start(install.Path("tafelwahl.exe"), arguments);
  }
  Installation install{"menu"};
};

TEST_F(MenuStartup, GreetsThePupilFromTheCommandLineAndPreparesHerFiles) {
  install.Write("options.ini", OptionsText(kNamesOn));
  Process menu = StartMenu("/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, ids::form1::Hilfe), "Hallo Anna!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(IsControlVisible(window, ids::form1::CB_Name));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText(kNamesOn));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.bak"), OptionsText(kNamesOn));
  EXPECT_TRUE(FileExists(LogFolder() + "\\Anna.txt"));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Anna.txt"), "");
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Anna\r\nBen\r\n");

  // The close box is refused; the end button ends the menu.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(menu.WaitForExit(500ms));
  EXPECT_TRUE(IsWindow(window));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

// Attributes of a file; a file that is missing has none.
DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }
constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

TEST_F(MenuStartup, CopiesOfAWriteProtectedMasterAreNormalFilesAndAProtectedOldCopyIsReplaced) {
  install.Write("options.ini", OptionsText(kNamesOff));
  ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), kProtected));
  for (int start = 0; start < 2; ++start) {
    Process menu = StartMenu();
    HWND window = WaitForVisibleWindow(menu.Id(), "JW Lirabo ;   <F6> für Lehrermenü");
    ASSERT_TRUE(window);
    for (const char* copy : {"\\options.ini", "\\options.bak"}) {
      EXPECT_EQ(ReadFileBytes(SettingsFolder() + copy), install.Read("options.ini")) << copy;
      EXPECT_EQ(Attributes(SettingsFolder() + copy) & kProtected, 0u) << copy;
    }
    Click(window, ids::form1::Command8);
    ASSERT_TRUE(menu.WaitForExit());
    // The teacher changes the master while the user copy is write-protected.
    ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), FILE_ATTRIBUTE_NORMAL));
    install.Write("options.ini", OptionsText({1, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
    ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), kProtected));
    ASSERT_TRUE(SetFileAttributesW(Widen(SettingsFolder() + "\\options.ini").c_str(), kProtected));
  }
  SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MenuStartup, ALockedUserCopyIsRetriedForThreeSecondsThenReported) {
  install.Write("options.ini", OptionsText(kNamesOff));
  WriteFileBytes(SettingsFolder() + "\\options.ini", OptionsText(kNamesOff));
  WriteFileBytes(SettingsFolder() + "\\options.bak", OptionsText(kNamesOff));
  HANDLE held = CreateFileW(Widen(SettingsFolder() + "\\options.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  auto started = std::chrono::steady_clock::now();
  Process menu = StartMenu();
  HWND box = WaitForMessageBox(menu.Id(), 20s);
  auto waited = std::chrono::steady_clock::now() - started;
  CloseHandle(held);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box),
            "Ich konnte die Programmeinstellungen nicht laden. Eventuell werden diese momentan geändert. "
            "Versuchen Sie, das Programm zu einem späteren Zeipunkt noch einmal zu starten.");
  EXPECT_GE(waited, 2900ms);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(MenuStartup, ARunningVarkonEndsTheMenuBeforeAnyFolderIsMade) {
  install.Write("options.ini", OptionsText(kNamesOn));
  install.AddProgram("placeholder.exe", "OldVarkon.exe");
  Process varkon = Process::Start(install.Path("OldVarkon.exe"));
  Process menu = StartMenu("/n=\"Anna\"");
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box),
            "Während der Varkon läuft, kann der Schnellstarter nicht verwendet werden! Außerdem sollten "
            "währenddessen keine weiteren JW Lernprogramme von Hand gestartet werden, da dies die Funktion des "
            "Varkons stört!");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(menu.WaitForExit());
  EXPECT_FALSE(DirectoryExists(AppDataFolder() + "\\DE Zuzururu"));
}

TEST_F(MenuStartup, ASecondStartBringsTheFirstMenuToTheFrontShowsTheTaskbarAndEnds) {
  // Background on, taskbar hidden.
  install.Write("options.ini", OptionsText({2, -1, -1, -1, 0, 0, 0, -1, -1, 0}));
  Process first = StartMenu();
  HWND window = WaitForVisibleWindow(first.Id(), "JW Lirabo ;   <F6> für Lehrermenü");
  ASSERT_TRUE(window);
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(taskbar); }));
  // Another program is in front when the pupil starts the menu again.
  HWND other = CreateWindowExW(0, L"STATIC", L"Anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(BringToFront(other));
  Process second = StartMenu();
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
  EXPECT_TRUE(IsWindowVisible(taskbar));
  EXPECT_TRUE(first.IsRunning());
  EXPECT_EQ(WindowText(window), "JW Lirabo ;   <F6> für Lehrermenü");
  DestroyWindow(other);
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(first.WaitForExit());
}

TEST_F(MenuStartup, NineValuesMeanNoNamesAndNoNameButton) {
  std::vector<int> nine(kNamesOn.begin(), kNamesOn.end() - 1);
  install.Write("options.ini", OptionsText(nine));
  Process menu = StartMenu("/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_FALSE(IsControlVisible(window, ids::form1::CB_Name));
  EXPECT_EQ(ControlText(window, ids::form1::Hilfe), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_FALSE(FileExists(LogFolder() + "\\Anna.txt"));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
