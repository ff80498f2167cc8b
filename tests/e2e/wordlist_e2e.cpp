// The word list commands and the word editor, driven through regelpult's windows.
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "common/win32/wide.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3_ids.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

constexpr const char* kDialogCaption = "Optionen";
constexpr const char* kEditorCaption = "Wortliste";
constexpr const char* kBusy = "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.";

const std::string kExample = EncodeWordEntry({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}});
const std::string kTwoWords = EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}}) +
                              EncodeWordEntry({{{"F", 3}, {"i", 4}, {"sch", 10}, {".", 0}}});

void ShootIfAsked(const std::string& name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LIRABO_SCREENSHOTS", folder, MAX_PATH)) return;
  std::this_thread::sleep_for(400ms);  // a window is listed before it is drawn
  EXPECT_TRUE(SaveScreenBmp(Narrow(folder) + "\\" + name + ".bmp"));
}

// The word list buttons by their captions (their IDs share names with the editor's).
void ClickButton(HWND dialog, const wchar_t* caption) {
  HWND button = FindWindowExW(dialog, nullptr, L"Button", caption);
  ASSERT_TRUE(button) << Narrow(caption);
  PostMessageW(button, BM_CLICK, 0, 0);
}

void Type(HWND editor, const std::array<const char*, 4>& sounds) {
  const int boxes[] = {IDC_Text1, IDC_Text2, IDC_Text3, IDC_Text4};
  for (int k = 0; k < 4; ++k)
    for (wchar_t c : Widen(sounds[static_cast<std::size_t>(k)])) PostChar(Child(editor, boxes[k]), c);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, IDC_Text4) == sounds[3]; }));
}

bool BoxesEmpty(HWND editor) {
  for (int id : {IDC_Text1, IDC_Text2, IDC_Text3, IDC_Text4})
    if (!ControlText(editor, id).empty()) return false;
  return true;
}

class WordList : public ::testing::Test {
 protected:
  void SetUp() override {
    install.AddProgram("regelpult.exe");
    install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
    regelpult = Process::Start(install.Path("regelpult.exe"));
    dialog = WaitForVisibleWindow(regelpult.Id(), kDialogCaption);
    ASSERT_TRUE(dialog);
  }
  void TearDown() override {
    if (regelpult.IsRunning()) regelpult.Kill();
  }
  // Answers the question of a command (0: none asked) and returns the editor it
  // opens, if any.
  HWND Command(const wchar_t* caption, int answer, bool editorExpected) {
    ClickButton(dialog, caption);
    if (answer) {
      HWND box = WaitForMessageBox(regelpult.Id());
      if (!box) return nullptr;
      question = MessageBoxText(box);
      title = WindowText(box);
      AnswerMessageBox(box, answer);
    }
    return WaitForVisibleWindow(regelpult.Id(), kEditorCaption, editorExpected ? kTimeout : 500ms);
  }
  // Readable only while no editor holds it.
  std::string ListBytes() const { return install.Read("wortlst.jw1"); }

  Installation install{"wordlist-e2e"};
  Process regelpult;
  HWND dialog = nullptr;
  std::string question, title;
};

TEST_F(WordList, NewListAskedAndConfirmedHoldsExactlyTheWordsStoredAfterwards) {
  install.Write("wortlst.jw1", kTwoWords);
  EXPECT_FALSE(Command(L"Wortliste neu erstellen", IDNO, false));
  EXPECT_EQ(question, "Wollen Sie die bestehende Wörterliste wirklich löschen und eine neue erstellen?");
  EXPECT_EQ(title, "regelpult");
  EXPECT_EQ(ListBytes(), kTwoWords);

  HWND editor = Command(L"Wortliste neu erstellen", IDYES, true);
  ASSERT_TRUE(editor);
  EXPECT_FALSE(IsWindowEnabled(dialog));
  ShootIfAsked("wordlist-editor");
  Type(editor, {"M", "a", ".", "."});
  Click(editor, IDC_Befehl1);
  ASSERT_TRUE(WaitUntil([&] { return BoxesEmpty(editor); }));
  // Held exclusively: not even readable.
  EXPECT_FALSE(ReadFileBytes(install.Path("wortlst.jw1")) == kExample);

  // Closed by its close box, the editor lets go of the list and returns to the dialog.
  PostMessageW(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; }));
  EXPECT_EQ(ListBytes(), kExample);
}

TEST_F(WordList, EditingAppendsAfterTheListAndRejectsAnEmptyFirstPosition) {
  install.Write("wortlst.jw1", kTwoWords);
  HWND editor = Command(L"Wortliste bearbeiten", 0, true);
  ASSERT_TRUE(editor);
  EXPECT_TRUE(WaitForMessageBox(regelpult.Id(), 300ms) == nullptr);

  // Capital SCH is the sound S; Enter in a box stores like OK.
  Type(editor, {"SCH", "o", ".", "."});
  PostKey(Child(editor, IDC_Text4), VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return BoxesEmpty(editor); }));

  Type(editor, {".", "a", ".", "."});
  Click(editor, IDC_Befehl1);
  HWND box = WaitForMessageBox(regelpult.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)");
  EXPECT_EQ(WindowText(box), "regelpult");
  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(ControlText(editor, IDC_Text1), ".");
  EXPECT_EQ(ControlText(editor, IDC_Text2), "a");

  Click(editor, IDC_Befehl3);
  ASSERT_TRUE(WaitUntil([&] { return IsControlVisible(editor, IDC_Rahmen1); }));
  ShootIfAsked("wordlist-editor-help");
  Click(editor, IDC_Befehl2);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  EXPECT_EQ(ListBytes(), kTwoWords + EncodeWordEntry({{{"S", 9}, {"o", 7}, {".", 0}, {".", 0}}}));
}

TEST_F(WordList, AListHeldElsewhereLeavesOnlyZurueckAndNewListKeepsIt) {
  install.Write("wortlst.jw1", kTwoWords);
  Process other = HoldFileInOtherProcess(install.Path("wortlst.jw1"), "rw", "none");
  ASSERT_TRUE(other.IsRunning());
  auto start = std::chrono::steady_clock::now();
  ClickButton(dialog, L"Wortliste bearbeiten");
  HWND box = WaitForMessageBox(regelpult.Id());
  ASSERT_TRUE(box);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);
  EXPECT_EQ(MessageBoxText(box), kBusy);
  AnswerMessageBox(box, IDOK);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), kEditorCaption);
  ASSERT_TRUE(editor);
  for (int id : {IDC_Text1, IDC_Text2, IDC_Text3, IDC_Text4, IDC_Befehl1, IDC_Befehl3})
    EXPECT_FALSE(IsControlEnabled(editor, id)) << id;
  EXPECT_TRUE(IsControlEnabled(editor, IDC_Befehl2));
  Click(editor, IDC_Befehl2);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));

  // Deleting is refused as well: the list stays and no editor opens.
  ClickButton(dialog, L"Wortliste neu erstellen");
  AnswerMessageBox(WaitForMessageBox(regelpult.Id()), IDYES);
  box = WaitForMessageBox(regelpult.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), kBusy);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(WindowsOf(regelpult.Id(), kEditorCaption).empty());
  other.Kill();
  EXPECT_EQ(ListBytes(), kTwoWords);
}

TEST_F(WordList, RestorePutsTheDeliveryCopyBackAndKeepsTheListWhenItIsMissing) {
  const std::string delivered = kExample + kTwoWords;
  install.Write("wortlst.jw1", kTwoWords);
  install.Write("wortlst.j_", delivered);
  EXPECT_FALSE(Command(L"Wortliste wiederherstellen", IDYES, false));
  EXPECT_EQ(question, "Wollen Sie wirklich die Wortliste auf ihren Lieferzustand zurücksetzen?");
  EXPECT_EQ(ListBytes(), delivered);
  EXPECT_EQ(install.Read("wortlst.j_"), delivered);
  EXPECT_TRUE(WaitForMessageBox(regelpult.Id(), 300ms) == nullptr);

  install.Write("wortlst.jw1", kTwoWords);
  DeleteFileW(Widen(install.Path("wortlst.j_")).c_str());
  ClickButton(dialog, L"Wortliste wiederherstellen");
  AnswerMessageBox(WaitForMessageBox(regelpult.Id()), IDYES);
  HWND box = WaitForMessageBox(regelpult.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box).rfind("Die Wortliste wurde nicht wiederhergestellt.", 0), 0u);
  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(ListBytes(), kTwoWords);
}

}  // namespace
}  // namespace lirabo::test
