#include <gtest/gtest.h>

#include "common/text.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    // The placeholders only record how they were started.
    SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", L"1");
    install.AddProgram("tafelwahl.exe");
    for (const char* program : {"Kamu1.exe", "Kamu2.exe", "tesra.exe", "Pelum1.exe", "Drusa.exe"})
      install.AddProgram("placeholder.exe", program);
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  }
  void TearDown() override { SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", nullptr); }

  // Options: background (3), taskbar (5), full screen (6), names (10).
  void Options(int background, int taskbar, int fullScreen, int names) {
    install.Write("options.ini",
                  OptionsText({0, 0, background, background, taskbar, fullScreen, 0, 0, 0, names}));
  }
  std::vector<std::string> Started() { return SplitLines(install.Read("Aufrufe.txt")); }
  bool WaitForStarts(std::size_t n) {
    return WaitUntil([&] { return Started().size() >= n; });
  }

  Installation install{"launcher"};
};

TEST_F(Launcher, WithoutNamesTheProgramTextAloneAndTheMenuCloses) {
  Options(0, -1, 0, 0);
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, ids::form1::Command3), "Tesra");
  Click(window, ids::form1::Command3);
  ASSERT_TRUE(WaitForStarts(1));
  EXPECT_EQ(Started(), std::vector<std::string>{"tesra.exe Q"});
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(Launcher, WithNamesFolderAndNameQuotedAndTheMenuStaysInFullScreenMode) {
  Options(-1, 0, -1, 1);
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  Click(window, ids::form1::Command1);
  ASSERT_TRUE(WaitForStarts(1));
  EXPECT_EQ(Started()[0], "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"Anna\"");
  // Full screen: the menu stays and a second button starts a second program.
  EXPECT_FALSE(menu.WaitForExit(300ms));
  Click(window, ids::form1::Command7);
  ASSERT_TRUE(WaitForStarts(2));
  EXPECT_EQ(Started()[1], "Pelum1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"Anna\"");
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(Launcher, AMissingProgramIsReportedAndTheMenuStays) {
  Options(0, -1, 0, 0);
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  Click(window, ids::form1::Command4);  // Orvin.exe is not installed
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box),
            "Die Programmdatei wurde nicht gefunden. Sie muss im gleichen Verzeichnis wie dieses Programm sein. "
            "Starten Sie das Programm von Hand, oder versuchen Sie es nochmal nach einer Neuinstallation!");
  AnswerMessageBox(box, IDOK);
  EXPECT_FALSE(menu.WaitForExit(300ms));
  EXPECT_TRUE(IsWindowVisible(window));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(Launcher, BackgroundCoversTheWorkAreaOrTheScreenAndGoesWithTheMenu) {
  Options(-1, -1, 0, 0);
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  HWND background = WaitForVisibleWindow(menu.Id(), texts::kBackgroundCaption);
  ASSERT_TRUE(window && background);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT placed = WindowRect(background);
  EXPECT_TRUE(EqualRect(&placed, &work));
  EXPECT_EQ(GetWindow(window, GW_OWNER), background);
  PostMessageW(background, WM_CLOSE, 0, 0);
  EXPECT_FALSE(menu.WaitForExit(300ms));
  EXPECT_TRUE(IsWindowVisible(background));
  Click(window, ids::form1::Command2);
  ASSERT_TRUE(WaitForStarts(1));
  EXPECT_EQ(Started()[0], "Kamu2.exe Q");
  EXPECT_TRUE(menu.WaitForExit());

  Options(-1, 0, 0, 0);
  Process covering = Process::Start(install.Path("tafelwahl.exe"));
  background = WaitForVisibleWindow(covering.Id(), texts::kBackgroundCaption);
  window = WaitForVisibleWindow(covering.Id(), texts::kMenuCaption);
  ASSERT_TRUE(background && window);
  placed = WindowRect(background);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(placed.bottom, GetSystemMetrics(SM_CYSCREEN));
  // The test desktop has a taskbar (the Wine prefix enables its shell).
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_TRUE(taskbar);
  EXPECT_FALSE(IsWindowVisible(taskbar));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(covering.WaitForExit());
  EXPECT_TRUE(IsWindowVisible(taskbar));
}

}  // namespace
}  // namespace lirabo::test
