// The word list commands and the word editor, driven through regelpult's windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "common/win32/twips.h"
#include "common/win32/wide.h"
#include "options/win32/form2_ids.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3_ids.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

constexpr const char* kEditorCaption = "Wortliste";
const std::string kExample = EncodeWordEntry({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}});
const std::string kTwoWords = EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}}) +
                              EncodeWordEntry({{{"F", 3}, {"i", 4}, {"sch", 10}, {".", 0}}});
const int kBoxes[] = {ids::form3::Text1, ids::form3::Text2, ids::form3::Text3, ids::form3::Text4};

void Type(HWND editor, const std::array<const char*, 4>& sounds) {
  for (std::size_t k = 0; k < 4; ++k)
    for (wchar_t c : Widen(sounds[k])) PostChar(Child(editor, kBoxes[k]), c);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, ids::form3::Text4) == sounds[3]; }));
}

bool BoxesEmpty(HWND editor) {
  return std::all_of(std::begin(kBoxes), std::end(kBoxes), [&](int id) { return ControlText(editor, id).empty(); });
}

// The editor's outer height is `twips` tall and its help frame shown with the tall one.
bool HasHeight(HWND editor, int twips) {
  RECT rc = WindowRect(editor);
  return rc.bottom - rc.top == TwipsToPixels(twips, DpiOf(editor)) &&
         IsControlVisible(editor, ids::form3::Rahmen1) == (twips == 6800);
}

class WordList : public ::testing::Test {
 protected:
  void SetUp() override {
    install.AddProgram("regelpult.exe");
    install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
    install.Write("wortlst.jw1", kTwoWords);
    regelpult = Process::Start(install.Path("regelpult.exe"));
    dialog = WaitForVisibleWindow(regelpult.Id(), "Optionen");
    ASSERT_TRUE(dialog);
  }
  void TearDown() override {
    if (regelpult.IsRunning()) regelpult.Kill();
  }
  // Clicks a word list button of the options dialog and answers its question, when
  // `answer` is given.
  void Command(int button, int answer = 0) {
    Click(dialog, button);
    if (answer) AnswerMessageBox(WaitForMessageBox(regelpult.Id()), answer);
  }
  // "title: text" of the next message box, answered with OK.
  std::string NextMessage() {
    HWND box = WaitForMessageBox(regelpult.Id());
    std::string shown = box ? WindowText(box) + ": " + MessageBoxText(box) : "";
    if (box) AnswerMessageBox(box, IDOK);
    return shown;
  }
  // Readable only while no editor holds it.
  std::string ListBytes() const { return install.Read("wortlst.jw1"); }

  Installation install{"wordlist-e2e"};
  Process regelpult;
  HWND dialog = nullptr;
};

TEST_F(WordList, NewListHoldsTheWordStoredTheCloseBoxReleasesItAndAHeldListIsBusy) {
  Command(ids::form2::Command3, IDYES);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), kEditorCaption);
  ASSERT_TRUE(editor);
  Type(editor, {"M", "a", ".", "."});
  Click(editor, ids::form3::Befehl1);
  ASSERT_TRUE(WaitUntil([&] { return BoxesEmpty(editor); }));
  EXPECT_NE(ReadFileBytes(install.Path("wortlst.jw1")), kExample);  // held exclusively

  PostMessageW(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  EXPECT_EQ(ListBytes(), kExample);

  // Held elsewhere, the list is busy after about three seconds and only "Zurück" works.
  Process other = HoldFileInOtherProcess(install.Path("wortlst.jw1"), "rw", "none");
  ASSERT_TRUE(other.IsRunning());
  auto start = std::chrono::steady_clock::now();
  Command(ids::form2::Command2);
  EXPECT_EQ(NextMessage(), "regelpult: Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.");
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);
  editor = WaitForVisibleWindow(regelpult.Id(), kEditorCaption);
  ASSERT_TRUE(editor);
  for (int id : {ids::form3::Text1, ids::form3::Text2, ids::form3::Text3, ids::form3::Text4, ids::form3::Befehl1, ids::form3::Befehl3})
    EXPECT_FALSE(IsControlEnabled(editor, id)) << id;
  EXPECT_TRUE(IsControlEnabled(editor, ids::form3::Befehl2));
  Click(editor, ids::form3::Befehl2);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
}

TEST_F(WordList, EditingAppendsAfterTheListRejectsAnEmptyFirstPositionAndTogglesHelp) {
  Command(ids::form2::Command2);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), kEditorCaption);
  ASSERT_TRUE(editor);
  // Capital SCH is the sound S; Enter in a box stores like OK.
  Type(editor, {"SCH", "o", ".", "."});
  PostKey(Child(editor, ids::form3::Text4), VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return BoxesEmpty(editor); }));

  Type(editor, {".", "a", ".", "."});
  Click(editor, ids::form3::Befehl1);
  EXPECT_EQ(NextMessage(), "regelpult: Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)");
  EXPECT_EQ(ControlText(editor, ids::form3::Text1), ".");

  EXPECT_TRUE(HasHeight(editor, 3400));
  for (int twips : {6800, 3400}) {
    Click(editor, ids::form3::Befehl3);
    EXPECT_TRUE(WaitUntil([&] { return HasHeight(editor, twips); })) << twips;
  }
  Click(editor, ids::form3::Befehl2);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  EXPECT_EQ(ListBytes(), kTwoWords + EncodeWordEntry({{{"S", 9}, {"o", 7}, {".", 0}, {".", 0}}}));
}

TEST_F(WordList, RestoreKeepsTheListWhenTheDeliveryCopyIsMissingAndPutsTheCopyInPlace) {
  Command(ids::form2::Command4, IDYES);
  EXPECT_EQ(NextMessage().rfind("regelpult: Die Wortliste wurde nicht wiederhergestellt.", 0), 0u);
  EXPECT_EQ(ListBytes(), kTwoWords);

  // A delivery copy from a CD is write-protected; the restored list is not.
  install.Write("wortlst.j_", kExample);
  const std::wstring delivery = Widen(install.Path("wortlst.j_")), list = Widen(install.Path("wortlst.jw1"));
  ASSERT_TRUE(SetFileAttributesW(delivery.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  Command(ids::form2::Command4, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ListBytes() == kExample; }));
  EXPECT_FALSE(WaitForMessageBox(regelpult.Id(), 300ms));
  EXPECT_EQ(install.Read("wortlst.j_"), kExample);
  EXPECT_EQ(GetFileAttributesW(list.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  Command(ids::form2::Command2);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), kEditorCaption);
  ASSERT_TRUE(editor);
  EXPECT_TRUE(IsControlEnabled(editor, ids::form3::Text1));
  EXPECT_FALSE(WaitForMessageBox(regelpult.Id(), 300ms));
  Click(editor, ids::form3::Befehl2);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  SetFileAttributesW(delivery.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace lirabo::test
