#pragma once
// The base package's exception: EMivoError of the platform layer, raised
// through RaiseMivoError / RaiseError<E> so that one hook sees every error.

#include "platform/errors.h"

namespace mivo {
using ::mivo::EMivoError;
using ::mivo::RaiseMivoError;
}  // namespace mivo
