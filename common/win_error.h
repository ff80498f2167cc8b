#pragma once
// Win32 error numbers the portable code reasons about, without <windows.h>.
#include <cstdint>
#include <string>

namespace lirabo {

namespace win_error {
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidHandle = 6;
inline constexpr std::uint32_t kWriteProtect = 19;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kLockViolation = 33;
inline constexpr std::uint32_t kHandleDiskFull = 39;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kInvalidName = 123;
inline constexpr std::uint32_t kAlreadyExists = 183;
}  // namespace win_error

// A failed system call: its error number and the system's own wording of it.
struct SysError {
  std::uint32_t code = 0;
  std::string description;

  explicit operator bool() const { return code != 0; }

  // The errors the old run-time reported as 70 and 75: a file held by someone
  // else, or access refused. These are the ones worth waiting for.
  bool IsLockedOrDenied() const {
    return code == win_error::kSharingViolation || code == win_error::kLockViolation ||
           code == win_error::kAccessDenied;
  }
};

}  // namespace lirabo
