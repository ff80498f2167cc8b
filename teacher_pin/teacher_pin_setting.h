#pragma once
// regelpult's "Lehrer-PIN" dialog without its window: what it says about the
// installation's PIN, and what "Speichern" and "PIN entfernen" do. The right to set
// the PIN is the right to write the program folder, as for the options.
#include <string>

#include "common/crypto_port.h"
#include "common/services.h"
#include "teacher_pin/teacher_pin.h"
#include "teacher_pin/teacher_pin_texts.h"

namespace lirabo {

class TeacherPinSetting {
 public:
  TeacherPinSetting(Services& services, CryptoPort& crypto, std::string path)
      : services_(services), crypto_(crypto), path_(std::move(path)) {}

  // Reads the file. A damaged or unreadable one can be replaced by a new PIN or removed.
  void Load();
  PinFileState State() const { return state_; }
  // What the teacher is told once the dialog is open: why the file is no good; "" when it is.
  const std::string& LoadProblem() const { return problem_; }
  // The line the dialog shows about the installation's PIN.
  std::string StateText() const;
  // There is a file to remove.
  bool CanRemove() const { return state_ != PinFileState::None; }

  // "Speichern" with the two boxes. True when the PIN was written and the teacher
  // told; false after a message, with nothing written.
  bool Save(const std::string& pin, const std::string& repeated);
  // "PIN entfernen". True when the file is gone and the teacher told.
  bool Remove();

 private:
  Services& services_;
  CryptoPort& crypto_;
  std::string path_;
  PinFileState state_ = PinFileState::None;
  std::string problem_;
};

}  // namespace lirabo
