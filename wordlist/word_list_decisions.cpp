#include "wordlist/word_list_decisions.h"

#include "common/retry.h"
#include "wordlist/word_list_texts.h"

namespace lirabo {

std::optional<WordEditMode> PrepareNewWordList(Services& ports) {
  if (ports.messages.Show(texts::kAskNewWordList, MsgButtons::YesNo, MsgIcon::Critical) != MsgAnswer::Yes)
    return std::nullopt;
  const std::string list = ports.system.ApplicationPath() + kWordListName;
  // The exercise program or a second editor may hold the list for a moment.
  SysError error = RetryWhileLocked(ports.system, [&] { return ports.files.RemoveFile(list); });
  // A missing list is what the command wants anyway.
  if (error && error.code != win_error::kFileNotFound) {
    ports.messages.Show(error.IsLockedOrDenied() ? std::string(texts::kWordListBusy) : error.description);
    return std::nullopt;
  }
  return WordEditMode::NewList;
}

void RestoreDeliveredWordList(Services& ports) {
  if (ports.messages.Show(texts::kAskRestoreWordList, MsgButtons::YesNo) != MsgAnswer::Yes) return;
  const std::string app = ports.system.ApplicationPath();
  const std::string delivery = app + kDeliveryCopyName;
  const std::string list = app + kWordListName;
  SysError error = RetryWhileLocked(ports.system, [&] { return ports.files.CopyWholeFile(delivery, list); });
  if (!error) return;
  if (error.IsLockedOrDenied() && ports.files.FileExists(delivery))
    ports.messages.Show(texts::kWordListBusy);
  else
    ports.messages.Show(std::string(texts::kWordListNotRestored) + "\n\n" + error.description);
}

}  // namespace lirabo
