#pragma once
// Control IDs of the log viewer Man_Protokolle, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::man_protokolle {

inline constexpr int File1 = 601;
inline constexpr int Text1 = 602;
inline constexpr int Command2 = 603;
inline constexpr int Command1 = 604;

}  // namespace lirabo::ids::man_protokolle
