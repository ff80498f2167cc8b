#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/win32/wide.h"
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

HWND WaitForNameEntry(DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : WindowsOf(processId, texts::kNameEntryCaption, L"LiraboForm"))
      if (IsWindowVisible(w)) found = w;
    return found != nullptr;
  });
  return found;
}

class NameEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.Write("options.ini", OptionsText(kNamesOn));
  }
  void Start() {
    menu = Process::Start(install.Path("tafelwahl.exe"));
    dialog = WaitForNameEntry(menu.Id());
    ASSERT_TRUE(dialog);
  }
  // Keys go to the name box, as typed; then waits until the box shows `expected`.
  bool Type(const std::wstring& keys, const std::string& expected) {
    for (wchar_t c : keys) PostChar(Child(dialog, IDC_Text1), c);
    return WaitUntil([&] { return ControlText(dialog, IDC_Text1) == expected; });
  }
  std::string Register() const { return ReadFileBytes(LogFolder() + "\\Namen.ini"); }
  // Confirms the box and waits for the menu to greet again.
  HWND ConfirmAndReturnToMenu() {
    Click(dialog, IDC_OK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    return WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  }
  void EndMenu(HWND window) {
    Click(window, IDC_Command8);
    EXPECT_TRUE(menu.WaitForExit());
  }

  Installation install{"names"};
  Process menu;
  HWND dialog = nullptr;
};

TEST_F(NameEntry, FiltersKeysRefusesUmlautsAndTakesAnEmptyBoxAsUnbekannt) {
  // The delivered register's last line has no line end.
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\nBen");
  Start();
  EXPECT_EQ(WindowText(dialog), "JW Lirabo");
  EXPECT_EQ(ControlText(dialog, IDC_Label2), "Hallo, schön dass Du üben möchtest!\r\nGib bitte deinen Namen ein:");
  EXPECT_EQ(ControlText(dialog, IDC_OK), "Weiter");
  EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(ListBoxItems(dialog, IDC_List1), (std::vector<std::string>{"Anna", "Ben"}));

  ASSERT_TRUE(Type(L"J\u00F6rg", "Jörg"));
  // Space, hyphen and apostrophe change nothing; the x shows they were handled.
  ASSERT_TRUE(Type(L" -'x", "Jörgx"));
  ASSERT_TRUE(Type(L"\b", "Jörg"));

  Click(dialog, IDC_OK);
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_EQ(WindowText(box), "JW Lirabo");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(ControlText(dialog, IDC_Text1), "Jörg");
  EXPECT_FALSE(FileExists(LogFolder() + "\\Jörg.txt"));

  // The close request is refused: the key posted after it still reaches the box.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Type(L"\b\b\b\b\b", ""));
  EXPECT_TRUE(IsWindowVisible(dialog));

  // The 19th character is dropped: one backspace then leaves 17.
  ASSERT_TRUE(Type(L"abcdefghijklmnopqrs", "abcdefghijklmnopqr"));
  ASSERT_TRUE(Type(L"\b", "abcdefghijklmnopq"));
  ASSERT_TRUE(Type(std::wstring(17, L'\b'), ""));

  HWND window = ConfirmAndReturnToMenu();
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_EQ(Register(), "Anna\r\nBen\r\nunbekannt\r\n");
  EXPECT_TRUE(FileExists(LogFolder() + "\\unbekannt.txt"));
  EndMenu(window);
}

TEST_F(NameEntry, ListsTheRegisterSortedAndTakesAChosenOrKnownName) {
  std::string known = "Zoe\r\nunbekannt\r\nAnna\r\nTom Berg\r\nUnbekannt\r\n";
  install.Write("Protokoll_2\\Namen.ini", "");
  WriteFileBytes(SettingsFolder() + "\\Protokoll_2\\Namen.ini", known);
  Start();
  ASSERT_TRUE(Type(L"anna", "anna"));
  HWND window = ConfirmAndReturnToMenu();
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo anna!\r\nWähle ein Programm aus:");
  EXPECT_EQ(Register(), known);
  EXPECT_TRUE(FileExists(LogFolder() + "\\anna.txt"));

  Click(window, IDC_CB_Name);
  dialog = WaitForNameEntry(menu.Id());
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, IDC_Text1), "");
  std::vector<std::string> items = ListBoxItems(dialog, IDC_List1);
  EXPECT_EQ(items, (std::vector<std::string>{"Anna", "Tom Berg", "Unbekannt", "Zoe"}));

  HWND list = Child(dialog, IDC_List1);
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_List1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_Text1) == "Tom Berg"; }));
  window = ConfirmAndReturnToMenu();
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo Tom Berg!\r\nWähle ein Programm aus:");
  EXPECT_EQ(Register(), known);
  EXPECT_TRUE(FileExists(LogFolder() + "\\Tom Berg.txt"));
  EndMenu(window);
}

TEST_F(NameEntry, AHeldRegisterIsReportedAndTheDialogStaysUsable) {
  const std::string registerPath = SettingsFolder() + "\\Protokoll_2\\Namen.ini";
  WriteFileBytes(registerPath, "Anna\r\n");
  Process holder = HoldFileInOtherProcess(registerPath, "rw", "none");
  ASSERT_TRUE(holder.IsRunning());
  const std::string sharingViolation = SystemErrorDescription(ERROR_SHARING_VIOLATION);

  Start();
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), sharingViolation);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(ListBoxItems(dialog, IDC_List1).empty());

  ASSERT_TRUE(Type(L"Ben", "Ben"));
  Click(dialog, IDC_OK);
  box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), sharingViolation);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(ControlText(dialog, IDC_Text1), "Ben");

  holder.Kill();
  HWND window = ConfirmAndReturnToMenu();
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_Hilfe), "Hallo Ben!\r\nWähle ein Programm aus:");
  EXPECT_EQ(Register(), "Anna\r\nBen\r\n");
  EndMenu(window);
}

// A child process of `parent` whose file name is `name`; 0 when there is none.
DWORD ChildProcess(DWORD parent, const std::wstring& name) {
  DWORD found = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, name.c_str()) == 0)
      found = entry.th32ProcessID;
  CloseHandle(snapshot);
  return found;
}

TEST_F(NameEntry, F1OpensTheHtmlHelpAndTheDialogStays) {
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  Start();
  PostKey(Child(dialog, IDC_List1), VK_F1);
  DWORD viewer = 0;
  ASSERT_TRUE(WaitUntil([&] { return (viewer = ChildProcess(menu.Id(), L"hh.exe")) != 0; }));
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer)) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  EXPECT_TRUE(IsWindowVisible(dialog));
  ASSERT_TRUE(Type(L"a", "a"));  // F1 itself typed nothing
}

// A real mouse click on entry `index` of a list box.
void ClickListEntry(HWND list, int index) {
  RECT client = ClientRectOnScreen(list);
  auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  POINT at{client.left + 20, client.top + height * index + height / 2};
  // Input goes to whatever window is there: wait until it is the list.
  EXPECT_TRUE(WaitUntil([&] { return WindowFromPoint(at) == list; }));
  // Move and press in one go, with absolute coordinates, so the press cannot land
  // where the cursor was before.
  INPUT input[3] = {};
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    input[i].type = INPUT_MOUSE;
    input[i].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input[i].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(3, input, sizeof(INPUT));
}

TEST_F(NameEntry, ClickingTheChosenEntryAgainChoosesItAgain) {
  install.Write("Protokoll_2\\Namen.ini", "Ben\r\nAnna\r\n");
  Start();
  HWND list = Child(dialog, IDC_List1);
  ClickListEntry(list, 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_Text1) == "Ben"; }));
  ASSERT_TRUE(Type(L"\b", "Be"));
  ClickListEntry(list, 1);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_Text1) == "Ben"; }));
}

// A picture of the dialog for people to look at; run with --gtest_also_run_disabled_tests.
TEST_F(NameEntry, DISABLED_Screenshot) {
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\nTom Berg\r\nZoe\r\nBen\r\n");
  Start();
  ASSERT_TRUE(Type(L"J\u00F6rg", "Jörg"));
  std::this_thread::sleep_for(400ms);  // listed before it is drawn
  wchar_t folder[MAX_PATH] = {};
  std::string target = GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH) ? Narrow(folder) : BinFolder();
  EXPECT_TRUE(SaveScreenBmp(target + "\\name-entry.bmp"));
  Click(dialog, IDC_OK);
  HWND box = WaitForMessageBox(menu.Id());
  ASSERT_TRUE(box);
  std::this_thread::sleep_for(400ms);
  EXPECT_TRUE(SaveScreenBmp(target + "\\name-entry-message.bmp"));
  menu.Kill();
}

}  // namespace
}  // namespace lirabo::test
