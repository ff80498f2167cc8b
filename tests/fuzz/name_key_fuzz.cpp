// The name-entry dialog: a register line taken into the box, then typed keys.
// Input: a register line (1252), a LF, then the keys: one byte each, or 0xFF and three
// bytes for any other code point.
#include "records/name_entry.h"
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view input) {
  const std::size_t lf = std::min(input.find('\n'), input.size());
  fake::World w;
  w.files.Put(w.paths.Register(), lf == 0 ? "" : std::string(input.substr(0, lf)) + "\r\n");
  const NameEntryList list = LoadNameEntryList(w.files, w.paths);
  std::string box = list.items.empty() ? "" : FirstCodePoints(list.items.front(), kNameBoxCapacity);
  for (std::size_t i = lf + 1; i < input.size() && i < 4096; ++i) {
    char32_t key = static_cast<unsigned char>(input[i]);
    for (int k = 0; key == 0xFF && k < 3 && i + 1 < input.size(); ++k)
      key = key << 8 | static_cast<unsigned char>(input[++i]);
    const NameKeyResult result = FilterNameKey(box, key);
    // A key either goes into the box while there is room, or is consumed; Backspace takes one away.
    std::string typed = box;
    if (CodePointCount(box) < kNameBoxCapacity) AppendUtf8(typed, key);
    FUZZ_CHECK(result.text == (!result.consumed ? typed : key == 8 ? DropLastCodePoint(box) : box));
    FUZZ_CHECK(!list.error && CodePointCount(result.text) <= kNameBoxCapacity && IsWindowText(result.text));
    box = result.text;
  }
}
