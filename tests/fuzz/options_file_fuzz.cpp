// options.ini: the reader on any bytes, and the writer's round trip.
#include <algorithm>
#include <string>
#include <vector>

#include "options/options_format.h"
#include "tests/fuzz/fuzz_check.h"

using namespace lirabo;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The header's rule for one line: blanks around a whole number (one optional sign,
// then digits) in the signed 16-bit range give the number, anything else gives 0.
std::int16_t LineValue(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  bool negative = false;
  if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
    negative = line.front() == '-';
    line.remove_prefix(1);
  }
  if (line.empty()) return 0;
  long value = 0;
  for (char c : line) {
    if (c < '0' || c > '9') return 0;
    value = std::min(value * 10 + (c - '0'), 100000L);
  }
  if (negative) value = -value;
  return value < INT16_MIN || value > INT16_MAX ? 0 : static_cast<std::int16_t>(value);
}

bool IsBlankLine(std::string_view line) {
  for (char c : line)
    if (!IsBlank(c)) return false;
  return true;
}

// The values of a file with LF line ends only, where every reading of line ends agrees.
std::vector<std::int16_t> LfFileValues(std::string_view bytes) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) lf = bytes.size();
    lines.push_back(bytes.substr(start, lf - start));
    start = lf + 1;
  }
  while (!lines.empty() && IsBlankLine(lines.back())) lines.pop_back();
  std::vector<std::int16_t> values;
  for (auto line : lines) values.push_back(LineValue(line));
  return values;
}

OptionsRecord RecordFrom(std::string_view bytes) {
  OptionsRecord record;
  for (std::size_t i = 0; i < kOptionsCount; ++i) {
    auto byte = [&](std::size_t k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u; };
    record.At(i) = static_cast<std::int16_t>(static_cast<std::uint16_t>(byte(2 * i) | byte(2 * i + 1) << 8));
  }
  return record;
}

std::vector<std::int16_t> TenValues(const OptionsRecord& record) {
  std::vector<std::int16_t> values;
  for (std::size_t i = 0; i < kOptionsCount; ++i) values.push_back(record.At(i));
  return values;
}

// write -> parse -> write: the ten values come back, and the file is written alike.
void CheckRoundTrip(const OptionsRecord& record) {
  const std::string file = FormatOptionsFile(record);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < file.size(); ++i) {
    FUZZ_CHECK(file[i] != '\n' || (i > 0 && file[i - 1] == '\r'));
    FUZZ_CHECK(file[i] != '\r' || (i + 1 < file.size() && file[i + 1] == '\n'));
    if (file[i] == '\n') ++lines;
  }
  FUZZ_CHECK(lines == kOptionsCount && file.ends_with(" \r\n"));
  const std::vector<std::int16_t> values = ParseOptionsValues(file);
  FUZZ_CHECK(values == TenValues(record));
  OptionsRecord again;
  ApplyStartupValues(again, values);
  FUZZ_CHECK(again == record);
  FUZZ_CHECK(FormatOptionsFile(again) == file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::vector<std::int16_t> values = ParseOptionsValues(bytes);

  if (bytes.find('\r') == std::string_view::npos) FUZZ_CHECK(values == LfFileValues(bytes));

  // The start-up reading: present values replace, absent ones stay, line 10 defaults to 0.
  const OptionsRecord before = RecordFrom(bytes);
  OptionsRecord settings = before;
  ApplyStartupValues(settings, values);
  for (std::size_t i = 0; i < kOptionsCount; ++i) {
    if (i < values.size())
      FUZZ_CHECK(settings.At(i) == values[i]);
    else
      FUZZ_CHECK(settings.At(i) == (i == kOptionsCount - 1 ? 0 : before.At(i)));
  }

  CheckRoundTrip(settings);
  CheckRoundTrip(before);  // any 16-bit values, -32768 included
  return 0;
}
