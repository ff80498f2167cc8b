#pragma once
// Control IDs of the word editor Form3, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::form3 {

inline constexpr int Bezeichnung1 = 301;
inline constexpr int Bezeichnung2 = 302;
inline constexpr int Bezeichnung3 = 303;
inline constexpr int Text1 = 304;
inline constexpr int Text2 = 305;
inline constexpr int Text3 = 306;
inline constexpr int Text4 = 307;
inline constexpr int Befehl1 = 308;
inline constexpr int Befehl2 = 309;
inline constexpr int Befehl3 = 310;
inline constexpr int Rahmen1 = 311;
inline constexpr int Bezeichnung4 = 312;

}  // namespace lirabo::ids::form3
