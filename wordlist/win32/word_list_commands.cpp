#include "wordlist/win32/word_list_commands.h"

#include "wordlist/win32/form3.h"

namespace lirabo {

void EditWordList(Form* owner, Services& ports) { ShowWordEditor(owner, ports, EditWordListMode()); }

void NewWordList(Form* owner, Services& ports) {
  if (auto mode = PrepareNewWordList(ports)) ShowWordEditor(owner, ports, *mode);
}

void RestoreWordList(Form*, Services& ports) { RestoreDeliveredWordList(ports); }

}  // namespace lirabo
