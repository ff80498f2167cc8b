#include "wordlist/word_list_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using Texts = std::vector<std::string>;
const std::string kList = "C:\\Lirabo\\wortlst.jw1";
const std::string kDelivery = "C:\\Lirabo\\wortlst.j_";
const std::string kBusy = "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.";
const std::string kAskNew = "Wollen Sie die bestehende Wörterliste wirklich löschen und eine neue erstellen?";
const std::string kAskRestore = "Wollen Sie wirklich die Wortliste auf ihren Lieferzustand zurücksetzen?";

class WordListCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Put(kList, "old list");
    files.Put(kDelivery, "delivered list");
  }
  // Runs a command with its question answered; returns all texts shown.
  enum Command { kNew, kRestore };
  Texts Run(Command command, MsgAnswer answer) {
    messages.shown.clear();
    messages.answers = {answer};
    if (command == kNew) mode = PrepareNewWordList(ports);
    if (command == kRestore) RestoreDeliveredWordList(ports);
    return messages.Texts();
  }
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  Services ports{files, system, messages};
  std::optional<WordEditMode> mode;
};

TEST_F(WordListCommands, NewListAsksWithStopIconDeletesOnYesAndKeepsAListHeldElsewhere) {
  EXPECT_EQ(Run(kNew, MsgAnswer::No), Texts{kAskNew});
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
  EXPECT_EQ(mode, std::nullopt);
  EXPECT_EQ(files.Get(kList), "old list");

  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(Run(kNew, MsgAnswer::Yes), (Texts{kAskNew, kBusy}));
  EXPECT_EQ(mode, std::nullopt);
  EXPECT_EQ(files.Get(kList), "old list");
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  holder.reset();

  // Yes deletes the list; without one there is nothing to delete, and that is no error.
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(Run(kNew, MsgAnswer::Yes), Texts{kAskNew});
    EXPECT_EQ(mode, WordEditMode::NewList);
    EXPECT_FALSE(files.Has(kList));
  }
}

TEST_F(WordListCommands, RestoreAsksWithoutIconAndPutsTheDeliveryCopyInPlaceOrKeepsTheOldList) {
  EXPECT_EQ(Run(kRestore, MsgAnswer::No), Texts{kAskRestore});
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(files.Get(kList), "old list");

  auto holder = files.HoldByOther(kList, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(Run(kRestore, MsgAnswer::Yes), (Texts{kAskRestore, kBusy}));
  EXPECT_EQ(files.Get(kList), "old list");
  EXPECT_EQ(system.sleeps.size(), 3u);
  holder.reset();

  ASSERT_FALSE(files.RemoveFile(kDelivery));
  EXPECT_EQ(Run(kRestore, MsgAnswer::Yes),
            (Texts{kAskRestore, "Die Wortliste wurde nicht wiederhergestellt.\n\n" + fake::Error(win_error::kFileNotFound).description}));
  EXPECT_EQ(files.Get(kList), "old list");
  EXPECT_EQ(system.sleeps.size(), 3u);  // no retry for a missing copy
  files.Put(kDelivery, "delivered list");
  EXPECT_EQ(Run(kRestore, MsgAnswer::Yes), Texts{kAskRestore});
  EXPECT_EQ(files.Get(kList), "delivered list");
  EXPECT_EQ(files.Get(kDelivery), "delivered list");
}

}  // namespace
}  // namespace lirabo
