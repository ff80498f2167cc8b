#include "common/help.h"

namespace lirabo {

std::string BuildHelpCommand(const std::string& helpFile, int topic) {
  return "hh.exe -mapid " + std::to_string(topic) + " \"" + helpFile + "\"";
}

}  // namespace lirabo
