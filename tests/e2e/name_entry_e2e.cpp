#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/win32_files.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "records/name_entry.h"
#include "records/win32/man_namen_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

// Names in use (setting 10), no background.
const std::vector<int> kNamesOn = {2, -1, 0, 0, -1, 0, 0, -1, -1, 1};

class NameEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.Write("options.ini", OptionsText(kNamesOn));
  }
  void Start() {
    menu = Process::Start(install.Path("tafelwahl.exe"));
    ASSERT_TRUE(WaitForDialog());
  }
  bool WaitForDialog() {
    dialog = nullptr;
    return WaitUntil([&] {
      for (HWND w : WindowsOf(menu.Id(), texts::kNameEntryCaption, L"LiraboForm"))
        if (IsWindowVisible(w)) dialog = w;
      return dialog != nullptr;
    });
  }
  // Keys go to the name box, as typed; then waits until the box shows `expected`.
  bool Type(const std::wstring& keys, const std::string& expected) {
    for (wchar_t c : keys) PostChar(Child(dialog, ids::man_namen::Text1), c);
    return WaitUntil([&] { return ControlText(dialog, ids::man_namen::Text1) == expected; });
  }
  void ExpectMessage(const std::string& text) {
    HWND box = WaitForMessageBox(menu.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), text);
    AnswerMessageBox(box, IDOK);
  }
  std::string Register() const { return ReadFileBytes(LogFolder() + "\\Namen.ini"); }
  // Confirms the box; the menu then greets `greeting` and is ended.
  void ConfirmAndExpectGreeting(const std::string& greeting, bool endMenu = true) {
    Click(dialog, ids::man_namen::OK);
    ExpectGreeting(greeting, endMenu);
  }
  void ExpectGreeting(const std::string& greeting, bool endMenu = true) {
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
    ASSERT_TRUE(window);
    EXPECT_EQ(ControlText(window, ids::form1::Hilfe), greeting + "\r\nWähle ein Programm aus:");
    if (!endMenu) return;
    Click(window, ids::form1::Command8);
    EXPECT_TRUE(menu.WaitForExit());
  }

  Installation install{"names"};
  Process menu;
  HWND dialog = nullptr;
  HWND window = nullptr;
};

TEST_F(NameEntry, FiltersKeysRefusesUmlautsAndTakesAnEmptyBoxAsUnbekannt) {
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen");
  Start();
  EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Space, hyphen and apostrophe change nothing.
  ASSERT_TRUE(Type(L"J\u00F6 -'rg", "Jörg"));
  Click(dialog, ids::man_namen::OK);
  ExpectMessage("Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_EQ(ControlText(dialog, ids::man_namen::Text1), "Jörg");
  EXPECT_FALSE(FileExists(LogFolder() + "\\Jörg.txt"));

  // The close request is refused: the keys posted after it still reach the box.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Type(L"\b\b\b\babcdefghijklmnopqrs", "abcdefghijklmnopqr"));
  ASSERT_TRUE(Type(L"\b", "abcdefghijklmnopq"));  // the 19th character was dropped
  ASSERT_TRUE(Type(std::wstring(17, L'\b'), ""));

  ConfirmAndExpectGreeting("Hallo!");
  EXPECT_EQ(Register(), "Anna\r\nBen\r\nunbekannt\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\unbekannt.txt"));
}

TEST_F(NameEntry, ListsTheRegisterSortedAndTakesAChosenOrKnownName) {
  const std::string known = "Zoe\r\nunbekannt\r\nAnna\r\nTom Berg\r\nUnbekannt\r\n";
  install.Write("Protokoll_2\\Namen.ini", "");
  WriteFileBytes(SettingsFolder() + "\\Protokoll_2\\Namen.ini", known);
  Start();
  ASSERT_TRUE(Type(L"anna", "anna"));
  ConfirmAndExpectGreeting("Hallo anna!", false);
  EXPECT_TRUE(FileExists(LogFolder() + "\\anna.txt"));

  Click(window, ids::form1::CB_Name);
  ASSERT_TRUE(WaitForDialog());
  EXPECT_EQ(ControlText(dialog, ids::man_namen::Text1), "");
  EXPECT_EQ(ListBoxItems(dialog, ids::man_namen::List1), (std::vector<std::string>{"Anna", "Tom Berg", "Unbekannt", "Zoe"}));
  HWND list = Child(dialog, ids::man_namen::List1);
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ids::man_namen::List1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, ids::man_namen::Text1) == "Tom Berg"; }));
  ConfirmAndExpectGreeting("Hallo Tom Berg!");
  EXPECT_EQ(Register(), known);
  EXPECT_TRUE(FileExists(LogFolder() + "\\Tom Berg.txt"));
}

TEST_F(NameEntry, AHeldRegisterIsReportedAndThePupilGetsInAllTheSame) {
  const std::string registerPath = SettingsFolder() + "\\Protokoll_2\\Namen.ini";
  WriteFileBytes(registerPath, "Anna\r\n");
  Process holder = HoldFileInOtherProcess(registerPath, "rw", "none");
  ASSERT_TRUE(holder.IsRunning());
  const std::string sharingViolation = SystemErrorDescription(ERROR_SHARING_VIOLATION);

  Start();
  ExpectMessage(sharingViolation);
  EXPECT_TRUE(ListBoxItems(dialog, ids::man_namen::List1).empty());
  ASSERT_TRUE(Type(L"Ben", "Ben"));
  Click(dialog, ids::man_namen::OK);
  ExpectMessage(sharingViolation);
  ExpectGreeting("Hallo Ben!");
  holder.Kill();
  EXPECT_EQ(Register(), "Anna\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\Ben.txt"));
}

TEST_F(NameEntry, ALogFolderRemovedWhileTheDialogIsOpenComesBackAndThePupilGetsIn) {
  Start();
  RemoveTree(LogFolder());
  ASSERT_FALSE(DirectoryExists(LogFolder()));
  ASSERT_TRUE(Type(L"Emma", "Emma"));
  ConfirmAndExpectGreeting("Hallo Emma!");
  EXPECT_EQ(Register(), "Emma\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\Emma.txt"));
}

}  // namespace
}  // namespace lirabo::test
