// toml++'s internal assertions for the manifest fuzz target, included before
// everything else.  They stay on, except one that toml++ 3.3 makes too early:
// parse_key() asserts that a table header's key starts with a key character,
// then reports "expected bare key starting character" itself when it does not
// (`[ = x]`, `[[\0scene]]`).  The library as shipped, built without
// assertions, gives that error; the manifest tests check it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline void fuzz_toml_assert(bool holds, const char* expression) {
  if (holds) return;
  if (std::strcmp(expression, "is_bare_key_character(*cp) || is_string_delimiter(*cp)") == 0) {
    return;
  }
  std::fprintf(stderr, "toml++ assertion failed: %s\n", expression);
  std::abort();
}

#define TOML_ASSERT(expr) fuzz_toml_assert(static_cast<bool>(expr), #expr)
