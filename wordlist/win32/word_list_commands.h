#pragma once
// The click handlers of the word list frame in regelpult's options dialog
// ("Wortliste bearbeiten", "Wortliste neu erstellen", "Wortliste wiederherstellen").
#include "wordlist/word_list_commands.h"

namespace lirabo {

class Form;

// Command2: the editor on the existing list.
void EditWordList(Form* owner, Services& ports);
// Command3: after the question, a new empty list in the editor.
void NewWordList(Form* owner, Services& ports);
// Command4: after the question, the delivery copy in place of the list.
void RestoreWordList(Form* owner, Services& ports);

}  // namespace lirabo
