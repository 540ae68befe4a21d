// Which instruction sets the fast paths may take, decided here once for every
// module and every target.  Each fast path has a plain loop beside it that
// gives the same pixels, and the plain loop alone is what other builds
// (WebAssembly among them) run.
//  - SSE2 where the build is for it: every x86-64 build, not 32-bit x86 by
//    default.
//  - AVX2 in x86 builds with GCC or Clang outside Windows: the build stays for
//    the baseline, the functions marked SHOWSAVER_TARGET_AVX2 alone are
//    compiled for AVX2 and are called only where avx2_available() says so.
//    Windows is left out because GCC there cannot realign the stack for the
//    32-byte spills AVX2 code may make (SEH forbids it), so those builds keep
//    SSE2; tests/wine checks that no Windows program holds an AVX register.
#pragma once

#if defined(__SSE2__)
#define SHOWSAVER_SSE2_PATHS 1
#endif

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(_WIN32)
#define SHOWSAVER_AVX2_PATHS 1
// Compiles one function for AVX2; declarations carry it as the definitions
// do, since a function declared without it would be another version.
#define SHOWSAVER_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace showsaver {

// Whether the AVX2 paths run here: the build has them and the processor has
// AVX2 (asked of it once).
inline bool avx2_available() {
#if defined(SHOWSAVER_AVX2_PATHS)
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
#else
  return false;
#endif
}

}  // namespace showsaver
