#include "wordlist/word_editor.h"

#include "common/text.h"
#include "wordlist/word_list_texts.h"

namespace lirabo {
namespace {

std::int16_t CodeOf(std::string_view c, int position) {
  static constexpr struct {
    const char* lower;
    const char* upper;
    std::int16_t code;
  } kSounds[] = {{"a", "A", 1}, {"e", "E", 2}, {"f", "F", 3}, {"i", "I", 4}, {"l", "L", 5},
                 {"m", "M", 6}, {"o", "O", 7}, {"p", "P", 8}, {"s", "S", 9}, {"u", "U", 11}};
  for (const auto& sound : kSounds)
    if (c == sound.lower || c == sound.upper) return sound.code;
  if ((c == "." || c == ":") && position >= 2) return kSoundBlank;
  return kSoundInvalid;
}

}  // namespace

Sound ClassifySound(std::string_view boxText, int position) {
  if (boxText.starts_with("sch") || boxText.starts_with("Sch"))
    return {std::string(boxText.substr(0, 3)), kSoundSch};
  std::string first = FirstCodePoints(boxText, 1);
  std::int16_t code = CodeOf(first, position);
  return {std::move(first), code};
}

StoreOutcome StoreWord(const WordBoxes& boxes, WordListFile& list, MessagePort& messages) {
  if (boxes[0].empty()) return StoreOutcome::NothingToDo;
  WordEntry entry;
  for (int k = 0; k < 4; ++k) entry[static_cast<std::size_t>(k)] = ClassifySound(boxes[static_cast<std::size_t>(k)], k + 1);
  for (const Sound& sound : entry) {
    if (sound.code == kSoundInvalid) {
      messages.Show(texts::kInvalidSound);
      return StoreOutcome::Rejected;
    }
  }
  AppendResult result = list.AppendWord(entry);
  switch (result.status) {
    case AppendStatus::Written:
      return StoreOutcome::Stored;
    case AppendStatus::ListFull:
      messages.Show(texts::kWordListFull);
      return StoreOutcome::NotStored;
    case AppendStatus::WriteFailed:
      messages.Show(std::string(texts::kWordNotStored) + "\n\n" + result.description);
      return StoreOutcome::NotStored;
  }
  return StoreOutcome::NotStored;
}

WordEditor::WordEditor(FilePort& files, SystemPort& system, MessagePort& messages)
    : messages_(messages), list_(files, system, system.ApplicationPath() + kWordListName) {}

EditorState WordEditor::Load(WordEditMode mode) {
  OpenResult opened = list_.OpenWordList();
  switch (opened.status) {
    case OpenStatus::Opened:
      break;
    case OpenStatus::Busy:
      messages_.Show(texts::kWordListBusy);
      return EditorState::LockedOut;
    case OpenStatus::Failed:
      messages_.Show(opened.description);
      return EditorState::EndProgram;
  }
  if (mode == WordEditMode::NewList) {
    list_.StartNewList();
    return EditorState::Ready;
  }
  auto end = list_.FindListEnd();
  if (!end) {
    list_.Close();
    messages_.Show(end.error().description);
    return EditorState::EndProgram;
  }
  return EditorState::Ready;
}

}  // namespace lirabo
