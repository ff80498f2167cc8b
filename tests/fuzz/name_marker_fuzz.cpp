// The command line's name marker /n="..." and the file-name rule the start-up puts the
// marked name through before it creates the pupil's log.
#include "menu/menu_startup.h"
#include "records/name_register.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

void lirabo::fuzz::Check(std::string_view input) {
  const std::string line(input), marker = "/n=\"";
  const std::optional<std::string> marked = FindNameMarker(line);
  const std::size_t at = line.find(marker);
  FUZZ_CHECK(marked ? line.find(marker + *marked + "\"") == at && marked->find('"') == std::string::npos
                    : at == std::string::npos || line.find('"', at + marker.size()) == std::string::npos);
  // Whatever passes the rule names one file inside the log folder, and nothing else.
  const std::string name = marked.value_or(line);
  if (IsSafePupilFileName(name))
    FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string::npos && name != "..");
  for (const char* device : {"nul", "CON", "Com1", "lpt9"})
    FUZZ_CHECK(!IsSafePupilFileName(device + ("." + name)));
  if (IsWindowText(name))
    FUZZ_CHECK(IsSafePupilFileName(UpperCase(name)) == IsSafePupilFileName(name));
  fake::FakeFiles files;
  const RecordPaths paths{"C:\\Users\\Kind\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  files.AddDirectory(paths.LogFolder());
  const bool usable = IsUsablePupilName(paths, name);
  FUZZ_CHECK(!EnsurePupilLog(files, paths, name) == usable && (!usable || IsSafePupilFileName(name)));
  FUZZ_CHECK(files.files_.size() == (usable ? 1u : 0u) && (!usable || files.FileExists(paths.PupilLog(name))));
}
