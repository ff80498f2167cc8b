#pragma once
// The crypto port on Windows' own bcrypt.dll (Windows 7 and later, and Wine).
#include "common/crypto_port.h"

namespace lirabo {

class Win32CryptoPort final : public CryptoPort {
 public:
  Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt,
                                           std::uint32_t iterations, std::size_t length) override;
  Expected<std::string> RandomBytes(std::size_t count) override;
};

}  // namespace lirabo
