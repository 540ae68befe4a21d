// Code page 932 as two sorted tables, made from the host's iconv when the
// studio is built (make_code_page_table.cpp), for the engine in WebAssembly:
// its C library has no code page 932, and names must follow exactly the same
// rules as in showpack and the Linux player, which use glibc's table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace showsaver::studio {

struct CodePair {
  std::uint16_t from;
  std::uint16_t to;
};

// Code (one byte, or lead byte << 8 | trail byte) to its UTF-16 unit, by code.
std::span<const CodePair> code_page_932_decoding();
// UTF-16 unit to the code iconv writes for it, by unit.
std::span<const CodePair> code_page_932_encoding();

}  // namespace showsaver::studio
