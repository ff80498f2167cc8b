#include "wordlist/word_list_file.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kList = "C:\\Lirabo\\wortlst.jw1";

std::string Record(std::initializer_list<unsigned char> bytes) {
  std::string r(bytes.begin(), bytes.end());
  r.resize(10, '\0');
  return r;
}

// M, a, ., . as the records of the worked example.
std::string ExampleEntryBytes() {
  return Record({0x01, 0x00, 0x4D}) + Record({0x06, 0x00}) + Record({0x01, 0x00, 0x61}) + Record({0x01, 0x00}) +
         Record({0x01, 0x00, 0x2E}) + Record({0x00, 0x00}) + Record({0x01, 0x00, 0x2E}) + Record({0x00, 0x00});
}
const WordEntry kExample = {{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}};

class WordListFileTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDirectory("C:\\Lirabo"); }
  fake::FakeFiles files;
  fake::FakeSystem system;
  WordListFile list{files, system, kList};
};

TEST_F(WordListFileTest, WritesTheWorkedExampleByteForByteOnANewList) {
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  EXPECT_TRUE(files.Has(kList));
  list.StartNewList();
  ASSERT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(list.NextRecord(), 9);
  EXPECT_EQ(files.Get(kList), ExampleEntryBytes());

  // SCH keeps its three letters; the second word follows the first directly.
  ASSERT_EQ(list.AppendWord({{{"Sch", 10}, {"a", 1}, {"f", 3}, {":", 0}}}).status, AppendStatus::Written);
  const std::string bytes = files.Get(kList);
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes.substr(80, 20), Record({0x03, 0x00, 'S', 'c', 'h'}) + Record({0x0A, 0x00}));
  EXPECT_EQ(bytes.substr(150, 10), Record({0x00, 0x00}));
  EXPECT_EQ(bytes.substr(140, 10), Record({0x01, 0x00, ':'}));
}

TEST_F(WordListFileTest, ListEndIsTheFirstSlotWhoseFirstRecordIsNotWhole) {
  const std::pair<std::size_t, int> cases[] = {{0, 1}, {9, 1}, {10, 9}, {80, 9}, {85, 9},
                                                {89, 9}, {90, 17}, {95, 17}, {160, 17}, {240, 25}};
  for (auto [size, expected] : cases) {
    files.Put(kList, std::string(size, 'x'));
    ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
    auto end = list.FindListEnd();
    ASSERT_TRUE(end.ok());
    EXPECT_EQ(*end, expected) << size << " bytes";
    EXPECT_EQ(list.NextRecord(), expected);
    list.Close();
  }
}

TEST_F(WordListFileTest, ContinuingAppendsAfterTheExistingWordsAndAfterAStrayTail) {
  files.Put(kList, std::string(160, '\x7F'));
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  ASSERT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  std::string bytes = files.Get(kList);
  ASSERT_EQ(bytes.size(), 240u);
  EXPECT_EQ(bytes.substr(0, 160), std::string(160, '\x7F'));
  EXPECT_EQ(bytes.substr(160), ExampleEntryBytes());
  list.Close();

  // 85 bytes: the five stray bytes are overwritten by the next word.
  files.Put(kList, std::string(85, '\x7F'));
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  ASSERT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList), std::string(80, '\x7F') + ExampleEntryBytes());
}

TEST_F(WordListFileTest, ALockedListIsTriedFourTimesThenBusy) {
  files.Put(kList, "");
  auto holder = files.HoldByOther(kList, FileAccess::Read, FileShare::ReadWrite);
  OpenResult result = list.OpenWordList();
  EXPECT_EQ(result.status, OpenStatus::Busy);
  EXPECT_EQ(files.OpenCalls(kList), 4);
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  EXPECT_FALSE(list.IsOpen());

  // A read-only list is refused (access denied) the same way.
  holder.reset();
  files.SetReadOnly(kList);
  system.sleeps.clear();
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_EQ(system.sleeps.size(), 3u);
}

TEST_F(WordListFileTest, AnyOtherOpenErrorFailsAtOnceWithTheSystemsWords) {
  WordListFile missingFolder(files, system, "C:\\Fehlt\\wortlst.jw1");
  OpenResult result = missingFolder.OpenWordList();
  EXPECT_EQ(result.status, OpenStatus::Failed);
  EXPECT_EQ(result.description, fake::Error(3).description);
  EXPECT_TRUE(system.sleeps.empty());
}

TEST_F(WordListFileTest, AtTheLimitOfRecordNumbersNothingIsWritten) {
  // 4094 words: one more fits (records 32753 to 32760), the next does not.
  files.Put(kList, std::string(4094 * 80, '\0'));
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  EXPECT_EQ(list.NextRecord(), 32753);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::Written);
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::ListFull);
  EXPECT_EQ(files.Get(kList).size(), 4095u * 80);
  list.Close();

  // A file longer than the record range is full as well.
  files.Put(kList, std::string(5000 * 80, '\0'));
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::ListFull);
  EXPECT_EQ(files.Get(kList).size(), 5000u * 80);
}

TEST_F(WordListFileTest, AFailingWriteLeavesNoPartOfTheEntry) {
  files.Put(kList, std::string(160, 'w'));
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  files.FailWritesAfter(35);
  AppendResult result = list.AppendWord(kExample);
  EXPECT_EQ(result.status, AppendStatus::WriteFailed);
  EXPECT_EQ(result.description, fake::Error(112).description);
  EXPECT_EQ(files.Get(kList), std::string(160, 'w'));
  EXPECT_EQ(list.NextRecord(), 17);

  // A write that would start past the end does not leave the file longer either.
  files.Put(kList, std::string(95, 'w'));
  list.Close();
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  files.FailWritesAfter(10);
  EXPECT_EQ(list.AppendWord(kExample).status, AppendStatus::WriteFailed);
  EXPECT_EQ(files.Get(kList), std::string(95, 'w'));
}

}  // namespace
}  // namespace lirabo
