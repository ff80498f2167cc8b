#include "common/text.h"

#include <array>

namespace lirabo {
namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined ones keep their C1 value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
  return b;
}

int CodePointToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

char32_t UpperCodePoint(char32_t cp) {
  if (cp >= U'a' && cp <= U'z') return cp - 0x20;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  switch (cp) {
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    case 0x00FF: return 0x0178;  // ÿ
    default: return cp;
  }
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char b0 = byte(pos);
  int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 0x6 ? 1 : (b0 >> 4) == 0xE ? 2 : (b0 >> 3) == 0x1E ? 3 : -1;
  if (extra == 0) {
    ++pos;
    return b0;
  }
  if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(pos + static_cast<std::size_t>(i));
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  pos += static_cast<std::size_t>(extra) + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  auto put = [&](unsigned v) { out.push_back(static_cast<char>(v)); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out.push_back(c);
    else
      AppendUtf8(out, ByteToCodePoint(b));
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    int b = CodePointToByte(NextCodePoint(text, pos));
    out.push_back(static_cast<char>(b < 0 ? '?' : b));
  }
  return out;
}

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) AppendUtf8(out, UpperCodePoint(NextCodePoint(text, pos)));
  return out;
}

std::size_t CodePointCount(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < text.size(); ++n) NextCodePoint(text, pos);
  return n;
}

std::string FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) NextCodePoint(text, pos);
  return std::string(text.substr(0, pos));
}

std::string DropLastCodePoint(std::string_view text) {
  std::size_t n = CodePointCount(text);
  return n == 0 ? std::string() : FirstCodePoints(text, n - 1);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      std::size_t end = text.size();
      while (end > start && text[end - 1] == '\r') --end;
      lines.emplace_back(text.substr(start, end - start));
      break;
    }
    std::size_t end = lf;
    while (end > start && text[end - 1] == '\r') --end;
    lines.emplace_back(text.substr(start, end - start));
    start = lf + 1;
  }
  return lines;
}

}  // namespace lirabo
