// Namen.ini against an in-memory file system: the delivered copy, reading, appending
// a name, and rewriting the register. Input: the register's bytes, optionally a NUL
// and the name to append (UTF-8 as the window gives it).
#include "common/text.h"
#include "records/name_register.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

using namespace lirabo;

namespace {

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string WithoutBreaks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

// True when every CR is part of a CR LF: then all readings of line ends agree.
bool NoLoneCr(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) return false;
  return true;
}

std::vector<std::string> Read(fake::FakeFiles& files, const RecordPaths& paths) {
  auto lines = ReadNameRegister(files, paths);
  FUZZ_CHECK(lines.ok());
  return *lines;
}

bool Contains(fake::FakeFiles& files, const RecordPaths& paths, const std::string& name) {
  auto known = NameRegisterContains(files, paths, name);
  FUZZ_CHECK(known.ok());
  return *known;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t nul = input.find('\0');
  const std::string delivered(input.substr(0, nul));
  const std::string name = nul == std::string_view::npos ? "Anna" : std::string(input.substr(nul + 1));

  fake::FakeFiles files;
  const RecordPaths paths{"C:\\Users\\Kind\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  files.AddDirectory(paths.settingsFolder);
  files.Put(paths.DeliveredRegister(), delivered);

  // The pupils' register starts as a byte-exact copy of the delivered one.
  FUZZ_CHECK(!EnsureNameRegister(files, paths));
  FUZZ_CHECK(files.Get(paths.Register()) == delivered);
  FUZZ_CHECK(files.Get(paths.DeliveredRegister()) == delivered);

  // Reading loses and invents nothing but line ends.
  const std::vector<std::string> lines = Read(files, paths);
  std::string joined;
  for (const auto& line : lines) {
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    joined += line;
  }
  FUZZ_CHECK(WithoutBreaks(Utf8ToCp1252(joined)) == WithoutBreaks(delivered));
  if (delivered.empty()) FUZZ_CHECK(lines.empty());
  if (NoLoneCr(delivered)) {
    std::size_t breaks = 0;
    for (char c : delivered) breaks += c == '\n';
    FUZZ_CHECK(lines.size() == breaks + (delivered.empty() || delivered.back() == '\n' ? 0 : 1));
  }
  for (std::size_t i = 0; i < lines.size() && i < 4; ++i) FUZZ_CHECK(Contains(files, paths, lines[i]));

  // Appending keeps the old bytes and puts the name on a line of its own, also
  // after a last line without a line end.
  FUZZ_CHECK(!AppendToNameRegister(files, paths, name));
  const std::string appended = files.Get(paths.Register());
  FUZZ_CHECK(appended.compare(0, delivered.size(), delivered) == 0);
  FUZZ_CHECK(appended.ends_with("\r\n"));
  const std::string stored = Cp1252ToUtf8(Utf8ToCp1252(name));
  const std::vector<std::string> after = Read(files, paths);
  if (!HasLineBreak(stored)) {
    std::vector<std::string> expected = lines;
    expected.push_back(stored);
    FUZZ_CHECK(after == expected);
    FUZZ_CHECK(Contains(files, paths, stored));
  }

  // Rewriting: the lines come back as written, CR LF after each, nothing staged left.
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (!HasLineBreak(after[i]) && i % 3 != 1) kept.push_back(after[i]);  // as if some were deleted
  FUZZ_CHECK(!WriteNameRegister(files, paths, kept));
  FUZZ_CHECK(Read(files, paths) == kept);
  FUZZ_CHECK(!files.Has(paths.Register() + ".tmp"));
  std::string expectedBytes;
  for (const auto& line : kept) expectedBytes += Utf8ToCp1252(line) + "\r\n";
  FUZZ_CHECK(files.Get(paths.Register()) == expectedBytes);

  // A register of CR LF lines and nothing else is rewritten byte for byte.
  bool plain = delivered.empty() || delivered.ends_with("\r\n");
  for (std::size_t i = 0; plain && i < delivered.size(); ++i)
    if (delivered[i] == '\n') plain = i > 0 && delivered[i - 1] == '\r';
    else if (delivered[i] == '\r') plain = i + 1 < delivered.size() && delivered[i + 1] == '\n';
  if (plain) {
    FUZZ_CHECK(!WriteNameRegister(files, paths, lines));
    FUZZ_CHECK(files.Get(paths.Register()) == delivered);
  }
  return 0;
}
