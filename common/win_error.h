#pragma once
// Win32 error numbers the portable code reasons about, without <windows.h>.
#include <cstdint>
#include <string>

namespace lirabo {

namespace win_error {
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kLockViolation = 33;
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kInvalidName = 123;
}  // namespace win_error

// A failed system call: its error number and the system's own wording of it.
struct SysError {
  std::uint32_t code = 0;
  std::string description;

  explicit operator bool() const { return code != 0; }

  // A file held by someone else, or access refused: the failures that pass when
  // the other program lets go, so they are worth waiting for.
  bool IsLockedOrDenied() const {
    return code == win_error::kSharingViolation || code == win_error::kLockViolation ||
           code == win_error::kAccessDenied;
  }
};

}  // namespace lirabo
