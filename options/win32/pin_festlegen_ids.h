#pragma once
// Control IDs of regelpult's PIN dialog PinFestlegen ("Lehrer-PIN"); the end-to-end
// tests find the controls by them.

namespace lirabo::ids::pin_festlegen {

inline constexpr int Zustand = 601;
inline constexpr int Label1 = 602;
inline constexpr int Text1 = 603;
inline constexpr int Label2 = 604;
inline constexpr int Text2 = 605;
inline constexpr int Label3 = 606;
inline constexpr int Speichern = 607;
inline constexpr int Entfernen = 608;
inline constexpr int Abbrechen = 609;

}  // namespace lirabo::ids::pin_festlegen
