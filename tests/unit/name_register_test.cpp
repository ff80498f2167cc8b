#include "records/name_register.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

class NameRegister : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddDirectory(paths.settingsFolder);
    files.AddDirectory(paths.applicationPath);
  }
  void PutRegister(const std::string& bytes) { files.Put(paths.Register(), bytes); }
  std::string RegisterBytes() const { return files.Get(paths.Register()); }

  fake::FakeFiles files;
  RecordPaths paths{"C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
};

TEST_F(NameRegister, ReadsEveryLineAsItStands) {
  // 0xF6 is ö in the file's code page; the last line has no terminator.
  PutRegister("Anna\r\n  Ben \r\n\r\nJ\xF6rg\r\nAnna\r\nZoe");
  EXPECT_EQ(*ReadNameRegister(files, paths), (std::vector<std::string>{"Anna", "  Ben ", "", "Jörg", "Anna", "Zoe"}));
}

TEST_F(NameRegister, ACarriageReturnBeforeALineEndOrAtTheEndIsNeverPartOfAName) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string bytes;
    Lines names;
  } cases[] = {
      {"Anna\nBen\n", {"Anna", "Ben"}},
      {"Anna\r\r\nBen\r", {"Anna", "Ben"}},
      {"Anna\r\nBen\r\r", {"Anna", "Ben"}},
      {"Tom\rBerg\r\n", {"Tom\rBerg"}},  // a CR inside a line is not an end
      {"\r", {""}},
  };
  for (const auto& c : cases) {
    PutRegister(c.bytes);
    EXPECT_EQ(*ReadNameRegister(files, paths), c.names) << c.bytes;
  }
  // Appending after a last line that ends in a lone CR, and writing back, give CR LF.
  PutRegister("Ben\r");
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Anna"));
  ASSERT_FALSE(WriteNameRegister(files, paths, *ReadNameRegister(files, paths)));
  EXPECT_EQ(RegisterBytes(), "Ben\r\nAnna\r\n");
}

TEST_F(NameRegister, ContainsComparesWholeLinesInUpperCase) {
  PutRegister("M\xDCLLER\r\n Tom\r\nZoe");
  EXPECT_TRUE(*NameRegisterContains(files, paths, "müller"));
  EXPECT_TRUE(*NameRegisterContains(files, paths, "ZOE"));
  EXPECT_FALSE(*NameRegisterContains(files, paths, "Tom"));
  EXPECT_FALSE(*NameRegisterContains(files, paths, "Mull"));
  EXPECT_FALSE(*NameRegisterContains(files, paths, ""));
}

TEST_F(NameRegister, AppendsInTheFileCodePageAndNeverMergesWithAnUnterminatedLine) {
  PutRegister("Anna\r\n");
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Jörg"));
  EXPECT_EQ(RegisterBytes(), "Anna\r\nJ\xF6rg\r\n");

  PutRegister("Anna");
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Ben"));
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Ben"));  // duplicates are the caller's business
  EXPECT_EQ(RegisterBytes(), "Anna\r\nBen\r\nBen\r\n");

  files.RemoveFile(paths.Register());
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Zoe"));
  EXPECT_EQ(RegisterBytes(), "Zoe\r\n");

  // A full disk three bytes into the name: nothing of it stays.
  files.FailWritesAfter(3);
  EXPECT_EQ(AppendToNameRegister(files, paths, "Anna").code, win_error::kDiskFull);
  EXPECT_EQ(RegisterBytes(), "Zoe\r\n");
}

TEST_F(NameRegister, AFailedRewriteLeavesTheRegisterAsItWas) {
  PutRegister("Zoe\r\nAnna\r\n");
  files.FailWritesAfter(3);
  EXPECT_EQ(WriteNameRegister(files, paths, {"Anna", "Ben"}).code, win_error::kDiskFull);
  EXPECT_EQ(RegisterBytes(), "Zoe\r\nAnna\r\n");
  EXPECT_EQ(*files.ListFiles(paths.LogFolder(), ""), std::vector<std::string>{"Namen.ini"});
}

TEST_F(NameRegister, EnsureCopiesTheDeliveryCopyByteForByteOnlyWhenMissing) {
  const std::string delivered = "Anna\r\nunbekannt\r\n\r\n\x80\x8A\xDF\xFF\r\nletzte";
  files.Put(paths.DeliveredRegister(), delivered);
  files.SetReadOnly(paths.DeliveredRegister());
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_EQ(RegisterBytes(), delivered);
  // Writable even though the delivery copy is not; the unterminated last line stays whole.
  ASSERT_FALSE(AppendToNameRegister(files, paths, "Ben"));
  EXPECT_EQ(RegisterBytes(), delivered + "\r\nBen\r\n");

  PutRegister("Zoe");
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_EQ(RegisterBytes(), "Zoe");
}

TEST_F(NameRegister, EnsureStartsEmptyWithoutDeliveryAndLeavesNoHalfCopy) {
  ASSERT_FALSE(EnsureNameRegister(files, paths));
  EXPECT_TRUE(files.Has(paths.Register()));
  EXPECT_EQ(RegisterBytes(), "");

  files.RemoveFile(paths.Register());
  files.Put(paths.DeliveredRegister(), "Anna\r\nBen\r\n");
  files.FailWritesAfter(4);
  EXPECT_TRUE(EnsureNameRegister(files, paths));
  EXPECT_FALSE(files.Has(paths.Register()));
}

TEST_F(NameRegister, PupilLogIsCreatedEmptyOnceAndOnlyForSafeNames) {
  files.AddDirectory(paths.LogFolder());
  ASSERT_FALSE(EnsurePupilLog(files, paths, "Anna"));
  EXPECT_TRUE(files.Has(paths.PupilLog("Anna")));
  EXPECT_EQ(files.Get(paths.PupilLog("Anna")), "");
  files.Put(paths.PupilLog("Ben"), "Aufgabe 1: richtig\r\n");
  ASSERT_FALSE(EnsurePupilLog(files, paths, "BEN"));
  EXPECT_EQ(files.Get(paths.PupilLog("Ben")), "Aufgabe 1: richtig\r\n");

  for (const std::string& bad : std::vector<std::string>{"..\\Anna", "NUL", "com1", "a:b", "", "Tab\tName", "COM0", "lpt0.txt", "COM¹",
                          "LPT³ ", "Com² .log", std::string(300, 'a')}) {
    EXPECT_EQ(EnsurePupilLog(files, paths, bad).code, win_error::kInvalidName) << bad;
    EXPECT_FALSE(files.Has(paths.PupilLog(bad))) << bad;
  }
  for (std::string good : {"COM10", "LPT", "Comenius", "CONrad"}) EXPECT_TRUE(IsSafePupilFileName(good)) << good;
  // The log path may reach 259 characters, not 260.
  const std::size_t room = 259 - CodePointCount(paths.PupilLog(""));
  EXPECT_TRUE(IsUsablePupilName(paths, std::string(room, 'a')));
  EXPECT_FALSE(IsUsablePupilName(paths, std::string(room + 1, 'a')));
}

}  // namespace
}  // namespace lirabo
