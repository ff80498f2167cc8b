#pragma once
// A crash (an access violation or another exception that nothing handles) goes the
// program's fatal-error way: its description is shown and the program ends in order.
#include <windows.h>

#include <functional>
#include <string>

namespace lirabo {

// `fatalEnd` gets the description and does not return. It takes both ways a program
// meets a failure nobody expected: an exception out of a window's handler and a crash.
void InstallFailureHandlers(std::function<void(const std::string&)> fatalEnd);
std::string CrashDescription(DWORD code, const void* address);

}  // namespace lirabo
