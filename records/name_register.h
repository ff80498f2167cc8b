#pragma once
// Namen.ini, the register of pupils' names, and the pupils' log files beside it.
#include <string>
#include <vector>

#include "common/file_port.h"

namespace lirabo {

inline constexpr const char* kAnonymousPupilName = "unbekannt";

// Where the register and the logs live, derived from the two base folders.
struct RecordPaths {
  std::string settingsFolder;
  std::string applicationPath;

  std::string LogFolder() const { return settingsFolder + "\\Protokoll_2"; }
  std::string Register() const { return LogFolder() + "\\Namen.ini"; }
  std::string DeliveredRegister() const { return applicationPath + "\\Protokoll_2\\Namen.ini"; }
  std::string PupilLog(const std::string& name) const { return LogFolder() + "\\" + name + ".txt"; }
};

// Creates the register from the delivered copy when it is missing; with no
// delivered copy either, an empty register. An existing register is never touched.
SysError EnsureNameRegister(FilePort& files, const RecordPaths& paths);
// Every line in file order; a last line without CR LF counts, nothing is trimmed.
Expected<std::vector<std::string>> ReadNameRegister(FilePort& files, const RecordPaths& paths);
// True when a line equals the name, both in upper case.
Expected<bool> NameRegisterContains(FilePort& files, const RecordPaths& paths, const std::string& name);
// Adds the name and CR LF at the end (after a CR LF of its own when the last line
// has none); the register is created when missing.
SysError AppendToNameRegister(FilePort& files, const RecordPaths& paths, const std::string& name);
// Replaces the register by these lines, each ending in CR LF; on failure the old
// register stays as it was.
SysError WriteNameRegister(FilePort& files, const RecordPaths& paths, const std::vector<std::string>& names);
// Creates the pupil's log empty when it does not exist; refuses a name that is not
// usable as a log's name.
SysError EnsurePupilLog(FilePort& files, const RecordPaths& paths, const std::string& name);

// A name that can stand as a file name in the log folder: no path separator, no
// character Windows forbids, no control character, no device name, not "." or "..".
bool IsSafePupilFileName(const std::string& name);
// A safe file name whose log path stays within the system's path limit (260
// characters with the terminating NUL).
bool IsUsablePupilName(const RecordPaths& paths, const std::string& name);

}  // namespace lirabo
