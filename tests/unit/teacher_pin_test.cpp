#include <gtest/gtest.h>

#include <cctype>

#include "common/services.h"
#include "common/teacher_pin.h"
#include "menu/teacher_pin_gate.h"
#include "options/teacher_pin_setting.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using namespace std::chrono_literals;

PinRecord SampleRecord() {
  PinRecord record{200000, {}, {}};
  for (int i = 0; i < 16; ++i) record.salt.push_back(static_cast<char>(i * 17));        // 00 11 ... ff
  for (int i = 0; i < 32; ++i) record.key.push_back(static_cast<char>(0xA0 + i * 2));  // a0 a2 ... de
  return record;
}

TEST(PinFile, WritesOneLineOfLowerCaseHexAndReadsItBack) {
  const PinRecord record = SampleRecord();
  const std::string line = FormatPinFile(record);
  EXPECT_EQ(line, "pbkdf2-sha256:200000:00112233445566778899aabbccddeeff:"
                  "a0a2a4a6a8aaacaeb0b2b4b6b8babcbec0c2c4c6c8caccced0d2d4d6d8dadcde\r\n");
  EXPECT_EQ(ParsePinFile(line), record);
  // Upper-case digits and a line without its CR LF mean the same.
  std::string upper = line;
  for (std::size_t i = 21; i < upper.size(); ++i) upper[i] = static_cast<char>(std::toupper(upper[i]));
  EXPECT_EQ(ParsePinFile(upper), record);
  EXPECT_EQ(ParsePinFile(line.substr(0, line.size() - 2)), record);
  // The iteration count is the file's, within its bounds.
  for (std::uint32_t count : {100000u, 2000000u}) {
    PinRecord other = record;
    other.iterations = count;
    EXPECT_EQ(ParsePinFile(FormatPinFile(other)), other) << count;
  }
}

TEST(PinFile, AnythingButOneValidLineIsDamaged) {
  const std::string salt = "00112233445566778899aabbccddeeff";
  const std::string key = "a0a2a4a6a8aaacaeb0b2b4b6b8babcbec0c2c4c6c8caccced0d2d4d6d8dadcde";
  const std::string good = "pbkdf2-sha256:200000:" + salt + ":" + key;
  ASSERT_TRUE(ParsePinFile(good + "\r\n"));
  const std::vector<std::string> damaged = {
      "",
      "\r\n",
      good + "\r\n" + good + "\r\n",
      good + "\r\n\r\n",
      good + "\n",
      good + " \r\n",
      " " + good,
      "\xEF\xBB\xBF" + good,
      "pbkdf2-sha1:200000:" + salt + ":" + key,
      "PBKDF2-SHA256:200000:" + salt + ":" + key,
      "pbkdf2-sha256:0:" + salt + ":" + key,
      "pbkdf2-sha256:-1:" + salt + ":" + key,
      "pbkdf2-sha256:+1:" + salt + ":" + key,
      "pbkdf2-sha256:0200000:" + salt + ":" + key,
      "pbkdf2-sha256:99999:" + salt + ":" + key,
      "pbkdf2-sha256:2000001:" + salt + ":" + key,
      "pbkdf2-sha256:4294967297:" + salt + ":" + key,
      "pbkdf2-sha256::" + salt + ":" + key,
      "pbkdf2-sha256:200000:" + salt.substr(1) + ":" + key,
      "pbkdf2-sha256:200000:" + salt + "0:" + key,
      "pbkdf2-sha256:200000:" + salt.substr(0, 31) + "g:" + key,
      "pbkdf2-sha256:200000:" + salt + ":" + key.substr(1),
      "pbkdf2-sha256:200000:" + salt + ":" + key + "0",
      "pbkdf2-sha256:200000:" + salt + ":" + key + ":",
      "pbkdf2-sha256:200000:" + salt + ":" + key.substr(0, 10) + std::string(1, '\0') + key.substr(11),
      "pbkdf2-sha256:200000:" + salt,
  };
  for (const std::string& bytes : damaged) EXPECT_FALSE(ParsePinFile(bytes)) << bytes;
}

TEST(PinEntry, OnlyFourToTwelveDigitsAreAPinAndKeysCompareWhole) {
  for (const char* pin : {"0000", "4711", "123456789012", "007007"}) EXPECT_TRUE(IsWellFormedPin(pin)) << pin;
  EXPECT_FALSE(IsWellFormedPin("12345", kNewPinMinDigits));
  for (const char* pin : {"", "123", "1234567890123", "12a4", " 1234", "1234 ", "١٢٣٤", "12-34"})
    EXPECT_FALSE(IsWellFormedPin(pin)) << pin;

  EXPECT_TRUE(ConstantTimeEqual("", ""));
  EXPECT_TRUE(ConstantTimeEqual(std::string("a\0b", 3), std::string("a\0b", 3)));
  EXPECT_FALSE(ConstantTimeEqual("abcd", "abce"));
  EXPECT_FALSE(ConstantTimeEqual("xbcd", "abcd"));
  EXPECT_FALSE(ConstantTimeEqual("abc", "abcd"));
  EXPECT_FALSE(ConstantTimeEqual(std::string("\x80", 1), std::string("\x00", 1)));
}

TEST(PinRecordTest, ANewRecordHasAFreshSaltAndMatchesOnlyItsPin) {
  fake::FakeCrypto crypto;
  auto first = MakePinRecord(crypto, "4711");
  auto second = MakePinRecord(crypto, "4711");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->iterations, kNewPinIterations);
  EXPECT_EQ(first->salt.size(), kPinSaltBytes);
  EXPECT_EQ(first->key.size(), kPinKeyBytes);
  EXPECT_NE(first->salt, second->salt);
  EXPECT_NE(first->key, second->key);
  EXPECT_TRUE(*PinMatches(crypto, *first, "4711"));
  EXPECT_FALSE(*PinMatches(crypto, *first, "4712"));
  EXPECT_FALSE(*PinMatches(crypto, *first, "47110"));

  crypto.failure = fake::Error(87);
  EXPECT_EQ(MakePinRecord(crypto, "4711").error().code, 87u);
  EXPECT_EQ(PinMatches(crypto, *first, "4711").error().code, 87u);
}

class PinTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDirectory(system.applicationPath); }
  // A file as regelpult writes it, with `iterations` to keep the test quick.
  void SetPin(const std::string& pin, std::uint32_t iterations = kMinPinIterations) {
    files.Put(path, FormatPinFile(*MakePinRecord(crypto, pin, iterations)));
  }

  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  fake::FakeCrypto crypto;
  fake::FakeClock clock;
  const std::string path = system.applicationPath + "\\lehrerpin.ini";
  const std::string noSettings;  // the lock-out is kept in memory only
};

class PinGate : public PinTest {
 protected:
  TeacherPinGate gate{files, system, crypto, clock, noSettings};
};

TEST_F(PinGate, WithoutAPinF6TogglesAtOnceAndAShownMenuHidesWithoutAsking) {
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Toggle);
  EXPECT_EQ(gate.OnF6(true), TeacherMenuKey::Toggle);
  SetPin("4711");
  const int reads = files.OpenCalls(path);
  EXPECT_EQ(gate.OnF6(true), TeacherMenuKey::Toggle);
  EXPECT_EQ(files.OpenCalls(path), reads);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
}

TEST_F(PinGate, TheRightPinOpensWithTheFilesIterationsAndWrongOnesMayBeRetried) {
  SetPin("4711", 100007);
  crypto.derivations.clear();
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("1234"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Right);
  ASSERT_EQ(crypto.derivations.size(), 2u);
  EXPECT_EQ(crypto.derivations[1].password, "4711");
  EXPECT_EQ(crypto.derivations[1].iterations, 100007u);
}

TEST_F(PinGate, ThreeWrongPinsInARowLockF6ForAMinuteAcrossDialogs) {
  SetPin("4711");
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("1111"), PinAnswer::Wrong);
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);  // "Abbrechen" and F6 again: the count goes on
  EXPECT_EQ(gate.Check("2222"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("3333"), PinAnswer::LockedOut);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Ignore);
  clock.now += 59999ms, clock.wall += 59999ms;
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Ignore);
  clock.now += 1ms, clock.wall += 1ms;
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  // Three fresh tries; a right PIN starts the count again.
  EXPECT_EQ(gate.Check("1111"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("2222"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Right);
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("1111"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("2222"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("3333"), PinAnswer::LockedOut);
}

TEST_F(PinGate, EntriesThatCannotBeAPinCountAsWrongWithoutDerivingAKey) {
  SetPin("4711");
  crypto.derivations.clear();
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check(""), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("471"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("4711000000000"), PinAnswer::LockedOut);
  EXPECT_TRUE(crypto.derivations.empty());
}

TEST_F(PinGate, AFailedCheckIsReportedAndNotCounted) {
  SetPin("4711");
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  crypto.failure = fake::Error(1359);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Failed);
  EXPECT_EQ(gate.CheckError().description, "Systemfehler 1359");
  crypto.failure.reset();
  EXPECT_EQ(gate.Check("1111"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("2222"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Right);
}

TEST_F(PinGate, TheFileIsReadAtEveryF6SoChangesApplyAtOnceEvenDuringALockOut) {
  SetPin("4711");
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  SetPin("9876");
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("9876"), PinAnswer::Right);

  for (const char* wrong : {"1111", "2222", "3333"}) gate.Check(wrong);
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::Ignore);
  files.RemoveFile(path);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Toggle);
}

TEST_F(PinGate, ADamagedOrUnreadableFileOpensNothing) {
  files.Put(path, "1234\r\n");
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Damaged);
  EXPECT_EQ(gate.OnF6(true), TeacherMenuKey::Toggle);  // a shown menu still hides

  SetPin("4711");
  auto writer = files.HoldByOther(path, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate.ReadError().code, win_error::kSharingViolation);
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  writer.reset();

  // Too large to be read at all.
  files.Put(path, FormatPinFile(SampleRecord()) + std::string(400, ' '));
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Damaged);
  // A program folder that is gone (a dropped share) is no "no PIN".
  system.applicationPath = "N:\\Lirabo";
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate.ReadError().code, win_error::kPathNotFound);
}

TEST_F(PinTest, ACopyOfTheProgramElsewhereFindsThePinOfTheInstalledFolder) {
  SetPin("4711");
  files.AddDirectory("C:\\Kopie");
  system.applicationPath = "C:\\Kopie";
  TeacherPinGate copy{files, system, crypto, clock, noSettings, "C:\\LIRABO\\"};
  EXPECT_EQ(copy.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(copy.Check("4711"), PinAnswer::Right);
  TeacherPinGate uninstalled{files, system, crypto, clock, noSettings};
  EXPECT_EQ(uninstalled.OnF6(false), TeacherMenuKey::Toggle);
}

class PinSetting : public PinTest {
 protected:
  Services services{files, system, messages};
  TeacherPinSetting setting{services, crypto, path};
};

TEST_F(PinSetting, SavingWritesOneLineWith200000IterationsAndTellsTheTeacher) {
  setting.Load();
  EXPECT_EQ(setting.State(), PinFileState::None);
  EXPECT_EQ(setting.StateText(), texts::kPinStateNone);
  EXPECT_EQ(setting.LoadProblem(), "");
  EXPECT_FALSE(setting.CanRemove());

  ASSERT_TRUE(setting.Save("471100", "471100"));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Die PIN gilt ab sofort für alle Computer dieser Installation."});
  const std::string bytes = files.Get(path);
  EXPECT_EQ(bytes.substr(0, 21), "pbkdf2-sha256:200000:");
  EXPECT_EQ(bytes.size(), 21u + 32 + 1 + 64 + 2);
  auto record = ParsePinFile(bytes);
  ASSERT_TRUE(record);
  EXPECT_TRUE(*PinMatches(crypto, *record, "471100"));
  EXPECT_EQ(*files.ListFiles(system.applicationPath, ""), std::vector<std::string>{"lehrerpin.ini"});
  EXPECT_TRUE(setting.CanRemove());
}

TEST_F(PinSetting, EntriesThatAreNoPinOrDoNotMatchWriteNothing) {
  SetPin("4711");
  const std::string before = files.Get(path);
  crypto.derivations.clear();
  struct Case {
    const char* pin;
    const char* repeated;
    const char* message;
  };
  const Case cases[] = {
      {"", "", texts::kPinNotDigits},
      {"123", "123", texts::kPinNotDigits},
      {"12345", "12345", texts::kPinNotDigits},
      {"1234567890123", "1234567890123", texts::kPinNotDigits},
      {"12a4", "12a4", texts::kPinNotDigits},
      {"123456", "123465", texts::kPinMismatch},
      {"123456", "", texts::kPinMismatch},
      {"1234567", "123456", texts::kPinMismatch},
  };
  for (const Case& c : cases) {
    messages.shown.clear();
    EXPECT_FALSE(setting.Save(c.pin, c.repeated)) << c.pin << "/" << c.repeated;
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message}) << c.pin << "/" << c.repeated;
  }
  EXPECT_EQ(files.Get(path), before);
  EXPECT_TRUE(crypto.derivations.empty());
}

TEST_F(PinSetting, AFailedWriteKeepsTheOldPinAndSaysWhy) {
  SetPin("4711");
  const std::string before = files.Get(path);
  files.FailWritesAfter(20);
  EXPECT_FALSE(setting.Save("987654", "987654"));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Die PIN konnte nicht gespeichert werden.\r\nSystemfehler 112"});
  EXPECT_EQ(files.Get(path), before);
  EXPECT_EQ(*files.ListFiles(system.applicationPath, ""), std::vector<std::string>{"lehrerpin.ini"});

  // A write-protected file: refused after the usual waits.
  files.writeBudget_.reset();
  files.SetReadOnly(path);
  messages.shown.clear();
  EXPECT_FALSE(setting.Save("987654", "987654"));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Die PIN konnte nicht gespeichert werden.\r\nSystemfehler 5"});
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  EXPECT_EQ(files.Get(path), before);
}

TEST_F(PinSetting, RemovingDeletesTheFile) {
  SetPin("4711");
  setting.Load();
  EXPECT_EQ(setting.State(), PinFileState::Set);
  EXPECT_EQ(setting.StateText(), texts::kPinStateSet);
  ASSERT_TRUE(setting.CanRemove());
  ASSERT_TRUE(setting.Remove());
  EXPECT_FALSE(files.Has(path));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{texts::kPinRemoved});
  EXPECT_FALSE(setting.CanRemove());
  EXPECT_TRUE(setting.Remove());  // already gone: nothing to refuse

  SetPin("4711");
  files.SetReadOnly(path);
  messages.shown.clear();
  EXPECT_FALSE(setting.Remove());
  EXPECT_TRUE(files.Has(path));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Die PIN konnte nicht entfernt werden.\r\nSystemfehler 5"});
}

TEST_F(PinSetting, ADamagedFileIsReportedAndANewPinReplacesIt) {
  files.Put(path, "pbkdf2-sha256:200000:kaputt\r\n");
  setting.Load();
  EXPECT_EQ(setting.State(), PinFileState::Damaged);
  EXPECT_EQ(setting.LoadProblem(), texts::kPinDamagedHere);
  EXPECT_EQ(setting.StateText(), "Die Datei lehrerpin.ini ist beschädigt.");
  EXPECT_TRUE(setting.CanRemove());
  ASSERT_TRUE(setting.Save("246802", "246802"));
  auto record = ParsePinFile(files.Get(path));
  ASSERT_TRUE(record);
  EXPECT_TRUE(*PinMatches(crypto, *record, "246802"));
}

}  // namespace
}  // namespace lirabo
