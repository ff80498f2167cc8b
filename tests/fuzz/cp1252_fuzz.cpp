// Windows-1252 <-> UTF-8 at the file boundary: the bytes as a file would hold them,
// and the same bytes taken as text that came from a window.
#include <algorithm>

#include "common/text.h"
#include "tests/fuzz/fuzz_check.h"

using namespace lirabo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);

  // Every byte string survives the trip through UTF-8, one code point per byte.
  const std::string text = Cp1252ToUtf8(bytes);
  FUZZ_CHECK(fuzz::IsValidUtf8(text));
  FUZZ_CHECK(CodePointCount(text) == bytes.size());
  FUZZ_CHECK(Utf8ToCp1252(text) == bytes);

  // Any text, well-formed or not, gives one byte per code point; text that is well
  // formed and within the repertoire comes back unchanged.
  const std::string back = Utf8ToCp1252(bytes);
  FUZZ_CHECK(back.size() == CodePointCount(bytes));
  if (fuzz::IsValidUtf8(bytes) && back.find('?') == std::string::npos) FUZZ_CHECK(Cp1252ToUtf8(back) == bytes);
  // Converting twice changes nothing more.
  FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(back)) == back);

  // The code-point helpers the name box uses agree with each other.
  const std::size_t count = CodePointCount(text);
  for (std::size_t n : {std::size_t{0}, std::min<std::size_t>(1, count), count / 2, count}) {
    const std::string head = FirstCodePoints(text, n);
    FUZZ_CHECK(CodePointCount(head) == n);
    FUZZ_CHECK(text.compare(0, head.size(), head) == 0);
  }
  const std::string shorter = DropLastCodePoint(text);
  FUZZ_CHECK(CodePointCount(shorter) == (count == 0 ? 0 : count - 1));
  FUZZ_CHECK(Utf8ToCp1252(shorter) == bytes.substr(0, count == 0 ? 0 : count - 1));
  return 0;
}
