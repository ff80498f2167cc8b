#pragma once
// What the teacher PIN's dialogs and messages say, exactly as the teachers see it.
namespace lirabo::texts {

inline constexpr const char* kPinFileDamaged =
    "Die Datei lehrerpin.ini ist beschädigt. Legen Sie die Lehrer-PIN mit regelpult neu fest.";
inline constexpr const char* kPinFileUnreadable = "Die Datei lehrerpin.ini kann nicht gelesen werden:";
inline constexpr const char* kPinQueryCaption = "Lehrermenü";
inline constexpr const char* kPinQueryLabel = "Lehrer-PIN:";
inline constexpr const char* kPinQueryBusy = "Die PIN wird geprüft …";
inline constexpr const char* kPinWrong = "Die PIN ist falsch.";
inline constexpr const char* kPinLockedOut = "Die PIN ist falsch. Das Lehrermenü ist jetzt eine Minute lang gesperrt.";
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

}  // namespace lirabo::texts
