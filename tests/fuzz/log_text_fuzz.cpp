// A pupil's log as the log viewer shows it.
#include "records/log_viewer.h"
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::string shown = LogTextForDisplay(bytes);
  FUZZ_CHECK(shown.empty() == bytes.empty() && (shown.empty() || shown.ends_with("\r\n")));
  // Every break is CR LF; the text between breaks is the file's, a NUL shown as a blank.
  std::string plain = shown, file(bytes);
  for (std::size_t at = 0; (at = plain.find("\r\n", at)) != std::string::npos;) plain.erase(at, 2);
  std::erase_if(file, [](char c) { return c == '\r' || c == '\n'; });
  std::ranges::replace(file, '\0', ' ');
  FUZZ_CHECK(plain == Cp1252ToUtf8(file));
  FUZZ_CHECK(LogTextForDisplay(Utf8ToCp1252(shown)) == shown);
}
