// The log viewer and the name list, opened through the real menu's teacher menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "records/win32/man_namen_anzeigen_ids.h"
#include "records/win32/man_protokolle_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

using Texts = std::vector<std::string>;
// Menu settings: no background, names in use (setting 10).
const std::vector<int> kNamesOn = {2, -1, 0, 0, -1, 0, 0, -1, -1, 1};

// Selects an entry as a click would, with the notification the dialog acts on.
void Select(HWND dialog, int listId, const std::string& entry) {
  auto items = ListBoxItems(dialog, listId);
  auto found = std::find(items.begin(), items.end(), entry);
  ASSERT_NE(found, items.end()) << entry;
  SendMessageW(Child(dialog, listId), LB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Child(dialog, listId)));
}

class Records : public ::testing::Test {
 protected:
  // Starts the menu for Anna; her empty log and the register are then in place.
  void SetUp() override {
    ResetUserData();
    SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", L"1");  // exercises only record their start
    install.AddProgram("tafelwahl.exe");
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen\r\n");
    install.Write("options.ini", OptionsText(kNamesOn));
    menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
    window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
    ASSERT_TRUE(window);
  }
  void TearDown() override {
    if (menu.IsRunning()) menu.Kill();
    SetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", nullptr);
  }
  HWND Open(int item, const char* caption) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(item, 0), 0);
    return WaitForVisibleWindow(menu.Id(), caption);
  }
  // Clicks the dialog's delete button, checks the question word for word, answers.
  void Delete(HWND dialog, int button, const std::string& question, int answer) {
    Click(dialog, button);
    HWND box = WaitForMessageBox(menu.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(WindowText(box), "JW Lirabo");
    EXPECT_EQ(MessageBoxText(box), question);
    AnswerMessageBox(box, answer);
  }
  bool Shows(HWND dialog, const std::string& log, const std::string& text) {
    Select(dialog, ids::man_protokolle::File1, log);
    return WaitUntil([&] { return ControlText(dialog, ids::man_protokolle::Text1) == text; }, 60s);
  }

  Installation install{"records"};
  Process menu;
  HWND window = nullptr;
};

TEST_F(Records, LogViewerListsShowsAndDeletesTheLogsOfTheFolder) {
  const std::string folder = LogFolder();  // also holds Namen.ini, which is not a log
  WriteFileBytes(folder + "\\Ben.txt", "Kamu 1: 3 Fehler\r\nTesra: gut");
  WriteFileBytes(folder + "\\J\xC3\xB6rg.txt", "Pelum 2\n\xE4\xF6\xFC\r\n");
  std::string large;  // 2 MB; larger logs are the benchmark's business
  for (int i = 0; i < 40000; ++i) large += "Zeile " + std::to_string(100000 + i) + " Kamu 1 richtig 0 Fehler 12\r\n";
  WriteFileBytes(folder + "\\Gross.txt", large + "letzte Zeile");
  const std::string registerBefore = ReadFileBytes(folder + "\\Namen.ini");

  HWND dialog = Open(ids::form1::M_ProtokolleAnzeigen, "Protokolle anzeigen");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ListBoxItems(dialog, ids::man_protokolle::File1), (Texts{"Anna.txt", "Ben.txt", "Gross.txt", "Jörg.txt"}));
  EXPECT_TRUE(Shows(dialog, "Gross.txt", large + "letzte Zeile\r\n"));
  EXPECT_TRUE(Shows(dialog, "Jörg.txt", "Pelum 2\r\näöü\r\n"));
  EXPECT_TRUE(Shows(dialog, "Anna.txt", ""));  // created empty at start-up
  EXPECT_TRUE(Shows(dialog, "Ben.txt", "Kamu 1: 3 Fehler\r\nTesra: gut\r\n"));

  const std::string question = "Wollen Sie die Datei Ben.txt wirklich löschen?";
  Delete(dialog, ids::man_protokolle::Command2, question, IDNO);
  EXPECT_TRUE(FileExists(folder + "\\Ben.txt"));
  EXPECT_EQ(ControlText(dialog, ids::man_protokolle::Text1), "Kamu 1: 3 Fehler\r\nTesra: gut\r\n");
  EXPECT_EQ(ListBoxItems(dialog, ids::man_protokolle::File1).size(), 4u);

  Delete(dialog, ids::man_protokolle::Command2, question, IDYES);
  EXPECT_TRUE(WaitUntil([&] {
    return ListBoxItems(dialog, ids::man_protokolle::File1) == Texts{"Anna.txt", "Gross.txt", "Jörg.txt"};
  }));
  EXPECT_FALSE(FileExists(folder + "\\Ben.txt"));
  EXPECT_EQ(ControlText(dialog, ids::man_protokolle::Text1), "");
  EXPECT_EQ(ReadFileBytes(folder + "\\Namen.ini"), registerBefore);
}

TEST_F(Records, NameListDeletesOneEntryAndOnlyZurueckWritesTheRegister) {
  ASSERT_EQ(ControlText(window, ids::form1::Hilfe), "Hallo Anna!\r\nWähle ein Programm aus:");
  const std::string reg = LogFolder() + "\\Namen.ini";
  const std::string before = "Ben\r\nunbekannt\r\nAnna\r\nDora\r\nBen\r\nCarl";
  WriteFileBytes(reg, before);
  const Texts all = {"Anna", "Ben", "Ben", "Carl", "Dora", "unbekannt"};

  // The close box leaves without writing.
  HWND dialog = Open(ids::form1::M_Namen, "Namen löschen");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ListBoxItems(dialog, ids::man_namen_anzeigen::List1), all);
  Select(dialog, ids::man_namen_anzeigen::List1, "Dora");
  Delete(dialog, ids::man_namen_anzeigen::Command1, "Soll der Name Dora wirklich gelöscht werden?", IDYES);
  ASSERT_TRUE(WaitUntil([&] { return ListBoxItems(dialog, ids::man_namen_anzeigen::List1).size() == 5; }));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ReadFileBytes(reg), before);

  // One of two equal lines goes; the current pupil goes from register and greeting.
  dialog = Open(ids::form1::M_Namen, "Namen löschen");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ListBoxItems(dialog, ids::man_namen_anzeigen::List1), all);
  for (const char* name : {"Ben", "Anna"}) {
    Select(dialog, ids::man_namen_anzeigen::List1, name);
    Delete(dialog, ids::man_namen_anzeigen::Command1, "Soll der Name " + std::string(name) + " wirklich gelöscht werden?",
           IDYES);
  }
  EXPECT_TRUE(WaitUntil([&] {
    return ListBoxItems(dialog, ids::man_namen_anzeigen::List1) == Texts{"Ben", "Carl", "Dora", "unbekannt"};
  }));
  EXPECT_EQ(ReadFileBytes(reg), before);
  Click(dialog, ids::man_namen_anzeigen::OK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ReadFileBytes(reg), "Ben\r\nCarl\r\nDora\r\nunbekannt\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\Anna.txt"));  // her log stays
  EXPECT_TRUE(WaitUntil([&] { return ControlText(window, ids::form1::Hilfe).find("Anna") == std::string::npos; }))
      << ControlText(window, ids::form1::Hilfe);

  // Names that differ only in case are written in the order the list shows them.
  WriteFileBytes(reg, "carl\r\nCARL\r\nCarl\r\n");
  dialog = Open(ids::form1::M_Namen, "Namen löschen");
  ASSERT_TRUE(dialog);
  const Texts shown = ListBoxItems(dialog, ids::man_namen_anzeigen::List1);
  ASSERT_EQ(shown.size(), 3u);
  Click(dialog, ids::man_namen_anzeigen::OK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ReadFileBytes(reg), shown[0] + "\r\n" + shown[1] + "\r\n" + shown[2] + "\r\n");

  // With her name gone, an exercise is started without a name.
  install.AddProgram("placeholder.exe", "Kamu1.exe");
  Click(window, ids::form1::Command1);
  ASSERT_TRUE(WaitUntil([&] { return !install.Read("Aufrufe.txt").empty(); }));
  EXPECT_EQ(install.Read("Aufrufe.txt"), "Kamu1.exe Q /p=\"" + SettingsFolder() + "\" /n=\"\"\r\n");
}

}  // namespace
}  // namespace lirabo::test
