// What the processor running the program offers beyond the instruction set
// the build is for: the fast paths compiled for more (the effects' AVX2
// passes, the software GDI's AVX2 column steps) ask here before they run.
#pragma once

namespace showsaver {

// Whether the processor has AVX2; asked of it once.  Always false where the
// build cannot ask (compilers other than GCC and Clang, other processors).
inline bool processor_has_avx2() {
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
#else
  return false;
#endif
}

}  // namespace showsaver
