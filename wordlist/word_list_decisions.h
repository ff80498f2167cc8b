#pragma once
// The three word list commands of regelpult's options dialog, as decisions against
// the ports; the dialog shows the editor when a command asks for it.
#include <optional>

#include "common/services.h"
#include "wordlist/word_editor.h"

namespace lirabo {

// "Wortliste bearbeiten": the editor continues the existing list.
inline WordEditMode EditWordListMode() { return WordEditMode::ContinueList; }

// "Wortliste neu erstellen": asks, then deletes the list. Returns the mode to open
// the editor with, or nothing when the teacher said No or the list could not be
// deleted (then it stays as it was and the teacher has been told).
std::optional<WordEditMode> PrepareNewWordList(Services& ports);

// "Wortliste wiederherstellen": asks, then puts a copy of the delivery list in place
// of the list in one step; on failure the list stays as it was and the teacher is told.
void RestoreDeliveredWordList(Services& ports);

}  // namespace lirabo
