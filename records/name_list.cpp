#include "records/name_list.h"

#include <algorithm>
#include <utility>

namespace lirabo {

std::string DeleteNameQuestion(const std::string& name) {
  return "Soll der Name " + name + " wirklich gelöscht werden?";
}

NameList::NameList(FilePort& files, MessagePort& messages, RecordPaths paths, std::string& pupilName,
                   ListOrder order)
    : files_(files), messages_(messages), paths_(std::move(paths)), pupilName_(pupilName), order_(std::move(order)) {}

void NameList::Load() {
  names_.clear();
  loaded_ = false;
  if (SysError e = EnsureNameRegister(files_, paths_)) {
    messages_.Show(e.description);
    return;
  }
  auto lines = ReadNameRegister(files_, paths_);
  if (!lines) {
    messages_.Show(lines.error().description);
    return;
  }
  names_ = std::move(*lines);
  std::stable_sort(names_.begin(), names_.end(),
                   [this](const std::string& a, const std::string& b) { return order_(a, b) < 0; });
  loaded_ = true;
}

bool NameList::DeleteName(const std::optional<std::string>& selection) {
  if (!selection) return false;
  auto entry = std::find(names_.begin(), names_.end(), *selection);
  if (entry == names_.end()) return false;
  if (messages_.Show(DeleteNameQuestion(*selection), MsgButtons::YesNo) != MsgAnswer::Yes) return false;
  if (pupilName_ == *selection) pupilName_.clear();
  names_.erase(entry);
  return true;
}

bool NameList::Leave(const std::vector<std::string>& shown) {
  // A list that never came from the register must not replace it.
  if (!loaded_) return true;
  if (SysError e = WriteNameRegister(files_, paths_, shown)) {
    messages_.Show(e.description);
    return false;
  }
  return true;
}

}  // namespace lirabo
