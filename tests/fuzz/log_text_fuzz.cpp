// A pupil's log as the log viewer shows it, against a plain byte-by-byte reading.
#include "common/text.h"
#include "records/log_viewer.h"
#include "tests/fuzz/fuzz_check.h"

using namespace lirabo;

namespace {

// The rule of the header, one byte at a time: CR LF, CR and LF are each one break,
// written as CR LF, a last line without a break gets one, and a NUL is a blank.
std::string Normalised(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += bytes[i] == '\0' ? ' ' : bytes[i];
    }
  }
  if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') out += "\r\n";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::string shown = LogTextForDisplay(bytes);

  FUZZ_CHECK(fuzz::IsValidUtf8(shown));
  FUZZ_CHECK(shown.empty() == bytes.empty());
  if (!shown.empty()) FUZZ_CHECK(shown.ends_with("\r\n"));
  // No stray break survives: every CR starts a CR LF, every LF ends one.
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == '\r') FUZZ_CHECK(i + 1 < shown.size() && shown[i + 1] == '\n');
    if (shown[i] == '\n') FUZZ_CHECK(i > 0 && shown[i - 1] == '\r');
  }
  // Same text as the plain reading; nothing lost on the way back to 1252.
  const std::string expected = Normalised(bytes);
  FUZZ_CHECK(shown == Cp1252ToUtf8(expected));
  FUZZ_CHECK(Utf8ToCp1252(shown) == expected);
  // What is shown is shown again unchanged (as 1252 bytes it is already normal).
  FUZZ_CHECK(LogTextForDisplay(expected) == shown);
  return 0;
}
