#pragma once
// What F6 does when the installation may have a teacher PIN: the file is read at
// each F6, so a PIN set or removed in regelpult applies at once. Every third wrong
// PIN in a row makes F6 do nothing for a while: 1 minute, then 2, 4, 8 … up to 60.
// The count and the end of the lock-out are kept per Windows user in the settings
// folder, so ending and restarting the menu does not start the count afresh.
// Without a PIN, F6 toggles the teacher menu at once and nothing is written.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/clock_port.h"
#include "common/crypto_port.h"
#include "common/file_port.h"
#include "common/system_port.h"
#include "teacher_pin/teacher_pin.h"
#include "teacher_pin/teacher_pin_texts.h"

namespace lirabo {

inline constexpr const char* kPinLockFileName = "\\pinsperre.ini";
inline constexpr int kWrongPinsBeforeLockOut = 3;
inline constexpr std::chrono::minutes kLongestLockOut{60};
// With a PIN set, the shown teacher menu hides itself after this long without input.
inline constexpr std::chrono::milliseconds kTeacherMenuIdle = std::chrono::minutes(5);

// The lock file's one line: "<wrong PINs>:<lock start>:<lock end>" CR LF, the times
// in wall-clock milliseconds since 1970 (UTC), both 0 without a lock-out.
struct PinLockState {
  std::uint32_t wrongPins = 0;
  std::int64_t lockStart = 0;
  std::int64_t lockEnd = 0;

  bool operator==(const PinLockState&) const = default;
};
// Anything but one such line, or a lock-out longer than the longest, is damaged.
std::optional<PinLockState> ParsePinLock(std::string_view bytes);
std::string FormatPinLock(const PinLockState& state);
// How long F6 rests after this many wrong PINs in a row; zero between lock-outs.
std::chrono::minutes LockOutAfter(std::uint32_t wrongPins);

enum class TeacherMenuKey {
  Toggle,      // show or hide the teacher menu now
  AskPin,      // ask for the PIN; show the menu when Check says Right
  Ignore,      // locked out after wrong PINs
  Damaged,     // lehrerpin.ini holds no valid line: say so, show nothing
  Unreadable,  // lehrerpin.ini could not be read: show ReadError(), show nothing
};

enum class PinAnswer {
  Right,
  Wrong,      // the teacher may try again
  LockedOut,  // the last of the wrong tries: the dialog closes, F6 rests for LockOutText()
  Failed,     // the check itself failed; CheckError() says why
};

class TeacherPinGate {
 public:
  // `settingsFolder` is the menu's, filled in by its start-up; `installedFolder` is
  // where the package installed the programs ("" when unknown).
  TeacherPinGate(FilePort& files, SystemPort& system, CryptoPort& crypto, ClockPort& clock,
                 const std::string& settingsFolder, std::string installedFolder = {})
      : files_(files), system_(system), crypto_(crypto), clock_(clock), settingsFolder_(settingsFolder),
        installedFolder_(std::move(installedFolder)) {}
  // The settings folder is only known after start-up: it is held by reference.
  TeacherPinGate(FilePort&, SystemPort&, CryptoPort&, ClockPort&, std::string&&, std::string = {}) = delete;

  // F6 with the teacher menu shown or hidden.
  TeacherMenuKey OnF6(bool teacherMenuShown);
  // Whether the last F6 found a PIN: then the shown teacher menu hides itself.
  bool PinSet() const { return pinSet_; }

  // A PIN typed into the dialog, checked against the file as the last F6 read it.
  // Wrong PINs count across dialogs and restarts until a right one.
  PinAnswer Check(std::string_view pin) { return Conclude(Verify(record_, pin)); }
  // Check in two steps, so that the slow first one can run off the window thread:
  // Verify touches nothing but its arguments and the crypto port.
  const PinRecord& Record() const { return record_; }
  Expected<bool> Verify(const PinRecord& record, std::string_view pin) const;
  PinAnswer Conclude(const Expected<bool>& matches);

  const SysError& ReadError() const { return readError_; }
  const SysError& CheckError() const { return checkError_; }
  // "Die PIN ist falsch. Das Lehrermenü ist jetzt … lang gesperrt." for the last lock-out.
  std::string LockOutText() const;

 private:
  std::string LockPath() const { return settingsFolder_ + kPinLockFileName; }
  void LoadLock();
  void SaveLock();
  bool LockedNow();

  FilePort& files_;
  SystemPort& system_;
  CryptoPort& crypto_;
  ClockPort& clock_;
  const std::string& settingsFolder_;
  std::string installedFolder_;
  PinRecord record_;
  bool pinSet_ = false;
  PinLockState lock_;
  // The lock-out this run imposed, by the monotonic clock: a wall clock set
  // forward or a deleted lock file does not end it early.
  std::optional<std::chrono::milliseconds> monotonicEnd_;
  SysError readError_;
  SysError checkError_;
};

}  // namespace lirabo
