#pragma once
// Control IDs of the name-entry dialog Man_Namen, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::man_namen {

inline constexpr int Picture1 = 301;
inline constexpr int Label2 = 302;
inline constexpr int Text1 = 303;
inline constexpr int List1 = 304;
inline constexpr int OK = 305;

}  // namespace lirabo::ids::man_namen
