#pragma once
// The two cryptographic services the teacher PIN needs, as a port: the Win32
// side asks bcrypt.dll, the native tests use a fake.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/expected.h"

namespace lirabo {

class CryptoPort {
 public:
  virtual ~CryptoPort() = default;
  // PBKDF2 with HMAC-SHA256: `length` bytes derived from the password and the salt.
  virtual Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt,
                                                   std::uint32_t iterations, std::size_t length) = 0;
  // Bytes from the system's cryptographic random number generator.
  virtual Expected<std::string> RandomBytes(std::size_t count) = 0;
};

}  // namespace lirabo
