#pragma once
// Control IDs of the name list, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::name_list {

inline constexpr int Names = 701;
inline constexpr int DeleteButton = 702;
inline constexpr int BackButton = 703;

}  // namespace lirabo::ids::name_list
