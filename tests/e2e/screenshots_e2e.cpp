// Pictures of the forms for people to look at (./run screenshots); not run as tests.
#include <gtest/gtest.h>

#include "common/teacher_pin.h"
#include "common/win32/bcrypt_crypto.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "menu/win32/pin_abfrage_ids.h"
#include "options/win32/form2_ids.h"
#include "options/win32/pin_festlegen_ids.h"
#include "records/win32/man_protokolle_ids.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3_ids.h"

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

void Command(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

TEST(Screenshots, DISABLED_TeacherMenuAndItsDialogs) {
  ResetUserData();
  Installation install("shots-teacher");
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen\r\nEmma\r\nJ\xF6rg\r\nunbekannt\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  WriteFileBytes(LogFolder() + "\\Anna.txt",
                 "06.12.2026 09:14  Kamu 1: 10 Aufgaben, 9 richtig\r\n06.12.2026 09:31  Tesra: 10 Aufgaben, 10 richtig\r\n");
  WriteFileBytes(LogFolder() + "\\Ben.txt", "06.12.2026 10:02  Pelum 1: 10 Aufgaben, 7 richtig\r\n");
  PostKey(window, VK_F6);
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr; }));
  SaveScreenshot("menu-teacher");

  Command(window, ids::form1::M_ProtokolleAnzeigen);
  HWND logs = WaitForVisibleWindow(menu.Id(), "Protokolle anzeigen");
  ASSERT_TRUE(logs);
  HWND list = Child(logs, ids::man_protokolle::File1);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PostMessageW(logs, WM_COMMAND, MAKEWPARAM(ids::man_protokolle::File1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  WaitUntil([&] { return !ControlText(logs, ids::man_protokolle::Text1).empty(); });
  SaveScreenshot("log-viewer");
  PostKey(list, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(logs); }));

  Command(window, ids::form1::M_Namen);
  HWND names = WaitForVisibleWindow(menu.Id(), "Namen löschen");
  ASSERT_TRUE(names);
  SaveScreenshot("name-list");
  PostMessageW(names, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(names); }));

  Command(window, ids::form1::M_Optionen);
  HWND options = WaitForVisibleWindow(menu.Id(), "Optionen");
  ASSERT_TRUE(options);
  SaveScreenshot("options-tafelwahl");
  Click(options, ids::form2::Befehl1);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST(Screenshots, DISABLED_NameEntry) {
  ResetUserData();
  Installation install("shots-names");
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen\r\nEmma\r\nTom Berg\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    auto found = WindowsOf(menu.Id(), texts::kMenuTitle, L"LiraboForm");
    dialog = found.empty() || !IsWindowVisible(found.front()) ? nullptr : found.front();
    return dialog != nullptr;
  }));
  for (wchar_t c : std::wstring(L"Jörg")) PostChar(dialog, c);
  SaveScreenshot("name-entry");
  menu.Kill();
}

TEST(Screenshots, DISABLED_RegelpultAndWordEditor) {
  Installation install("shots-regelpult");
  install.AddProgram("regelpult.exe");
  install.Write("options.ini", OptionsText({2, -1, -1, -1, -1, 0, 0, -1, -1, 1}));
  Process regelpult = Process::Start(install.Path("regelpult.exe"));
  HWND dialog = WaitForVisibleWindow(regelpult.Id(), "Optionen");
  ASSERT_TRUE(dialog);
  SaveScreenshot("regelpult");
  Click(dialog, ids::form2::Command2);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), "Wortliste");
  ASSERT_TRUE(editor);
  SaveScreenshot("word-editor");
  Click(editor, ids::form3::Befehl3);
  WaitUntil([&] { return IsControlVisible(editor, ids::form3::Rahmen1); });
  SaveScreenshot("word-editor-help");
  regelpult.Kill();
}

TEST(Screenshots, DISABLED_TeacherPinDialogs) {
  ResetUserData();
  Installation install("shots-pin");
  install.AddProgram("regelpult.exe");
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Win32CryptoPort crypto;
  install.Write("lehrerpin.ini", FormatPinFile(*MakePinRecord(crypto, "4711", kMinPinIterations)));

  Process regelpult = Process::Start(install.Path("regelpult.exe"));
  HWND options = WaitForVisibleWindow(regelpult.Id(), "Optionen");
  ASSERT_TRUE(options);
  Click(options, ids::form2::Command5);
  HWND dialog = WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
  ASSERT_TRUE(dialog);
  for (int box : {ids::pin_festlegen::Text1, ids::pin_festlegen::Text2})
    for (wchar_t c : std::wstring(L"123456")) PostChar(Child(dialog, box), c);
  SaveScreenshot("teacher-pin-regelpult");
  regelpult.Kill();

  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  PostKey(window, VK_F6);
  HWND query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  for (wchar_t c : std::wstring(L"4711")) PostChar(Child(query, ids::pin_abfrage::Text1), c);
  SaveScreenshot("teacher-pin-menu");
  menu.Kill();
}

}  // namespace
}  // namespace lirabo::test
