#include "wordlist/word_editor.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using Texts = std::vector<std::string>;
const std::string kList = "C:\\Lirabo\\wortlst.jw1";
const WordEntry kExample = {{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}};

TEST(ClassifySound, RecognisesOnlyTheLowerAndCapitalisedFormsOfTheElevenSounds) {
  const std::pair<char, std::int16_t> sounds[] = {{'a', 1}, {'e', 2}, {'f', 3}, {'i', 4}, {'l', 5},
                                                  {'m', 6}, {'o', 7}, {'p', 8}, {'s', 9}, {'u', 11}};
  for (auto [c, code] : sounds)
    for (std::string text : {std::string(1, c), std::string(1, static_cast<char>(c - 'a' + 'A'))})
      EXPECT_EQ(ClassifySound(text, 2), (Sound{text, code})) << text;
  // Any other letter case of SCH is S, and only the S is kept; "." and ":" only after box 1.
  const std::tuple<const char*, int, Sound> cases[] = {
      {"sch", 1, {"sch", 10}}, {"Sch", 3, {"Sch", 10}}, {"SCH", 1, {"S", 9}}, {"sCh", 2, {"s", 9}},
      {"ab", 1, {"a", 1}},     {".", 2, {".", 0}},      {":", 4, {":", 0}},   {".", 1, {".", 22}},
      {":", 1, {":", 22}},     {"b", 1, {"b", 22}},     {"", 2, {"", 22}},    {" a", 1, {" ", 22}}};
  for (const auto& [text, box, expected] : cases) EXPECT_EQ(ClassifySound(text, box), expected) << text << box;
}

class WordEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDirectory("C:\\Lirabo"); }
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  WordListFile list{files, system, kList};
};

TEST_F(WordEditorTest, StoresValidWordsSilentlyAndNothingOtherwise) {
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::Stored);
  EXPECT_TRUE(messages.shown.empty());
  for (const WordBoxes& boxes : {WordBoxes{".", "a", ".", "."}, WordBoxes{"M", "", ".", "."},
                                 WordBoxes{"M", "a", "b", "."}, WordBoxes{" a", ".", ".", "."}}) {
    messages.shown.clear();
    EXPECT_EQ(StoreWord(boxes, list, messages), StoreOutcome::Rejected) << boxes[0] << boxes[1] << boxes[2];
    EXPECT_EQ(messages.Texts(), Texts{"Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)"});
  }
  messages.shown.clear();
  EXPECT_EQ(StoreWord({"", "a", "b", "c"}, list, messages), StoreOutcome::NothingToDo);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(files.Get(kList), EncodeWordEntry(kExample));

  files.FailWritesAfter(20);
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  EXPECT_EQ(messages.Texts(), Texts{"Das Wort wurde nicht gespeichert.\n\n" + fake::Error(win_error::kDiskFull).description});
  EXPECT_EQ(files.Get(kList), EncodeWordEntry(kExample));
  files.writeBudget_.reset();

  files.Put(kList, std::string(4095 * 80, '\0'));
  ASSERT_TRUE(list.FindListEnd().ok());
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  EXPECT_EQ(messages.shown.back().text, "Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen.");
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
}

TEST_F(WordEditorTest, LoadContinuesTheListOrLocksOutOrEndsTheProgram) {
  files.Put(kList, std::string(160, 'w'));
  {
    WordEditor editor(files, system, messages);
    EXPECT_EQ(editor.Load(WordEditMode::ContinueList), EditorState::Ready);
    EXPECT_EQ(editor.Store({"M", "a", ".", "."}), StoreOutcome::Stored);
    EXPECT_EQ(files.Get(kList), std::string(160, 'w') + EncodeWordEntry(kExample));
  }
  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(WordEditor(files, system, messages).Load(WordEditMode::ContinueList), EditorState::LockedOut);
  EXPECT_EQ(messages.Texts(), Texts{"Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet."});

  messages.shown.clear();
  system.applicationPath = "C:\\Fehlt";
  EXPECT_EQ(WordEditor(files, system, messages).Load(WordEditMode::NewList), EditorState::EndProgram);
  EXPECT_EQ(messages.Texts(), Texts{fake::Error(win_error::kPathNotFound).description});
}

}  // namespace
}  // namespace lirabo
