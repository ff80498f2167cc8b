// The crypto port on bcrypt.dll, as the programs use it.
#include "common/win32/bcrypt_crypto.h"

#include <gtest/gtest.h>

#include "common/teacher_pin.h"

namespace lirabo {
namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

TEST(Crypto, Pbkdf2HmacSha256GivesTheRfc7914Vector) {
  Win32CryptoPort crypto;
  auto key = crypto.DerivePbkdf2Sha256("passwd", "salt", 1, 64);
  ASSERT_TRUE(key) << key.error().description;
  EXPECT_EQ(Hex(*key),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
            "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
}

TEST(Crypto, RandomBytesDifferFromCallToCall) {
  Win32CryptoPort crypto;
  auto first = crypto.RandomBytes(16);
  auto second = crypto.RandomBytes(16);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->size(), 16u);
  EXPECT_NE(*first, *second);
}

TEST(Crypto, APinRecordMatchesItsPinOnly) {
  Win32CryptoPort crypto;
  auto record = MakePinRecord(crypto, "4711", kMinPinIterations);
  ASSERT_TRUE(record) << record.error().description;
  auto parsed = ParsePinFile(FormatPinFile(*record));
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(*PinMatches(crypto, *parsed, "4711"));
  EXPECT_FALSE(*PinMatches(crypto, *parsed, "4712"));
}

}  // namespace
}  // namespace lirabo
