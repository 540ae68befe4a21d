// Ternary raster operations decoded once, as data.
//
// Bits 16-23 of a ROP3 code are a truth table: for a pattern bit p, a source
// bit s and a destination bit d, the result bit is bit (4p + 2s + d) of that
// byte (the pattern column is 0xF0, the source 0xCC, the destination 0xAA).
// GDI looks at nothing else of the code, and applies the table to every bit of
// a pixel, the top byte of a 32-bit pixel included.
#pragma once

#include <cstddef>
#include <cstdint>

namespace showsaver::soft {

// Row kernels with a hand-written loop; every other table runs through the
// generic kernel, so a further code needs no new code, only its table byte.
enum class RopKernel {
  kGeneric,
  kCopy,
  kAnd,
  kXor,
  kAndNot,
  kOr,
  kNotCopy,
  kInvert,
  kZero,
  kOnes,
  kKeep
};

struct Rop3 {
  std::uint8_t table = 0;
  bool uses_pattern = false;
  bool uses_source = false;
  bool uses_destination = false;
  RopKernel kernel = RopKernel::kGeneric;
};

Rop3 decode_rop3(std::uint32_t code);

// The operation for one constant pattern word, as the four words the result
// takes where (source, destination) bits are (0,0), (0,1), (1,0), (1,1).
struct RopTerms {
  std::uint32_t s0_d0 = 0;
  std::uint32_t s0_d1 = 0;
  std::uint32_t s1_d0 = 0;
  std::uint32_t s1_d1 = 0;

  std::uint32_t apply(std::uint32_t source, std::uint32_t destination) const {
    return (~source & ~destination & s0_d0) | (~source & destination & s0_d1) |
           (source & ~destination & s1_d0) | (source & destination & s1_d1);
  }
};

RopTerms rop_terms(std::uint8_t table, std::uint32_t pattern);

// destination[i] = rop(pattern, source[i], destination[i]) for n pixels.
// `source` may be null when the operation does not use it.  The ranges must
// not overlap unless they are the same.
void apply_rop_row(const Rop3& rop, std::uint32_t pattern, const std::uint32_t* source,
                   std::uint32_t* destination, std::size_t n);

// The truth table evaluated bit by bit: the reference the kernels are tested against.
std::uint32_t rop3_reference(std::uint8_t table, std::uint32_t pattern, std::uint32_t source,
                             std::uint32_t destination);

}  // namespace showsaver::soft
