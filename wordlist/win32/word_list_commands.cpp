#include "wordlist/win32/word_list_commands.h"

#include "wordlist/win32/form3.h"

namespace lirabo {

bool EditWordList(Form* owner, Services& ports) { return ShowWordEditor(owner, ports, EditWordListMode()); }

bool NewWordList(Form* owner, Services& ports) {
  auto mode = PrepareNewWordList(ports);
  return !mode || ShowWordEditor(owner, ports, *mode);
}

void RestoreWordList(Form*, Services& ports) { RestoreDeliveredWordList(ports); }

}  // namespace lirabo
