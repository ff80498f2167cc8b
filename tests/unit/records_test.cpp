// The pupils' records: the name register Namen.ini, the name-entry dialog, the name
// list and the log viewer, against the in-memory file system.
#include <gtest/gtest.h>

#include "records/log_viewer.h"
#include "records/name_entry.h"
#include "records/name_list.h"
#include "records/name_register.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;

struct Records : ::testing::Test {
  fake::FakeFiles files;
  fake::FakeMessages messages;
  RecordPaths paths{"C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  const std::string reg = paths.Register();
  std::string pupil = "vorher";
  void SetUp() override {
    files.AddDirectory(paths.LogFolder());
    files.AddDirectory(paths.applicationPath);
  }
  bool Confirm(const std::string& box) {
    return ConfirmPupilName(files, messages, paths, box, pupil);
  }
};

TEST_F(Records, RegisterLinesEndInCrLfAndACrBeforeALineEndIsNeverPartOfAName) {
  const std::pair<std::string, Texts> cases[] = {
      {"Anna\r\n  Ben \r\n\r\nJ\xF6rg\r\nZoe", {"Anna", "  Ben ", "", "Jörg", "Zoe"}},
      {"Anna\nBen\n", {"Anna", "Ben"}},
      {"Anna\r\r\nBen\r", {"Anna", "Ben"}},
      {"Anna\r\nBen\r\r", {"Anna", "Ben"}},
      {"Tom\rBerg\r\n", {"Tom\rBerg"}},
      {"\r", {""}}};
  for (const auto& [bytes, names] : cases) {
    files.Put(reg, bytes);
    EXPECT_EQ(*ReadNameRegister(files, paths), names) << bytes;
  }
  files.Put(reg, "M\xDCLLER\r\n Tom\r\nZoe\r");
  for (const char* name : {"müller", "ZOE"})
    EXPECT_TRUE(*NameRegisterContains(files, paths, name)) << name;
  for (const char* name : {"Tom", "Mull", ""})
    EXPECT_FALSE(*NameRegisterContains(files, paths, name)) << name;
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Jörg"));
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Jörg"));  // duplicates are the caller's business
  EXPECT_EQ(files.Get(reg), "M\xDCLLER\r\n Tom\r\nZoe\r\r\nJ\xF6rg\r\nJ\xF6rg\r\n");
  ASSERT_FALSE(WriteNameRegister(files, paths, {"Ben", "Anna"}));
  EXPECT_EQ(files.Get(reg), "Ben\r\nAnna\r\n");
  files.failWrites = win_error::kDiskFull;
  EXPECT_EQ(AppendToNameRegister(files, paths, "Anna").code, win_error::kDiskFull);
  EXPECT_EQ(files.Get(reg), "Ben\r\nAnna\r\n");
}

TEST_F(Records, TheRegisterStartsAsAByteCopyOfTheDeliveryOrEmpty) {
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_TRUE(files.FileExists(reg) && files.Get(reg).empty());
  files.RemoveFile(reg);
  const std::string delivered = "Anna\r\nunbekannt\r\n\r\n\x80\xDF\xFF\r\nletzte";
  files.Put(paths.DeliveredRegister(), delivered);
  files.Deny(paths.DeliveredRegister());
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_EQ(files.Get(reg), delivered);
  EXPECT_EQ(LoadNameEntryList(files, paths).items, (Texts{"Anna", "", "\u20AC\u00DF\u00FF", "letzte"}));
  // Writable although the delivery copy is not; the unterminated last line stays whole.
  ASSERT_TRUE(Confirm("Ben"));
  EXPECT_EQ(files.Get(reg), delivered + "\r\nBen\r\n");
  files.Put(reg, "Zoe");
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_EQ(files.Get(reg), "Zoe");
}

TEST_F(Records, ConfirmingRecordsEachNameOnceInAnyCaseAndRefusesWithAReason) {
  files.Put(reg, "ANNA\r\nTom Berg");
  files.Put(paths.PupilLog("Tom Berg"), "Aufgabe 1\r\n");
  for (const char* box : {"", "", "anna", "Tom Berg"})
    ASSERT_TRUE(Confirm(box)) << box;
  EXPECT_EQ(pupil, "Tom Berg");
  EXPECT_EQ(files.Get(reg), "ANNA\r\nTom Berg\r\nunbekannt\r\n");
  EXPECT_EQ(*files.ListFiles(paths.LogFolder(), ".txt"), (Texts{"anna.txt", "Tom Berg.txt", "unbekannt.txt"}));
  EXPECT_EQ(files.Get(paths.PupilLog("Tom Berg")), "Aufgabe 1\r\n");
  EXPECT_FALSE(Confirm("Jörg"));
  EXPECT_FALSE(Confirm("COM1"));
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(messages.Take(), (Texts{"Gib bitte nur Buchstaben oder Zahlen ein!",
                                    "Diesen Namen kann ich nicht verwenden. Gib bitte einen anderen Namen ein!"}));
  EXPECT_EQ(pupil, "Tom Berg");
  EXPECT_EQ(files.ListFiles(paths.LogFolder(), ".txt")->size(), 3u);
}

TEST_F(Records, APupilIsLetInWhenTheLogOrTheRegisterCannotBeWritten) {
  files.Put(reg, "Anna\r\n");
  files.Deny(paths.LogFolder());
  ASSERT_TRUE(Confirm("Zoe"));
  EXPECT_EQ(pupil, "Zoe");
  EXPECT_EQ(files.Get(reg), "Anna\r\nZoe\r\n");
  EXPECT_EQ(messages.Take(), Texts{"Systemfehler 5"});
  // The log folder has gone while the dialog was open: it comes back with both files.
  fake::FakeFiles gone;
  gone.AddDirectory(paths.settingsFolder);
  ASSERT_TRUE(ConfirmPupilName(gone, messages, paths, "Emma", pupil));
  EXPECT_EQ(gone.Get(reg), "Emma\r\n");
  EXPECT_TRUE(gone.FileExists(paths.PupilLog("Emma")) && messages.shown.empty());
  // The register gone: it comes back from the delivery copy.
  gone.Put(paths.DeliveredRegister(), "Zoe\r\nAnna");
  gone.RemoveFile(reg);
  ASSERT_TRUE(ConfirmPupilName(gone, messages, paths, "anna", pupil));
  EXPECT_EQ(gone.Get(reg), "Zoe\r\nAnna");
}

TEST_F(Records, TheNameListDeletesAfterYesAndWritesWhatItShowsOnLeaving) {
  files.Put(reg, "ben\r\nunbekannt\r\n\r\nAnna\r\nBen\r\nanna\r\n\xC4nne");
  pupil = "Anna";
  NameList list{files, messages, paths, pupil};
  list.Load();
  EXPECT_EQ(list.Names(), (Texts{"", "Anna", "anna", "Ben", "ben", "unbekannt", "Änne"}));
  EXPECT_FALSE(list.DeleteName(std::nullopt));  // asks nothing
  messages.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
  EXPECT_FALSE(list.DeleteName("Ben"));
  EXPECT_TRUE(list.DeleteName("Ben"));
  EXPECT_TRUE(list.DeleteName("anna"));
  EXPECT_EQ(pupil, "Anna");  // only the exact name is the pupil's
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.Take()[2], "Soll der Name anna wirklich gelöscht werden?");
  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(list.DeleteName("Anna"));
  EXPECT_EQ(pupil, "");
  EXPECT_EQ(files.Get(reg), "ben\r\nunbekannt\r\n\r\nAnna\r\nBen\r\nanna\r\n\xC4nne");  // written only on leaving
  auto hold = files.HoldByOther(reg, FileAccess::ReadWrite, FileShare::None);
  EXPECT_FALSE(list.Leave({"ben", "", "unbekannt", "Änne"}));  // not written: the dialog stays
  hold.reset();
  ASSERT_TRUE(list.Leave({"ben", "", "unbekannt", "Änne"}));
  EXPECT_EQ(files.Get(reg), "ben\r\n\r\nunbekannt\r\n\xC4nne\r\n");
  // A register that could not be read is never overwritten by a leave.
  hold = files.HoldByOther(reg, FileAccess::ReadWrite, FileShare::None);
  list.Load();
  hold.reset();
  EXPECT_TRUE(list.Names().empty() && list.Leave({}));
  EXPECT_EQ(files.Get(reg), "ben\r\n\r\nunbekannt\r\n\xC4nne\r\n");
  EXPECT_EQ(messages.Take(),
            (Texts{"Soll der Name Anna wirklich gelöscht werden?", "Systemfehler 32", "Systemfehler 32"}));
}

TEST_F(Records, TheLogViewerListsShowsAndDeletesLogsOnlyAfterYes) {
  const std::string folder = paths.LogFolder() + "\\";
  for (const char* name : {"Anna.txt", "Ben.txt", "carl.TXT", "Namen.ini"})
    files.Put(folder + name, "A");
  LogViewer viewer{files, messages, paths.LogFolder()};
  viewer.Load();
  EXPECT_EQ(viewer.Logs(), (Texts{"Anna.txt", "Ben.txt", "carl.TXT"}));
  ASSERT_TRUE(viewer.ShowLog("Anna.txt"));
  auto hold = files.HoldByOther(folder + "Ben.txt", FileAccess::ReadWrite, FileShare::None);
  EXPECT_FALSE(viewer.ShowLog("Ben.txt"));
  EXPECT_FALSE(viewer.ShowLog("Dora.txt"));
  EXPECT_EQ(viewer.Text(), "A\r\n");
  EXPECT_EQ(viewer.ShownPath(), folder + "Anna.txt");
  // An exercise program appending to a log does not keep it from being read or deleted.
  auto writer = files.HoldByOther(folder + "carl.TXT", FileAccess::Write, FileShare::ReadWrite);
  EXPECT_TRUE(viewer.ShowLog("carl.TXT"));
  EXPECT_FALSE(viewer.DeleteLog(std::nullopt));  // asks nothing
  messages.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
  EXPECT_FALSE(viewer.DeleteLog("Anna.txt"));
  EXPECT_FALSE(viewer.DeleteLog("Ben.txt"));
  EXPECT_EQ(messages.shown[2].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.Take(),
            (Texts{"Systemfehler 32", "Systemfehler 2", "Wollen Sie die Datei Anna.txt wirklich löschen?",
                   "Wollen Sie die Datei Ben.txt wirklich löschen?", "Systemfehler 32"}));
  writer.reset();
  hold.reset();
  files.Put(folder + "Dora.txt", "");  // written meanwhile: listed after the deletion
  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(viewer.DeleteLog("carl.TXT"));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.Logs(), (Texts{"Anna.txt", "Ben.txt", "Dora.txt"}));
  EXPECT_TRUE(files.FileExists(folder + "Namen.ini"));
}

}  // namespace
}  // namespace lirabo
