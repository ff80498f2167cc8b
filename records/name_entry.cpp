#include "records/name_entry.h"

#include "common/text.h"

namespace lirabo {
namespace {

constexpr char32_t kBackspace = 8;

bool IsAsciiLetterOrDigit(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

bool IsGermanLetter(char32_t c) {
  switch (c) {
    case 196: case 214: case 220: case 223: case 228: case 246: case 252:
      return true;
    default:
      return false;
  }
}

}  // namespace

NameKeyResult FilterNameKey(const std::string& boxText, char32_t character) {
  if (IsAsciiLetterOrDigit(character) || IsGermanLetter(character)) {
    std::string text = boxText;
    AppendUtf8(text, character);
    return {FirstCodePoints(text, kNameBoxCapacity), false};
  }
  if (character == kBackspace) return {DropLastCodePoint(boxText), true};
  return {boxText, true};
}

bool IsValidPupilName(const std::string& name) {
  for (std::size_t pos = 0; pos < name.size();) {
    char32_t c = NextCodePoint(name, pos);
    if (c != U' ' && !IsAsciiLetterOrDigit(c)) return false;
  }
  return true;
}

std::vector<std::string> NameEntryListItems(const std::vector<std::string>& registerLines) {
  std::vector<std::string> items;
  for (const auto& line : registerLines)
    if (line != kAnonymousPupilName) items.push_back(line);
  return items;
}

NameEntryList LoadNameEntryList(FilePort& files, const RecordPaths& paths) {
  if (SysError error = EnsureNameRegister(files, paths)) return {{}, error};
  auto lines = ReadNameRegister(files, paths);
  if (!lines) return {{}, lines.error()};
  return {NameEntryListItems(*lines), {}};
}

bool ConfirmPupilName(FilePort& files, MessagePort& messages, const RecordPaths& paths,
                      const std::string& boxText, std::string& pupilName) {
  const std::string name = boxText.empty() ? std::string(kAnonymousPupilName) : boxText;
  if (!IsValidPupilName(name)) {
    messages.Show(texts::kOnlyLettersOrDigits);
    return false;
  }
  // Letters, digits and spaces can still spell a device name (CON, NUL, ...).
  if (!IsUsablePupilName(paths, name)) {
    messages.Show(texts::kNameNotUsable);
    return false;
  }
  // The register first: it makes the log folder again if it has gone since the
  // dialog was loaded, and the log goes into that folder.
  SysError problem = EnsureNameRegister(files, paths);
  if (!problem) {
    auto known = NameRegisterContains(files, paths, name);
    if (!known)
      problem = known.error();
    else if (!*known)
      problem = AppendToNameRegister(files, paths, name);
  }
  if (SysError error = EnsurePupilLog(files, paths, name); error && !problem) problem = error;
  // A pupil is never kept out by a full disk or a write-protected share: the name
  // is taken all the same, and the next start tries the files again.
  if (problem) messages.Show(problem.description);
  pupilName = name;
  return true;
}

}  // namespace lirabo
