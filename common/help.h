#pragma once
// The help invocations of both programs.
#include <string>

namespace lirabo {

// The HTML help viewer's command line for a topic: hh.exe -mapid <topic> "<file>".
// The path is always quoted, so folders with blanks work.
std::string BuildHelpCommand(const std::string& helpFile, int topic);

}  // namespace lirabo
