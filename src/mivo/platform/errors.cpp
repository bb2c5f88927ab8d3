#include "mivo/platform/errors.h"

namespace mivo {

// Deliberately empty and out of line: a place for a debugger breakpoint.
void ErrorHook(const std::string&) noexcept {}

}  // namespace mivo
