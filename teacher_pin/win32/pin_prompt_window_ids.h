#pragma once
// Control IDs of the PIN prompt ("Lehrermenü"), named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::pin_prompt {

inline constexpr int Prompt = 501;
inline constexpr int PinBox = 502;
inline constexpr int OkButton = 503;
inline constexpr int CancelButton = 504;

}  // namespace lirabo::ids::pin_prompt
