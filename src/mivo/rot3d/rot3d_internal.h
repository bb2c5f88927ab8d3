#pragma once
// Private to the rotatable 3D plot and its tests.
#include <cstdint>

namespace mivo::detail {

// The most rendering objects one snapshot may allocate; a larger snapshot
// fails as if memory had run out. The default is the 32-bit index range;
// tests lower it to reach the out-of-memory path without exhausting memory.
std::int64_t R3RenderObjectLimit();
void SetR3RenderObjectLimit(std::int64_t limit);

}  // namespace mivo::detail
