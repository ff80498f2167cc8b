// F6 and the teacher PIN, and the lock-out after wrong PINs as a pupil would probe
// it: restarts of the menu, clocks set back and forth, the lock file damaged or deleted.
#include <gtest/gtest.h>

#include <optional>

#include "teacher_pin/teacher_pin_gate.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using namespace std::chrono_literals;

TEST(PinLockOut, GrowsWithEveryThirdWrongPinUpToAnHour) {
  const std::pair<std::uint32_t, int> rows[] = {{2, 0},  {3, 1},   {4, 0},   {6, 2},   {9, 4},
                                                {12, 8}, {15, 16}, {18, 32}, {21, 60}, {99, 60}};
  for (auto [wrong, minutes] : rows)
    EXPECT_EQ(LockOutAfter(wrong).count(), minutes) << wrong;
  const PinLockState state{6, 1800000000000, 1800000120000};
  EXPECT_EQ(ParsePinLock(FormatPinLock(state)), state);
  for (const char* damaged : {"6:1:2", "-6:1:2\r\n", "6::2\r\n", "6:1:2:3\r\n", "6:2:1\r\n", "3:0:3600001\r\n",
                              "99999999999999999999:0:0\r\n"})
    EXPECT_FALSE(ParsePinLock(damaged)) << damaged;
}

struct PinGate : ::testing::Test {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeCrypto crypto;
  fake::FakeClock clock;
  const std::string settings = system.GetSpecialFolder(0, false, true) + "\\DE Zuzururu\\Lirabo";
  const std::string lockFile = settings + "\\pinsperre.ini", pinFile = system.applicationPath + "\\lehrerpin.ini";
  std::optional<TeacherPinGate> gate;
  void SetUp() override {
    files.AddDirectory(settings);
    SetPin("4711", kMinPinIterations);
    gate.emplace(files, system, crypto, clock, settings);
  }
  void SetPin(const char* pin, std::uint32_t iterations) {
    files.Put(pinFile, FormatPinFile(*MakePinRecord(crypto, pin, iterations)));
  }
  void Try(const char* pin) {
    if (gate->OnF6(false) == TeacherMenuKey::AskPin)
      gate->Check(pin);
  }
  // "wrong PINs/minutes" of the lock file, "" without one.
  std::string LockFile() {
    if (!files.FileExists(lockFile))
      return "";
    auto state = ParsePinLock(files.Get(lockFile));
    if (!state)
      return "damaged";
    return std::to_string(state->wrongPins) + "/" + std::to_string((state->lockEnd - state->lockStart) / 60000);
  }
};

TEST_F(PinGate, TheLockOutSurvivesRestartsAndClockChangesButNotADeletedOrDamagedFile) {
  using Step = std::function<void(PinGate&)>;
  const std::map<char, Step> steps = {
      {'w', [](PinGate& t) { t.Try("1111"); }},
      {'R', [](PinGate& t) { t.Try("4711"); }},
      {'c', [](PinGate& t) { t.gate->OnF6(false); }},
      {'r', [](PinGate& t) { t.gate.emplace(t.files, t.system, t.crypto, t.clock, t.settings); }},
      {'m', [](PinGate& t) { t.clock.now += 1min, t.clock.wall += 1min; }},
      {'b', [](PinGate& t) { t.clock.wall -= 1h; }},
      {'f', [](PinGate& t) { t.clock.wall += 1h; }},
      {'d', [](PinGate& t) { t.files.Put(t.lockFile, "3:kaputt\r\n"); }},
      {'L',
       [](PinGate& t) {
         t.files.Put(t.lockFile, FormatPinLock({3, t.clock.wall.count(), t.clock.wall.count() + 3660000}));
       }},
      {'x', [](PinGate& t) { t.files.RemoveFile(t.lockFile); }},
      {'p', [](PinGate& t) { t.files.RemoveFile(t.pinFile); }},
  };
  // w a wrong PIN, R the right one (each after F6), c F6 alone, r the menu ends and starts
  // again, m a minute passes, b the wall clock goes back an hour, f forward an hour,
  // d the lock file is damaged, L it holds a lock-out of 61 minutes, x it is deleted,
  // p the PIN file is deleted.
  const struct {
    const char* steps;
    TeacherMenuKey f6;
    const char* file;
  } rows[] = {
      {"ww", TeacherMenuKey::AskPin, "2/0"},
      {"wwrw", TeacherMenuKey::Ignore, "3/1"},   // ending the menu keeps the count
      {"wwwrr", TeacherMenuKey::Ignore, "3/1"},  // and the lock-out
      {"wwwm", TeacherMenuKey::AskPin, "3/0"},
      {"wwwmwwwrm", TeacherMenuKey::Ignore, "6/2"},  // the second lock-out is 2 minutes
      {"wwwmwwwrmm", TeacherMenuKey::AskPin, "6/0"},
      {"wwRww", TeacherMenuKey::AskPin, "2/0"},  // a right PIN starts the count again
      {"wwR", TeacherMenuKey::AskPin, ""},
      {"wwwrb", TeacherMenuKey::Ignore, "3/1"},    // a clock set back does not end it
      {"wwwrbcm", TeacherMenuKey::AskPin, "3/0"},  // nor stretch it beyond its length
      {"wwwf", TeacherMenuKey::Ignore, "3/1"},     // a clock set forward, while the menu runs
      {"wwwx", TeacherMenuKey::Ignore, ""},        // nor deleting the file, while it runs
      {"wwwrx", TeacherMenuKey::AskPin, ""},
      {"wwwrd", TeacherMenuKey::AskPin, ""},  // damaged: no lock-out, and replaced
      {"rL", TeacherMenuKey::AskPin, ""},
      {"wwwp", TeacherMenuKey::Toggle, "3/1"},  // no PIN applies at once, even during a lock-out
  };
  for (const auto& row : rows) {
    SetPin("4711", kMinPinIterations);
    files.RemoveFile(lockFile);
    clock = fake::FakeClock();
    gate.emplace(files, system, crypto, clock, settings);
    for (const char* s = row.steps; *s; ++s)
      steps.at (*s)(*this);
    EXPECT_EQ(gate->OnF6(false), row.f6) << row.steps;
    EXPECT_EQ(LockFile(), row.file) << row.steps;
  }
}

TEST_F(PinGate, F6ReadsThePinFileAtEveryPressAndOnlyAMissingFileOpensTheMenu) {
  SetPin("9876", 100007);
  const int calls = files.calls;
  EXPECT_EQ(gate->OnF6(true), TeacherMenuKey::Toggle);  // a shown menu hides without asking
  EXPECT_EQ(files.calls, calls);
  crypto.derivations.clear();
  ASSERT_EQ(gate->OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate->Check("123"), PinAnswer::Wrong);  // no PIN: no key derived
  crypto.failure = fake::Error(1359);
  EXPECT_EQ(gate->Check("9876"), PinAnswer::Failed);  // reported, not counted
  EXPECT_EQ(gate->CheckError().description, "Systemfehler 1359");
  crypto.failure.reset();
  EXPECT_EQ(gate->Check("9876"), PinAnswer::Right);
  EXPECT_EQ(crypto.derivations, (std::vector<std::pair<std::string, std::uint32_t>>{{"9876", 100007}}));
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
  // A copy of the program elsewhere finds the PIN of the installed folder.
  files.AddDirectory("C:\\Kopie");
  system.applicationPath = "C:\\Kopie";
  EXPECT_EQ(TeacherPinGate(files, system, crypto, clock, settings, "C:\\LIRABO\\").OnF6(false),
            TeacherMenuKey::Damaged);
  EXPECT_EQ(TeacherPinGate(files, system, crypto, clock, settings).OnF6(false), TeacherMenuKey::Toggle);
  // A program folder that is gone (a dropped share) is no "no PIN".
  system.applicationPath = "N:\\Lirabo";
  EXPECT_EQ(gate->OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate->ReadError().code, win_error::kPathNotFound);
}

}  // namespace
}  // namespace lirabo
