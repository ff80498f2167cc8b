#include "records/name_entry.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

// A Windows-1252 code as the window sees it: as UTF-8 text and as a code point.
std::string Utf8Of(int code) { return Cp1252ToUtf8(std::string(1, static_cast<char>(code))); }
char32_t CodePointOf(int code) {
  std::size_t pos = 0;
  return NextCodePoint(Utf8Of(code), pos);
}
bool Among(std::string_view codes, int code) { return codes.find(static_cast<char>(code)) != std::string_view::npos; }

constexpr std::string_view kAsciiLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

TEST(NameKeys, FilterAndCheckOverAll256Codes) {
  const std::string typeable = std::string(kAsciiLettersAndDigits) + "\xC4\xD6\xDC\xDF\xE4\xF6\xFC";  // ÄÖÜßäöü
  const std::string valid = " " + std::string(kAsciiLettersAndDigits);
  for (int code = 0; code < 256; ++code) {
    NameKeyResult r = FilterNameKey("Ab", CodePointOf(code));
    if (code == 8) {
      EXPECT_EQ(r.text, "A");
      EXPECT_TRUE(r.consumed);
    } else if (Among(typeable, code)) {
      EXPECT_EQ(r.text, "Ab" + Utf8Of(code)) << code;
      EXPECT_FALSE(r.consumed) << code;
    } else {
      EXPECT_EQ(r.text, "Ab") << code;
      EXPECT_TRUE(r.consumed) << code;
    }
    EXPECT_EQ(IsValidPupilName("A" + Utf8Of(code) + "9"), Among(valid, code)) << code;
    EXPECT_EQ(IsValidPupilName("Anna" + Utf8Of(code)), Among(valid, code)) << code;
  }
}

TEST(NameKeys, BoxKeepsEighteenCharactersAndBackspaceRemovesWholeOnes) {
  std::string box;
  for (char32_t c : std::u32string_view(U"Jörg\u00DF\u00C4bcdefghijklmXY")) box = FilterNameKey(box, c).text;
  EXPECT_EQ(box, "JörgßÄbcdefghijklm");
  EXPECT_EQ(FilterNameKey("Jö", 8).text, "J");
  EXPECT_EQ(FilterNameKey("", 8).text, "");
}

class NameEntryConfirm : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddDirectory(paths.LogFolder());
    files.AddDirectory(paths.applicationPath + "\\Protokoll_2");
  }
  bool Confirm(const std::string& box) { return ConfirmPupilName(files, messages, paths, box, pupil); }
  std::string Log(const std::string& name) const { return paths.LogFolder() + "\\" + name + ".txt"; }

  fake::FakeFiles files;
  fake::FakeMessages messages;
  RecordPaths paths{"C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  std::string pupil = "vorher";
};

TEST_F(NameEntryConfirm, AnEmptyBoxIsUnbekanntAndEveryNameIsRecordedOnceInAnyCase) {
  files.Put(paths.Register(), "ANNA\r\nTom Berg");
  ASSERT_TRUE(Confirm(""));
  EXPECT_EQ(pupil, "unbekannt");
  EXPECT_TRUE(files.Has(Log("unbekannt")));
  ASSERT_TRUE(Confirm(""));
  ASSERT_TRUE(Confirm("anna"));
  EXPECT_EQ(pupil, "anna");
  ASSERT_TRUE(Confirm("Tom Berg"));
  EXPECT_EQ(pupil, "Tom Berg");
  EXPECT_TRUE(files.Has(Log("Tom Berg")));
  EXPECT_EQ(files.Get(paths.Register()), "ANNA\r\nTom Berg\r\nunbekannt\r\n");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(LoadNameEntryList(files, paths).items, (std::vector<std::string>{"ANNA", "Tom Berg"}));
}

TEST_F(NameEntryConfirm, RefusedNamesAreExplainedAndRecordNothing) {
  files.Put(paths.Register(), "Anna\r\n");
  EXPECT_FALSE(Confirm("Jörg"));
  EXPECT_FALSE(Confirm("Nul"));
  EXPECT_FALSE(Confirm("COM1"));
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text, "Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(messages.shown[1].text, "Diesen Namen kann ich nicht verwenden. Gib bitte einen anderen Namen ein!");
  EXPECT_EQ(pupil, "vorher");
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\n");
  EXPECT_EQ(files.ListFiles(paths.LogFolder(), ".txt")->size(), 0u);
}

TEST_F(NameEntryConfirm, APupilIsLetInWhenTheLogOrTheRegisterCannotBeWritten) {
  // The log folder is write-protected: the register takes the name, the log fails.
  files.Put(paths.Register(), "Anna\r\n");
  files.ProtectFolder(paths.LogFolder());
  ASSERT_TRUE(Confirm("Zoe"));
  EXPECT_EQ(pupil, "Zoe");
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\nZoe\r\n");
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{fake::Error(win_error::kAccessDenied).description});

  // A full disk: the register keeps its old bytes, the name is taken all the same.
  fake::FakeFiles full;
  full.Put(paths.Register(), "Anna\r\n");
  full.FailWritesAfter(2);
  fake::FakeMessages told;
  std::string name;
  ASSERT_TRUE(ConfirmPupilName(full, told, paths, "Ben", name));
  EXPECT_EQ(name, "Ben");
  EXPECT_EQ(full.Get(paths.Register()), "Anna\r\n");
  EXPECT_EQ(told.Texts(), std::vector<std::string>{fake::Error(win_error::kDiskFull).description});
  EXPECT_TRUE(full.Has(paths.PupilLog("Ben")));  // an empty log needs no room

  // The log folder has gone while the dialog was open: it comes back with both files.
  fake::FakeFiles gone;
  gone.AddDirectory(paths.settingsFolder);
  fake::FakeMessages quiet;
  ASSERT_TRUE(ConfirmPupilName(gone, quiet, paths, "Emma", name));
  EXPECT_EQ(gone.Get(paths.Register()), "Emma\r\n");
  EXPECT_TRUE(gone.Has(paths.PupilLog("Emma")));
  EXPECT_TRUE(quiet.shown.empty());
}

TEST_F(NameEntryConfirm, ARegisterGoneWhileTheDialogIsOpenComesBackFromTheDeliveryCopy) {
  const std::string delivered = "Zoe\r\nunbekannt\r\n\r\nAnna";
  files.Put(paths.DeliveredRegister(), delivered);
  EXPECT_EQ(LoadNameEntryList(files, paths).items, (std::vector<std::string>{"Zoe", "", "Anna"}));
  files.RemoveFile(paths.Register());
  ASSERT_TRUE(Confirm("Ben"));
  EXPECT_EQ(files.Get(paths.Register()), delivered + "\r\nBen\r\n");
  files.RemoveFile(paths.Register());
  ASSERT_TRUE(Confirm("anna"));
  EXPECT_EQ(files.Get(paths.Register()), delivered);
}

}  // namespace
}  // namespace lirabo
