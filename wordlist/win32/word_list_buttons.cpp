#include "wordlist/win32/word_list_buttons.h"

#include "wordlist/win32/word_editor_window.h"

namespace lirabo {

bool EditWordList(Form* owner, Services& ports, const std::string& helpFile) {
  return ShowWordEditor(owner, ports, EditWordListMode(), helpFile);
}

bool NewWordList(Form* owner, Services& ports, const std::string& helpFile) {
  auto mode = PrepareNewWordList(ports);
  return !mode || ShowWordEditor(owner, ports, *mode, helpFile);
}

void RestoreWordList(Form*, Services& ports) { RestoreDeliveredWordList(ports); }

}  // namespace lirabo
