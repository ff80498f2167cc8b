#pragma once
// Control IDs of the options window, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::options_window {

inline constexpr int ColourDepthFrame = 301;
inline constexpr int LowColourOption = 302;
inline constexpr int HighColourOption = 303;
inline constexpr int SpeechOutput = 304;
inline constexpr int CapitalsOnly = 305;
inline constexpr int LogAfterTenTasks = 306;
inline constexpr int LogUnderPupilName = 307;
inline constexpr int ContinueAfterMistakes = 308;
inline constexpr int CoverDesktop = 309;
inline constexpr int TaskbarVisible = 310;
inline constexpr int FullScreen = 311;
inline constexpr int FullScreenNote = 312;
inline constexpr int OkButton = 313;
inline constexpr int HelpButton = 314;
inline constexpr int WordListFrame = 315;
inline constexpr int EditWordListButton = 316;
inline constexpr int NewWordListButton = 317;
inline constexpr int RestoreWordListButton = 318;
inline constexpr int TeacherPinButton = 319;  // regelpult only: "Lehrer-PIN…"

}  // namespace lirabo::ids::options_window
