#pragma once
// Control IDs of the PIN query PinAbfrage ("Lehrermenü"); the end-to-end tests
// find the controls by them.

namespace lirabo::ids::pin_abfrage {

inline constexpr int Label1 = 501;
inline constexpr int Text1 = 502;
inline constexpr int OK = 503;
inline constexpr int Abbrechen = 504;

}  // namespace lirabo::ids::pin_abfrage
