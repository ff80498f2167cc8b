// The programs used as a person uses them: real key presses and mouse clicks,
// the focus and Tab order of every form, Enter and Esc, the teacher menu walked
// by keys, help from every place that has it, and full-screen mode for real.
#include <gtest/gtest.h>

#include "common/text.h"
#include "menu/win32/form1_ids.h"
#include "options/win32/form2_ids.h"
#include "records/win32/man_namen_anzeigen_ids.h"
#include "records/win32/man_namen_ids.h"
#include "records/win32/man_protokolle_ids.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3_ids.h"

namespace lirabo::test {
namespace {

constexpr const char* kMenuCaption = "JW Lirabo ;   <F6> für Lehrermenü";

// What the help stand-in (hh.exe) and the exercise stand-ins recorded.
std::vector<std::string> Calls(const Installation& install) { return SplitLines(install.Read("Aufrufe.txt")); }

// Waits for the next recorded call and returns it.
std::string NextCall(const Installation& install, std::size_t& seen) {
  WaitUntil([&] { return Calls(install).size() > seen; });
  auto calls = Calls(install);
  return calls.size() > seen ? calls[seen++] : std::string("(nothing recorded)");
}

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.AddProgram("regelpult.exe");
    install.AddProgram("placeholder.exe", "hh.exe");
  }
  std::string Help(int topic) const {
    return "hh.exe -mapid " + std::to_string(topic) + " \"" + install.Path("LiraboHilfe.chm") + "\"";
  }
  Installation install{"keyboard"};
  std::size_t seen = 0;
};

TEST_F(Keyboard, TheTeacherMenuIsWalkedByKeysAndEveryDialogHasItsFocusTabOrderHelpAndKeys) {
  namespace f1 = ids::form1;
  install.Write("Protokoll_2\\Namen.ini", "Ben\r\nAnna\r\n");
  install.Write("options.ini", OptionsText({0, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window) == f1::Command1; }));
  EXPECT_EQ(TabWalk(window, 10), (std::vector<int>{f1::Command1, f1::Command2, f1::Command3, f1::Command4,
                                                   f1::Command7, f1::Command6, f1::Command5, f1::Command9,
                                                   f1::CB_Name, f1::Command8, f1::Command1}));
  EXPECT_EQ(TabWalk(window, 1, /*backwards=*/true), (std::vector<int>{f1::Command1, f1::Command8}));

  // F1: the menu's own topic, then with the teacher menu the package help.
  PressKeys(window, {VK_F1});
  EXPECT_EQ(NextCall(install, seen), Help(102));
  const auto height = [&] { return WindowRect(window).bottom - WindowRect(window).top; };
  const LONG before = height();
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr && height() > before; }));
  PressKeys(window, {VK_F1});
  EXPECT_EQ(NextCall(install, seen), Help(99));

  // The items in the order of the menu tree.
  PressKeys(window, {VK_F10, VK_DOWN, VK_RETURN});
  EXPECT_EQ(NextCall(install, seen), Help(99));

  PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_RETURN});
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), "Info über JW Lirabo Version 2.1");
  EXPECT_EQ(MessageBoxText(box).substr(0, 29), "JW Lirabo Version 2.17.0077\r\n");
  PressKeys(box, {VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

  {  // Protokolle > Protokolle anzeigen
    namespace lv = ids::man_protokolle;
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    HWND logs = WaitForVisibleWindow(menu.Id(), "Protokolle anzeigen");
    ASSERT_TRUE(logs);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(logs) == lv::Text1; }));
    EXPECT_EQ(TabWalk(logs, 4), (std::vector<int>{lv::Text1, lv::File1, lv::Command1, lv::Command2, lv::Text1}));
    PressKeys(logs, {VK_F1});
    EXPECT_EQ(NextCall(install, seen), Help(106));
    PressKeys(logs, {VK_RETURN});  // no default button: nothing
    PressKeys(logs, {VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(logs); }));
  }
  {  // Protokolle > Namen anzeigen und löschen; Esc is "Zurück" and writes the register.
    namespace nl = ids::man_namen_anzeigen;
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    HWND names = WaitForVisibleWindow(menu.Id(), "Namen löschen");
    ASSERT_TRUE(names);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(names) == nl::OK; }));
    EXPECT_EQ(TabWalk(names, 3), (std::vector<int>{nl::OK, nl::List1, nl::Command1, nl::OK}));
    PressKeys(names, {VK_F1});
    EXPECT_EQ(NextCall(install, seen), Help(106));
    PressKeys(names, {VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(names); }));
    EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Anna\r\nBen\r\n");
  }
  {  // Optionen: the menu hides; the colour-depth group is a tab stop though nothing is
     // chosen, but never the first focus (on Windows the focus would choose).
    namespace f2 = ids::form2;
    PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
    ASSERT_TRUE(options);
    EXPECT_FALSE(IsWindowVisible(window));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::HGrund; }));
    EXPECT_EQ(TabWalk(options, 10),
              (std::vector<int>{f2::HGrund, f2::Befehl1, f2::Command1, f2::Auflösung, f2::Check1, f2::Buchstaben,
                                f2::Proto, f2::FehlerWeiter, f2::ProtSave, f2::Option2, f2::HGrund}));
    PressKeys(options, {VK_TAB, VK_TAB});
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::Command1; }));
    PressKeys(options, {VK_RETURN});  // the focused button, not the default
    EXPECT_EQ(NextCall(install, seen), Help(110));
    PressKeys(options, {VK_ESCAPE});  // saves like OK; nothing changed, so the same menu comes back
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({0, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  }
  // The focus came back to where it was before the dialogs; Enter presses that
  // button: the end button ends the menu.
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window) == f1::Command8; }));
  PressKeys(window, {VK_RETURN});
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(Keyboard, TheNameEntryTakesTypedLettersIgnoresEscAndConfirmsWithEnter) {
  namespace nm = ids::man_namen;
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  install.Write("options.ini", OptionsText({0, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND dialog = WaitForVisibleWindow(menu.Id(), "JW Lirabo");
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == nm::Text1; }));
  EXPECT_EQ(TabWalk(dialog, 3), (std::vector<int>{nm::Text1, nm::List1, nm::OK, nm::Text1}));
  PressKeys(dialog, {'T', 'O', 'M', VK_SPACE, VK_OEM_MINUS});
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::Text1) == "tom"; }));
  PressKeys(dialog, {VK_ESCAPE});
  PressKeys(dialog, {VK_F1});
  EXPECT_EQ(NextCall(install, seen), Help(99));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(ControlText(dialog, nm::Text1), "tom");
  PressKeys(dialog, {VK_RETURN});
  HWND window = WaitForVisibleWindow(menu.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(window, ids::form1::Hilfe) == "Hallo tom!\r\nWähle ein Programm aus:"; }));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Anna\r\ntom\r\n");
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window) == ids::form1::Command1; }));
}

TEST_F(Keyboard, RegelpultAndTheWordEditorByKeysAndMouse) {
  namespace f2 = ids::form2;
  namespace f3 = ids::form3;
  install.Write("wortlst.jw1", "");
  Process p = Process::Start(install.Path("regelpult.exe"));
  HWND options = WaitForVisibleWindow(p.Id(), "Optionen");
  ASSERT_TRUE(options);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::HGrund; }));
  EXPECT_EQ(TabWalk(options, 14),
            (std::vector<int>{f2::HGrund, f2::Befehl1, f2::Command1, f2::Auflösung, f2::Check1, f2::Buchstaben,
                              f2::Proto, f2::FehlerWeiter, f2::ProtSave, f2::Command2, f2::Command3, f2::Command4,
                              f2::Command5, f2::Option2, f2::HGrund}));
  // The arrow keys move within the colour-depth group and choose.
  PressKeys(options, {VK_TAB}, VK_SHIFT);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::Option2; }));
  PressKeys(options, {VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::Option1) && FocusedControl(options) == f2::Option1; }));
  PressKeys(options, {VK_UP});
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::Option2) && !IsChecked(options, f2::Option1); }));

  // The enabling rules follow the mouse.
  ClickWithMouse(options, f2::Auflösung);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::Auflösung); }));
  EXPECT_TRUE(IsChecked(options, f2::HGrund));
  EXPECT_FALSE(IsControlEnabled(options, f2::HGrund));
  EXPECT_FALSE(IsChecked(options, f2::TVis));
  EXPECT_FALSE(IsControlEnabled(options, f2::TVis));
  ClickWithMouse(options, f2::Auflösung);
  ASSERT_TRUE(WaitUntil([&] { return IsControlEnabled(options, f2::HGrund); }));
  EXPECT_TRUE(IsChecked(options, f2::HGrund));
  EXPECT_TRUE(IsControlEnabled(options, f2::TVis));
  ClickWithMouse(options, f2::HGrund);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(options, f2::HGrund); }));
  EXPECT_FALSE(IsControlEnabled(options, f2::TVis));

  // Hilfe: the HTML help of regelpult's folder at topic 110 (WinHelp is gone from current Windows).
  ClickWithMouse(options, f2::Command1);
  EXPECT_EQ(NextCall(install, seen), Help(110));

  {  // The word editor: focus, Tab order, a word typed and stored with Enter, F1, Esc.
    ClickWithMouse(options, f2::Command2);
    HWND editor = WaitForVisibleWindow(p.Id(), "Wortliste");
    ASSERT_TRUE(editor);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(editor) == f3::Text1; }));
    EXPECT_EQ(TabWalk(editor, 7), (std::vector<int>{f3::Text1, f3::Text2, f3::Text3, f3::Text4, f3::Befehl1,
                                                    f3::Befehl2, f3::Befehl3, f3::Text1}));
    PressKeys(editor, {'M', VK_TAB, 'A', VK_TAB, VK_OEM_PERIOD, VK_TAB, VK_OEM_PERIOD});
    ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, f3::Text4) == "."; }));
    PressKeys(editor, {VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, f3::Text1).empty(); }));
    EXPECT_EQ(FocusedControl(editor), f3::Text4);
    PressKeys(editor, {VK_F1});
    EXPECT_EQ(NextCall(install, seen), Help(5));
    PressKeys(editor, {VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(install.Read("wortlst.jw1").size(), 80u);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::Command2; }));
  }

  // Clicking the colour depth writes it to line 1; Enter on a check box is OK.
  ClickWithMouse(options, f2::Option1);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::Option1); }));
  PressKeys(options, {VK_RETURN});
  HWND notice = WaitForMessageBox(p.Id());
  ASSERT_TRUE(notice);
  EXPECT_EQ(MessageBoxText(notice),
            "Die Änderungen werden mit dem nächsten Neustart der Programme auf den Clients übernommen.");
  PressKeys(notice, {VK_RETURN});
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  p = Process::Start(install.Path("regelpult.exe"));
  options = WaitForVisibleWindow(p.Id(), "Optionen");
  ASSERT_TRUE(options);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(options) == f2::Option1; }));  // the chosen one is the stop
  ClickWithMouse(options, f2::Option2);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::Option2); }));
  PressKeys(options, {VK_RETURN});
  notice = WaitForMessageBox(p.Id());
  ASSERT_TRUE(notice);
  PressKeys(notice, {VK_RETURN});
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Keyboard, FullScreenSwitchesTheDesktopTo640By480WithTheWholeMenuOnItAndBack) {
  install.Write("options.ini", OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 0}));
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 640 && GetSystemMetrics(SM_CYSCREEN) == 480; }));
  const auto inside = [](RECT rc) { return rc.left >= 0 && rc.top >= 0 && rc.right <= 640 && rc.bottom <= 480; };
  EXPECT_TRUE(inside(WindowRect(window)));
  namespace f1 = ids::form1;
  for (int id : {f1::Command1, f1::Command2, f1::Command3, f1::Command4, f1::Command7, f1::Command6, f1::Command5,
                 f1::Command9, f1::Command8})
    EXPECT_TRUE(inside(WindowRect(Child(window, id)))) << id;
  SaveScreenshot("menu-fullscreen");

  // A dialog opened in the switched mode, and the menu that a change reloads, lie
  // on the 640 x 480 screen too.
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr; }));
  PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
  ASSERT_TRUE(options);
  EXPECT_TRUE(inside(WindowRect(options)));
  ClickWithMouse(options, ids::form2::Proto);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(options, ids::form2::Proto); }));
  PressKeys(options, {VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  window = WaitForVisibleWindow(menu.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 640 && GetSystemMetrics(SM_CYSCREEN) == 480; }));
  EXPECT_TRUE(inside(WindowRect(window)));
  ClickWithMouse(window, f1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
  EXPECT_TRUE(WaitUntil([&] { return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height; }));
}

}  // namespace
}  // namespace lirabo::test
