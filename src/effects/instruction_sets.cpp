#include "effects/instruction_sets.h"

#if defined(SHOWSAVER_EFFECTS_AVX2)

namespace showsaver {

bool processor_has_avx2() {
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
}

}  // namespace showsaver

#endif
