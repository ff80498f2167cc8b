#pragma once
// The help invocations of both programs.
#include <string>

namespace lirabo {

// The HTML help viewer's command line for a topic: hh.exe -mapid <topic> "<file>".
// The path is always quoted, so folders with blanks work.
std::string BuildHelpCommand(const std::string& helpFile, int topic);
// regelpult's help file: the HTML help of its folder where Windows has the viewer
// (NT 6 on, which no longer ships WinHelp), the WinHelp file by name before.
std::string RegelpultHelpFile(const std::string& applicationPath, bool nt6);

}  // namespace lirabo
