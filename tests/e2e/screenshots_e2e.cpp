// Pictures of the forms for people to look at (./run screenshots); not run as tests.
#include <gtest/gtest.h>

#include <thread>

#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

std::string ShotFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return BinFolder();
  return Narrow(folder);
}

void Shoot(const std::string& name) {
  std::this_thread::sleep_for(400ms);  // a window is listed before it is drawn
  EXPECT_TRUE(SaveScreenBmp(ShotFolder() + "\\" + name + ".bmp"));
}

TEST(Screenshots, DISABLED_Menu) {
  ResetUserData();
  Installation install("shots");
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  Shoot("menu");
  Click(window, IDC_Command8);
  EXPECT_TRUE(menu.WaitForExit());

  install.Write("options.ini", OptionsText({2, -1, -1, -1, 0, 0, 0, -1, -1, 1}));
  Process covered = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Jörg\"");
  window = WaitForVisibleWindow(covered.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  Shoot("menu-background");
  Click(window, IDC_Command8);
  EXPECT_TRUE(covered.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
