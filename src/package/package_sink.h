// Where a package block goes when it is written as it goes: a file, or a
// buffer.  The package's large arrays (pictures, sounds, music) reach the
// sink straight from the package's own buffers, so writing a show to a file
// never holds a second copy of its pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace showsaver {

class PackageSink {
 public:
  virtual ~PackageSink() = default;

  // How many bytes the writer is about to give, told once before the first
  // of them; a sink that keeps them can make room at once.
  virtual void expect(std::size_t count) { static_cast<void>(count); }

  // Takes the next bytes, in file order.  Returns why they could not be
  // written; the writer then gives no more.
  virtual std::optional<std::string> write(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace showsaver
