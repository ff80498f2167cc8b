// Times how long the log viewer needs to turn a 20 MB log (400,000 lines) into the
// text it shows. Prints the time; not a test.
#include <chrono>
#include <cstdio>
#include <string>

#include "records/log_viewer.h"

int main() {
  std::string bytes;
  bytes.reserve(20'000'000);
  for (int i = 0; bytes.size() < 20'000'000 - 60; ++i)
    bytes += "Kamu 1 \xE4\xF6\xFC Aufgabe " + std::to_string(i) + ": richtig, 0 Fehler, 12 s\r\n";
  bytes += "letzte Zeile ohne Umbruch";

  constexpr int kRuns = 5;
  double best = 1e9;
  std::size_t size = 0;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    std::string shown = lirabo::LogTextForDisplay(bytes);
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    size = shown.size();
    if (took.count() < best) best = took.count();
  }
  std::printf("log of %zu bytes -> %zu bytes of text: best of %d runs %.1f ms\n", bytes.size(), size, kRuns,
              best);
  return 0;
}
