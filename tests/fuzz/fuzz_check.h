#pragma once
// What every harness shares: the libFuzzer entry point, which hands the input to the
// harness's Check; a check that stops the fuzzer with a readable reason (libFuzzer keeps
// the input of any abort as a crash file, like a sanitizer finding); and the fakes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/unit/fakes.h"

#define FUZZ_CHECK(c) \
  ((c) ? void() : (std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #c), std::abort()))

namespace lirabo::fuzz {
void Check(std::string_view input);
// Text that a window could hold: what comes back from Windows-1252 unchanged.
inline bool IsWindowText(std::string_view s) { return Cp1252ToUtf8(Utf8ToCp1252(s)) == s; }
}  // namespace lirabo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lirabo::fuzz::Check({reinterpret_cast<const char*>(data), size});
  return 0;
}
