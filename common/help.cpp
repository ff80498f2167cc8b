#include "common/help.h"

namespace lirabo {

std::string BuildHelpCommand(const std::string& helpFile, int topic) {
  return "hh.exe -mapid " + std::to_string(topic) + " \"" + helpFile + "\"";
}

std::string MenuHelpFile(const std::string& applicationPath, bool onTop, bool nt6) {
  return applicationPath + (onTop ? "\\LiraboHilfe_Top" : "\\LiraboHilfe") + (nt6 ? ".chm" : ".hlp");
}

std::string RegelpultHelpFile(const std::string& applicationPath, bool nt6) {
  return nt6 ? applicationPath + "\\LiraboHilfe.chm" : std::string("LiraboHilfe.hlp");
}

}  // namespace lirabo
