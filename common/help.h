#pragma once
// The help invocations of both programs.
#include <string>

namespace lirabo {

// The HTML help viewer's command line for a topic: hh.exe -mapid <topic> "<file>".
// The path is always quoted, so folders with blanks work.
std::string BuildHelpCommand(const std::string& helpFile, int topic);

// The topics, by the window that asks.
inline constexpr int kPackageHelpTopic = 99;  // the teacher menu's help item and the name entry
inline constexpr int kMenuHelpTopic = 102;
inline constexpr int kRecordsHelpTopic = 106;  // the log viewer and the name list
inline constexpr int kOptionsHelpTopic = 110;
inline constexpr int kWordEditorHelpTopic = 5;

// The menu's help file in its folder: HTML help on NT 6 and later, WinHelp before;
// `onTop` picks the variant that stays above a covered desktop without a taskbar.
std::string MenuHelpFile(const std::string& applicationPath, bool onTop, bool nt6);
// regelpult's help file: the HTML help of its folder where Windows has the viewer
// (NT 6 on, which no longer ships WinHelp), the WinHelp file by name before.
std::string RegelpultHelpFile(const std::string& applicationPath, bool nt6);

}  // namespace lirabo
