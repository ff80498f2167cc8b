#include "records/log_viewer.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kFolder = "C:\\U\\Lirabo\\Protokoll_2";

TEST(LogText, EveryLineEndsInCrLfAndBytesAreWindows1252) {
  struct Case {
    std::string bytes, shown;
  };
  const Case cases[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb\r\n"},
      {"\r\n\r\n", "\r\n\r\n"},
      {"\n\r", "\r\n\r\n"},
      {"J\xF6rg \x80 \xDF", "Jörg € ß\r\n"},
      {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
  };
  for (const auto& c : cases) EXPECT_EQ(LogTextForDisplay(c.bytes), c.shown) << c.bytes;
}

TEST(LogText, LargeLogKeepsEveryLineUpToTheLast) {
  std::string bytes;
  for (int i = 0; i < 400000; ++i) bytes += "Zeile " + std::to_string(i) + " \xE4\r\n";
  bytes += "letzte";
  std::string shown = LogTextForDisplay(bytes);
  EXPECT_EQ(shown.size(), bytes.size() + 400000 + 2);
  EXPECT_EQ(shown.substr(0, 12), "Zeile 0 ä\r\n");
  EXPECT_TRUE(shown.ends_with("\r\nZeile 399999 ä\r\nletzte\r\n"));
}

class LogViewerTest : public ::testing::Test {
 protected:
  fake::FakeFiles files;
  fake::FakeMessages messages;
  LogViewer viewer{files, messages, kFolder};
};

TEST_F(LogViewerTest, ListsOnlyTheLogsOfTheFolderSortedAndCreatesAMissingFolder) {
  files.AddDirectory("C:\\U\\Lirabo");
  viewer.Load();
  EXPECT_TRUE(files.DirectoryExists(kFolder));
  EXPECT_TRUE(viewer.Logs().empty());
  EXPECT_TRUE(messages.shown.empty());

  files.Put(kFolder + "\\ben.txt", "");
  files.Put(kFolder + "\\Anna.txt", "");
  files.Put(kFolder + "\\Carl.TXT", "");
  files.Put(kFolder + "\\Namen.ini", "Anna\r\n");
  files.Put(kFolder + "\\Anna.txt.bak", "");
  files.Put(kFolder + "\\alt\\Dora.txt", "");
  viewer.Load();
  EXPECT_EQ(viewer.Logs(), (std::vector<std::string>{"Anna.txt", "ben.txt", "Carl.TXT"}));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.ShownPath(), "");
}

TEST_F(LogViewerTest, AFolderThatCannotBeCreatedIsReported) {
  files.AddDirectory("C:\\U\\Lirabo");
  files.ProtectFolder("C:\\U\\Lirabo");
  viewer.Load();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 5"});
  EXPECT_TRUE(viewer.Logs().empty());
}

TEST_F(LogViewerTest, ShowsALogAndKeepsItWhenTheNextCannotBeRead) {
  files.Put(kFolder + "\\Anna.txt", "Kamu 1: 3 Fehler\r\nTesra: gut");
  files.Put(kFolder + "\\Leer.txt", "");
  files.Put(kFolder + "\\Ben.txt", "x");
  viewer.Load();

  ASSERT_TRUE(viewer.ShowLog("Anna.txt"));
  EXPECT_EQ(viewer.Text(), "Kamu 1: 3 Fehler\r\nTesra: gut\r\n");
  EXPECT_EQ(viewer.ShownPath(), kFolder + "\\Anna.txt");

  // Held exclusively by an exercise program, then vanished: reported, nothing changes.
  auto hold = files.HoldByOther(kFolder + "\\Ben.txt", FileAccess::ReadWrite, FileShare::None);
  EXPECT_FALSE(viewer.ShowLog("Ben.txt"));
  hold.reset();
  files.files_.erase("C:\\U\\LIRABO\\PROTOKOLL_2\\BEN.TXT");
  EXPECT_FALSE(viewer.ShowLog("Ben.txt"));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Systemfehler 32", "Systemfehler 2"}));
  EXPECT_EQ(viewer.Text(), "Kamu 1: 3 Fehler\r\nTesra: gut\r\n");
  EXPECT_EQ(viewer.ShownPath(), kFolder + "\\Anna.txt");

  // A log being appended to by an exercise program can still be read.
  auto writer = files.HoldByOther(kFolder + "\\Leer.txt", FileAccess::Write, FileShare::ReadWrite);
  ASSERT_TRUE(viewer.ShowLog("Leer.txt"));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.ShownPath(), kFolder + "\\Leer.txt");
}

TEST_F(LogViewerTest, DeletesOnlyAfterYesAndEmptiesTheTextOnlyForTheShownLog) {
  files.Put(kFolder + "\\Anna.txt", "A");
  files.Put(kFolder + "\\Ben.txt", "B");
  files.Put(kFolder + "\\Namen.ini", "Anna\r\nBen\r\n");
  viewer.Load();
  ASSERT_TRUE(viewer.ShowLog("Anna.txt"));

  // Nothing selected: no question at all.
  EXPECT_FALSE(viewer.DeleteLog(std::nullopt));
  EXPECT_TRUE(messages.shown.empty());

  messages.answers = {MsgAnswer::No};
  EXPECT_FALSE(viewer.DeleteLog("Anna.txt"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Wollen Sie die Datei Anna.txt wirklich löschen?");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(messages.shown[0].title, "");
  EXPECT_TRUE(files.Has(kFolder + "\\Anna.txt"));
  EXPECT_EQ(viewer.Text(), "A\r\n");

  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(viewer.DeleteLog("Ben.txt"));
  EXPECT_FALSE(files.Has(kFolder + "\\Ben.txt"));
  EXPECT_EQ(viewer.Text(), "A\r\n");
  EXPECT_EQ(viewer.Logs(), std::vector<std::string>{"Anna.txt"});

  // A log written meanwhile appears with the refresh after a deletion.
  files.Put(kFolder + "\\Carl.txt", "");
  messages.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(viewer.DeleteLog("Anna.txt"));
  EXPECT_FALSE(files.Has(kFolder + "\\Anna.txt"));
  EXPECT_EQ(viewer.Text(), "");
  EXPECT_EQ(viewer.ShownPath(), "");
  EXPECT_EQ(viewer.Logs(), std::vector<std::string>{"Carl.txt"});
  EXPECT_EQ(files.Get(kFolder + "\\Namen.ini"), "Anna\r\nBen\r\n");
}

TEST_F(LogViewerTest, ALogThatCannotBeDeletedIsReportedAndStays) {
  files.Put(kFolder + "\\Anna.txt", "A");
  files.Put(kFolder + "\\Ben.txt", "B");
  viewer.Load();
  ASSERT_TRUE(viewer.ShowLog("Anna.txt"));
  auto hold = files.HoldByOther(kFolder + "\\Anna.txt", FileAccess::Write, FileShare::ReadWrite);
  files.SetReadOnly(kFolder + "\\Ben.txt");
  messages.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok};
  EXPECT_FALSE(viewer.DeleteLog("Anna.txt"));
  EXPECT_FALSE(viewer.DeleteLog("Ben.txt"));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Wollen Sie die Datei Anna.txt wirklich löschen?",
                                                        "Systemfehler 32",
                                                        "Wollen Sie die Datei Ben.txt wirklich löschen?",
                                                        "Systemfehler 5"}));
  EXPECT_TRUE(files.Has(kFolder + "\\Anna.txt"));
  EXPECT_TRUE(files.Has(kFolder + "\\Ben.txt"));
  EXPECT_EQ(viewer.Text(), "A\r\n");
  EXPECT_EQ(viewer.Logs(), (std::vector<std::string>{"Anna.txt", "Ben.txt"}));
}

}  // namespace
}  // namespace lirabo
