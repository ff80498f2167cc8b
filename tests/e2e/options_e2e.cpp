#include <gtest/gtest.h>

#include <thread>

#include "common/version.h"
#include "common/win32/twips.h"
#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "options/options_dialog.h"
#include "tests/driver/driver.h"

// Form1 and Form2 both have controls named Command1 to Command4.
namespace {
constexpr int kMenuEndButton = IDC_Command8;
}
#undef IDC_Command1
#undef IDC_Command2
#undef IDC_Command3
#undef IDC_Command4
#include "options/win32/form2_ids.h"

namespace lirabo::test {
namespace {

constexpr const char* kDialogCaption = "Optionen";

std::string ShotFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return BinFolder();
  return Narrow(folder);
}

// Screenshots when LIRABO_SCREENSHOTS names a folder; nothing otherwise.
void ShootIfAsked(const std::string& name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return;
  std::this_thread::sleep_for(400ms);  // a window is listed before it is drawn
  EXPECT_TRUE(SaveScreenBmp(ShotFolder() + "\\" + name + ".bmp"));
}

// No message box of the process appears within `wait`.
bool NoMessageBox(const Process& p, std::chrono::milliseconds wait = 500ms) {
  return WaitForMessageBox(p.Id(), wait) == nullptr;
}

class Regelpult : public ::testing::Test {
 protected:
  void SetUp() override { install.AddProgram("regelpult.exe"); }
  Process Start() { return Process::Start(install.Path("regelpult.exe")); }
  Installation install{"regelpult"};
};

TEST_F(Regelpult, ASecondDialogIsRefusedWithTheFourLinesAndEndsWhileTheFirstStaysOpen) {
  install.Write("options.ini", OptionsText({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  Process first = Start();
  HWND dialog = WaitForVisibleWindow(first.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  ShootIfAsked("options-regelpult");

  Process second = Start();
  HWND box = WaitForMessageBox(second.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), OptionsRefusedMessage());
  EXPECT_EQ(WindowText(box), "regelpult");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(IsWindowVisible(dialog));

  // The dialog ignores a close request; only OK ends it.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(first.WaitForExit(500ms));
  Click(dialog, IDC_Befehl1);
  EXPECT_TRUE(first.WaitForExit());
}

TEST_F(Regelpult, AMenuStartingWhileTheMasterIsHeldGreetsNormally) {
  ResetUserData();
  install.AddProgram("tafelwahl.exe");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
  Process options = Start();
  HWND dialog = WaitForVisibleWindow(options.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(NoMessageBox(menu));
  Click(window, kMenuEndButton);
  EXPECT_TRUE(menu.WaitForExit());
  Click(dialog, IDC_Befehl1);
  EXPECT_TRUE(options.WaitForExit());
}

TEST_F(Regelpult, FullScreenOnKeepsTheBackgroundOnAndTheTaskbarOffAndOkTellsAboutTheClients) {
  install.Write("options.ini", OptionsText({1, 0, 0, 0, -1, -1, 0, 0, 0, 1}));
  Process p = Start();
  HWND dialog = WaitForVisibleWindow(p.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsChecked(dialog, IDC_HGrund));
  EXPECT_FALSE(IsControlEnabled(dialog, IDC_HGrund));
  EXPECT_FALSE(IsChecked(dialog, IDC_TVis));
  EXPECT_FALSE(IsControlEnabled(dialog, IDC_TVis));
  EXPECT_TRUE(IsChecked(dialog, IDC_Auflösung));
  EXPECT_TRUE(IsChecked(dialog, IDC_Option1));
  EXPECT_FALSE(IsChecked(dialog, IDC_Option2));
  EXPECT_TRUE(IsChecked(dialog, IDC_ProtSave));

  Click(dialog, IDC_Befehl1);
  HWND box = WaitForMessageBox(p.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), texts::kClientNotice);
  EXPECT_EQ(install.Read("options.ini"), OptionsText({1, 0, -1, -1, 0, -1, 0, 0, 0, 1}));
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(p.WaitForExit());
}

TEST_F(Regelpult, OkOnAnUnchangedFileRewritesItInTheWritersFormatAndEndsSilently) {
  // Blanks and line ends of another writer: the rewrite puts the writer's format back.
  const std::string written = OptionsText({2, -1, -1, -1, -1, 0, -1, 0, -1, 1});
  install.Write("options.ini", "2\r\n-1\r\n-1\r\n-1\r\n-1\r\n0\r\n-1\r\n0\r\n-1\r\n1\r\n");
  Process p = Start();
  HWND dialog = WaitForVisibleWindow(p.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsControlEnabled(dialog, IDC_TVis));
  PostKey(dialog, VK_RETURN);
  EXPECT_TRUE(p.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), written);

  // Byte for byte on the second round.
  Process again = Start();
  dialog = WaitForVisibleWindow(again.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  Click(dialog, IDC_Befehl1);
  EXPECT_TRUE(again.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), written);
}

TEST_F(Regelpult, AMissingMasterOpensClearedAndEscWritesTenLines) {
  Process p = Start();
  HWND dialog = WaitForVisibleWindow(p.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  for (int id : {IDC_Option1, IDC_Option2, IDC_Check1, IDC_Buchstaben, IDC_Proto, IDC_ProtSave, IDC_FehlerWeiter,
                 IDC_HGrund, IDC_TVis, IDC_Auflösung})
    EXPECT_FALSE(IsChecked(dialog, id)) << id;
  EXPECT_TRUE(install.Has("options.ini"));  // the probe created it
  Click(dialog, IDC_Buchstaben);
  WaitUntil([&] { return IsChecked(dialog, IDC_Buchstaben); });
  PostKey(dialog, VK_ESCAPE);
  HWND box = WaitForMessageBox(p.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), texts::kClientNotice);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(p.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({0, 0, 0, 0, 0, 0, -1, 0, 0, 0}));
}

class TeacherMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  }
  HWND StartMenu(const std::vector<int>& options) {
    install.Write("options.ini", OptionsText(options));
    menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
    return WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  }
  HWND OpenOptions(HWND window) {
    PostMessageW(window, WM_COMMAND, IDM_M_Optionen, 0);
    HWND dialog = WaitForVisibleWindow(menu.Id(), kDialogCaption);
    EXPECT_FALSE(IsWindowVisible(window));
    return dialog;
  }
  void End(HWND window) {
    Click(window, kMenuEndButton);
    EXPECT_TRUE(menu.WaitForExit());
  }
  Installation install{"teacher"};
  Process menu;
};

TEST_F(TeacherMenu, F6ShowsAndHidesTheMenuBarKeepingTheClientArea) {
  HWND window = StartMenu({2, -1, 0, 0, -1, 0, 0, -1, -1, 1});
  ASSERT_TRUE(window);
  EXPECT_EQ(GetMenu(window), nullptr);
  const RECT before = WindowRect(window);
  RECT client{};
  GetClientRect(window, &client);
  PostKey(window, VK_F6);
  const auto height = [&] {
    RECT r = WindowRect(window);
    return r.bottom - r.top;
  };
  // The menu bar is attached first, then the window grows.
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr && height() > before.bottom - before.top; }));
  RECT clientWithMenu{};
  GetClientRect(window, &clientWithMenu);
  EXPECT_EQ(clientWithMenu.bottom, client.bottom);
  ShootIfAsked("menu-teacher");

  PostKey(window, VK_F6);
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) == nullptr && height() == before.bottom - before.top; }));
  RECT clientAfter{};
  GetClientRect(window, &clientAfter);
  EXPECT_EQ(clientAfter.bottom, client.bottom);
  End(window);
}

TEST_F(TeacherMenu, InformationBoxShowsTheVersionAndTheLegalNotice) {
  HWND window = StartMenu({2, -1, 0, 0, -1, 0, 0, -1, -1, 1});
  ASSERT_TRUE(window);
  PostMessageW(window, WM_COMMAND, IDM_M_Info, 0);
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), std::string("JW Lirabo Version 2.17.0077\r\n") + LIRABO_LEGAL_COPYRIGHT);
  EXPECT_EQ(WindowText(box), "Info über JW Lirabo Version 2.1");
  AnswerMessageBox(box, IDOK);
  End(window);
}

TEST_F(TeacherMenu, ChangedOptionsReloadTheMenuWithTheNewSettings) {
  HWND window = StartMenu({2, -1, 0, 0, -1, 0, 0, -1, -1, 1});
  ASSERT_TRUE(window);
  ASSERT_TRUE(IsControlVisible(window, IDC_CB_Name));
  HWND dialog = OpenOptions(window);
  ASSERT_TRUE(dialog);
  ShootIfAsked("options-tafelwahl");
  EXPECT_TRUE(IsChecked(dialog, IDC_ProtSave));
  // The dialog ignores a close request.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(IsWindowVisible(dialog));

  Click(dialog, IDC_ProtSave);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(dialog, IDC_ProtSave); }));
  Click(dialog, IDC_Befehl1);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  HWND reloaded = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(reloaded);
  EXPECT_FALSE(IsControlVisible(reloaded, IDC_CB_Name));
  EXPECT_EQ(ControlText(reloaded, IDC_Hilfe), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
  EXPECT_TRUE(NoMessageBox(menu));
  End(reloaded);
}

TEST_F(TeacherMenu, UnchangedOptionsShowTheSameMenuAgain) {
  HWND window = StartMenu({2, -1, 0, 0, -1, 0, 0, -1, -1, 1});
  ASSERT_TRUE(window);
  HWND dialog = OpenOptions(window);
  ASSERT_TRUE(dialog);
  PostKey(dialog, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo Anna!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(IsControlVisible(window, IDC_CB_Name));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  End(window);
}

}  // namespace
}  // namespace lirabo::test
