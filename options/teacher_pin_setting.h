#pragma once
// regelpult's "Lehrer-PIN" dialog without its window: what it says about the
// installation's PIN, and what "Speichern" and "PIN entfernen" do. The right to set
// the PIN is the right to write the program folder, as for the options.
#include <string>

#include "common/crypto_port.h"
#include "common/services.h"
#include "common/teacher_pin.h"

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

namespace texts {
inline constexpr const char* kPinButton = "Lehrer-PIN…";
inline constexpr const char* kPinDialogCaption = "Lehrer-PIN";
inline constexpr const char* kPinNew = "Neue PIN:";
inline constexpr const char* kPinRepeat = "PIN wiederholen:";
inline constexpr const char* kPinRule = "6 bis 12 Ziffern";
inline constexpr const char* kPinSave = "Speichern";
inline constexpr const char* kPinRemove = "PIN entfernen";
inline constexpr const char* kPinCancel = "Abbrechen";
inline constexpr const char* kPinStateNone = "Das Lehrermenü ist zurzeit ohne PIN zugänglich.";
inline constexpr const char* kPinStateSet = "Das Lehrermenü ist zurzeit durch eine PIN geschützt.";
inline constexpr const char* kPinStateDamaged = "Die Datei lehrerpin.ini ist beschädigt.";
inline constexpr const char* kPinStateUnreadable = "Die Datei lehrerpin.ini kann nicht gelesen werden.";
inline constexpr const char* kPinDamagedHere =
    "Die Datei lehrerpin.ini ist beschädigt. Solange sie beschädigt ist, öffnet sich das Lehrermenü nicht. "
    "Legen Sie bitte eine neue Lehrer-PIN fest oder entfernen Sie die PIN.";
inline constexpr const char* kPinNotDigits = "Die PIN muss aus 6 bis 12 Ziffern bestehen.";
inline constexpr const char* kPinMismatch =
    "Die beiden Eingaben stimmen nicht überein. Geben Sie die PIN bitte noch einmal ein.";
inline constexpr const char* kPinSaved = "Die PIN gilt ab sofort für alle Computer dieser Installation.";
inline constexpr const char* kPinRemoved =
    "Die PIN ist entfernt. Das Lehrermenü öffnet sich ab sofort wieder ohne PIN.";
inline constexpr const char* kPinNotSaved = "Die PIN konnte nicht gespeichert werden.";
inline constexpr const char* kPinNotRemoved = "Die PIN konnte nicht entfernt werden.";
}  // namespace texts

}  // namespace lirabo
