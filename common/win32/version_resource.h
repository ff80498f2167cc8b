#pragma once
// The program's own version information, as the information box shows it.
#include <string>

namespace lirabo {

struct ProgramVersionInfo {
  int major = 0, minor = 0, revision = 0;
  std::string productName;
  std::string legalCopyright;
};

// Read from the running program's VERSIONINFO resource (FILEVERSION a, b, 0, c
// gives major a, minor b, revision c); what the resource lacks comes from
// common/version.h, from which the resource is built.
ProgramVersionInfo ReadOwnVersionInfo();

}  // namespace lirabo
