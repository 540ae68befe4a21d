// Which instruction sets the effects' fast paths may take; each path has a
// plain loop beside it that gives the same pixels, and the plain loop alone
// is what other builds (WebAssembly among them) run.
//  - SSE2 where the build is for it: every x86-64 build, not 32-bit x86 by
//    default.
//  - AVX2 in x86 builds with GCC or Clang outside Windows: the build stays for
//    the baseline, the functions marked SHOWSAVER_TARGET_AVX2 alone are
//    compiled for AVX2 and are called only where the processor has it
//    (processor_has_avx2()).
//    Windows is left out because GCC there cannot realign the stack for the
//    32-byte spills AVX2 code may make (SEH forbids it), so those builds keep
//    SSE2.
#pragma once

#include "platform/processor_features.h"

#if defined(__SSE2__)
#define SHOWSAVER_EFFECTS_SSE2 1
#endif

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(_WIN32)
#define SHOWSAVER_EFFECTS_AVX2 1
#define SHOWSAVER_TARGET_AVX2 __attribute__((target("avx2")))
#endif
