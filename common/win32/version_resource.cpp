#include "common/win32/version_resource.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <map>

#include "common/version.h"
#include "common/win32/wide.h"

namespace lirabo {
namespace {

std::size_t Align4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

struct VersionBlocks {
  const VS_FIXEDFILEINFO* fixed = nullptr;
  std::map<std::wstring, std::wstring> strings;
};

// Walks the VS_VERSIONINFO tree (length, value length, type, key, value,
// children) without version.dll, which the programs do not import.
void Walk(const BYTE* data, std::size_t size, int depth, VersionBlocks& out) {
  std::size_t offset = 0;
  while (offset + 6 <= size) {
    const BYTE* block = data + offset;
    WORD header[3];
    std::memcpy(header, block, sizeof header);
    const std::size_t length = header[0];
    if (length < 6 || offset + length > size) return;
    const auto* key = reinterpret_cast<const wchar_t*>(block + 6);
    const std::size_t keyChars = wcsnlen(key, (length - 6) / sizeof(wchar_t));
    const std::size_t valueOffset = Align4(6 + (keyChars + 1) * sizeof(wchar_t));
    std::size_t valueBytes = header[2] == 1 ? header[1] * sizeof(wchar_t) : header[1];
    if (valueOffset + valueBytes > length) valueBytes = valueOffset < length ? length - valueOffset : 0;
    if (depth == 0 && valueBytes >= sizeof(VS_FIXEDFILEINFO)) {
      const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(block + valueOffset);
      if (fixed->dwSignature == VS_FFI_SIGNATURE) out.fixed = fixed;
    }
    if (header[2] == 1 && valueBytes > 0) {
      const auto* value = reinterpret_cast<const wchar_t*>(block + valueOffset);
      out.strings[std::wstring(key, keyChars)] = std::wstring(value, wcsnlen(value, valueBytes / sizeof(wchar_t)));
    }
    const std::size_t children = Align4(valueOffset + valueBytes);
    if (children < length) Walk(block + children, length - children, depth + 1, out);
    offset += Align4(length);
  }
}

}  // namespace

ProgramVersionInfo ReadOwnVersionInfo() {
  ProgramVersionInfo info{LIRABO_VERSION_MAJOR, LIRABO_VERSION_MINOR, LIRABO_VERSION_REVISION,
                          LIRABO_PRODUCT_NAME, LIRABO_LEGAL_COPYRIGHT};
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return info;
  VersionBlocks blocks;
  Walk(static_cast<const BYTE*>(data), SizeofResource(nullptr, found), 0, blocks);
  if (blocks.fixed) {
    info.major = HIWORD(blocks.fixed->dwFileVersionMS);
    info.minor = LOWORD(blocks.fixed->dwFileVersionMS);
    info.revision = LOWORD(blocks.fixed->dwFileVersionLS);
  }
  if (auto it = blocks.strings.find(L"ProductName"); it != blocks.strings.end()) info.productName = Narrow(it->second);
  if (auto it = blocks.strings.find(L"LegalCopyright"); it != blocks.strings.end())
    info.legalCopyright = Narrow(it->second);
  return info;
}

}  // namespace lirabo
