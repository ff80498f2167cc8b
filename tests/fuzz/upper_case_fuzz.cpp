// The upper-case rule of the register comparison and the device-name check.
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::string upper = UpperCase(bytes);
  FUZZ_CHECK(UpperCase(upper) == upper && CodePointCount(upper) == CodePointCount(bytes));
  // As a 1252 file line: one byte per byte.
  FUZZ_CHECK(Utf8ToCp1252(UpperCase(Cp1252ToUtf8(bytes))).size() == bytes.size());
}
