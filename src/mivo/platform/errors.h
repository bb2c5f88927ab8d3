#pragma once
// The exception family of the library. Every error we raise goes through
// RaiseMivoError (or RaiseError<E>), so one breakpoint in ErrorHook finds the
// origin of any of them.

#include <stdexcept>
#include <string>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class EMivoError : public std::runtime_error {
 public:
  explicit EMivoError(const std::string& msg) : std::runtime_error(msg) {}
};

// Called just before any library exception is thrown.
void ErrorHook(const std::string& msg) noexcept;

// Raises an exception of type E (EMivoError or a descendant).
template <typename E = EMivoError>
[[noreturn]] void RaiseError(const std::string& msg) {
  ErrorHook(msg);
  throw E(msg);
}

[[noreturn]] inline void RaiseMivoError(const std::string& msg) { RaiseError<EMivoError>(msg); }

}  // namespace mivo
MIVO_PUBLIC_END
