// When the effects write their output past the cache: a blend or a frame
// larger than the caches nearest the core could not stay there anyway, and
// writing it with streaming stores saves reading each line in before it is
// overwritten, and leaves the cache to the pictures read (which the next
// frame reads again).  Output a row at a time, which whoever called is about
// to read, stays in the cache.
#pragma once

#include <cstddef>
#include <cstdint>

namespace showsaver {

inline constexpr std::size_t kStreamingStoreBytes = std::size_t{1} << 20;

// How far ahead of a streamed frame's pixels the loops that read whole
// frames ask for the pixels they will read: past the cache, the hardware's
// own prefetching alone leaves the loads waiting on memory.
inline constexpr std::size_t kStreamingPrefetchBytes = 1024;

// The pixels in one cache line, the step of those requests.
inline constexpr std::size_t kPixelsPerCacheLine = 16;

// At the start of each cache line of pixel `i`, asks for the line
// kStreamingPrefetchBytes ahead in both pictures.
inline void prefetch_pictures_ahead(const std::uint32_t* first, const std::uint32_t* second,
                                    std::size_t i) {
  if (i % kPixelsPerCacheLine != 0) return;
  __builtin_prefetch(reinterpret_cast<const char*>(first + i) + kStreamingPrefetchBytes);
  __builtin_prefetch(reinterpret_cast<const char*>(second + i) + kStreamingPrefetchBytes);
}

// The vector loops stream 32 bytes a store, aligned.
inline constexpr std::size_t kStreamingAlignment = 32;

// How many pixels from `pixels` on (at most `count`) come before the first
// aligned for streaming; the plain loops do those.
inline std::size_t pixels_before_streaming_alignment(const std::uint32_t* pixels,
                                                     std::size_t count) {
  const auto address = reinterpret_cast<std::uintptr_t>(pixels);
  const std::size_t bytes =
      (kStreamingAlignment - address % kStreamingAlignment) % kStreamingAlignment;
  const std::size_t before = bytes / sizeof(std::uint32_t);
  return before < count ? before : count;
}

}  // namespace showsaver
