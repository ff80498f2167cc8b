#pragma once
// A value or the SysError that prevented it (std::expected is C++23).
#include <optional>
#include <utility>

#include "common/win_error.h"

namespace lirabo {

template <class T>
class Expected {
 public:
  Expected(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
  Expected(SysError error) : error_(std::move(error)) {}  // NOLINT

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T& operator*() { return *value_; }
  T* operator->() { return &*value_; }
  const SysError& error() const { return error_; }

 private:
  std::optional<T> value_;
  SysError error_;
};

}  // namespace lirabo
