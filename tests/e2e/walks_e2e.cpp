// The programs walked by keys and clicks as pupils and teachers use them: the menu, its
// name entry and teacher menu, full-screen mode, the teacher PIN, regelpult and its word editor.
#include <gtest/gtest.h>

#include <regex>

#include "common/text.h"
#include "common/win32/twips.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "options/win32/options_window_ids.h"
#include "records/win32/log_viewer_window_ids.h"
#include "records/win32/name_entry_window_ids.h"
#include "records/win32/name_list_window_ids.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "teacher_pin/win32/pin_prompt_window_ids.h"
#include "teacher_pin/win32/pin_setup_window_ids.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/word_editor_window_ids.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

namespace f1 = ids::menu_window;
namespace f2 = ids::options_window;
using Ids = std::vector<int>;
using Texts = std::vector<std::string>;
constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

bool Closed(HWND window) {
  return WaitUntil([&] { return !IsWindow(window); });
}

bool Focused(HWND window, int id) {
  return WaitUntil([&] { return FocusedControl(window) == id; });
}

// "title: text" of the process's next message box, which is then answered.
std::string Answer(const Process& p, int button = IDOK) {
  HWND box = nullptr;
  WaitUntil([&] {
    for (HWND w : WindowsOf(p.Id())) box = IsWindowVisible(w) && GetDlgItem(w, 0xFFFF) ? w : box;
    return box != nullptr;
  });
  const std::string shown = WindowText(box) + ": " + WindowText(GetDlgItem(box, 0xFFFF));
  Click(box, button);
  Closed(box);
  return shown;
}

// Selects a list entry as a click would, with the notification the dialog acts on.
void Select(HWND dialog, int list, int index) {
  SendMessageW(Child(dialog, list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Child(dialog, list)));
}

// What every walk starts from: a fresh installation with both programs, a help
// stand-in (hh.exe) and exercise stand-ins that record how they were started.
// The walks also take the pictures of every form for ./run screenshots.
class WalkWithScreenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", L"1");
    for (const char* program : {"tafelwahl.exe", "regelpult.exe"}) install.AddProgram(program);
    for (const char* program : {"hh.exe", "Kamu1.exe"}) install.AddProgram("placeholder.exe", program);
    install.Write("Protokoll_2\\Namen.ini", "Ben\r\nAnna\r\n");
    // High colour, speech, taskbar, log after ten, "Weiter", names in use (line 10).
    install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  }
  HWND StartMenu(const std::string& arguments = "/n=\"Anna\"") {
    menu = Process::Start(install.Path("tafelwahl.exe"), arguments);
    return WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  }
  // The next line the stand-ins recorded.
  std::string NextCall() {
    Texts calls;
    WaitUntil([&] { return (calls = SplitLines(install.Read("Aufrufe.txt"))).size() > seen; });
    return calls.size() > seen ? calls[seen++] : "(nothing recorded)";
  }
  // What F1 in `window` started.
  std::string HelpOnF1(HWND window) {
    PressKeys(window, {VK_F1});
    return NextCall();
  }
  std::string Help(int topic, const std::string& file = "LiraboHilfe.chm") const {
    return "hh.exe -mapid " + std::to_string(topic) + " \"" + install.Path(file) + "\"";
  }
  // "Ende" and the menu's exit.
  bool EndMenu(HWND window) {
    Click(window, f1::EndButton);
    return menu.WaitForExit();
  }

  Installation install{"walk"};
  Process menu;
  std::size_t seen = 0;
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
};

TEST_F(WalkWithScreenshots, TheMenuItsFilesAndTheTeacherMenuByKeys) {
  // Background over the work area; the master is write-protected, as on a CD.
  const std::string master = OptionsText({2, -1, -1, -1, -1, 0, 0, -1, -1, 1});
  install.Write("options.ini", master);
  ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("options.ini")).c_str(), kProtected));
  HWND window = StartMenu();
  HWND background = WaitForVisibleWindow(menu.Id(), texts::kBackgroundCaption);
  SaveScreenshot("menu-background");
  EXPECT_EQ(ControlText(window, f1::Greeting), "Hallo Anna!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(IsWindowVisible(Child(window, f1::NameButton)));
  for (const char* copy : {"\\options.ini", "\\options.bak"}) {
    EXPECT_EQ(ReadFileBytes(SettingsFolder() + copy), master) << copy;
    EXPECT_EQ(GetFileAttributesW(Widen(SettingsFolder() + copy).c_str()) & kProtected, 0u) << copy;
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT placed = WindowRect(background);
  EXPECT_TRUE(EqualRect(&placed, &work));
  EXPECT_EQ(GetWindow(window, GW_OWNER), background);
  // Neither close box ends the menu.
  PostMessageW(window, WM_CLOSE, 0, 0);
  PostMessageW(background, WM_CLOSE, 0, 0);

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
  // Optionen (its tab order is regelpult's): the menu hides; Enter presses the focused button,
  // not the default; Esc saves like OK, and as nothing changed, the same menu comes back.
  PressKeys(window, {VK_F10, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
  ASSERT_TRUE(Focused(options, f2::HighColourOption));
  EXPECT_FALSE(IsWindowVisible(window));
  SaveScreenshot("options-tafelwahl");
  PressKeys(options, {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_RETURN});
  EXPECT_EQ(NextCall(), Help(110));
  PressKeys(options, {VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), master);
  // The focus comes back to where it was before the dialogs.
  EXPECT_TRUE(Focused(window, f1::EndButton));
  // Her name went from the register, so the exercise starts without one, and the menu ends.
  Click(window, f1::Kamu1Button);
  EXPECT_EQ(NextCall(), "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"\"");
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(WalkWithScreenshots, TheNameEntryByKeysAndASecondStartOverTheBackground) {
  namespace nm = ids::name_entry;
  // Background on, taskbar hidden: the background covers the whole screen, and help comes from the _Top file.
  install.Write("options.ini", OptionsText({2, -1, -1, -1, 0, 0, 0, -1, -1, 1}));
  menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND dialog = WaitForVisibleWindow(menu.Id(), texts::kMenuTitle);
  ASSERT_TRUE(Focused(dialog, nm::NameBox));
  EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(TabWalk(dialog, 3), (Ids{nm::NameBox, nm::Names, nm::ContinueButton, nm::NameBox}));
  // Space and hyphen change nothing; an umlaut is refused at the end.
  PressKeys(dialog, {'T', 'O', 'M', VK_SPACE, VK_OEM_MINUS});
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "tom"; }));
  PostMessageW(Child(dialog, nm::NameBox), WM_CHAR, L'\u00F6', 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "tomö"; }));
  SaveScreenshot("name-entry");
  PressKeys(dialog, {VK_RETURN});
  EXPECT_EQ(Answer(menu), "JW Lirabo: Gib bitte nur Buchstaben oder Zahlen ein!");
  ASSERT_TRUE(Focused(dialog, nm::NameBox));
  PressKeys(dialog, {VK_END, VK_BACK});
  // Neither Esc nor the close box ends the dialog.
  PressKeys(dialog, {VK_ESCAPE});
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(HelpOnF1(dialog), Help(99, "LiraboHilfe_Top.chm"));
  PressKeys(dialog, {VK_RETURN});
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(window, f1::Greeting) == "Hallo tom!\r\nWähle ein Programm aus:"; }));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Namen.ini"), "Ben\r\nAnna\r\ntom\r\n");
  EXPECT_TRUE(Focused(window, f1::Kamu1Button));
  SaveScreenshot("menu");

  // The name button opens it again; a chosen name goes into the box.
  Click(window, f1::NameButton);
  dialog = WaitForVisibleWindow(menu.Id(), texts::kMenuTitle);
  EXPECT_EQ(ControlText(dialog, nm::NameBox), "");
  Select(dialog, nm::Names, 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, nm::NameBox) == "Ben"; }));
  Click(dialog, nm::ContinueButton);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(window, f1::Greeting) == "Hallo Ben!\r\nWähle ein Programm aus:"; }));

  HWND background = WaitForVisibleWindow(menu.Id(), texts::kBackgroundCaption);
  const RECT placed = WindowRect(background);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(EqualRect(&placed, &screen));
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

// The teacher PIN as a pupil meets it: asked for by the menu at F6 (also by a copy of
// the menu elsewhere), refused, locked out across restarts. regelpult's walk sets it.
TEST_F(WalkWithScreenshots, TheMenuAsksForTheTeacherPinAtF6AndLocksOut) {
  namespace pq = ids::pin_prompt;
  // F6 in a menu that shows its first focus; the PIN query, if it comes.
  const auto pressF6 = [&](Process& p, HWND window) {
    if (!Focused(window, f1::Kamu1Button)) return HWND{};
    PressKeys(window, {VK_F6});
    HWND query = WaitForVisibleWindow(p.Id(), "Lehrermenü", 2s);
    return query && Focused(query, pq::PinBox) ? query : HWND{};
  };
  // The PIN 471100 with a fixed salt, as regelpult would write it.
  install.Write("lehrerpin.ini",
                "pbkdf2-sha256:100000:000102030405060708090a0b0c0d0e0f:"
                "52421bd21fc4965c6e1cb7e21fb15b9640b10c9209c0338222e015e311b77343\r\n");
  // The menu asks; wrong PINs are refused, the third locks.
  HWND window = StartMenu();
  HWND query = pressF6(menu, window);
  EXPECT_TRUE(GetWindowLongPtrW(query, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(TabWalk(query, 3), (Ids{pq::PinBox, pq::OkButton, pq::CancelButton, pq::PinBox}));
  for (const char* shown : {texts::kPinWrong, texts::kPinWrong, texts::kPinLockedOut}) {
    ASSERT_TRUE(Focused(query, pq::PinBox));
    PressKeys(query, {'1', '2', '3', '4'});
    SaveScreenshot("teacher-pin-menu");
    PressKeys(query, {VK_RETURN});
    EXPECT_EQ(Answer(menu), std::string("JW Lirabo: ") + shown);
  }
  ASSERT_TRUE(Closed(query));
  EXPECT_EQ(GetMenu(window), nullptr);
  // The lock-out outlasts a restart: F6 asks nothing.
  ASSERT_TRUE(EndMenu(window));
  window = StartMenu();
  EXPECT_FALSE(pressF6(menu, window));
  ASSERT_TRUE(EndMenu(window));

  // Its time over, a copy elsewhere, started from a folder a pupil may write to, takes the
  // installed PIN and starts no stand-in from the current folder.
  WriteFileBytes(SettingsFolder() + "\\pinsperre.ini", "6:1:1\r\n");
  Installation copy{"walk-copy"};
  Installation desktop{"walk-desktop"};
  copy.AddProgram("tafelwahl.exe");
  copy.Write("options.ini", install.Read("options.ini"));
  desktop.AddProgram("placeholder.exe", "Drusa.exe");
  HKEY key = nullptr;  // the 32-bit view, as the installer writes it
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                  &key, nullptr);
  const std::wstring folder = Widen(install.Path(""));
  RegSetKeyValueW(key, nullptr, L"InstallDir", REG_SZ, folder.c_str(),
                  static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  Process other = Process::Start(copy.Path("tafelwahl.exe"), "/n=\"Anna\"", desktop.Path(""));
  HWND otherWindow = WaitForVisibleWindow(other.Id(), texts::kMenuCaption);
  query = pressF6(other, otherWindow);
  PressKeys(query, {'4', '7', '1', '1', '0', '0', VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(query) && GetMenu(otherWindow) != nullptr; }));
  PressKeys(otherWindow, {VK_F6});  // and hides it again
  EXPECT_TRUE(WaitUntil([&] { return GetMenu(otherWindow) == nullptr; }));
  Click(otherWindow, f1::DrusaButton);
  EXPECT_EQ(Answer(other), std::string("JW Lirabo: ") + texts::kProgramNotFound);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\JW Lirabo", KEY_WOW64_32KEY, 0);
}

// Full-screen mode for real, at 144 DPI so a menu made for 96 DPI must shrink: the
// desktop at 640 x 480 with everything on it, and back.
std::pair<int, int> ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool Inside(HWND window) {
  const RECT rc = WindowRect(window);
  return rc.left >= 0 && rc.top >= 0 && rc.right <= 640 && rc.bottom <= 480;
}

// The programs started from now on see that DPI (96 is the prefix's own).
void SetDpi(DWORD dpi) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, 4);
}

TEST_F(WalkWithScreenshots, FullScreenHoldsTheMenuItsDialogAndTheReloadedMenuThenRestores) {
  SetDpi(144);
  install.Write("options.ini", OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 1}));
  const auto before = ScreenSize();
  HWND window = StartMenu();
  ASSERT_TRUE(WaitUntil([&] { return ScreenSize() == std::pair(640, 480) && Inside(window); }));
  for (int id : {f1::Kamu1Button, f1::Kamu2Button, f1::TesraButton, f1::OrvinButton, f1::Pelum1Button, f1::Pelum2Button,
                 f1::Pelum3Button, f1::DrusaButton, f1::EndButton, f1::NameButton}) {
    const RECT rc = WindowRect(Child(window, id));
    EXPECT_EQ(WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), Child(window, id)) << id;
  }
  SaveScreenshot("menu-fullscreen-144dpi");
  EXPECT_FALSE(IsWindowVisible(taskbar));

  // An exercise started in full-screen mode leaves the menu open.
  Click(window, f1::Kamu1Button);
  EXPECT_EQ(NextCall(), "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"Anna\"");

  // A dialog opened in the switched mode, and the menu a change reloads, lie on the small screen.
  PostMessageW(window, WM_COMMAND, f1::OptionsItem, 0);
  HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
  EXPECT_TRUE(options && Inside(options));
  Click(options, f2::LogUnderPupilName);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(options, f2::LogUnderPupilName); }));
  PressKeys(options, {VK_RETURN});
  ASSERT_TRUE(Closed(window));
  window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  EXPECT_TRUE(WaitUntil([&] { return ScreenSize() == std::pair(640, 480) && window && Inside(window); }));
  EXPECT_FALSE(IsWindowVisible(Child(window, f1::NameButton)));  // names are no longer in use
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({0, -1, -1, -1, 0, -1, 0, -1, -1, 0}));
  EXPECT_TRUE(EndMenu(window));
  EXPECT_TRUE(WaitUntil([&] { return ScreenSize() == before; }));
  EXPECT_TRUE(IsWindowVisible(taskbar));
  SetDpi(96);
}

TEST_F(WalkWithScreenshots, RegelpultAndTheWordEditorByKeysAndClicks) {
  namespace f3 = ids::word_editor;
  // Low colour, speech, background, taskbar, log after ten, names.
  install.Write("options.ini", OptionsText({1, -1, -1, -1, -1, 0, 0, -1, 0, 1}));
  install.Write("wortlst.jw1", "");
  Process regelpult = Process::Start(install.Path("regelpult.exe"));
  HWND options = WaitForVisibleWindow(regelpult.Id(), "Optionen");
  SaveScreenshot("regelpult");
  // The chosen colour depth is the group's tab stop; the arrow keys choose within it.
  ASSERT_TRUE(Focused(options, f2::LowColourOption));
  EXPECT_EQ(TabWalk(options, 15),
            (Ids{f2::LowColourOption, f2::TaskbarVisible, f2::CoverDesktop, f2::OkButton, f2::HelpButton,
                 f2::FullScreen, f2::SpeechOutput, f2::CapitalsOnly, f2::LogAfterTenTasks, f2::ContinueAfterMistakes,
                 f2::LogUnderPupilName, f2::EditWordListButton, f2::NewWordListButton, f2::RestoreWordListButton,
                 f2::TeacherPinButton, f2::LowColourOption}));
  PressKeys(options, {VK_UP});
  ASSERT_TRUE(WaitUntil(
      [&] { return IsChecked(options, f2::HighColourOption) && FocusedControl(options) == f2::HighColourOption; }));

  // The enabling rules follow a click (the ticks show in the bytes written at the end).
  const auto taskbarEnabled = [&] { return IsWindowEnabled(Child(options, f2::TaskbarVisible)) != FALSE; };
  for (int box : {f2::FullScreen, f2::FullScreen}) Click(options, box);
  EXPECT_TRUE(WaitUntil(taskbarEnabled));
  Click(options, f2::CoverDesktop);
  EXPECT_TRUE(WaitUntil([&] { return !taskbarEnabled(); }));
  Click(options, f2::CapitalsOnly);

  {  // The word editor: focus, Tab order, a word stored with Enter, help, Esc.
    Click(options, f2::EditWordListButton);
    HWND editor = WaitForVisibleWindow(regelpult.Id(), "Wortliste");
    ASSERT_TRUE(Focused(editor, f3::Sound1));
    EXPECT_EQ(TabWalk(editor, 7), (Ids{f3::Sound1, f3::Sound2, f3::Sound3, f3::Sound4, f3::OkButton, f3::BackButton,
                                       f3::HelpButton, f3::Sound1}));
    SaveScreenshot("word-editor");
    PressKeys(editor, {VK_OEM_PERIOD, VK_TAB, 'A', VK_TAB, VK_OEM_PERIOD, VK_TAB, VK_OEM_PERIOD, VK_RETURN});
    EXPECT_EQ(Answer(regelpult), "regelpult: Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)");
    ASSERT_TRUE(Focused(editor, f3::Sound4));
    PressKeys(editor, {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_BACK, 'M', VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, f3::Sound1).empty(); }));
    EXPECT_EQ(FocusedControl(editor), f3::Sound1);
    EXPECT_EQ(HelpOnF1(editor), Help(5));
    // The help frame comes with the tall editor.
    for (int twips : {6800, 3400}) {
      Click(editor, f3::HelpButton);
      EXPECT_TRUE(WaitUntil([&] {
        const RECT rc = WindowRect(editor);
        return rc.bottom - rc.top == TwipsToPixels(twips, DpiOf(editor)) &&
               IsWindowVisible(Child(editor, f3::HelpFrame)) == (twips == 6800);
      })) << twips;
      if (twips == 6800) SaveScreenshot("word-editor-help");
    }
    PressKeys(editor, {VK_ESCAPE});
    ASSERT_TRUE(Closed(editor));
    EXPECT_EQ(install.Read("wortlst.jw1"), EncodeWordEntry({{{"m", 6}, {"a", 1}, {".", 0}, {".", 0}}}));
    EXPECT_TRUE(Focused(options, f2::EditWordListButton));
  }
  // A delivery copy from a CD is write-protected; the restored list is not. A new list is empty.
  install.Write("wortlst.j_", std::string(80, 'j'));
  ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("wortlst.j_")).c_str(), kProtected));
  Click(options, f2::RestoreWordListButton);
  Answer(regelpult, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return install.Read("wortlst.jw1") == std::string(80, 'j'); }));
  EXPECT_EQ(GetFileAttributesW(Widen(install.Path("wortlst.jw1")).c_str()) & kProtected, 0u);
  Click(options, f2::NewWordListButton);
  Answer(regelpult, IDYES);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), "Wortliste");
  ASSERT_TRUE(editor);
  EXPECT_EQ(install.Read("wortlst.j_"), std::string(80, 'j'));
  PressKeys(editor, {VK_ESCAPE});
  ASSERT_TRUE(Closed(editor));
  EXPECT_EQ(install.Read("wortlst.jw1"), "");

  {  // The teacher PIN: set by keys, a mismatch refused and letters ignored; then removed again.
    namespace ps = ids::pin_setup;
    Click(options, f2::TeacherPinButton);
    HWND dialog = WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateNone);
    EXPECT_FALSE(IsWindowEnabled(Child(dialog, ps::RemoveButton)));
    EXPECT_EQ(TabWalk(dialog, 4), (Ids{ps::NewPin, ps::RepeatPin, ps::SaveButton, ps::CancelButton, ps::NewPin}));
    PressKeys(dialog, {'4', '7', '1', '1', '0', '0', VK_TAB, '4', '7', '1', '2', '0', '0', VK_RETURN});
    EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinMismatch);
    EXPECT_FALSE(FileExists(install.Path("lehrerpin.ini")));
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    PressKeys(dialog, {'4', '7', 'A', 'B', '1', '1', '0', '0', VK_TAB, '4', '7', '1', '1', '0', '0'});
    SaveScreenshot("teacher-pin-regelpult");
    PressKeys(dialog, {VK_RETURN});
    EXPECT_EQ(Answer(regelpult), "regelpult: Die PIN gilt ab sofort für alle Computer dieser Installation.");
    EXPECT_TRUE(std::regex_match(install.Read("lehrerpin.ini"),
                                 std::regex("pbkdf2-sha256:200000:[0-9a-f]{32}:[0-9a-f]{64}\r\n")));
    ASSERT_TRUE(Closed(dialog));
    Click(options, f2::TeacherPinButton);
    dialog = WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateSet);
    PressKeys(dialog, {VK_TAB, VK_TAB, VK_TAB, VK_RETURN});  // Tab reaches "Entfernen" now
    EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinRemoved);
    EXPECT_FALSE(FileExists(install.Path("lehrerpin.ini")));
    ASSERT_TRUE(Closed(dialog));
  }

  // The close box is refused; Enter on a check box is OK, and the change is written.
  PostMessageW(options, WM_CLOSE, 0, 0);
  Click(options, f2::HighColourOption);  // which takes the focus
  PressKeys(options, {VK_RETURN});
  EXPECT_EQ(Answer(regelpult),
            "regelpult: Die Änderungen werden mit dem nächsten Neustart der Programme auf den Clients übernommen.");
  EXPECT_TRUE(regelpult.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({2, -1, 0, 0, 0, 0, -1, -1, 0, 1}));
}

}  // namespace
}  // namespace lirabo::test
