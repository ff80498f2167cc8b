#pragma once
// Control IDs of the options dialog Form2, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::form2 {

inline constexpr int Rahmen1 = 301;
inline constexpr int Option1 = 302;
inline constexpr int Option2 = 303;
inline constexpr int Check1 = 304;
inline constexpr int Buchstaben = 305;
inline constexpr int Proto = 306;
inline constexpr int ProtSave = 307;
inline constexpr int FehlerWeiter = 308;
inline constexpr int HGrund = 309;
inline constexpr int TVis = 310;
inline constexpr int Auflösung = 311;
inline constexpr int Label1 = 312;
inline constexpr int Befehl1 = 313;
inline constexpr int Command1 = 314;
inline constexpr int Frame1 = 315;
inline constexpr int Command2 = 316;
inline constexpr int Command3 = 317;
inline constexpr int Command4 = 318;
inline constexpr int Command5 = 319;  // regelpult only: "Lehrer-PIN…"

}  // namespace lirabo::ids::form2
