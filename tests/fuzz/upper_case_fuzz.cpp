// The upper-case rule the register comparison and the device-name check use.
#include <algorithm>

#include "common/text.h"
#include "tests/fuzz/fuzz_check.h"

using namespace lirabo;

namespace {

// Windows-1252 lower-case letters that have an upper-case partner in 1252
// (ß and µ have none, ÷ is no letter).
bool HasUpperPartner(unsigned char b) {
  return (b >= 'a' && b <= 'z') || b == 0x9A || b == 0x9C || b == 0x9E || b == 0xFF ||
         (b >= 0xE0 && b <= 0xFE && b != 0xF7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);

  // The input as window text (possibly malformed): idempotent, length kept.
  const std::string upper = UpperCase(bytes);
  FUZZ_CHECK(UpperCase(upper) == upper);
  FUZZ_CHECK(CodePointCount(upper) == CodePointCount(bytes));
  if (fuzz::IsValidUtf8(bytes)) FUZZ_CHECK(fuzz::IsValidUtf8(upper));

  // The input as a 1252 file line: stays within 1252, keeps every byte without a
  // partner, and leaves no lower-case letter behind.
  const std::string line = Utf8ToCp1252(UpperCase(Cp1252ToUtf8(bytes)));
  FUZZ_CHECK(line.size() == bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto before = static_cast<unsigned char>(bytes[i]);
    const auto after = static_cast<unsigned char>(line[i]);
    FUZZ_CHECK(!HasUpperPartner(after));
    if (!HasUpperPartner(before)) FUZZ_CHECK(after == before);
    if (before >= 'a' && before <= 'z') FUZZ_CHECK(after == before - 0x20);
  }
  FUZZ_CHECK(std::count(line.begin(), line.end(), '?') == std::count(bytes.begin(), bytes.end(), '?'));
  return 0;
}
