#include "teacher_pin/teacher_pin_setting.h"

namespace lirabo {

void TeacherPinSetting::Load() {
  TeacherPin pin = ReadTeacherPin(services_.files, services_.system, path_);
  state_ = pin.state;
  problem_ = state_ == PinFileState::Damaged      ? texts::kPinDamagedHere
             : state_ == PinFileState::Unreadable ? pin.error.description
                                                  : std::string();
}

std::string TeacherPinSetting::StateText() const {
  switch (state_) {
    case PinFileState::None: return texts::kPinStateNone;
    case PinFileState::Set: return texts::kPinStateSet;
    case PinFileState::Damaged: return texts::kPinStateDamaged;
    case PinFileState::Unreadable: return texts::kPinStateUnreadable;
  }
  return {};
}

bool TeacherPinSetting::Save(const std::string& pin, const std::string& repeated) {
  if (!IsWellFormedPin(pin, kNewPinMinDigits)) {
    services_.messages.Show(texts::kPinNotDigits);
    return false;
  }
  if (pin != repeated) {
    services_.messages.Show(texts::kPinMismatch);
    return false;
  }
  auto record = MakePinRecord(crypto_, pin);
  SysError error = record ? WriteTeacherPin(services_.files, services_.system, path_, *record) : record.error();
  if (error) {
    services_.messages.Show(std::string(texts::kPinNotSaved) + "\r\n" + error.description);
    return false;
  }
  state_ = PinFileState::Set;
  services_.messages.Show(texts::kPinSaved);
  return true;
}

bool TeacherPinSetting::Remove() {
  if (SysError error = RemoveTeacherPin(services_.files, services_.system, path_)) {
    services_.messages.Show(std::string(texts::kPinNotRemoved) + "\r\n" + error.description);
    return false;
  }
  state_ = PinFileState::None;
  services_.messages.Show(texts::kPinRemoved);
  return true;
}

}  // namespace lirabo
