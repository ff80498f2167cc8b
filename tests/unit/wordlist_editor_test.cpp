#include "wordlist/word_editor.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"
#include "wordlist/word_list_texts.h"

namespace lirabo {
namespace {

const std::string kList = "C:\\Lirabo\\wortlst.jw1";

TEST(ClassifySound, RecognisesOnlyTheListedLowerAndCapitalisedForms) {
  struct Case {
    const char* text;
    int position;
    Sound expected;
  } cases[] = {
      {"a", 1, {"a", 1}},     {"E", 2, {"E", 2}},   {"f", 1, {"f", 3}},    {"I", 1, {"I", 4}},
      {"l", 1, {"l", 5}},     {"M", 1, {"M", 6}},   {"o", 4, {"o", 7}},    {"P", 1, {"P", 8}},
      {"s", 1, {"s", 9}},     {"U", 3, {"U", 11}},  {"sch", 1, {"sch", 10}}, {"Sch", 3, {"Sch", 10}},
      // Capitals or mixed case are not SCH but S, and only the S is kept.
      {"SCH", 1, {"S", 9}},   {"sCh", 2, {"s", 9}}, {"ab", 1, {"a", 1}},   {"schx", 1, {"sch", 10}},
      // Empty positions only after the first.
      {".", 2, {".", 0}},     {":", 3, {":", 0}},   {".", 4, {".", 0}},    {".", 1, {".", 22}},
      {":", 1, {":", 22}},
      // Not one of the eleven sounds.
      {"b", 1, {"b", 22}},    {"", 2, {"", 22}},    {" a", 1, {" ", 22}},  {"ä", 2, {"ä", 22}},
      {"SCh", 1, {"S", 9}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifySound(c.text, c.position), c.expected) << c.text << " @" << c.position;
}

class StoreWordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddDirectory("C:\\Lirabo");
    ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
    list.StartNewList();
  }
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  WordListFile list{files, system, kList};
};

TEST_F(StoreWordTest, StoresValidWordsSilentlyAndTwiceWhenAskedTwice) {
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::Stored);
  EXPECT_EQ(StoreWord({"a", ".", "e", "."}, list, messages), StoreOutcome::Stored);
  EXPECT_EQ(StoreWord({"a", ".", "e", "."}, list, messages), StoreOutcome::Stored);
  EXPECT_TRUE(messages.shown.empty());
  const std::string bytes = files.Get(kList);
  ASSERT_EQ(bytes.size(), 240u);
  EXPECT_EQ(bytes.substr(80, 80), bytes.substr(160, 80));
  EXPECT_EQ(bytes.substr(0, 80), EncodeWordEntry({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}}));
  EXPECT_EQ(bytes.substr(80, 80), EncodeWordEntry({{{"a", 1}, {".", 0}, {"e", 2}, {".", 0}}}));
}

TEST_F(StoreWordTest, RejectsInvalidSoundsWithTheMessageAndWritesNothing) {
  const WordBoxes rejected[] = {
      {".", "a", ".", "."}, {"M", "", ".", "."}, {"M", "a", "b", "."}, {" a", ".", ".", "."}};
  for (const WordBoxes& boxes : rejected) {
    messages.shown.clear();
    EXPECT_EQ(StoreWord(boxes, list, messages), StoreOutcome::Rejected) << boxes[0] << boxes[1] << boxes[2];
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  }
  EXPECT_EQ(files.Get(kList), "");

  // An empty first box does nothing at all, whatever the others hold.
  messages.shown.clear();
  EXPECT_EQ(StoreWord({"", "a", "b", "c"}, list, messages), StoreOutcome::NothingToDo);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(files.Get(kList), "");
}

TEST_F(StoreWordTest, AFullListOrAFailedWriteIsReportedAndNothingIsStored) {
  files.FailWritesAfter(20);
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(fake::Error(112).description), std::string::npos);
  EXPECT_EQ(files.Get(kList), "");
  files.writeBudget_.reset();

  files.Put(kList, std::string(4095 * 80, '\0'));
  ASSERT_TRUE(list.FindListEnd().ok());
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  EXPECT_EQ(messages.shown.back().text, "Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen.");
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
}

class WordEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDirectory("C:\\Lirabo"); }
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  WordEditor editor{files, system, messages};
};

TEST_F(WordEditorTest, ContinuingAListAppendsAfterItsLastWordAndClosingReleasesIt) {
  files.Put(kList, std::string(160, 'w'));
  EXPECT_EQ(editor.Load(WordEditMode::ContinueList), EditorState::Ready);
  EXPECT_EQ(editor.Store({"sch", "a", "f", "."}), StoreOutcome::Stored);
  EXPECT_EQ(files.Get(kList).substr(160), EncodeWordEntry({{{"sch", 10}, {"a", 1}, {"f", 3}, {".", 0}}}));
  EXPECT_EQ(files.OpenHandles(kList), 1);
  editor.Close();
  EXPECT_EQ(files.OpenHandles(kList), 0);

  // A new list starts at record 1 whatever the file holds.
  files.Put(kList, std::string(160, 'w'));
  EXPECT_EQ(editor.Load(WordEditMode::NewList), EditorState::Ready);
  EXPECT_EQ(editor.List().NextRecord(), 1);
}

TEST_F(WordEditorTest, ABusyListLocksTheEditorOutAndAnOpenFailureEndsTheProgram) {
  files.Put(kList, "");
  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(editor.Load(WordEditMode::ContinueList), EditorState::LockedOut);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                  "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet."}));

  messages.shown.clear();
  system.applicationPath = "C:\\Fehlt";
  WordEditor elsewhere(files, system, messages);
  EXPECT_EQ(elsewhere.Load(WordEditMode::NewList), EditorState::EndProgram);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{fake::Error(3).description}));
}

}  // namespace
}  // namespace lirabo
