#pragma once
// Control IDs of regelpult's PIN setup ("Lehrer-PIN"), named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::pin_setup {

inline constexpr int State = 801;
inline constexpr int NewPinLabel = 802;
inline constexpr int NewPin = 803;
inline constexpr int RepeatLabel = 804;
inline constexpr int RepeatPin = 805;
inline constexpr int RuleLabel = 806;
inline constexpr int SaveButton = 807;
inline constexpr int RemoveButton = 808;
inline constexpr int CancelButton = 809;

}  // namespace lirabo::ids::pin_setup
