#pragma once
// Control IDs of the menu window, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::menu_window {

inline constexpr int Greeting = 101;
inline constexpr int NameButton = 102;
inline constexpr int Kamu1Button = 111;
inline constexpr int Kamu2Button = 112;
inline constexpr int TesraButton = 113;
inline constexpr int OrvinButton = 114;
inline constexpr int Pelum3Button = 115;
inline constexpr int Pelum2Button = 116;
inline constexpr int Pelum1Button = 117;
inline constexpr int EndButton = 118;
inline constexpr int DrusaButton = 119;
inline constexpr int PackageHelpItem = 151;
inline constexpr int InfoItem = 152;
inline constexpr int ShowLogsItem = 153;
inline constexpr int NamesItem = 154;
inline constexpr int OptionsItem = 155;

}  // namespace lirabo::ids::menu_window
