#pragma once
// What F6 does when the installation may have a teacher PIN: the file is read at
// each F6, so a PIN set or removed in regelpult applies at once; three wrong PINs
// in a row make F6 do nothing for a minute. Without a PIN, F6 toggles the teacher
// menu at once.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "common/clock_port.h"
#include "common/crypto_port.h"
#include "common/file_port.h"
#include "common/system_port.h"
#include "common/teacher_pin.h"

namespace lirabo {

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
  LockedOut,  // the last of the wrong tries: the dialog closes, F6 rests
  Failed,     // the check itself failed; CheckError() says why
};

class TeacherPinGate {
 public:
  static constexpr int kWrongPinsBeforeLockOut = 3;
  static constexpr std::chrono::milliseconds kLockOut{60000};

  TeacherPinGate(FilePort& files, SystemPort& system, CryptoPort& crypto, ClockPort& clock)
      : files_(files), system_(system), crypto_(crypto), clock_(clock) {}

  // F6 with the teacher menu shown or hidden.
  TeacherMenuKey OnF6(bool teacherMenuShown);
  // A PIN typed into the dialog, checked against the file as the last F6 read it.
  // Wrong PINs count across dialogs until a right one or the lock-out.
  PinAnswer Check(std::string_view pin);

  const SysError& ReadError() const { return readError_; }
  const SysError& CheckError() const { return checkError_; }

 private:
  FilePort& files_;
  SystemPort& system_;
  CryptoPort& crypto_;
  ClockPort& clock_;
  PinRecord record_;
  int wrongPins_ = 0;
  std::optional<std::chrono::milliseconds> lockedSince_;
  SysError readError_;
  SysError checkError_;
};

namespace texts {
inline constexpr const char* kPinQueryCaption = "Lehrermenü";
inline constexpr const char* kPinQueryLabel = "Lehrer-PIN:";
inline constexpr const char* kPinWrong = "Die PIN ist falsch.";
inline constexpr const char* kPinLockedOut = "Die PIN ist falsch. Das Lehrermenü ist jetzt eine Minute lang gesperrt.";
}  // namespace texts

}  // namespace lirabo
