#pragma once
// What the word editor and the word list commands say to the teacher.

namespace lirabo::texts {

inline constexpr const char* kWordListBusy =
    "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.";
inline constexpr const char* kInvalidSound =
    "Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)";
inline constexpr const char* kWordListFull =
    "Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen.";
inline constexpr const char* kWordNotStored = "Das Wort wurde nicht gespeichert.";
inline constexpr const char* kAskNewWordList =
    "Wollen Sie die bestehende Wörterliste wirklich löschen und eine neue erstellen?";
inline constexpr const char* kAskRestoreWordList =
    "Wollen Sie wirklich die Wortliste auf ihren Lieferzustand zurücksetzen?";
inline constexpr const char* kWordListNotRestored = "Die Wortliste wurde nicht wiederhergestellt.";

}  // namespace lirabo::texts
