#pragma once
// The base package's exception: EMivoError of the platform layer, raised
// through RaiseMivoError / RaiseError<E> so that one hook sees every error.

#include "mivo/platform/errors.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {
using ::mivo::EMivoError;
using ::mivo::RaiseMivoError;
}  // namespace mivo
MIVO_PUBLIC_END
