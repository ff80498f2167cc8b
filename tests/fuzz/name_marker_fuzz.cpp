// The command line's name marker /n="..." and the file-name rule the start-up puts the
// marked name through before it creates the pupil's log.
#include "tests/fuzz/fuzz_check.h"

void lirabo::fuzz::Check(std::string_view input) {
  const std::string line(input), marker = "/n=\"";
  const std::optional<std::string> marked = FindNameMarker(line);
  const std::size_t at = line.find(marker);
  FUZZ_CHECK(marked ? line.find(marker + *marked + "\"") == at && marked->find('"') == std::string::npos
                    : at == std::string::npos || line.find('"', at + marker.size()) == std::string::npos);
  // Whatever passes the rule names one file inside the log folder, and nothing else.
  const std::string name = marked.value_or(line);
  FUZZ_CHECK(!IsSafePupilFileName(name) || (name.find_first_of("\\/:*?\"<>|") == std::string::npos && name != ".."));
  for (const char* device : {"nul", "CON", "Com1", "lpt9"}) FUZZ_CHECK(!IsSafePupilFileName(device + ("." + name)));
  FUZZ_CHECK(!IsWindowText(name) || IsSafePupilFileName(UpperCase(name)) == IsSafePupilFileName(name));
  fake::World w;
  w.files.AddDirectory(w.paths.LogFolder());
  const bool usable = IsUsablePupilName(w.paths, name);
  FUZZ_CHECK(!EnsurePupilLog(w.files, w.paths, name) == usable && (!usable || IsSafePupilFileName(name)));
  FUZZ_CHECK(w.files.files_.size() == (usable ? 1u : 0u) && (!usable || w.files.FileExists(w.paths.PupilLog(name))));
}
