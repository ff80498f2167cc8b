// The name entry as a pupil uses it, and a second start of the menu.
#include "menu/win32/menu_window_ids.h"
#include "records/win32/name_entry_window_ids.h"
#include "tests/e2e/walk.h"

namespace lirabo::test {
namespace {

TEST_F(WalkWithScreenshots, TheNameEntryByKeysAndASecondStartOverTheBackground) {
  namespace nm = ids::name_entry;
  // Background on, taskbar hidden: the background covers the whole screen, and help comes from the _Top file.
  install.Write("options.ini", OptionsText({2, -1, -1, -1, 0, 0, 0, -1, -1, 1}));
  menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND dialog = WaitForVisibleWindow(menu.Id(), texts::kMenuTitle);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_TRUE(Focused(dialog, nm::NameBox));
  EXPECT_EQ(TabWalk(dialog, 3), (Ids{nm::NameBox, nm::Names, nm::ContinueButton, nm::NameBox}));
  EXPECT_EQ(ListBoxItems(dialog, nm::Names), (std::vector<std::string>{"Anna", "Ben"}));
  // Space and hyphen change nothing; an umlaut is refused at the end.
  PressKeys(dialog, {'T', 'O', 'M', VK_SPACE, VK_OEM_MINUS});
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "tom"; }));
  PostMessageW(Child(dialog, nm::NameBox), WM_CHAR, L'\u00F6', 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "tomö"; }));
  SaveScreenshot("name-entry");
  PressKeys(dialog, {VK_RETURN});
  EXPECT_EQ(Answer(menu), "JW Lirabo: Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_FALSE(FileExists(LogFolder() + "\\tomö.txt"));
  ASSERT_TRUE(Focused(dialog, nm::NameBox));
  PressKeys(dialog, {VK_END, VK_BACK});
  // Neither Esc nor the close box ends the dialog.
  PressKeys(dialog, {VK_ESCAPE});
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(HelpOnF1(dialog), Help(99, "LiraboHilfe_Top.chm"));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(ControlText(dialog, nm::NameBox), "tom");
  PressKeys(dialog, {VK_RETURN});
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntil(
      [&] { return ControlText(window, ids::menu_window::Greeting) == "Hallo tom!\r\nWähle ein Programm aus:"; }));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Ben\r\nAnna\r\ntom\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\tom.txt"));
  EXPECT_TRUE(Focused(window, ids::menu_window::Kamu1Button));
  SaveScreenshot("menu");

  // The name button opens it again; a chosen name goes into the box.
  Click(window, ids::menu_window::NameButton);
  dialog = WaitForVisibleWindow(menu.Id(), texts::kMenuTitle);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, nm::NameBox), "");
  Select(dialog, nm::Names, 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "Ben"; }));
  Click(dialog, nm::ContinueButton);
  EXPECT_TRUE(WaitUntil(
      [&] { return ControlText(window, ids::menu_window::Greeting) == "Hallo Ben!\r\nWähle ein Programm aus:"; }));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Ben\r\nAnna\r\ntom\r\n");

  HWND background = WaitForVisibleWindow(menu.Id(), texts::kBackgroundCaption);
  ASSERT_TRUE(background);
  const RECT placed = WindowRect(background);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(EqualRect(&placed, &screen));
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_TRUE(taskbar);
  EXPECT_FALSE(IsWindowVisible(taskbar));
  // Another program is in front when the pupil starts the menu again: the first
  // menu comes to the front and the second ends, showing the taskbar.
  HWND other = CreateWindowExW(0, L"STATIC", L"Anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(BringToFront(other));
  Process second = Process::Start(install.Path("tafelwahl.exe"));
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
  EXPECT_TRUE(IsWindowVisible(taskbar));
  EXPECT_EQ(WindowText(window), texts::kMenuCaption);
  DestroyWindow(other);
  EXPECT_TRUE(EndMenu(window));
}

}  // namespace
}  // namespace lirabo::test
