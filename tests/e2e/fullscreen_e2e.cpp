// Full-screen mode for real, at 144 DPI so a menu made for 96 DPI must shrink: the
// desktop at 640 x 480 with everything on it, and back.
#include "menu/win32/menu_window_ids.h"
#include "options/win32/options_window_ids.h"
#include "tests/e2e/walk.h"

namespace lirabo::test {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

bool Switched() { return GetSystemMetrics(SM_CXSCREEN) == 640 && GetSystemMetrics(SM_CYSCREEN) == 480; }

bool Inside(HWND window) {
  const RECT rc = WindowRect(window);
  return rc.left >= 0 && rc.top >= 0 && rc.right <= 640 && rc.bottom <= 480;
}

// The programs started from now on see 144 DPI; the old value returns after.
class FullScreen : public WalkWithScreenshots {
 protected:
  void SetUp() override {
    WalkWithScreenshots::SetUp();
    DWORD size = sizeof oldDpi;
    hadDpi = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &oldDpi, &size) ==
             ERROR_SUCCESS;
    const DWORD dpi = 144;
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  void TearDown() override {
    if (hadDpi)
      RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &oldDpi, sizeof oldDpi);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
  }
  DWORD oldDpi = 96;
  bool hadDpi = false;
};

TEST_F(FullScreen, HoldsTheMenuItsDialogAndTheReloadedMenuThenRestores) {
  namespace f1 = ids::menu_window;
  install.Write("options.ini", OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 1}));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = StartMenu();
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil(Switched));
  ASSERT_TRUE(WaitUntil([&] { return Inside(window); }));
  for (int id : {f1::Kamu1Button, f1::Kamu2Button, f1::TesraButton, f1::OrvinButton, f1::Pelum1Button, f1::Pelum2Button,
                 f1::Pelum3Button, f1::DrusaButton, f1::EndButton, f1::NameButton}) {
    const RECT rc = WindowRect(Child(window, id));
    EXPECT_EQ(WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), Child(window, id)) << id;
    EXPECT_TRUE(Inside(Child(window, id))) << id;
  }
  SaveScreenshot("menu-fullscreen-144dpi");
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_TRUE(taskbar);
  EXPECT_FALSE(IsWindowVisible(taskbar));

  // An exercise started in full-screen mode leaves the menu open.
  Click(window, f1::Kamu1Button);
  EXPECT_EQ(NextCall(), "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"Anna\"");
  EXPECT_FALSE(menu.WaitForExit(300ms));

  // A dialog opened in the switched mode, and the menu a change reloads, lie on the small screen.
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr; }));
  PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
  ASSERT_TRUE(options);
  EXPECT_TRUE(Inside(options));
  Click(options, ids::options_window::LogUnderPupilName);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(options, ids::options_window::LogUnderPupilName); }));
  PressKeys(options, {VK_RETURN});
  ASSERT_TRUE(Closed(window));
  window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil(Switched));
  EXPECT_TRUE(Inside(window));
  // Without names the name button is gone and the greeting has no name.
  EXPECT_FALSE(IsWindowVisible(Child(window, f1::NameButton)));
  EXPECT_EQ(ControlText(window, f1::Greeting), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 0}));
  EXPECT_TRUE(EndMenu(window));
  EXPECT_TRUE(
      WaitUntil([&] { return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height; }));
  EXPECT_TRUE(IsWindowVisible(taskbar));
}

}  // namespace
}  // namespace lirabo::test
