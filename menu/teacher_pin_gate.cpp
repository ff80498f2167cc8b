#include "menu/teacher_pin_gate.h"

#include <utility>

namespace lirabo {

TeacherMenuKey TeacherPinGate::OnF6(bool teacherMenuShown) {
  if (teacherMenuShown) return TeacherMenuKey::Toggle;
  // The file first: without a PIN nothing else applies, not even a lock-out.
  TeacherPin pin = ReadTeacherPin(files_, system_, system_.ApplicationPath() + kTeacherPinFileName);
  switch (pin.state) {
    case PinFileState::None:
      return TeacherMenuKey::Toggle;
    case PinFileState::Damaged:
      return TeacherMenuKey::Damaged;
    case PinFileState::Unreadable:
      readError_ = pin.error;
      return TeacherMenuKey::Unreadable;
    case PinFileState::Set:
      break;
  }
  if (lockedSince_) {
    if (clock_.Now() - *lockedSince_ < kLockOut) return TeacherMenuKey::Ignore;
    lockedSince_.reset();
  }
  record_ = std::move(pin.record);
  return TeacherMenuKey::AskPin;
}

PinAnswer TeacherPinGate::Check(std::string_view pin) {
  // No PIN is set that is not 4 to 8 digits: anything else is wrong without asking bcrypt.
  bool right = false;
  if (IsWellFormedPin(pin)) {
    auto matches = PinMatches(crypto_, record_, pin);
    if (!matches) {
      checkError_ = matches.error();
      return PinAnswer::Failed;
    }
    right = *matches;
  }
  if (right) {
    wrongPins_ = 0;
    return PinAnswer::Right;
  }
  if (++wrongPins_ < kWrongPinsBeforeLockOut) return PinAnswer::Wrong;
  wrongPins_ = 0;
  lockedSince_ = clock_.Now();
  return PinAnswer::LockedOut;
}

}  // namespace lirabo
