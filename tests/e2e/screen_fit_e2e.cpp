// A menu made for 96 DPI on a 640 x 480 full screen at 144 DPI: it shrinks to fit.
#include <gtest/gtest.h>

#include "menu/win32/menu_window_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

// The DPI that the programs started from now on see; the old value returns after.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) {
    DWORD size = sizeof old_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_, &size) ==
           ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~SystemDpi() {
    if (had_)
      RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &old_, sizeof old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
  }

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  DWORD old_ = 96;
  bool had_ = false;
};

TEST(ScreenFit, At144DpiTheFullScreenMenuShrinksUntilEveryButtonLiesOn640By480) {
  ResetUserData();
  Installation install("fit");
  install.AddProgram("tafelwahl.exe");
  install.Write("options.ini", OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 0}));
  SystemDpi dpi(144);
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), "JW Lirabo ;   <F6> für Lehrermenü");
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 640 && GetSystemMetrics(SM_CYSCREEN) == 480; }));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(window).right <= 640 && WindowRect(window).bottom <= 480; }));
  EXPECT_GE(WindowRect(window).left, 0);
  namespace f1 = ids::menu_window;
  for (int id : {f1::Kamu1Button, f1::Kamu2Button, f1::TesraButton, f1::OrvinButton, f1::Pelum1Button, f1::Pelum2Button, f1::Pelum3Button,
                 f1::DrusaButton, f1::EndButton}) {
    const RECT rc = WindowRect(Child(window, id));
    EXPECT_EQ(WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), Child(window, id)) << id;
  }
  SaveScreenshot("menu-fullscreen-144dpi");
  ClickWithMouse(window, f1::EndButton);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
