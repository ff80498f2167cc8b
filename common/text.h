#pragma once
// Text inside the programs is UTF-8; files are Windows-1252. These helpers convert
// at the file boundary and do the few text operations the forms need.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// Every byte maps to one code point; the five bytes 1252 leaves undefined map to
// the C1 controls of the same value, so any byte sequence round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);
// Code points outside the 1252 repertoire become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Upper case as Windows does it for the 1252 repertoire: ä → Ä, š → Š, ÿ → Ÿ;
// ß and µ stay as they are.
std::string UpperCase(std::string_view text);

std::size_t CodePointCount(std::string_view text);
// The first `count` code points of `text`.
std::string FirstCodePoints(std::string_view text, std::size_t count);
// `text` without its last code point ("" stays "").
std::string DropLastCodePoint(std::string_view text);
// Decodes one UTF-8 code point at `pos` and advances it; malformed bytes yield U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

// Lines of a text file: a line ends at LF or at the end of the file, so a last line
// without terminator still counts; CRs right before either end are line-end bytes
// (editors leave CR LF, CR CR LF, a CR at the end). An empty file has no lines.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace lirabo
