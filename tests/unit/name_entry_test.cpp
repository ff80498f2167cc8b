#include "records/name_entry.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

// The character typed for a Windows-1252 code, as the window sees it.
char32_t Typed(int code) {
  std::string utf8 = Cp1252ToUtf8(std::string(1, static_cast<char>(code)));
  std::size_t pos = 0;
  return NextCodePoint(utf8, pos);
}

std::string Utf8(char32_t c) {
  std::string s;
  AppendUtf8(s, c);
  return s;
}

bool In(std::string_view set, char32_t c) { return Utf8ToCp1252(set).find(Utf8ToCp1252(Utf8(c))) != std::string::npos; }

constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

TEST(NameKeyFilter, AdmitsDigitsLettersAndTheGermanLettersOfAll256Codes) {
  const std::string admitted = std::string(kLettersAndDigits) + "ÄÖÜßäöü";
  for (int code = 0; code < 256; ++code) {
    char32_t c = Typed(code);
    NameKeyResult r = FilterNameKey("Ab", c);
    if (code == 8) {
      EXPECT_EQ(r.text, "A");
      EXPECT_TRUE(r.consumed);
    } else if (In(admitted, c) && code != 0) {
      EXPECT_EQ(r.text, "Ab" + Utf8(c)) << code;
      EXPECT_FALSE(r.consumed) << code;
    } else {
      EXPECT_EQ(r.text, "Ab") << code;
      EXPECT_TRUE(r.consumed) << code;
    }
  }
}

TEST(NameKeyFilter, KeepsEighteenCharactersAndBackspacesWholeCharacters) {
  std::string box;
  for (char32_t c : std::u32string_view(U"Jörg\u00DF\u00C4bcdefghijklmXY")) box = FilterNameKey(box, c).text;
  EXPECT_EQ(box, "JörgßÄbcdefghijklm");
  EXPECT_EQ(CodePointCount(box), 18u);
  NameKeyResult full = FilterNameKey(box, U'z');
  EXPECT_EQ(full.text, box);
  EXPECT_FALSE(full.consumed);

  EXPECT_EQ(FilterNameKey("Jö", 8).text, "J");
  NameKeyResult empty = FilterNameKey("", 8);
  EXPECT_EQ(empty.text, "");
  EXPECT_TRUE(empty.consumed);
}

TEST(PupilNameCheck, AdmitsSpaceDigitsAndAsciiLettersOfAll256Codes) {
  const std::string admitted = " " + std::string(kLettersAndDigits);
  for (int code = 0; code < 256; ++code) {
    char32_t c = Typed(code);
    bool inside = IsValidPupilName("A" + Utf8(c) + "9");
    bool atEnd = IsValidPupilName("Anna" + Utf8(c));
    bool expected = In(admitted, c) && code != 0;
    EXPECT_EQ(inside, expected) << code;
    EXPECT_EQ(atEnd, expected) << code;
  }
  // The filter and the check differ on purpose, in both directions.
  EXPECT_FALSE(FilterNameKey("", U'ö').consumed);
  EXPECT_FALSE(IsValidPupilName("Jörg"));
  EXPECT_TRUE(FilterNameKey("Tom", U' ').consumed);
  EXPECT_TRUE(IsValidPupilName("Tom Berg"));
}

TEST(NameEntryList, HidesOnlyTheExactAnonymousName) {
  EXPECT_EQ(NameEntryListItems({"Zoe", "unbekannt", "Unbekannt", "unbekannt ", "", "Zoe", "unbekannt"}),
            (std::vector<std::string>{"Zoe", "Unbekannt", "unbekannt ", "", "Zoe"}));
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

TEST_F(NameEntryConfirm, AnEmptyBoxIsTheAnonymousPupilRecordedOnce) {
  files.Put(paths.Register(), "Anna\r\n");
  ASSERT_TRUE(Confirm(""));
  EXPECT_EQ(pupil, "unbekannt");
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\nunbekannt\r\n");
  EXPECT_TRUE(files.Has(Log("unbekannt")));
  ASSERT_TRUE(Confirm(""));
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\nunbekannt\r\n");
  EXPECT_TRUE(messages.shown.empty());

  auto list = LoadNameEntryList(files, paths);
  EXPECT_EQ(list.items, std::vector<std::string>{"Anna"});
}

TEST_F(NameEntryConfirm, AKnownNameInOtherCaseAddsNoLineAndKeepsItsLog) {
  files.Put(paths.Register(), "ANNA\r\nTom Berg");
  files.Put(Log("Anna"), "Protokoll");
  ASSERT_TRUE(Confirm("anna"));
  EXPECT_EQ(pupil, "anna");
  EXPECT_EQ(files.Get(Log("Anna")), "Protokoll");
  ASSERT_TRUE(Confirm("Tom Berg"));
  EXPECT_EQ(pupil, "Tom Berg");
  EXPECT_EQ(files.Get(paths.Register()), "ANNA\r\nTom Berg");
  EXPECT_TRUE(files.Has(Log("Tom Berg")));
}

TEST_F(NameEntryConfirm, RefusedNamesWriteNothing) {
  files.Put(paths.Register(), "Anna\r\n");
  EXPECT_FALSE(Confirm("Jörg"));
  EXPECT_FALSE(Confirm("Nul"));
  EXPECT_FALSE(Confirm("Ann-Kathrin"));
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text, "Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(messages.shown[0].title, "");
  EXPECT_EQ(messages.shown[1].text, texts::kNameNotUsable);
  EXPECT_EQ(messages.shown[2].text, "Gib bitte nur Buchstaben oder Zahlen ein!");
  EXPECT_EQ(pupil, "vorher");
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\n");
  EXPECT_EQ(files.ListFiles(paths.LogFolder(), ".txt")->size(), 0u);
}

TEST_F(NameEntryConfirm, FileFailuresAreShownAndCanBeRetried) {
  files.Put(paths.Register(), "Anna\r\n");
  {
    auto held = files.HoldByOther(paths.Register(), FileAccess::ReadWrite, FileShare::None);
    EXPECT_FALSE(Confirm("Ben"));
  }
  ASSERT_EQ(messages.Texts(), std::vector<std::string>{fake::Error(win_error::kSharingViolation).description});
  EXPECT_EQ(pupil, "vorher");
  ASSERT_TRUE(Confirm("Ben"));
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\nBen\r\n");

  files.ProtectFolder(paths.LogFolder());
  EXPECT_FALSE(Confirm("Zoe"));
  EXPECT_EQ(messages.shown.back().text, fake::Error(win_error::kAccessDenied).description);
  EXPECT_EQ(files.Get(paths.Register()), "Anna\r\nBen\r\n");
}

TEST_F(NameEntryConfirm, AMissingRegisterIsTheDeliveryCopyPlusTheName) {
  const std::string delivered = "Zoe\r\nunbekannt\r\n\r\nAnna\r\nAnna";
  files.Put(paths.DeliveredRegister(), delivered);
  auto list = LoadNameEntryList(files, paths);
  EXPECT_FALSE(list.error);
  EXPECT_EQ(list.items, (std::vector<std::string>{"Zoe", "", "Anna", "Anna"}));
  ASSERT_TRUE(Confirm("Ben"));
  EXPECT_EQ(files.Get(paths.Register()), delivered + "\r\nBen\r\n");

  // Gone again while the dialog was open: taken from the delivery copy once more.
  files.RemoveFile(paths.Register());
  ASSERT_TRUE(Confirm("Anna"));
  EXPECT_EQ(files.Get(paths.Register()), delivered);
}

TEST_F(NameEntryConfirm, LoadingReportsWhatKeepsTheRegisterAway) {
  fake::FakeFiles bare;
  bare.AddDirectory(paths.settingsFolder);
  auto empty = LoadNameEntryList(bare, paths);
  EXPECT_FALSE(empty.error);
  EXPECT_TRUE(empty.items.empty());
  EXPECT_TRUE(bare.Has(paths.Register()));

  files.Put(paths.Register(), "Anna\r\n");
  auto held = files.HoldByOther(paths.Register(), FileAccess::Write, FileShare::None);
  auto list = LoadNameEntryList(files, paths);
  EXPECT_EQ(list.error.code, win_error::kSharingViolation);
  EXPECT_TRUE(list.items.empty());
}

}  // namespace
}  // namespace lirabo
