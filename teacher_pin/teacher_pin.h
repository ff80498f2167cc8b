#pragma once
// The optional teacher PIN of an installation: lehrerpin.ini beside the master
// options.ini, so that one PIN serves every PC of a network installation. One line
// "pbkdf2-sha256:<iterations>:<salt, 32 hex digits>:<key, 64 hex digits>", CR LF.
// No file means no PIN; a file that does not hold one valid line counts as damaged
// and opens nothing.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/crypto_port.h"
#include "common/file_port.h"
#include "common/system_port.h"
#include "teacher_pin/teacher_pin_texts.h"

namespace lirabo {

inline constexpr const char* kTeacherPinFileName = "\\lehrerpin.ini";
inline constexpr std::uint32_t kNewPinIterations = 200000;
// Fewer make guessing cheap, more stall the check for seconds: such a file is damaged.
inline constexpr std::uint32_t kMinPinIterations = 100000;
inline constexpr std::uint32_t kMaxPinIterations = 2000000;
// A valid file is one line of 120 bytes; anything much larger is not read at all.
inline constexpr std::uint64_t kMaxPinFileBytes = 512;
inline constexpr std::size_t kPinSaltBytes = 16;
inline constexpr std::size_t kPinKeyBytes = 32;
// PINs set before the rule grew to 6 digits still open the menu.
inline constexpr std::size_t kPinMinDigits = 4;
inline constexpr std::size_t kNewPinMinDigits = 6;
inline constexpr std::size_t kPinMaxDigits = 12;

struct PinRecord {
  std::uint32_t iterations = 0;
  std::string salt;  // kPinSaltBytes bytes
  std::string key;   // kPinKeyBytes bytes: PBKDF2-HMAC-SHA256 of the PIN

  bool operator==(const PinRecord&) const = default;
};

// The file's bytes: the line, with or without its CR LF, and nothing else. Hex
// digits in either case.
std::optional<PinRecord> ParsePinFile(std::string_view bytes);
// The line with lower-case hex digits and CR LF.
std::string FormatPinFile(const PinRecord& record);

// kPinMinDigits (for a new PIN kNewPinMinDigits) to kPinMaxDigits ASCII digits.
bool IsWellFormedPin(std::string_view pin, std::size_t minDigits = kPinMinDigits);
// Equal length and bytes; the time taken does not depend on where they differ.
bool ConstantTimeEqual(std::string_view a, std::string_view b);

// A new record for the PIN with a fresh random salt.
Expected<PinRecord> MakePinRecord(CryptoPort& crypto, std::string_view pin,
                                  std::uint32_t iterations = kNewPinIterations);
// Whether the PIN derives the record's key with the record's salt and iterations.
Expected<bool> PinMatches(CryptoPort& crypto, const PinRecord& record, std::string_view pin);

enum class PinFileState {
  None,        // no file: no PIN
  Set,         // one valid line
  Damaged,     // the file is there but holds no valid line
  Unreadable,  // the file could not be read; `error` says why
};

struct TeacherPin {
  PinFileState state = PinFileState::None;
  PinRecord record;  // when Set
  SysError error;    // when Unreadable
};

// Reads the file, waiting for a writer that has it open as for every locked file.
// Only "file not found" in a folder that can itself be listed means no PIN: a
// dropped share or a removed stick refuses with the system's description.
TeacherPin ReadTeacherPin(FilePort& files, SystemPort& system, const std::string& path);
// The PIN of the first of `folders` that has one, so that a copy of the program
// elsewhere still finds the installation's; without any, the first refusal; else None.
// Empty and repeated folders are skipped.
TeacherPin FindTeacherPin(FilePort& files, SystemPort& system, const std::vector<std::string>& folders);
// Writes the file all or nothing.
SysError WriteTeacherPin(FilePort& files, SystemPort& system, const std::string& path, const PinRecord& record);
// Deletes the file; no file is no error.
SysError RemoveTeacherPin(FilePort& files, SystemPort& system, const std::string& path);

}  // namespace lirabo
