#include "teacher_pin/teacher_pin.h"

#include <algorithm>
#include <utility>

#include "common/retry.h"
#include "common/text.h"

namespace lirabo {
namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> FromHex(std::string_view hex, std::size_t bytes) {
  if (hex.size() != 2 * bytes) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<char>(high * 16 + low));
  }
  return out;
}

std::string ToHex(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 15];
  }
  return out;
}

// Decimal, without sign or leading zero, kMinPinIterations to kMaxPinIterations.
std::optional<std::uint32_t> ParseIterations(std::string_view text) {
  if (text.empty() || text.size() > 8 || text[0] == '0') return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value < kMinPinIterations || value > kMaxPinIterations) return std::nullopt;
  return value;
}

// The next field up to ':' (or the rest), taken off the front of `rest`.
std::string_view TakeField(std::string_view& rest) {
  std::size_t colon = rest.find(':');
  std::string_view field = rest.substr(0, colon);
  rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  return field;
}

}  // namespace

std::optional<PinRecord> ParsePinFile(std::string_view bytes) {
  std::string_view line = bytes;
  if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") line.remove_suffix(2);
  // Exactly four fields; the last one runs to the end of the line.
  if (std::count(line.begin(), line.end(), ':') != 3) return std::nullopt;
  std::string_view rest = line;
  if (TakeField(rest) != kScheme) return std::nullopt;
  auto iterations = ParseIterations(TakeField(rest));
  auto salt = FromHex(TakeField(rest), kPinSaltBytes);
  auto key = FromHex(rest, kPinKeyBytes);
  if (!iterations || !salt || !key) return std::nullopt;
  return PinRecord{*iterations, std::move(*salt), std::move(*key)};
}

std::string FormatPinFile(const PinRecord& record) {
  return std::string(kScheme) + ":" + std::to_string(record.iterations) + ":" + ToHex(record.salt) + ":" +
         ToHex(record.key) + "\r\n";
}

bool IsWellFormedPin(std::string_view pin, std::size_t minDigits) {
  if (pin.size() < minDigits || pin.size() > kPinMaxDigits) return false;
  for (char c : pin)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ConstantTimeEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    difference |= static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]);
  return difference == 0;
}

Expected<PinRecord> MakePinRecord(CryptoPort& crypto, std::string_view pin, std::uint32_t iterations) {
  auto salt = crypto.RandomBytes(kPinSaltBytes);
  if (!salt) return salt.error();
  auto key = crypto.DerivePbkdf2Sha256(pin, *salt, iterations, kPinKeyBytes);
  if (!key) return key.error();
  return PinRecord{iterations, std::move(*salt), std::move(*key)};
}

Expected<bool> PinMatches(CryptoPort& crypto, const PinRecord& record, std::string_view pin) {
  auto key = crypto.DerivePbkdf2Sha256(pin, record.salt, record.iterations, kPinKeyBytes);
  if (!key) return key.error();
  return ConstantTimeEqual(*key, record.key);
}

TeacherPin ReadTeacherPin(FilePort& files, SystemPort& system, const std::string& path) {
  std::string bytes;
  bool tooLarge = false;
  SysError error = RetryWhileLocked(system, [&]() -> SysError {
    auto file = files.Open(path, FileAccess::Read, FileShare::ReadWrite, FileCreation::OpenExisting);
    if (!file) return file.error();
    auto size = (*file)->Size();
    if (!size) return size.error();
    // A crafted giant file must not keep the menu reading.
    if (*size > kMaxPinFileBytes) {
      tooLarge = true;
      return {};
    }
    auto read = (*file)->ReadAll();
    if (!read) return read.error();
    bytes = std::move(*read);
    return {};
  });
  if (error.code == win_error::kFileNotFound) {
    // The folder itself must answer, or the missing file proves nothing.
    auto listing = files.ListFiles(path.substr(0, path.find_last_of('\\')), ".ini");
    if (listing) return {};
    error = listing.error();
  }
  if (error) return {PinFileState::Unreadable, {}, error};
  auto record = tooLarge ? std::nullopt : ParsePinFile(bytes);
  if (!record) return {PinFileState::Damaged, {}, {}};
  return {PinFileState::Set, std::move(*record), {}};
}

TeacherPin FindTeacherPin(FilePort& files, SystemPort& system, const std::vector<std::string>& folders) {
  std::vector<std::string> seen;
  std::optional<TeacherPin> refusal;
  for (std::string folder : folders) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (folder.empty() || std::find(seen.begin(), seen.end(), UpperCase(folder)) != seen.end()) continue;
    seen.push_back(UpperCase(folder));
    TeacherPin pin = ReadTeacherPin(files, system, folder + kTeacherPinFileName);
    if (pin.state == PinFileState::Set) return pin;
    if (pin.state != PinFileState::None && !refusal) refusal = std::move(pin);
  }
  return refusal ? std::move(*refusal) : TeacherPin{};
}

SysError WriteTeacherPin(FilePort& files, SystemPort& system, const std::string& path, const PinRecord& record) {
  const std::string bytes = FormatPinFile(record);
  return RetryWhileLocked(system, [&] { return files.ReplaceContents(path, bytes); });
}

SysError RemoveTeacherPin(FilePort& files, SystemPort& system, const std::string& path) {
  SysError error = RetryWhileLocked(system, [&] { return files.RemoveFile(path); });
  if (error.code == win_error::kFileNotFound) return {};
  return error;
}

}  // namespace lirabo
