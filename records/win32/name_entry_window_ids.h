#pragma once
// Control IDs of the name entry, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::name_entry {

inline constexpr int Picture = 201;
inline constexpr int Prompt = 202;
inline constexpr int NameBox = 203;
inline constexpr int Names = 204;
inline constexpr int ContinueButton = 205;

}  // namespace lirabo::ids::name_entry
