#pragma once
// A crash (an access violation or another exception that nothing handles) goes the
// program's fatal-error way: its description is shown and the program ends in order.
#include <windows.h>

#include <functional>
#include <string>

namespace lirabo {

// `fatalEnd` gets the description and does not return.
void InstallCrashHandler(std::function<void(const std::string&)> fatalEnd);
std::string CrashDescription(DWORD code, const void* address);

}  // namespace lirabo
