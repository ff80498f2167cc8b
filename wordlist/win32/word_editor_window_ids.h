#pragma once
// Control IDs of the word editor, named by role, in a number range of its own; the
// end-to-end tests find the controls by them.

namespace lirabo::ids::word_editor {

inline constexpr int WordLabel = 401;
inline constexpr int HintLabel = 402;
inline constexpr int ReadHelpLabel = 403;
inline constexpr int Sound1 = 404;
inline constexpr int Sound2 = 405;
inline constexpr int Sound3 = 406;
inline constexpr int Sound4 = 407;
inline constexpr int OkButton = 408;
inline constexpr int BackButton = 409;
inline constexpr int HelpButton = 410;
inline constexpr int HelpFrame = 411;
inline constexpr int HelpText = 412;

}  // namespace lirabo::ids::word_editor
