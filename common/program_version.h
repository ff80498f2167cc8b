#pragma once
// The version text of the information box.
#include <string>

namespace lirabo {

// Major, then the minor number with at least two digits and the revision with at
// least four; a revision of four or more digits gets a single leading zero, so
// 2, 5, 1234 reads 2.05.01234.
std::string FormatProgramVersion(int major, int minor, int revision);

}  // namespace lirabo
