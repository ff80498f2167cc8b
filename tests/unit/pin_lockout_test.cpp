// The lock-out after wrong teacher PINs as a pupil would probe it: restarts of the
// menu, clocks set back and forth, the lock file damaged or deleted.
#include <gtest/gtest.h>

#include <optional>

#include "teacher_pin/teacher_pin_gate.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using namespace std::chrono_literals;

TEST(PinLockOut, GrowsWithEveryThirdWrongPinUpToAnHour) {
  const std::pair<std::uint32_t, int> rows[] = {{0, 0},  {1, 0},  {2, 0},  {3, 1},  {4, 0},  {6, 2},
                                                {9, 4},  {12, 8}, {15, 16}, {18, 32}, {21, 60}, {99, 60}};
  for (auto [wrong, minutes] : rows) EXPECT_EQ(LockOutAfter(wrong).count(), minutes) << wrong;

  const PinLockState state{6, 1800000000000, 1800000120000};
  EXPECT_EQ(FormatPinLock(state), "6:1800000000000:1800000120000\r\n");
  EXPECT_EQ(ParsePinLock(FormatPinLock(state)), state);
  for (const char* damaged : {"", "6:1:2", "6:1:2\r\n\r\n", "-6:1:2\r\n", "6::2\r\n", "6:1:2:3\r\n", "6:2:1\r\n",
                              "3:0:3600001\r\n", "99999999999999999999:0:0\r\n"})
    EXPECT_FALSE(ParsePinLock(damaged)) << damaged;
}

class PinLockOutWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddDirectory(system.applicationPath);
    files.AddDirectory(settings);
    files.Put(system.applicationPath + "\\lehrerpin.ini",
              FormatPinFile(*MakePinRecord(crypto, "4711", kMinPinIterations)));
  }

  // Steps: w a wrong PIN, R the right one (each after F6), c F6 alone, r the menu ends and starts
  // again, m a minute passes, b the wall clock goes back an hour, f forward an hour,
  // d the lock file is damaged, L it holds a lock-out of 61 minutes, x it is deleted.
  TeacherMenuKey Walk(const std::string& steps) {
    std::optional<TeacherPinGate> gate;
    gate.emplace(files, system, crypto, clock, settings);
    for (char step : steps) {
      switch (step) {
        case 'w':
        case 'R':
          if (gate->OnF6(false) != TeacherMenuKey::AskPin) return TeacherMenuKey::Ignore;
          gate->Check(step == 'R' ? "4711" : "1111");
          break;
        case 'c': gate->OnF6(false); break;
        case 'r': gate.emplace(files, system, crypto, clock, settings); break;
        case 'm': clock.now += 1min, clock.wall += 1min; break;
        case 'b': clock.wall -= 1h; break;
        case 'f': clock.wall += 1h; break;
        case 'd': files.Put(lockFile, "3:kaputt\r\n"); break;
        case 'L': files.Put(lockFile, FormatPinLock({3, clock.wall.count(), clock.wall.count() + 3660000})); break;
        case 'x': files.RemoveFile(lockFile); break;
      }
    }
    return gate->OnF6(false);
  }

  // "wrong PINs/minutes" of the lock file, "" without one.
  std::string LockFile() {
    if (!files.FileExists(lockFile)) return "";
    auto state = ParsePinLock(files.Get(lockFile));
    if (!state) return "damaged";
    return std::to_string(state->wrongPins) + "/" + std::to_string((state->lockEnd - state->lockStart) / 60000);
  }

  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeCrypto crypto;
  fake::FakeClock clock;
  const std::string settings = system.GetSpecialFolder(0, false, true) + "\\DE Zuzururu\\Lirabo";
  const std::string lockFile = settings + "\\pinsperre.ini";
};

TEST_F(PinLockOutWalk, SurvivesRestartsAndClockChangesButNotADeletedOrDamagedFile) {
  const struct {
    const char* steps;
    TeacherMenuKey f6;
    const char* file;
  } rows[] = {
      {"", TeacherMenuKey::AskPin, ""},
      {"ww", TeacherMenuKey::AskPin, "2/0"},
      {"wwrw", TeacherMenuKey::Ignore, "3/1"},       // ending the menu keeps the count
      {"wwwrr", TeacherMenuKey::Ignore, "3/1"},      // and the lock-out
      {"wwwm", TeacherMenuKey::AskPin, "3/0"},
      {"wwwmwwwrm", TeacherMenuKey::Ignore, "6/2"},  // the second lock-out is 2 minutes
      {"wwwmwwwrmm", TeacherMenuKey::AskPin, "6/0"},
      {"wwRww", TeacherMenuKey::AskPin, "2/0"},      // a right PIN starts the count again
      {"wwR", TeacherMenuKey::AskPin, ""},
      {"wwwrb", TeacherMenuKey::Ignore, "3/1"},      // a clock set back does not end it
      {"wwwrbcm", TeacherMenuKey::AskPin, "3/0"},     // nor stretch it beyond its length
      {"wwwf", TeacherMenuKey::Ignore, "3/1"},       // a clock set forward, while the menu runs
      {"wwwx", TeacherMenuKey::Ignore, ""},          // nor deleting the file, while it runs
      {"wwwrx", TeacherMenuKey::AskPin, ""},
      {"wwwrd", TeacherMenuKey::AskPin, ""},         // damaged: no lock-out, and replaced
      {"rL", TeacherMenuKey::AskPin, ""},
  };
  for (const auto& row : rows) {
    files.RemoveFile(lockFile);
    clock = fake::FakeClock();
    EXPECT_EQ(Walk(row.steps), row.f6) << row.steps;
    EXPECT_EQ(LockFile(), row.file) << row.steps;
  }
}

}  // namespace
}  // namespace lirabo
