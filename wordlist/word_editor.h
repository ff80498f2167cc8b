#pragma once
// The word editor's logic: which sound a box holds, the store action, and what the
// editor does when it opens the list. The window (WordEditorWindow) only shows the outcome.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"
#include "wordlist/word_list_file.h"

namespace lirabo {

enum class WordEditMode { NewList = 0, ContinueList = 1 };

// The sound code and the text to store for the text of box `position` (1 to 4).
// Case-sensitive: only the lower-case and capitalised forms count, so "SCH" is S.
Sound ClassifySound(std::string_view boxText, int position);

using WordBoxes = std::array<std::string, 4>;

enum class StoreOutcome {
  NothingToDo,  // box 1 empty: no message, boxes unchanged
  Rejected,     // an invalid sound: message shown, boxes unchanged
  Stored,       // written: the boxes are to be emptied
  NotStored,    // the list is full or the write failed: message shown, boxes unchanged
};

StoreOutcome StoreWord(const WordBoxes& boxes, WordListFile& list, MessagePort& messages);

enum class EditorState {
  Ready,       // the list is open and locked
  LockedOut,   // someone else holds the list: only closing is possible
  EndProgram,  // an unexpected error was shown; the program ends
};

class WordEditor {
 public:
  WordEditor(FilePort& files, SystemPort& system, MessagePort& messages);

  // Opens the list for `mode` and shows the message of a busy list or of a failure.
  EditorState Load(WordEditMode mode);
  StoreOutcome Store(const WordBoxes& boxes) { return StoreWord(boxes, list_, messages_); }
  void Close() { list_.Close(); }

 private:
  MessagePort& messages_;
  WordListFile list_;
};

}  // namespace lirabo
