// options.ini: the reader on any bytes, and the writer's round trip.
#include "options/options_format.h"
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view bytes) {
  const std::vector<std::int16_t> values = ParseOptionsValues(bytes);
  OptionsRecord record;
  for (std::size_t i = 0; i < kOptionsCount && i < bytes.size(); ++i) record.At(i) = static_cast<std::int8_t>(bytes[i]);
  const OptionsRecord before = record;
  ApplyStartupValues(record, values);
  std::string expected;
  std::vector<std::int16_t> ten;
  for (std::size_t i = 0; i < kOptionsCount; ++i) {
    FUZZ_CHECK(record.At(i) == (i < values.size() ? values[i] : i + 1 == kOptionsCount ? 0 : before.At(i)));
    ten.push_back(record.At(i));
    expected += (record.At(i) < 0 ? "" : " ") + std::to_string(record.At(i)) + " \r\n";
  }
  // Written as ten lines and read again, the ten values come back.
  FUZZ_CHECK(FormatOptionsFile(record) == expected && ParseOptionsValues(expected) == ten);
}
