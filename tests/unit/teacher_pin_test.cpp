// F6 and the teacher PIN, the lock-out after wrong PINs as a pupil would probe it (restarts
// of the menu, clocks set back and forth, the lock file damaged or deleted), and
// regelpult's PIN setting.
#include <gtest/gtest.h>

#include <optional>

#include "teacher_pin/teacher_pin_gate.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using namespace std::chrono_literals;

struct PinGate : ::testing::Test, fake::World {
  const std::string settings = fake::kSettings, lockFile = settings + "\\pinsperre.ini";
  const std::string pinFile = fake::kApp + "\\lehrerpin.ini";
  std::optional<TeacherPinGate> gate;
  void SetUp() override {
    SetPin("4711", kMinPinIterations);
    gate.emplace(files, system, crypto, clock, settings);
  }
  void SetPin(const char* pin, std::uint32_t iterations) {
    files.Put(pinFile, FormatPinFile(*MakePinRecord(crypto, pin, iterations)));
  }
  void Try(const char* pin) {
    if (gate->OnF6(false) == TeacherMenuKey::AskPin) gate->Check(pin);
  }
  // "wrong PINs/minutes" of the lock file; what it holds if that is no lock.
  std::string LockFile() {
    const auto lock = ParsePinLock(files.Get(lockFile));
    if (!lock) return files.Get(lockFile);
    return std::to_string(lock->wrongPins) + "/" + std::to_string((lock->lockEnd - lock->lockStart) / 60000);
  }
};

TEST_F(PinGate, TheLockOutSurvivesRestartsAndClockChangesButNotADeletedOrDamagedFile) {
  // w a wrong PIN, R the right one (each after F6), c F6 alone, r the menu ends and starts
  // again, m a minute passes, b the wall clock goes back an hour, f forward an hour,
  // d the lock file is damaged, L it holds a lock-out of 61 minutes, x it is deleted,
  // p the PIN file is deleted.
  const std::map<char, std::function<void(PinGate&)>> steps = {
      {'w', [](PinGate& t) { t.Try("1111"); }},
      {'R', [](PinGate& t) { t.Try("4711"); }},
      {'c', [](PinGate& t) { t.gate->OnF6(false); }},
      {'r', [](PinGate& t) { t.gate.emplace(t.files, t.system, t.crypto, t.clock, t.settings); }},
      {'m', [](PinGate& t) { t.clock.now += 1min, t.clock.wall += 1min; }},
      {'b', [](PinGate& t) { t.clock.wall -= 1h; }},
      {'f', [](PinGate& t) { t.clock.wall += 1h; }},
      {'d', [](PinGate& t) { t.files.Put(t.lockFile, "3:kaputt\r\n"); }},
      {'L', [](PinGate& t) { t.files.Put(t.lockFile, "3:1800000000000:1800003660000\r\n"); }},
      {'x', [](PinGate& t) { t.files.RemoveFile(t.lockFile); }},
      {'p', [](PinGate& t) { t.files.RemoveFile(t.pinFile); }},
  };
  const struct {
    const char* steps;
    TeacherMenuKey f6;
    const char* file;
  } rows[] = {
      {"wwrw", TeacherMenuKey::Ignore, "3/1"},       // ending the menu keeps the count
      {"wwwmwwwrm", TeacherMenuKey::Ignore, "6/2"},  // the second lock-out is 2 minutes
      {"wwwmwwwrmm", TeacherMenuKey::AskPin, "6/0"},
      {"wwRww", TeacherMenuKey::AskPin, "2/0"},    // a right PIN starts the count again
      {"wwwrb", TeacherMenuKey::Ignore, "3/1"},    // nor the lock-out, nor a clock set back
      {"wwwrbcm", TeacherMenuKey::AskPin, "3/0"},  // nor stretch it beyond its length
      {"wwwf", TeacherMenuKey::Ignore, "3/1"},     // a clock set forward, while the menu runs
      {"wwwx", TeacherMenuKey::Ignore, ""},        // nor deleting the file, while it runs
      {"wwwrx", TeacherMenuKey::AskPin, ""},
      {"wwxw", TeacherMenuKey::AskPin, "1/0"},  // a deleted file starts the count again
      {"wwwrd", TeacherMenuKey::AskPin, ""},    // damaged: no lock-out, and replaced
      {"rL", TeacherMenuKey::AskPin, ""},
      {"wwwp", TeacherMenuKey::Toggle, "3/1"},  // no PIN applies at once, even during a lock-out
  };
  for (const auto& row : rows) {
    SetPin("4711", kMinPinIterations);
    files.RemoveFile(lockFile);
    clock = fake::FakeClock();
    gate.emplace(files, system, crypto, clock, settings);
    for (const char* s = row.steps; *s; ++s) steps.at (*s)(*this);
    EXPECT_EQ(gate->OnF6(false), row.f6) << row.steps;
    EXPECT_EQ(LockFile(), row.file) << row.steps;
  }
}

TEST_F(PinGate, F6ReadsThePinFileAtEveryPressAndOnlyAMissingFileOpensTheMenu) {
  SetPin("9876", 100007);
  const int calls = files.calls;
  EXPECT_EQ(gate->OnF6(true), TeacherMenuKey::Toggle);  // a shown menu hides without asking
  EXPECT_EQ(files.calls, calls);
  ASSERT_EQ(gate->OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate->Check("123"), PinAnswer::Wrong);
  crypto.failure = fake::Error(1359);
  EXPECT_EQ(gate->Check("9876"), PinAnswer::Failed);  // reported, not counted
  EXPECT_EQ(gate->CheckError().description, "Systemfehler 1359");
  crypto.failure = {};
  EXPECT_EQ(gate->Check("9876"), PinAnswer::Right);
  files.Put(pinFile, "1234\r\n");
  EXPECT_EQ(gate->OnF6(false), TeacherMenuKey::Damaged);
  SetPin("4711", kMinPinIterations);
  auto writer = files.HoldByOther(pinFile, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(gate->OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate->ReadError().code, win_error::kSharingViolation);
  EXPECT_EQ(system.sleeps, fake::kRetryWaits);
  writer.reset();
  files.Put(pinFile, files.Get(pinFile) + std::string(400, ' '));
  EXPECT_EQ(gate->OnF6(false), TeacherMenuKey::Damaged);  // too large to be read at all
  // A program folder that is gone (a dropped share) is no "no PIN".
  system.applicationPath = "N:\\Lirabo";
  EXPECT_EQ(gate->OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate->ReadError().code, win_error::kPathNotFound);
}

TEST_F(PinGate, TheSettingSavesOneCheckedPinRemovesItAndReportsEveryFailure) {
  files.RemoveFile(pinFile);
  TeacherPinSetting setting{services, crypto, pinFile};
  setting.Load();
  EXPECT_FALSE(setting.Save("12345", "12345") || setting.Save("1234567", "123456"));
  EXPECT_EQ(messages.Take(), (fake::Texts{"Die PIN muss aus 6 bis 12 Ziffern bestehen.",
                                          "Die beiden Eingaben stimmen nicht überein. Geben Sie die PIN bitte noch "
                                          "einmal ein."}));
  ASSERT_TRUE(setting.Save("471100", "471100"));
  EXPECT_EQ(messages.Take(), fake::Texts{"Die PIN gilt ab sofort für alle Computer dieser Installation."});
  const PinRecord record = ParsePinFile(files.Get(pinFile)).value();
  EXPECT_TRUE(*PinMatches(crypto, record, "471100"));
  EXPECT_NE(MakePinRecord(crypto, "4711")->salt, record.salt);
  files.Deny(pinFile);  // write-protected by the administrator
  EXPECT_FALSE(setting.Save("987654", "987654"));
  EXPECT_FALSE(setting.Remove());
  EXPECT_EQ(messages.Take(), (fake::Texts{"Die PIN konnte nicht gespeichert werden.\r\nSystemfehler 5",
                                          "Die PIN konnte nicht entfernt werden.\r\nSystemfehler 5"}));
  files = fake::FakeFiles{};
  files.Put(pinFile, "pbkdf2-sha256:200000:kaputt\r\n");
  setting.Load();
  EXPECT_EQ(setting.StateText(), "Die Datei lehrerpin.ini ist beschädigt.");
  ASSERT_TRUE(setting.CanRemove() && setting.Remove());
  EXPECT_FALSE(files.FileExists(pinFile) || setting.CanRemove());
  EXPECT_TRUE(setting.Remove());  // removed meanwhile on another computer
}

}  // namespace
}  // namespace lirabo
