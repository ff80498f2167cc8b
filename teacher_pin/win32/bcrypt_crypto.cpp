#include "teacher_pin/win32/bcrypt_crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>

#include "common/win32/handles.h"
#include "common/win32/win32_files.h"

namespace lirabo {
namespace {

// bcrypt.dll is loaded at the first use, not at every start: most starts of the
// menu never ask for a PIN. It is taken from the system folder by its full path.
struct Bcrypt {
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  decltype(&BCryptCloseAlgorithmProvider) close = nullptr;
  decltype(&BCryptDeriveKeyPBKDF2) derive = nullptr;
  decltype(&BCryptGenRandom) random = nullptr;
  SysError error;
};

template <class F>
void Resolve(HMODULE dll, const char* name, F& function) {
  function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

const Bcrypt& LoadBcrypt() {
  static const Bcrypt loaded = [] {
    Bcrypt b;
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    std::wstring path = std::wstring(folder, length < MAX_PATH ? length : 0) + L"\\bcrypt.dll";
    HMODULE dll = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (dll) {
      Resolve(dll, "BCryptOpenAlgorithmProvider", b.open);
      Resolve(dll, "BCryptCloseAlgorithmProvider", b.close);
      Resolve(dll, "BCryptDeriveKeyPBKDF2", b.derive);
      Resolve(dll, "BCryptGenRandom", b.random);
    }
    if (!dll || !b.open || !b.close || !b.derive || !b.random) b.error = LastSysError();
    return b;
  }();
  return loaded;
}

struct AlgorithmTraits {
  using Type = BCRYPT_ALG_HANDLE;
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_ALG_HANDLE algorithm) { LoadBcrypt().close(algorithm, 0); }
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
  const Bcrypt& bcrypt = LoadBcrypt();
  if (bcrypt.error) return bcrypt.error;
  BCRYPT_ALG_HANDLE opened = nullptr;
  NTSTATUS status = bcrypt.open(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptOpenAlgorithmProvider", status);
  UniqueAlgorithm algorithm(opened);
  std::string key(length, '\0');
  status = bcrypt.derive(algorithm.get(), Bytes(password), static_cast<ULONG>(password.size()), Bytes(salt),
                         static_cast<ULONG>(salt.size()), iterations, reinterpret_cast<PUCHAR>(key.data()),
                         static_cast<ULONG>(key.size()), 0);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptDeriveKeyPBKDF2", status);
  return key;
}

Expected<std::string> Win32CryptoPort::RandomBytes(std::size_t count) {
  const Bcrypt& bcrypt = LoadBcrypt();
  if (bcrypt.error) return bcrypt.error;
  std::string bytes(count, '\0');
  NTSTATUS status = bcrypt.random(nullptr, reinterpret_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(count),
                                  BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (!BCRYPT_SUCCESS(status)) return BcryptError("BCryptGenRandom", status);
  return bytes;
}

}  // namespace lirabo
