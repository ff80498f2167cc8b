#include "wordlist/win32/word_list_commands.h"

#include "wordlist/win32/form3.h"

namespace lirabo {

void EditWordList(Form* owner, WordListPorts& ports) { ShowWordEditor(owner, ports, EditWordListMode()); }

void NewWordList(Form* owner, WordListPorts& ports) {
  if (auto mode = PrepareNewWordList(ports)) ShowWordEditor(owner, ports, *mode);
}

void RestoreWordList(Form*, WordListPorts& ports) { RestoreDeliveredWordList(ports); }

}  // namespace lirabo
