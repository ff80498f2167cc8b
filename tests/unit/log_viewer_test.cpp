#include "records/log_viewer.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kFolder = "C:\\U\\Lirabo\\Protokoll_2";
using Texts = std::vector<std::string>;

TEST(LogText, EveryLineEndsInCrLfAndBytesAreWindows1252) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"a", "a\r\n"}, {"a\r\nb", "a\r\nb\r\n"}, {"a\nb\n", "a\r\nb\r\n"}, {"a\rb", "a\r\nb\r\n"},
      {"\r\n\r\n", "\r\n\r\n"}, {"\n\r", "\r\n\r\n"}, {"J\xF6rg \x80 \xDF", "Jörg € ß\r\n"},
      {std::string("a\0\0b", 4), "a  b\r\n"}};
  for (const auto& [bytes, shown] : cases) EXPECT_EQ(LogTextForDisplay(bytes), shown) << bytes;
}

class LogViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Put("Anna.txt", "A");
    Put("Ben.txt", "B");
    viewer.Load();
    ASSERT_TRUE(viewer.ShowLog("Anna.txt"));
  }
  void Put(const std::string& name, const std::string& bytes) { files.Put(kFolder + "\\" + name, bytes); }
  bool Has(const std::string& name) const { return files.Has(kFolder + "\\" + name); }
  void ExpectAnnaShown() {
    EXPECT_EQ(viewer.Text(), "A\r\n");
    EXPECT_EQ(viewer.ShownPath(), kFolder + "\\Anna.txt");
  }

  fake::FakeFiles files;
  fake::FakeMessages messages;
  LogViewer viewer{files, messages, kFolder};
};

TEST_F(LogViewerTest, CreatesAMissingFolderAndListsOnlyItsLogsSorted) {
  LogViewer other{files, messages, "C:\\U\\Lirabo\\Protokoll_3"};
  other.Load();
  EXPECT_TRUE(files.DirectoryExists("C:\\U\\Lirabo\\Protokoll_3"));
  for (const char* name : {"carl.txt", "Dora.TXT", "Namen.ini"}) Put(name, "");
  viewer.Load();
  EXPECT_EQ(viewer.Logs(), (Texts{"Anna.txt", "Ben.txt", "carl.txt", "Dora.TXT"}));
  EXPECT_EQ(viewer.ShownPath(), "");
}

TEST_F(LogViewerTest, ALogThatCannotBeReadIsReportedAndTheShownOneStays) {
  auto hold = files.HoldByOther(kFolder + "\\Ben.txt", FileAccess::ReadWrite, FileShare::None);
  EXPECT_FALSE(viewer.ShowLog("Ben.txt"));
  hold.reset();
  files.RemoveFile(kFolder + "\\Ben.txt");
  EXPECT_FALSE(viewer.ShowLog("Ben.txt"));
  EXPECT_EQ(messages.Texts(), (Texts{"Systemfehler 32", "Systemfehler 2"}));
  ExpectAnnaShown();

  // An exercise program appending to a log does not keep it from being read.
  Put("Leer.txt", "");
  auto writer = files.HoldByOther(kFolder + "\\Leer.txt", FileAccess::Write, FileShare::ReadWrite);
  ASSERT_TRUE(viewer.ShowLog("Leer.txt"));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.ShownPath(), kFolder + "\\Leer.txt");
}

TEST_F(LogViewerTest, DeletesOnlyAfterYesAndEmptiesTheTextOnlyForTheShownLog) {
  Put("Namen.ini", "Anna\r\n");
  EXPECT_FALSE(viewer.DeleteLog(std::nullopt));  // asks nothing

  messages.answers = {MsgAnswer::No, MsgAnswer::Yes};
  EXPECT_FALSE(viewer.DeleteLog("Anna.txt"));
  EXPECT_TRUE(viewer.DeleteLog("Ben.txt"));
  EXPECT_EQ(messages.Texts(), (Texts{"Wollen Sie die Datei Anna.txt wirklich löschen?",
                                     "Wollen Sie die Datei Ben.txt wirklich löschen?"}));
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(Has("Anna.txt"));
  EXPECT_FALSE(Has("Ben.txt"));
  ExpectAnnaShown();
  EXPECT_EQ(viewer.Logs(), Texts{"Anna.txt"});

  Put("Carl.txt", "");  // written meanwhile: listed after the deletion
  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(viewer.DeleteLog("Anna.txt"));
  EXPECT_FALSE(Has("Anna.txt"));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.ShownPath(), "");
  EXPECT_EQ(viewer.Logs(), Texts{"Carl.txt"});
  EXPECT_EQ(files.Get(kFolder + "\\Namen.ini"), "Anna\r\n");
}

TEST_F(LogViewerTest, ALogThatCannotBeDeletedIsReportedAndStays) {
  auto hold = files.HoldByOther(kFolder + "\\Anna.txt", FileAccess::Write, FileShare::ReadWrite);
  files.SetReadOnly(kFolder + "\\Ben.txt");
  messages.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok};
  EXPECT_FALSE(viewer.DeleteLog("Anna.txt"));
  EXPECT_FALSE(viewer.DeleteLog("Ben.txt"));
  EXPECT_EQ(messages.Texts(), (Texts{"Wollen Sie die Datei Anna.txt wirklich löschen?", "Systemfehler 32",
                                     "Wollen Sie die Datei Ben.txt wirklich löschen?", "Systemfehler 5"}));
  EXPECT_TRUE(Has("Anna.txt") && Has("Ben.txt"));
  ExpectAnnaShown();
  EXPECT_EQ(viewer.Logs(), (Texts{"Anna.txt", "Ben.txt"}));
}

}  // namespace
}  // namespace lirabo
