#include "records/name_list.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const RecordPaths kPaths{"C:\\U\\Lirabo", "C:\\Lirabo"};
using Texts = std::vector<std::string>;

class NameListTest : public ::testing::Test {
 protected:
  void Load(const std::string& bytes) {
    files.Put(kPaths.Register(), bytes);
    list.Load();
  }
  std::string Register() const { return files.Get(kPaths.Register()); }

  fake::FakeFiles files;
  fake::FakeMessages messages;
  std::string pupilName = "Anna";
  NameList list{files, messages, kPaths, pupilName};
};

TEST_F(NameListTest, ShowsEveryLineAndZurueckWritesThemSortedWithCrLf) {
  Load("ben\r\nunbekannt\r\n\r\nAnna\r\nBen\r\nAnna\r\n\xC4nne");
  EXPECT_EQ(list.Names(), (Texts{"", "Anna", "Anna", "Ben", "ben", "unbekannt", "Änne"}));
  // What the list box shows is written, in its order.
  ASSERT_TRUE(list.Leave({"", "Anna", "Anna", "ben", "Ben", "unbekannt", "Änne"}));
  EXPECT_EQ(Register(), "\r\nAnna\r\nAnna\r\nben\r\nBen\r\nunbekannt\r\n\xC4nne\r\n");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameListTest, DeletesOneEntryAfterYesAndClearsOnlyTheExactPupilName) {
  Load("Anna\r\nanna\r\nBen\r\nBen\r\n");
  EXPECT_FALSE(list.DeleteName(std::nullopt));  // asks nothing

  messages.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
  EXPECT_FALSE(list.DeleteName("Ben"));
  EXPECT_TRUE(list.DeleteName("Ben"));
  EXPECT_TRUE(list.DeleteName("anna"));
  EXPECT_EQ(messages.Texts(), (Texts{"Soll der Name Ben wirklich gelöscht werden?",
                                     "Soll der Name Ben wirklich gelöscht werden?",
                                     "Soll der Name anna wirklich gelöscht werden?"}));
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(pupilName, "Anna");
  EXPECT_EQ(list.Names(), (Texts{"Anna", "Ben"}));

  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(list.DeleteName("Anna"));
  EXPECT_EQ(pupilName, "");
  EXPECT_EQ(list.Names(), Texts{"Ben"});
  EXPECT_EQ(Register(), "Anna\r\nanna\r\nBen\r\nBen\r\n");  // written only on leaving
}

TEST_F(NameListTest, ALockedRegisterIsReportedAndNeverOverwrittenByALeave) {
  files.Put(kPaths.Register(), "Ben\r\nAnna\r\n");
  auto hold = files.HoldByOther(kPaths.Register(), FileAccess::ReadWrite, FileShare::None);
  list.Load();  // not read: leaving writes nothing
  EXPECT_TRUE(list.Names().empty());
  EXPECT_TRUE(list.Leave({}));
  hold.reset();
  EXPECT_EQ(Register(), "Ben\r\nAnna\r\n");

  list.Load();
  hold = files.HoldByOther(kPaths.Register(), FileAccess::ReadWrite, FileShare::None);
  EXPECT_FALSE(list.Leave(list.Names()));  // not written: the dialog stays
  hold.reset();
  EXPECT_EQ(messages.Texts(), (Texts{"Systemfehler 32", "Systemfehler 32"}));
  EXPECT_EQ(Register(), "Ben\r\nAnna\r\n");
  EXPECT_TRUE(list.Leave(list.Names()));
  EXPECT_EQ(Register(), "Anna\r\nBen\r\n");
}

}  // namespace
}  // namespace lirabo
