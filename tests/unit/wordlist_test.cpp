// wortlst.jw1: its records byte for byte, where the list ends, storing words, and the
// commands that delete or restore the list.
#include <gtest/gtest.h>

#include "tests/unit/fakes.h"
#include "wordlist/word_editor.h"
#include "wordlist/word_list_decisions.h"

namespace lirabo {
namespace {

using fake::Texts;
const std::string kList = "C:\\Lirabo\\wortlst.jw1", kDelivery = "C:\\Lirabo\\wortlst.j_";
const std::string kBusy = "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.";

std::string Record(std::string bytes) { return bytes.append(10 - bytes.size(), '\0'); }

struct WordList : ::testing::Test, fake::World {
  WordListFile list{files, system, kList};
  // Opens a list of `size` bytes and returns the record found as its end.
  int OpenWith(std::size_t size) {
    list.Close();
    files.Put(kList, std::string(size, 'w'));
    EXPECT_EQ(list.OpenWordList().status, OpenStatus::Opened);
    return *list.FindListEnd() == list.NextRecord() ? list.NextRecord() : -1;
  }
};

TEST_F(WordList, WordsAreWrittenByteForByteAtTheFirstSlotWhoseFirstRecordIsNotWhole) {
  const std::pair<std::size_t, int> ends[] = {
      {0, 1}, {9, 1}, {10, 9}, {89, 9}, {90, 17}, {160, 17}, {4095 * 80 + 10, 32769}, {4094 * 80, 32753}};
  for (auto [size, expected] : ends) EXPECT_EQ(OpenWith(size), expected) << size << " bytes";
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::Stored);
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  EXPECT_EQ(messages.Take(), Texts{"Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen."});
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
  OpenWith(95);
  list.StartNewList();
  ASSERT_EQ(list.AppendWord({{{"Sch", 10}, {"a", 1}, {"f", 3}, {":", 0}}}).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList), Record({3, 0, 'S', 'c', 'h'}) + Record({10}) + Record({1, 0, 'a'}) + Record({1}) +
                                  Record({1, 0, 'f'}) + Record({3}) + Record({1, 0, ':'}) + Record({}) +
                                  "wwwwwwwwwwwwwww");
}

TEST_F(WordList, OnlyValidWordsAreStoredAndTheTeacherIsToldWhy) {
  OpenWith(95);
  for (const WordBoxes& boxes :
       {WordBoxes{".", "a", ".", "."}, WordBoxes{"M", "", ".", "."}, WordBoxes{"M", "a", "b", "."}})
    EXPECT_EQ(StoreWord(boxes, list, messages), StoreOutcome::Rejected) << boxes[0] << boxes[1] << boxes[2];
  EXPECT_EQ(messages.Take(), Texts(3, "Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)"));
  EXPECT_EQ(StoreWord({"", "a", "b", "c"}, list, messages), StoreOutcome::NothingToDo);
  files.FailCall(files.calls + 2, win_error::kDiskFull);  // the write, after the size
  EXPECT_EQ(StoreWord({"M", "a", ".", "."}, list, messages), StoreOutcome::NotStored);
  EXPECT_EQ(messages.Take(), Texts{"Das Wort wurde nicht gespeichert.\n\nSystemfehler 112"});
  EXPECT_EQ(files.Get(kList), std::string(95, 'w'));  // no part of the word, nor a longer file
  list.Close();
  auto holder = files.HoldByOther(kList, FileAccess::Read, FileShare::ReadWrite);
  EXPECT_EQ(WordEditor(files, system, messages).Load(WordEditMode::ContinueList), EditorState::LockedOut);
  EXPECT_EQ(messages.Take(), Texts{kBusy});
  EXPECT_EQ(system.sleeps, fake::kRetryWaits);
  holder.reset();
  files.Deny(kList);
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_EQ(system.sleeps.size(), 6u);
  system.applicationPath = "C:\\Fehlt";
  EXPECT_EQ(WordEditor(files, system, messages).Load(WordEditMode::NewList), EditorState::EndProgram);
  EXPECT_EQ(messages.Take(), Texts{"Systemfehler 3"});
  EXPECT_EQ(system.sleeps.size(), 6u);
}

TEST_F(WordList, NewAndRestoreAskFirstAndLeaveAListHeldElsewhereAsItIs) {
  const std::string askNew = "Wollen Sie die bestehende Wörterliste wirklich löschen und eine neue erstellen?";
  const std::string askRestore = "Wollen Sie wirklich die Wortliste auf ihren Lieferzustand zurücksetzen?";
  files.Put(kList, "old list");
  files.Put(kDelivery, "delivered list");
  messages.answers = {MsgAnswer::No, MsgAnswer::No};
  EXPECT_EQ(PrepareNewWordList(services), std::nullopt);
  RestoreDeliveredWordList(services);
  EXPECT_TRUE(messages.shown[0].icon == MsgIcon::Critical && messages.shown[1].buttons == MsgButtons::YesNo);
  EXPECT_EQ(messages.Take(), (Texts{askNew, askRestore}));
  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  messages.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes};
  EXPECT_EQ(PrepareNewWordList(services), std::nullopt);
  RestoreDeliveredWordList(services);
  EXPECT_EQ(messages.Take(), (Texts{askNew, kBusy, askRestore, kBusy}));
  holder.reset();
  files.RemoveFile(kDelivery);
  messages.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes};
  RestoreDeliveredWordList(services);
  EXPECT_EQ(messages.Take(), (Texts{askRestore, "Die Wortliste wurde nicht wiederhergestellt.\n\nSystemfehler 2"}));
  EXPECT_EQ(files.Get(kList), "old list");
  files.RemoveFile(kList);  // without a list there is nothing to delete, and that is no error
  EXPECT_EQ(PrepareNewWordList(services), WordEditMode::NewList);
}

}  // namespace
}  // namespace lirabo
