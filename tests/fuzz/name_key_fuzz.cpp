// The name-entry dialog: a list line taken into the box, typed keys through the key
// filter, then "Weiter" with the name check. Input: a register line (1252), a LF,
// then the keys: one byte each, or 0xFF and three bytes for any other code point.
#include <vector>

#include "common/text.h"
#include "records/name_entry.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

using namespace lirabo;

namespace {

bool IsTypeable(char32_t c) {
  static constexpr std::u32string_view kUmlauts = U"ÄÖÜßäöü";
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
         kUmlauts.find(c) != std::u32string_view::npos;
}

std::string Utf8(const std::vector<char32_t>& codePoints) {
  std::string out;
  for (char32_t c : codePoints) AppendUtf8(out, c);
  return out;
}

// The check on confirming, byte by byte: spaces, ASCII digits and letters only.
bool OnlySpacesLettersDigits(std::string_view name) {
  for (char c : name)
    if (c != ' ' && !(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z')) return false;
  return true;
}

// Names that Windows takes for a device (names reaching here hold no dot).
bool IsDeviceName(std::string name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL") return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '0' && name[3] <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t lf = input.find('\n');
  const std::string line(input.substr(0, lf));
  const std::string_view keys = lf == std::string_view::npos ? std::string_view() : input.substr(lf + 1);

  fake::FakeFiles files;
  fake::FakeMessages messages;
  const RecordPaths paths{"C:\\Users\\Kind\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  files.AddDirectory(paths.LogFolder());
  files.AddDirectory(paths.applicationPath);
  files.Put(paths.Register(), line.empty() ? std::string() : line + "\r\n");

  // The list shows the line unless it is exactly "unbekannt"; a click puts it in the box.
  NameEntryList list = LoadNameEntryList(files, paths);
  FUZZ_CHECK(!list.error);
  std::string box;
  if (!list.items.empty()) box = FirstCodePoints(list.items.front(), kNameBoxCapacity);
  if (Cp1252ToUtf8(line) == kAnonymousPupilName) FUZZ_CHECK(list.items.empty());

  std::vector<char32_t> model;
  for (std::size_t pos = 0; pos < box.size();) model.push_back(NextCodePoint(box, pos));
  FUZZ_CHECK(model.size() <= kNameBoxCapacity);

  for (std::size_t i = 0; i < keys.size() && i < 4096; ++i) {
    char32_t key = static_cast<unsigned char>(keys[i]);
    if (key == 0xFF) {
      key = 0;
      for (int k = 0; k < 3 && i + 1 < keys.size(); ++k) key = key << 8 | static_cast<unsigned char>(keys[++i]);
    }
    const NameKeyResult result = FilterNameKey(box, key);
    if (IsTypeable(key)) {
      if (model.size() < kNameBoxCapacity) model.push_back(key);
      FUZZ_CHECK(!result.consumed);
    } else {
      if (key == 8 && !model.empty()) model.pop_back();
      FUZZ_CHECK(result.consumed);
    }
    FUZZ_CHECK(result.text == Utf8(model));
    FUZZ_CHECK(CodePointCount(result.text) <= kNameBoxCapacity);
    box = result.text;
  }

  // The name check and the file-name rule agree on what a name may be.
  FUZZ_CHECK(IsValidPupilName(box) == OnlySpacesLettersDigits(box));
  if (IsValidPupilName(box) && !box.empty()) FUZZ_CHECK(IsSafePupilFileName(box) == !IsDeviceName(box));

  // "Weiter": either everything is recorded, or a message and nothing at all.
  const std::string registerBefore = files.Get(paths.Register());
  const std::size_t filesBefore = files.files_.size();
  const std::string name = box.empty() ? std::string(kAnonymousPupilName) : box;
  std::string pupil = "vorher";
  const bool confirmed = ConfirmPupilName(files, messages, paths, box, pupil);
  FUZZ_CHECK(confirmed == (IsValidPupilName(name) && IsSafePupilFileName(name)));
  if (confirmed) {
    FUZZ_CHECK(pupil == name && messages.shown.empty());
    FUZZ_CHECK(files.Has(paths.PupilLog(name)));
    auto known = NameRegisterContains(files, paths, name);
    FUZZ_CHECK(known.ok() && *known);
    FUZZ_CHECK(files.Get(paths.Register()).starts_with(registerBefore));
  } else {
    FUZZ_CHECK(pupil == "vorher" && messages.shown.size() == 1);
    FUZZ_CHECK(files.Get(paths.Register()) == registerBefore && files.files_.size() == filesBefore);
  }
  return 0;
}
