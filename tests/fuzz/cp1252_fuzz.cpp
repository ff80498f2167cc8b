// Windows-1252 <-> UTF-8 at the file boundary and the code-point helpers of the name box.
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::string text = Cp1252ToUtf8(bytes);
  FUZZ_CHECK(CodePointCount(text) == bytes.size() && Utf8ToCp1252(text) == bytes);
  // Any text, well-formed or not, gives one byte per code point.
  FUZZ_CHECK(Utf8ToCp1252(bytes).size() == CodePointCount(bytes));
  const std::size_t half = bytes.size() / 2;
  FUZZ_CHECK(FirstCodePoints(text, half) == Cp1252ToUtf8(bytes.substr(0, half)));
  FUZZ_CHECK(Utf8ToCp1252(DropLastCodePoint(text)) == bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1));
}
