// Pictures of the forms for people to look at (./run screenshots); not run as tests.
#include <gtest/gtest.h>

#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

TEST(Screenshots, DISABLED_Menu) {
  ResetUserData();
  Installation install("shots");
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  SaveScreenshot("menu");
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());

  install.Write("options.ini", OptionsText({2, -1, -1, -1, 0, 0, 0, -1, -1, 1}));
  Process covered = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Jörg\"");
  window = WaitForVisibleWindow(covered.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  SaveScreenshot("menu-background");
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(covered.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
