#include "crypto/SecureWipe.h"

namespace tarnel {

// Stores through a volatile pointer are observable behaviour, so they survive optimisation even
// when nothing reads the memory again.
void SecureWipe(void* memory, std::size_t size) {
  volatile unsigned char* p = static_cast<unsigned char*>(memory);
  for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

}  // namespace tarnel
