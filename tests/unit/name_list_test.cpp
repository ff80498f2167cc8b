#include "records/name_list.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const RecordPaths kPaths{"C:\\U\\Lirabo", "C:\\Lirabo"};

class NameListTest : public ::testing::Test {
 protected:
  fake::FakeFiles files;
  fake::FakeMessages messages;
  std::string pupilName = "Anna";
  NameList list{files, messages, kPaths, pupilName};
};

TEST_F(NameListTest, ShowsEveryRegisterLineSortedAndTakesTheDeliveredCopyWhenMissing) {
  files.AddDirectory("C:\\U\\Lirabo");
  files.Put(kPaths.DeliveredRegister(), "ben\r\nunbekannt\r\n\r\nAnna\r\nBen\r\nAnna\r\n\xC4nne");
  list.Load();
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"", "Anna", "Anna", "Ben", "ben", "unbekannt", "Änne"}));
  EXPECT_EQ(files.Get(kPaths.Register()), files.Get(kPaths.DeliveredRegister()));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameListTest, DeletesOneEntryAfterYesAndClearsOnlyTheExactPupilName) {
  files.Put(kPaths.Register(), "Anna\r\nanna\r\nBen\r\nBen\r\n");
  list.Load();

  EXPECT_FALSE(list.DeleteName(std::nullopt));
  EXPECT_TRUE(messages.shown.empty());

  messages.answers = {MsgAnswer::No};
  EXPECT_FALSE(list.DeleteName("Ben"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Soll der Name Ben wirklich gelöscht werden?");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(messages.shown[0].title, "");

  messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
  EXPECT_TRUE(list.DeleteName("Ben"));
  EXPECT_TRUE(list.DeleteName("anna"));
  EXPECT_EQ(pupilName, "Anna");
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"Anna", "Ben"}));

  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(list.DeleteName("Anna"));
  EXPECT_EQ(pupilName, "");
  EXPECT_EQ(list.Names(), std::vector<std::string>{"Ben"});
  // Removals reach the register only on leaving.
  EXPECT_EQ(files.Get(kPaths.Register()), "Anna\r\nanna\r\nBen\r\nBen\r\n");
}

TEST_F(NameListTest, LeavingRewritesTheRegisterSortedWithCrLfAfterEveryLine) {
  files.Put(kPaths.Register(), "J\xF6rg\r\nunbekannt\r\n\r\nAnna");
  list.Load();
  ASSERT_TRUE(list.Leave());
  EXPECT_EQ(files.Get(kPaths.Register()), "\r\nAnna\r\nJ\xF6rg\r\nunbekannt\r\n");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameListTest, ARegisterThatCannotBeWrittenIsReportedAndKept) {
  files.Put(kPaths.Register(), "Ben\r\nAnna\r\n");
  list.Load();
  {
    auto hold = files.HoldByOther(kPaths.Register(), FileAccess::ReadWrite, FileShare::None);
    EXPECT_FALSE(list.Leave());
  }
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 32"});
  EXPECT_EQ(files.Get(kPaths.Register()), "Ben\r\nAnna\r\n");
  EXPECT_TRUE(list.Leave());
  EXPECT_EQ(files.Get(kPaths.Register()), "Anna\r\nBen\r\n");
}

TEST_F(NameListTest, ARegisterThatCannotBeReadIsNeverOverwritten) {
  files.Put(kPaths.Register(), "Ben\r\nAnna\r\n");
  {
    auto hold = files.HoldByOther(kPaths.Register(), FileAccess::ReadWrite, FileShare::None);
    list.Load();
  }
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 32"});
  EXPECT_TRUE(list.Names().empty());
  EXPECT_TRUE(list.Leave());
  EXPECT_EQ(files.Get(kPaths.Register()), "Ben\r\nAnna\r\n");

  // Neither register nor delivered copy: an empty register, an empty list.
  fake::FakeFiles empty;
  empty.AddDirectory(kPaths.settingsFolder);
  NameList fresh{empty, messages, kPaths, pupilName};
  fresh.Load();
  EXPECT_TRUE(fresh.Names().empty());
  EXPECT_TRUE(empty.Has(kPaths.Register()));
}

}  // namespace
}  // namespace lirabo
