// The upper-case rule of the register comparison and the device-name check.
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::string upper = UpperCase(bytes);
  FUZZ_CHECK(UpperCase(upper) == upper && CodePointCount(upper) == CodePointCount(bytes));
  // As a 1252 file line: one byte per byte, ASCII letters shifted, every other ASCII byte kept.
  const std::string line = Utf8ToCp1252(UpperCase(Cp1252ToUtf8(bytes)));
  FUZZ_CHECK(line.size() == bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (static_cast<unsigned char>(c) < 0x80) FUZZ_CHECK(line[i] == (c >= 'a' && c <= 'z' ? c - 0x20 : c));
  }
}
