// Writing the show package: the record, the block (record and trailer) and
// a program file with the block appended, into memory or, as it goes, into a
// sink such as a file.  Names go from UTF-8 to code page
// 932 through `codec`.  Reading what is written gives the
// same package, and writing what was read gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_sink.h"
#include "package/show_package.h"
#include "platform/text_codec.h"

namespace showsaver {

struct PackageWriteError {
  // The field, named as the reader names it, for example "scene 3 PictureFileName".
  std::string field;
  std::string reason;

  std::string message() const { return field + ": " + reason; }
  friend bool operator==(const PackageWriteError&, const PackageWriteError&) = default;
};

struct PackageWriteResult {
  // Empty whenever `error` is set.
  std::vector<std::uint8_t> bytes;
  std::optional<PackageWriteError> error;

  bool ok() const { return !error.has_value(); }
};

struct PackageStreamResult {
  // The bytes the sink took.
  std::size_t size = 0;
  // The package cannot be stored as it is; the sink was given nothing.
  std::optional<PackageWriteError> error;
  // Why the sink refused bytes; what it took before them is incomplete.
  std::optional<std::string> sink_error;

  bool ok() const { return !error && !sink_error; }
};

// Writes the block (record and trailer) to `sink`, which has already taken
// `written_before` bytes of the same file (the program image).  Every
// refusal is found before the first byte reaches the sink.
PackageStreamResult stream_package_block(const ShowPackage& package, const TextCodec& codec,
                                         PackageSink& sink, std::size_t written_before = 0);

// The same bytes gathered in memory.  The record alone, without trailer:
PackageWriteResult write_package_record(const ShowPackage& package, const TextCodec& codec);
// The record followed by the trailer: what is appended to a program file.
PackageWriteResult write_package_block(const ShowPackage& package, const TextCodec& codec);
// A copy of `program_file` with the block appended.
PackageWriteResult append_package_block(std::span<const std::uint8_t> program_file,
                                        const ShowPackage& package, const TextCodec& codec);

// The one-byte data stored for a name that an earlier scene already carries.
inline const std::vector<std::uint8_t> kPlaceholderData{0};

// Replaces the data of every scene whose picture name (or sound name)
// repeats an earlier scene's with the placeholder, so that each file is
// stored once.  Names are compared exactly, byte by byte, as the extraction
// compares them; empty names are left alone.
void apply_name_placeholders(ShowPackage& package);

// Why `text` has no code page 932 form, naming the first character at fault;
// nothing when it has one.
std::optional<std::string> cp932_problem(std::string_view text, const TextCodec& codec);

}  // namespace showsaver
