#pragma once
// Move-only owners for Win32 handles and GDI objects, after WIL's unique_any.
#include <windows.h>

#include <utility>

namespace lirabo {

// Traits name the handle type, its invalid value and how to close it.
template <class Traits>
class UniqueAny {
 public:
  using T = typename Traits::Type;
  UniqueAny() = default;
  explicit UniqueAny(T value) : value_(value) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~UniqueAny() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  void reset(T value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }
  T release() { return std::exchange(value_, Traits::Invalid()); }

 private:
  T value_ = Traits::Invalid();
};

// CreateFile and the snapshot fail with INVALID_HANDLE_VALUE, most others with NULL.
struct FileHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct KernelHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueFileHandle = UniqueAny<FileHandleTraits>;
using UniqueHandle = UniqueAny<KernelHandleTraits>;

template <class T>
class UniqueGdi {
 public:
  UniqueGdi() = default;
  explicit UniqueGdi(T value) : value_(value) {}
  UniqueGdi(const UniqueGdi&) = delete;
  UniqueGdi& operator=(const UniqueGdi&) = delete;
  UniqueGdi(UniqueGdi&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  UniqueGdi& operator=(UniqueGdi&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, nullptr));
    return *this;
  }
  ~UniqueGdi() { reset(); }
  T get() const { return value_; }
  explicit operator bool() const { return value_ != nullptr; }
  void reset(T value = nullptr) {
    if (value_) ::DeleteObject(value_);
    value_ = value;
  }

 private:
  T value_ = nullptr;
};
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { f_(); }

 private:
  F f_;
};

}  // namespace lirabo
