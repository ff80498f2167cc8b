#include "wordlist/word_list_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kList = "C:\\Lirabo\\wortlst.jw1";
const std::string kDelivery = "C:\\Lirabo\\wortlst.j_";
const std::string kBusy = "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.";

class WordListCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Put(kList, "old list");
    files.Put(kDelivery, "delivered list");
  }
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  WordListPorts ports{files, system, messages};
};

TEST_F(WordListCommands, NewListAsksWithStopIconAndDeletesOnlyOnYes) {
  messages.answers = {MsgAnswer::No};
  EXPECT_EQ(PrepareNewWordList(ports), std::nullopt);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Wollen Sie die bestehende Wörterliste wirklich löschen und eine neue erstellen?");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
  EXPECT_EQ(messages.shown[0].title, "");
  EXPECT_EQ(files.Get(kList), "old list");

  messages.answers = {MsgAnswer::Yes};
  EXPECT_EQ(PrepareNewWordList(ports), WordEditMode::NewList);
  EXPECT_FALSE(files.Has(kList));
  EXPECT_EQ(messages.shown.size(), 2u);

  // Without a list there is nothing to delete, and that is no error.
  messages.answers = {MsgAnswer::Yes};
  EXPECT_EQ(PrepareNewWordList(ports), WordEditMode::NewList);
  EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(WordListCommands, NewListKeepsAListHeldByAnotherProgramAndOpensNoEditor) {
  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  messages.answers = {MsgAnswer::Yes};
  EXPECT_EQ(PrepareNewWordList(ports), std::nullopt);
  EXPECT_EQ(files.Get(kList), "old list");
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, kBusy);
  EXPECT_EQ(messages.shown[1].icon, MsgIcon::None);
}

TEST_F(WordListCommands, RestoreAsksWithoutIconAndPutsTheDeliveryCopyInPlace) {
  messages.answers = {MsgAnswer::No};
  RestoreDeliveredWordList(ports);
  EXPECT_EQ(files.Get(kList), "old list");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Wollen Sie wirklich die Wortliste auf ihren Lieferzustand zurücksetzen?");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);

  messages.answers = {MsgAnswer::Yes};
  RestoreDeliveredWordList(ports);
  EXPECT_EQ(files.Get(kList), "delivered list");
  EXPECT_EQ(files.Get(kDelivery), "delivered list");
  EXPECT_EQ(messages.shown.size(), 2u);

  // Also when the list is gone.
  ASSERT_FALSE(files.RemoveFile(kList));
  messages.answers = {MsgAnswer::Yes};
  RestoreDeliveredWordList(ports);
  EXPECT_EQ(files.Get(kList), "delivered list");
  EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(WordListCommands, AFailedRestoreLeavesTheOldListAndSaysWhy) {
  ASSERT_FALSE(files.RemoveFile(kDelivery));
  messages.answers = {MsgAnswer::Yes};
  RestoreDeliveredWordList(ports);
  EXPECT_EQ(files.Get(kList), "old list");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_NE(messages.shown[1].text.find(fake::Error(2).description), std::string::npos);
  EXPECT_TRUE(system.sleeps.empty());

  files.Put(kDelivery, "delivered list");
  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  messages.answers = {MsgAnswer::Yes};
  RestoreDeliveredWordList(ports);
  EXPECT_EQ(files.Get(kList), "old list");
  EXPECT_EQ(messages.shown.back().text, kBusy);
  EXPECT_EQ(system.sleeps.size(), 3u);
}

}  // namespace
}  // namespace lirabo
