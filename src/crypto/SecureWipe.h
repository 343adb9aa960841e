// Zeroing of secret material that the optimiser may not drop as a dead store.
#pragma once

#include <cstddef>

namespace tarnel {

void SecureWipe(void* memory, std::size_t size);

}  // namespace tarnel
