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
  if (!IsSafePupilFileName(name)) {
    messages.Show(texts::kNameNotUsable);
    return false;
  }
  auto fail = [&](const SysError& error) {
    messages.Show(error.description);
    return false;
  };
  if (SysError error = EnsurePupilLog(files, paths, name)) return fail(error);
  // The register may have gone since the dialog was loaded.
  if (SysError error = EnsureNameRegister(files, paths)) return fail(error);
  auto known = NameRegisterContains(files, paths, name);
  if (!known) return fail(known.error());
  if (!*known)
    if (SysError error = AppendToNameRegister(files, paths, name)) return fail(error);
  pupilName = name;
  return true;
}

}  // namespace lirabo
