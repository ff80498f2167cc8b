#pragma once
// The opens of the options file and the three copies (master, user, marker).
#include <string>

#include "common/file_port.h"
#include "options/options_record.h"

namespace lirabo {

inline constexpr const char* kOptionsFileName = "\\options.ini";
inline constexpr const char* kOptionsMarkerName = "\\options.bak";

enum class ProbeResult { Writable, Refused, Failed };
struct ProbeOutcome {
  ProbeResult result = ProbeResult::Writable;
  SysError error;  // set for Refused and Failed
};

// Opens the file for appending (creating it empty), others may read and write, and
// closes it again. Refused while someone holds or rewrites it, or may not write it.
ProbeOutcome ProbeOptionsWritable(FilePort& files, const std::string& path);

// Opens the file for reading with writing denied to others; the hold lasts as long
// as the handle.
Expected<FileHandle> HoldOptionsFile(FilePort& files, const std::string& path);

// Writes the ten lines all at once: menus and dialogs on other computers read either
// the old file or the new one, and a failure at any point leaves the old one.
SysError WriteOptionsFile(FilePort& files, const std::string& path, const OptionsRecord& record);

// Opens a copy for reading without restricting others ("no lock requested").
Expected<FileHandle> OpenOptionsForReading(FilePort& files, const std::string& path);

// Copies the master over the user copy, then over the marker; stops at the first failure.
SysError AdoptMaster(FilePort& files, const std::string& applicationPath, const std::string& settingsFolder);

// Compares the marker copy with the master value by value, as far as both reach,
// and copies the master over the user copy and the marker when they differ or the
// marker is missing. Stops at the first failure and returns it.
SysError RefreshOptionsCopy(FilePort& files, const std::string& applicationPath,
                            const std::string& settingsFolder);

}  // namespace lirabo
