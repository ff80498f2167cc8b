#include "common/program_version.h"

namespace lirabo {

std::string FormatProgramVersion(int major, int minor, int revision) {
  std::string minorText = std::to_string(minor);
  std::string revisionText = std::to_string(revision);
  std::string text = std::to_string(major);
  text += minorText.size() == 1 ? ".0" : ".";
  text += minorText;
  switch (revisionText.size()) {
    case 1: text += ".000"; break;
    case 2: text += ".00"; break;
    default: text += ".0"; break;
  }
  return text + revisionText;
}

}  // namespace lirabo
