#pragma once
// The click handlers of the word list frame in regelpult's options dialog
// ("Wortliste bearbeiten", "Wortliste neu erstellen", "Wortliste wiederherstellen").
#include "wordlist/word_list_decisions.h"

namespace lirabo {

class Form;

// The editor on the existing list. False: an error was shown and regelpult ends.
bool EditWordList(Form* owner, Services& ports, const std::string& helpFile);
// After the question, a new empty list in the editor; false as above.
bool NewWordList(Form* owner, Services& ports, const std::string& helpFile);
// After the question, the delivery copy in place of the list.
void RestoreWordList(Form* owner, Services& ports);

}  // namespace lirabo
