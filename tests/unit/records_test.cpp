// The pupils' records: the name register Namen.ini, the name-entry dialog, the name
// list and the log viewer, against the in-memory file system.
#include <gtest/gtest.h>

#include "records/log_viewer.h"
#include "records/name_entry.h"
#include "records/name_list.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;

struct Records : ::testing::Test, fake::World {
  const std::string reg = paths.Register();
  std::string pupil = "vorher";
  bool Confirm(const std::string& box) { return ConfirmPupilName(files, messages, paths, box, pupil); }
};

TEST_F(Records, RegisterLinesEndInCrLfAndACrBeforeALineEndIsNeverPartOfAName) {
  const std::pair<std::string, Texts> cases[] = {
      {"Anna\r\n  Ben \r\n\r\nJ\xF6rg\r\nZoe", {"Anna", "  Ben ", "", "Jörg", "Zoe"}},
      {"Anna\nBen\n", {"Anna", "Ben"}},
      {"Anna\r\r\nBen\r\r", {"Anna", "Ben"}},
      {"Tom\rBerg\r\n", {"Tom\rBerg"}}};
  for (const auto& [bytes, names] : cases) EXPECT_EQ(SplitLines(Cp1252ToUtf8(bytes)), names) << bytes;
  files.Put(reg, "M\xDCLLER\r\n Tom\r\nZoe\r");
  for (const char* name : {"müller", "ZOE"}) EXPECT_TRUE(*NameRegisterContains(files, paths, name)) << name;
  for (const char* name : {"Tom", "Mull", ""}) EXPECT_FALSE(*NameRegisterContains(files, paths, name)) << name;
}

TEST_F(Records, ConfirmingStartsTheRegisterFromTheDeliveryAndRecordsEachNameOnceInAnyCase) {
  const std::string delivered = "ANNA\r\nunbekannt\r\n\r\n\x80\xDF\xFF\r\nletzte";
  files.Put(paths.DeliveredRegister(), delivered);
  files.Deny(paths.DeliveredRegister());
  EXPECT_EQ(LoadNameEntryList(files, paths).items, (Texts{"ANNA", "", "\u20AC\u00DF\u00FF", "letzte"}));
  // Writable although the delivery copy is not; the unterminated last line stays whole.
  for (const char* box : {"Ben", "", "anna", "ben"}) ASSERT_TRUE(Confirm(box)) << box;
  EXPECT_EQ(files.Get(reg), delivered + "\r\nBen\r\n");
  EXPECT_EQ(*files.ListFiles(paths.LogFolder(), ".txt"), (Texts{"anna.txt", "Ben.txt", "unbekannt.txt"}));
  for (const char* box : {"COM1", "Jörg"}) EXPECT_FALSE(Confirm(box)) << box;
  EXPECT_EQ(messages.Take(), (Texts{"Diesen Namen kann ich nicht verwenden. Gib bitte einen anderen Namen ein!",
                                    "Gib bitte nur Buchstaben oder Zahlen ein!"}));
  EXPECT_EQ(pupil, "ben");  // the last one taken, as typed
  files.Deny(paths.LogFolder());
  EXPECT_TRUE(Confirm("Zoe") && pupil == "Zoe");
  EXPECT_EQ(messages.Take(), Texts{"Systemfehler 5"});
}

TEST_F(Records, NameListAndLogViewerDeleteOnlyAfterYesAndTheListWritesWhatItShowsOnLeaving) {
  const std::string bytes = "ben\r\nAnna\r\nanna\r\n\xC4nne\r\nCarl";
  files.Put(reg, bytes);
  pupil = "Anna";
  NameList list{files, messages, paths, pupil};
  list.Load();
  EXPECT_EQ(list.Names(), (Texts{"Anna", "anna", "ben", "Carl", "Änne"}));
  messages.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};  // none for a deletion without a selection
  EXPECT_EQ((std::vector{list.DeleteName(std::nullopt), list.DeleteName("Anna"), list.DeleteName("anna")}),
            (std::vector{false, false, true}));
  EXPECT_EQ(pupil, "Anna");
  EXPECT_TRUE(list.DeleteName("Anna") && pupil.empty());
  EXPECT_EQ(files.Get(reg), bytes);  // written only on leaving
  auto hold = files.HoldByOther(reg, FileAccess::ReadWrite, FileShare::None);
  NameList unread{files, messages, paths, pupil};
  unread.Load();
  EXPECT_FALSE(list.Leave({"ben", "Änne"}));  // not written: the dialog stays
  hold.reset();
  EXPECT_TRUE(unread.Leave({}));  // a list never read replaces nothing
  EXPECT_EQ(files.Get(reg), bytes);
  ASSERT_TRUE(list.Leave({"ben", "Änne"}));
  EXPECT_EQ(files.Get(reg), "ben\r\n\xC4nne\r\n");
  // The log viewer reads a log an exercise is appending to.
  const std::string folder = paths.LogFolder() + "\\";
  for (const char* name : {"carl.TXT", "Anna.txt", "Namen.ini"}) files.Put(folder + name, "A");
  LogViewer viewer{files, messages, paths.LogFolder()};
  viewer.Load();
  EXPECT_EQ(viewer.Logs(), (Texts{"Anna.txt", "carl.TXT"}));
  auto writer = files.HoldByOther(folder + "carl.TXT", FileAccess::Write, FileShare::ReadWrite);
  ASSERT_TRUE(viewer.ShowLog("carl.TXT"));
  EXPECT_EQ(viewer.Text(), "A\r\n");
  writer.reset();
  messages.answers = {MsgAnswer::No, MsgAnswer::Yes};
  EXPECT_EQ((std::vector{viewer.DeleteLog(std::nullopt), viewer.DeleteLog("carl.TXT"), viewer.DeleteLog("carl.TXT")}),
            (std::vector{false, false, true}));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.Logs(), Texts{"Anna.txt"});
}

}  // namespace
}  // namespace lirabo
