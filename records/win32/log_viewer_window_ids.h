#pragma once
// Control IDs of the log viewer, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::log_viewer {

inline constexpr int Logs = 601;
inline constexpr int LogText = 602;
inline constexpr int DeleteButton = 603;
inline constexpr int BackButton = 604;

}  // namespace lirabo::ids::log_viewer
