#include "platform/soft/rop3.h"

#include <cstring>

namespace showsaver::soft {
namespace {

struct KernelEntry {
  std::uint8_t table;
  RopKernel kernel;
};

// Tables that have their own loop.  Each is a plain function of S and D, so the
// pattern does not matter for them.
constexpr KernelEntry kKernels[] = {
    {0xCC, RopKernel::kCopy},   {0x88, RopKernel::kAnd},  {0x66, RopKernel::kXor},
    {0x22, RopKernel::kAndNot}, {0xEE, RopKernel::kOr},   {0x33, RopKernel::kNotCopy},
    {0x55, RopKernel::kInvert}, {0x00, RopKernel::kZero}, {0xFF, RopKernel::kOnes},
    {0xAA, RopKernel::kKeep},
};

constexpr std::uint32_t all_or_nothing(std::uint8_t table, unsigned index) {
  return ((table >> index) & 1u) ? 0xFFFFFFFFu : 0u;
}

template <typename Op>
void for_each_pixel(const std::uint32_t* source, std::uint32_t* destination, std::size_t n, Op op) {
  for (std::size_t i = 0; i < n; ++i) destination[i] = op(source[i], destination[i]);
}

template <typename Op>
void for_each_destination(std::uint32_t* destination, std::size_t n, Op op) {
  for (std::size_t i = 0; i < n; ++i) destination[i] = op(destination[i]);
}

}  // namespace

Rop3 decode_rop3(std::uint32_t code) {
  Rop3 rop;
  rop.table = static_cast<std::uint8_t>((code >> 16) & 0xFF);
  const unsigned t = rop.table;
  // An operand matters when flipping it changes some entry of the table.
  rop.uses_pattern = ((t >> 4) & 0x0F) != (t & 0x0F);
  rop.uses_source = ((t >> 2) & 0x33) != (t & 0x33);
  rop.uses_destination = ((t >> 1) & 0x55) != (t & 0x55);
  for (const KernelEntry& entry : kKernels) {
    if (entry.table == rop.table) rop.kernel = entry.kernel;
  }
  return rop;
}

RopTerms rop_terms(std::uint8_t table, std::uint32_t pattern) {
  // Bit index 4p + 2s + d: pick the p = 1 entry where the pattern bit is set.
  auto term = [&](unsigned s, unsigned d) {
    return (pattern & all_or_nothing(table, 4 + 2 * s + d)) |
           (~pattern & all_or_nothing(table, 2 * s + d));
  };
  return RopTerms{term(0, 0), term(0, 1), term(1, 0), term(1, 1)};
}

void apply_rop_row(const Rop3& rop, std::uint32_t pattern, const std::uint32_t* source,
                   std::uint32_t* destination, std::size_t n) {
  switch (rop.kernel) {
    case RopKernel::kCopy:
      if (source != destination) std::memmove(destination, source, n * sizeof(std::uint32_t));
      return;
    case RopKernel::kAnd:
      return for_each_pixel(source, destination, n, [](auto s, auto d) { return d & s; });
    case RopKernel::kXor:
      return for_each_pixel(source, destination, n, [](auto s, auto d) { return d ^ s; });
    case RopKernel::kAndNot:
      return for_each_pixel(source, destination, n, [](auto s, auto d) { return d & ~s; });
    case RopKernel::kOr:
      return for_each_pixel(source, destination, n, [](auto s, auto d) { return d | s; });
    case RopKernel::kNotCopy:
      return for_each_pixel(source, destination, n, [](auto s, auto) { return ~s; });
    case RopKernel::kInvert:
      return for_each_destination(destination, n, [](auto d) { return ~d; });
    case RopKernel::kZero:
      return for_each_destination(destination, n, [](auto) { return 0u; });
    case RopKernel::kOnes:
      return for_each_destination(destination, n, [](auto) { return 0xFFFFFFFFu; });
    case RopKernel::kKeep:
      return;
    case RopKernel::kGeneric:
      break;
  }
  const RopTerms terms = rop_terms(rop.table, pattern);
  if (source == nullptr) {
    return for_each_destination(destination, n, [&](auto d) { return terms.apply(0u, d); });
  }
  for_each_pixel(source, destination, n, [&](auto s, auto d) { return terms.apply(s, d); });
}

std::uint32_t rop3_reference(std::uint8_t table, std::uint32_t pattern, std::uint32_t source,
                             std::uint32_t destination) {
  std::uint32_t result = 0;
  for (unsigned bit = 0; bit < 32; ++bit) {
    const unsigned p = (pattern >> bit) & 1u;
    const unsigned s = (source >> bit) & 1u;
    const unsigned d = (destination >> bit) & 1u;
    result |= ((table >> (4 * p + 2 * s + d)) & 1u) << bit;
  }
  return result;
}

}  // namespace showsaver::soft
