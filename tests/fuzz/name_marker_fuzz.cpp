// The command line's name marker /n="..." and the file-name rule the start-up puts
// the marked name through before it creates the pupil's log.
#include <set>

#include "common/text.h"
#include "menu/menu_startup.h"
#include "records/name_register.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

using namespace lirabo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string commandLine(fuzz::AsText(data, size));
  const std::string marker = "/n=\"";

  // The name is what stands between the first marker and the next quote.
  const std::optional<std::string> marked = FindNameMarker(commandLine);
  const std::size_t at = commandLine.find(marker);
  if (marked) {
    FUZZ_CHECK(at != std::string::npos);
    FUZZ_CHECK(marked->find('"') == std::string::npos);
    FUZZ_CHECK(commandLine.compare(at, marker.size() + marked->size() + 1, marker + *marked + "\"") == 0);
  } else {
    FUZZ_CHECK(at == std::string::npos || commandLine.find('"', at + marker.size()) == std::string::npos);
  }

  // Whatever passes the rule names one file inside the log folder and nothing else.
  const std::string name = marked.value_or(commandLine);
  const bool safe = IsSafePupilFileName(name);
  if (safe) {
    FUZZ_CHECK(!name.empty() && name != "." && name != "..");
    FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string::npos);
    for (char c : name) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != 127);
  }
  // A device name stays one whatever follows its first dot, in either case.
  for (const char* device : {"nul", "CON", "Com1", "lpt9"})
    FUZZ_CHECK(!IsSafePupilFileName(std::string(device) + "." + name));
  // Upper case changes no verdict.
  if (fuzz::IsValidUtf8(name)) FUZZ_CHECK(IsSafePupilFileName(UpperCase(name)) == safe);

  fake::FakeFiles files;
  const RecordPaths paths{"C:\\Users\\Kind\\AppData\\Roaming\\DE Zuzururu\\Lirabo", "C:\\Lirabo"};
  files.AddDirectory(paths.settingsFolder);
  files.Put(paths.DeliveredRegister(), "Anna\r\n");
  std::set<std::string> before;
  for (const auto& entry : files.files_) before.insert(entry.first);
  FUZZ_CHECK(!EnsureNameRegister(files, paths));
  const SysError logged = EnsurePupilLog(files, paths, name);
  // A safe name whose log path would pass the system's limit is no name either.
  const bool usable = IsUsablePupilName(paths, name);
  FUZZ_CHECK(!usable || safe);
  FUZZ_CHECK(!logged == usable);
  std::set<std::string> created;
  for (const auto& entry : files.files_)
    if (!before.count(entry.first)) created.insert(entry.first);
  std::set<std::string> expected = {UpperCase(paths.Register())};
  if (usable) expected.insert(UpperCase(paths.PupilLog(name)));
  FUZZ_CHECK(created == expected);
  FUZZ_CHECK(files.Get(paths.Register()) == "Anna\r\n");
  return 0;
}
