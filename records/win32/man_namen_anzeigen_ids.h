#pragma once
// Control IDs of the name list Man_NamenAnzeigen, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::man_namen_anzeigen {

inline constexpr int List1 = 611;
inline constexpr int Command1 = 612;
inline constexpr int OK = 613;

}  // namespace lirabo::ids::man_namen_anzeigen
