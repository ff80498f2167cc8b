// Namen.ini: the delivered copy, reading and appending a name.
// Input: the register's bytes, optionally a NUL and the name to append (UTF-8).
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view input) {
  const std::size_t nul = std::min(input.find('\0'), input.size());
  const std::string delivered(input.substr(0, nul));
  const std::string name = nul == input.size() ? "Anna" : Cp1252ToUtf8(Utf8ToCp1252(input.substr(nul + 1)));
  fake::World w;
  w.files.Put(w.paths.DeliveredRegister(), delivered);
  FUZZ_CHECK(!EnsureNameRegister(w.files, w.paths) && w.files.Get(w.paths.Register()) == delivered);
  // Reading loses and invents nothing but line ends; every line is found again.
  std::vector<std::string> lines = *ReadNameRegister(w.files, w.paths);
  std::string joined, original = delivered;
  for (const std::string& line : lines) joined += Utf8ToCp1252(line);
  for (std::string* s : {&joined, &original}) std::erase_if(*s, [](char c) { return c == '\r' || c == '\n'; });
  FUZZ_CHECK(joined == original);
  for (std::size_t i = 0; i < lines.size() && i < 4; ++i) FUZZ_CHECK(*NameRegisterContains(w.files, w.paths, lines[i]));
  // Appending keeps the old bytes and puts the name on a line of its own.
  FUZZ_CHECK(!AppendToNameRegister(w.files, w.paths, name));
  const std::string appended = w.files.Get(w.paths.Register());
  FUZZ_CHECK(appended.starts_with(delivered) && appended.ends_with("\r\n"));
  lines.push_back(name);
  FUZZ_CHECK(name.find_first_of("\r\n") != std::string::npos || *ReadNameRegister(w.files, w.paths) == lines);
}
