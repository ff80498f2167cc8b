#pragma once
// What the name entry, the name list and the log viewer say, exactly as pupils and teachers see it.
namespace lirabo::texts {

inline constexpr const char* kNameEntryCaption = "JW Lirabo";
inline constexpr const char* kNameEntryPrompt = "Hallo, schön dass Du üben möchtest!\r\nGib bitte deinen Namen ein:";
inline constexpr const char* kNameEntryContinue = "Weiter";
inline constexpr const char* kOnlyLettersOrDigits = "Gib bitte nur Buchstaben oder Zahlen ein!";
inline constexpr const char* kNameNotUsable =
    "Diesen Namen kann ich nicht verwenden. Gib bitte einen anderen Namen ein!";

}  // namespace lirabo::texts
