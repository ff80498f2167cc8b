// A pupil's log as the log viewer shows it.
#include "records/log_viewer.h"
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::string shown = LogTextForDisplay(bytes);
  FUZZ_CHECK(shown.empty() == bytes.empty() && (shown.empty() || shown.ends_with("\r\n")));
  // Every break is CR LF; the text between breaks is the file's, a NUL shown as a blank.
  std::string plain, file;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == '\r' || shown[i] == '\n')
      FUZZ_CHECK(shown.substr(i - (shown[i] == '\n'), 2) == "\r\n");
    if (shown[i] != '\r' && shown[i] != '\n')
      plain += shown[i];
  }
  for (char c : bytes)
    file += c == '\0' ? std::string(" ") : c == '\r' || c == '\n' ? "" : std::string(1, c);
  FUZZ_CHECK(plain == Cp1252ToUtf8(file));
  FUZZ_CHECK(LogTextForDisplay(Utf8ToCp1252(shown)) == shown);
}
