#include "teacher_pin/teacher_pin_gate.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

namespace lirabo {
namespace {

constexpr std::int64_t kLongestLockOutMs = std::chrono::milliseconds(kLongestLockOut).count();

// Decimal digits only, no sign; false on anything else or overflow.
template <class T>
bool ParseNumber(std::string_view text, T& value) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<PinLockState> ParsePinLock(std::string_view bytes) {
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") return std::nullopt;
  bytes.remove_suffix(2);
  std::size_t first = bytes.find(':'), second = bytes.find(':', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  PinLockState state;
  if (!ParseNumber(bytes.substr(0, first), state.wrongPins) ||
      !ParseNumber(bytes.substr(first + 1, second - first - 1), state.lockStart) ||
      !ParseNumber(bytes.substr(second + 1), state.lockEnd))
    return std::nullopt;
  // A lock-out no wrong PIN could have earned would shut the teacher out as well.
  if (state.lockEnd < state.lockStart || state.lockEnd - state.lockStart > kLongestLockOutMs) return std::nullopt;
  return state;
}

std::string FormatPinLock(const PinLockState& state) {
  return std::to_string(state.wrongPins) + ":" + std::to_string(state.lockStart) + ":" +
         std::to_string(state.lockEnd) + "\r\n";
}

std::chrono::minutes LockOutAfter(std::uint32_t wrongPins) {
  if (wrongPins == 0 || wrongPins % kWrongPinsBeforeLockOut != 0) return {};
  const std::uint32_t round = wrongPins / kWrongPinsBeforeLockOut;  // 1, 2, 3 …
  if (round > 6) return kLongestLockOut;
  return std::min(kLongestLockOut, std::chrono::minutes(1 << (round - 1)));
}

TeacherMenuKey TeacherPinGate::OnF6(bool teacherMenuShown) {
  if (teacherMenuShown) return TeacherMenuKey::Toggle;
  // The file first: without a PIN nothing else applies, not even a lock-out.
  TeacherPin pin =
      FindTeacherPin(files_, system_, std::vector<std::string>{system_.ApplicationPath(), installedFolder_});
  pinSet_ = pin.state == PinFileState::Set;
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
  LoadLock();
  if (LockedNow()) return TeacherMenuKey::Ignore;
  record_ = std::move(pin.record);
  return TeacherMenuKey::AskPin;
}

Expected<bool> TeacherPinGate::Verify(const PinRecord& record, std::string_view pin) const {
  // No PIN is set that is not 4 to 12 digits: anything else is wrong without asking bcrypt.
  if (!IsWellFormedPin(pin)) return false;
  return PinMatches(crypto_, record, pin);
}

PinAnswer TeacherPinGate::Conclude(const Expected<bool>& matches) {
  if (!matches) {
    checkError_ = matches.error();
    return PinAnswer::Failed;
  }
  if (matches.value()) {
    lock_ = {};
    monotonicEnd_.reset();
    SaveLock();
    return PinAnswer::Right;
  }
  ++lock_.wrongPins;
  const std::chrono::milliseconds length = LockOutAfter(lock_.wrongPins);
  if (length.count() != 0) {
    lock_.lockStart = clock_.WallNow().count();
    lock_.lockEnd = lock_.lockStart + length.count();
    monotonicEnd_ = clock_.Now() + length;
  }
  SaveLock();
  return length.count() != 0 ? PinAnswer::LockedOut : PinAnswer::Wrong;
}

std::string TeacherPinGate::LockOutText() const {
  const auto minutes = (lock_.lockEnd - lock_.lockStart) / 60000;
  if (minutes <= 1) return texts::kPinLockedOut;
  return "Die PIN ist falsch. Das Lehrermenü ist jetzt " + std::to_string(minutes) + " Minuten lang gesperrt.";
}

void TeacherPinGate::LoadLock() {
  if (settingsFolder_.empty()) return;
  auto bytes = files_.ReadWholeFile(LockPath());
  if (!bytes) {
    // Gone: no lock-out (it can be deleted like any file of the user's). Unreadable
    // for a moment: what this run knows still holds.
    if (bytes.error().code == win_error::kFileNotFound) lock_ = {};
    return;
  }
  auto state = ParsePinLock(*bytes);
  lock_ = state ? *state : PinLockState{};
  if (!state) SaveLock();  // a damaged file is replaced by a sound one
}

void TeacherPinGate::SaveLock() {
  if (settingsFolder_.empty()) return;
  // Nothing to keep: no file, as before the first wrong PIN.
  if (lock_ == PinLockState{}) {
    files_.RemoveFile(LockPath());
    return;
  }
  // A failed write leaves the old file whole; this run still counts in memory.
  files_.ReplaceContents(LockPath(), FormatPinLock(lock_));
}

bool TeacherPinGate::LockedNow() {
  if (monotonicEnd_ && clock_.Now() < *monotonicEnd_) return true;
  if (lock_.lockEnd == 0) return false;
  const std::int64_t now = clock_.WallNow().count();
  if (now < lock_.lockStart) {
    // The clock was set back behind the lock-out's start: the whole lock-out counts
    // again from now, so setting the clock back never shortens it and a clock set
    // forward before the lock-out cannot stretch it to years.
    lock_.lockEnd = now + (lock_.lockEnd - lock_.lockStart);
    lock_.lockStart = now;
    SaveLock();
  }
  if (now < lock_.lockEnd) return true;
  // Over: only the count stays, so a later clock change cannot bring it back.
  lock_.lockStart = lock_.lockEnd = 0;
  SaveLock();
  return false;
}

}  // namespace lirabo
