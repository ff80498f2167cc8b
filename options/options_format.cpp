#include "options/options_format.h"

#include <charconv>

#include "common/text.h"

namespace lirabo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::int16_t ParseValue(std::string_view line) {
  line = Trim(line);
  // One sign at most: from_chars would take "+-5" as -5 once the plus is gone.
  if (line.starts_with('+') && !line.starts_with("+-")) line.remove_prefix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (ec != std::errc() || end != line.data() + line.size() || line.empty()) return 0;
  if (value < INT16_MIN || value > INT16_MAX) return 0;
  return static_cast<std::int16_t>(value);
}

}  // namespace

std::vector<std::int16_t> ParseOptionsValues(std::string_view bytes) {
  // A CR inside a line ends a line too: files from tools that end lines with a lone CR.
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(bytes))
    for (std::size_t start = 0;;) {
      std::size_t cr = line.find('\r', start);
      lines.push_back(line.substr(start, cr == std::string::npos ? std::string::npos : cr - start));
      if (cr == std::string::npos) break;
      start = cr + 1;
    }
  while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
  std::vector<std::int16_t> values;
  values.reserve(lines.size());
  for (const auto& line : lines) values.push_back(ParseValue(line));
  return values;
}

std::string FormatOptionsFile(const OptionsRecord& record) {
  std::string out;
  for (std::size_t i = 0; i < kOptionsCount; ++i) {
    std::int16_t v = record.At(i);
    if (v >= 0) out += ' ';
    out += std::to_string(v);
    out += " \r\n";
  }
  return out;
}

void ApplyStartupValues(OptionsRecord& settings, const std::vector<std::int16_t>& values) {
  for (std::size_t i = 0; i < kOptionsCount; ++i) {
    if (i < values.size())
      settings.At(i) = values[i];
    else if (i == kOptionsCount - 1)
      settings.logUnderPupilName = 0;
  }
}

}  // namespace lirabo
