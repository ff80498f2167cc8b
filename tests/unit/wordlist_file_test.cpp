#include "wordlist/word_list_file.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kList = "C:\\Lirabo\\wortlst.jw1";
const WordEntry kExample = {{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}};

std::string Record(std::initializer_list<unsigned char> bytes) {
  std::string r(bytes.begin(), bytes.end());
  r.resize(10, '\0');
  return r;
}
const std::string kExampleBytes = Record({1, 0, 'M'}) + Record({6, 0}) + Record({1, 0, 'a'}) + Record({1, 0}) +
                                  Record({1, 0, '.'}) + Record({0, 0}) + Record({1, 0, '.'}) + Record({0, 0});

class WordListFileTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDirectory("C:\\Lirabo"); }
  // Opens a list holding `bytes` and returns the record found as its end.
  int OpenWith(const std::string& bytes) {
    list.Close();
    files.Put(kList, bytes);
    EXPECT_EQ(list.OpenWordList().status, OpenStatus::Opened);
    auto end = list.FindListEnd();
    EXPECT_TRUE(end.ok());
    return end.ok() && *end == list.NextRecord() ? *end : -1;
  }
  fake::FakeFiles files;
  fake::FakeSystem system;
  WordListFile list{files, system, kList};
};

TEST_F(WordListFileTest, WritesTheWorkedExampleByteForByteOnANewList) {
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  list.StartNewList();
  ASSERT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList), kExampleBytes);
  // SCH keeps its three letters; the second word follows the first directly.
  ASSERT_EQ(list.AppendWord({{{"Sch", 10}, {"a", 1}, {"f", 3}, {":", 0}}}).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList).substr(80), Record({3, 0, 'S', 'c', 'h'}) + Record({10, 0}) + Record({1, 0, 'a'}) +
                                             Record({1, 0}) + Record({1, 0, 'f'}) + Record({3, 0}) +
                                             Record({1, 0, ':'}) + Record({0, 0}));
}

TEST_F(WordListFileTest, ListEndIsTheFirstSlotWhoseFirstRecordIsNotWholeAndAppendingGoesThere) {
  const std::pair<std::size_t, int> cases[] = {{0, 1},   {9, 1},   {10, 9},  {85, 9},  {89, 9},
                                                {90, 17}, {95, 17}, {160, 17}, {240, 25}};
  for (auto [size, expected] : cases) EXPECT_EQ(OpenWith(std::string(size, 'x')), expected) << size << " bytes";

  OpenWith(std::string(160, '\x7F'));
  ASSERT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList), std::string(160, '\x7F') + kExampleBytes);
}

TEST_F(WordListFileTest, ALockedOrRefusedListIsTriedFourTimesThenBusyAnyOtherErrorFailsAtOnce) {
  files.Put(kList, "");
  auto holder = files.HoldByOther(kList, FileAccess::Read, FileShare::ReadWrite);
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_EQ(files.OpenCalls(kList), 4);
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  holder.reset();
  EXPECT_TRUE(files.Open(kList, FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting));
  files.SetReadOnly(kList);
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_EQ(files.OpenCalls(kList), 9);

  system.sleeps.clear();
  OpenResult result = WordListFile(files, system, "C:\\Fehlt\\wortlst.jw1").OpenWordList();
  EXPECT_EQ(result.status, OpenStatus::Failed);
  EXPECT_EQ(result.description, fake::Error(win_error::kPathNotFound).description);
  EXPECT_TRUE(system.sleeps.empty());
}

TEST_F(WordListFileTest, PastRecord32760NothingIsWritten) {
  EXPECT_EQ(OpenWith(std::string(4094 * 80, '\0')), 32753);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::ListFull);
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
}

TEST_F(WordListFileTest, AFailingWriteTruncatesBackToWhereTheEntryBegan) {
  OpenWith(std::string(160, 'w'));
  files.FailWritesAfter(35);
  AppendResult result = list.AppendWord(kExample);
  EXPECT_EQ(result.status, AppendStatus::WriteFailed);
  EXPECT_EQ(result.description, fake::Error(win_error::kDiskFull).description);
  EXPECT_EQ(files.Get(kList), std::string(160, 'w'));
  EXPECT_EQ(list.NextRecord(), 17);
  // Nor does a write that would start past the end leave the file longer.
  files.writeBudget_.reset();
  OpenWith(std::string(95, 'w'));
  files.FailWritesAfter(10);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::WriteFailed);
  EXPECT_EQ(files.Get(kList), std::string(95, 'w'));
}

}  // namespace
}  // namespace lirabo
