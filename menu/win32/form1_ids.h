#pragma once
// Control IDs of the menu window Form1, named after its controls; the end-to-end
// tests find the controls by them.

namespace lirabo::ids::form1 {

inline constexpr int Hilfe = 101;
inline constexpr int CB_Name = 102;
inline constexpr int Command1 = 111;
inline constexpr int Command2 = 112;
inline constexpr int Command3 = 113;
inline constexpr int Command4 = 114;
inline constexpr int Command5 = 115;
inline constexpr int Command6 = 116;
inline constexpr int Command7 = 117;
inline constexpr int Command8 = 118;
inline constexpr int Command9 = 119;
inline constexpr int M_Hilfe_Paket = 401;
inline constexpr int M_Info = 402;
inline constexpr int M_ProtokolleAnzeigen = 403;
inline constexpr int M_Namen = 404;
inline constexpr int M_Optionen = 405;

}  // namespace lirabo::ids::form1
