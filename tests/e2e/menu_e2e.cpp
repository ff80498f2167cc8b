// The pupils' menu and its teacher menu, walked by keys as a teacher walks them.
#include "options/win32/options_window_ids.h"
#include "records/win32/log_viewer_window_ids.h"
#include "records/win32/name_list_window_ids.h"
#include "tests/e2e/walk.h"

namespace lirabo::test {
namespace {

using Texts = std::vector<std::string>;
constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

TEST_F(WalkWithScreenshots, TheMenuItsFilesAndTheTeacherMenuByKeys) {
  namespace f1 = ids::menu_window;
  // Background over the work area; the master is write-protected, as on a CD.
  const std::string master = OptionsText({2, -1, -1, -1, -1, 0, 0, -1, -1, 1});
  install.Write("options.ini", master);
  ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), kProtected));
  HWND window = StartMenu();
  HWND background = WaitForVisibleWindow(menu.Id(), texts::kBackgroundCaption);
  ASSERT_TRUE(window && background);
  SaveScreenshot("menu-background");
  EXPECT_EQ(ControlText(window, f1::Greeting), "Hallo Anna!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(IsWindowVisible(Child(window, f1::NameButton)));
  for (const char* copy : {"\\options.ini", "\\options.bak"}) {
    EXPECT_EQ(ReadFileBytes(SettingsFolder() + copy), master) << copy;
    EXPECT_EQ(GetFileAttributesW(Widen(SettingsFolder() + copy).c_str()) & kProtected, 0u) << copy;
  }
  EXPECT_TRUE(FileExists(LogFolder() + "\\Anna.txt"));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Ben\r\nAnna\r\n");
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT placed = WindowRect(background);
  EXPECT_TRUE(EqualRect(&placed, &work));
  EXPECT_EQ(GetWindow(window, GW_OWNER), background);
  // Neither close box ends the menu.
  PostMessageW(window, WM_CLOSE, 0, 0);
  PostMessageW(background, WM_CLOSE, 0, 0);
  EXPECT_FALSE(menu.WaitForExit(300ms));

  ASSERT_TRUE(Focused(window, f1::Kamu1Button));
  EXPECT_EQ(TabWalk(window, 10),
            (Ids{f1::Kamu1Button, f1::Kamu2Button, f1::TesraButton, f1::OrvinButton, f1::Pelum1Button, f1::Pelum2Button,
                 f1::Pelum3Button, f1::DrusaButton, f1::NameButton, f1::EndButton, f1::Kamu1Button}));
  EXPECT_EQ(TabWalk(window, 1, /*backwards=*/true), (Ids{f1::Kamu1Button, f1::EndButton}));
  EXPECT_EQ(HelpOnF1(window), Help(102));
  const auto height = [&] { return WindowRect(window).bottom - WindowRect(window).top; };
  const LONG before = height();
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr && height() > before; }));
  SaveScreenshot("menu-teacher");
  EXPECT_EQ(HelpOnF1(window), Help(99));
  // The items in the order of the menu tree.
  PressKeys(window, {VK_F10, VK_DOWN, VK_RETURN});
  EXPECT_EQ(NextCall(), Help(99));
  PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(Answer(menu).rfind("Info über JW Lirabo Version 2.1: JW Lirabo Version 2.17.0077\r\n", 0), 0u);

  {  // Protokolle > Protokolle anzeigen
    namespace lv = ids::log_viewer;
    WriteFileBytes(LogFolder() + "\\Ben.txt", "Kamu 1\n\xE4\r\n");
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    HWND logs = WaitForVisibleWindow(menu.Id(), "Protokolle anzeigen");
    ASSERT_TRUE(logs);
    ASSERT_TRUE(Focused(logs, lv::LogText));
    EXPECT_EQ(TabWalk(logs, 4), (Ids{lv::LogText, lv::Logs, lv::BackButton, lv::DeleteButton, lv::LogText}));
    EXPECT_EQ(HelpOnF1(logs), Help(106));
    EXPECT_EQ(ListBoxItems(logs, lv::Logs), (Texts{"Anna.txt", "Ben.txt"}));
    Select(logs, lv::Logs, 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(logs, lv::LogText) == "Kamu 1\r\nä\r\n"; }));
    SaveScreenshot("log-viewer");
    Click(logs, lv::DeleteButton);
    EXPECT_EQ(Answer(menu, IDYES), "JW Lirabo: Wollen Sie die Datei Ben.txt wirklich löschen?");
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(logs, lv::Logs) == Texts{"Anna.txt"}; }));
    EXPECT_FALSE(FileExists(LogFolder() + "\\Ben.txt"));
    PressKeys(logs, {VK_ESCAPE});
    ASSERT_TRUE(Closed(logs));
  }
  {  // Protokolle > Namen anzeigen und löschen; Esc is "Zurück" and writes the register.
    namespace nl = ids::name_list;
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    HWND names = WaitForVisibleWindow(menu.Id(), "Namen löschen");
    ASSERT_TRUE(names);
    ASSERT_TRUE(Focused(names, nl::BackButton));
    EXPECT_EQ(TabWalk(names, 3), (Ids{nl::BackButton, nl::Names, nl::DeleteButton, nl::BackButton}));
    EXPECT_EQ(HelpOnF1(names), Help(106));
    EXPECT_EQ(ListBoxItems(names, nl::Names), (Texts{"Anna", "Ben"}));
    SaveScreenshot("name-list");
    Select(names, nl::Names, 0);
    Click(names, nl::DeleteButton);
    EXPECT_EQ(Answer(menu, IDYES), "JW Lirabo: Soll der Name Anna wirklich gelöscht werden?");
    ASSERT_TRUE(WaitUntil([&] { return ListBoxItems(names, nl::Names) == Texts{"Ben"}; }));
    PressKeys(names, {VK_ESCAPE});
    ASSERT_TRUE(Closed(names));
    EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Ben\r\n");
    EXPECT_TRUE(WaitUntil([&] { return ControlText(window, f1::Greeting) == "Hallo!\r\nWähle ein Programm aus:"; }));
  }
  {  // Optionen: the menu hides; the colour-depth group and the enabled taskbar box are tab stops.
    namespace f2 = ids::options_window;
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
    ASSERT_TRUE(options);
    EXPECT_FALSE(IsWindowVisible(window));
    ASSERT_TRUE(Focused(options, f2::HighColourOption));
    SaveScreenshot("options-tafelwahl");
    EXPECT_EQ(TabWalk(options, 11),
              (Ids{f2::HighColourOption, f2::TaskbarVisible, f2::CoverDesktop, f2::OkButton, f2::HelpButton,
                   f2::FullScreen, f2::SpeechOutput, f2::CapitalsOnly, f2::LogAfterTenTasks, f2::ContinueAfterMistakes,
                   f2::LogUnderPupilName, f2::HighColourOption}));
    PressKeys(options, {VK_TAB, VK_TAB, VK_TAB, VK_TAB});
    ASSERT_TRUE(Focused(options, f2::HelpButton));
    PressKeys(options, {VK_RETURN});  // the focused button, not the default
    EXPECT_EQ(NextCall(), Help(110));
    PressKeys(options, {VK_ESCAPE});  // saves like OK; nothing changed, so the same menu comes back
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), master);
  }
  // The focus comes back to where it was before the dialogs.
  EXPECT_TRUE(Focused(window, f1::EndButton));
  Click(window, f1::OrvinButton);  // Orvin.exe is not installed
  EXPECT_EQ(Answer(menu), std::string("JW Lirabo: ") + texts::kProgramNotFound);
  EXPECT_FALSE(menu.WaitForExit(300ms));
  // Her name went from the register, so the exercise starts without one, and the menu ends.
  Click(window, f1::Kamu1Button);
  EXPECT_EQ(NextCall(), "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"\"");
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
