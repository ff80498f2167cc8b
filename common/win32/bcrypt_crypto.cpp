#include "common/win32/bcrypt_crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>

#include "common/win32/handles.h"

namespace lirabo {
namespace {

struct AlgorithmTraits {
  using Type = BCRYPT_ALG_HANDLE;
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_ALG_HANDLE algorithm) { ::BCryptCloseAlgorithmProvider(algorithm, 0); }
};
using UniqueAlgorithm = UniqueAny<AlgorithmTraits>;

// bcrypt reports NTSTATUS values, which FormatMessage of the system table does not know.
SysError BcryptError(const char* function, NTSTATUS status) {
  char text[96];
  std::snprintf(text, sizeof text, "%s ist fehlgeschlagen (Status 0x%08lX).", function,
                static_cast<unsigned long>(status));
  return {static_cast<std::uint32_t>(status), text};
}

// bcrypt takes non-const buffers, though it only reads the password and the salt.
PUCHAR Bytes(std::string_view bytes) {
  return reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
}

}  // namespace

Expected<std::string> Win32CryptoPort::DerivePbkdf2Sha256(std::string_view password, std::string_view salt,
                                                          std::uint32_t iterations, std::size_t length) {
  BCRYPT_ALG_HANDLE opened = nullptr;
  NTSTATUS status =
      BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptOpenAlgorithmProvider", status);
  UniqueAlgorithm algorithm(opened);
  std::string key(length, '\0');
  status = BCryptDeriveKeyPBKDF2(algorithm.get(), Bytes(password), static_cast<ULONG>(password.size()),
                                 Bytes(salt), static_cast<ULONG>(salt.size()), iterations,
                                 reinterpret_cast<PUCHAR>(key.data()), static_cast<ULONG>(key.size()), 0);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptDeriveKeyPBKDF2", status);
  return key;
}

Expected<std::string> Win32CryptoPort::RandomBytes(std::size_t count) {
  std::string bytes(count, '\0');
  NTSTATUS status = BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(count),
                                    BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptGenRandom", status);
  return bytes;
}

}  // namespace lirabo
