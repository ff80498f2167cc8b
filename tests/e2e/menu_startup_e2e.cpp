#include <gtest/gtest.h>

#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

// Menu settings: no background, names in use (setting 10).
const std::vector<int> kNamesOn = {2, -1, 0, 0, -1, 0, 0, -1, -1, 1};

class MenuStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen\r\n");
  }
  Installation install{"menu"};
};

TEST_F(MenuStartup, GreetsThePupilFromTheCommandLineAndPreparesHerFiles) {
  install.Write("options.ini", OptionsText(kNamesOn));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo Anna!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(IsControlVisible(window, IDC_CB_Name));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText(kNamesOn));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.bak"), OptionsText(kNamesOn));
  EXPECT_TRUE(FileExists(LogFolder() + "\\Anna.txt"));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Anna.txt"), "");
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Anna\r\nBen\r\n");

  // The close box is refused; the end button ends the menu.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(menu.WaitForExit(500ms));
  EXPECT_TRUE(IsWindow(window));
  Click(window, IDC_Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
