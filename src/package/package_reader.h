// Reading the show package from the bytes of a program file.
//
// The block is the last BlockLength bytes of the file: the package record,
// then the 4-byte trailer that holds BlockLength.  A well-formed package
// reads field by field exactly as stored; anything else is reported as one
// error that names the field and its file offset, and nothing is read
// outside the given bytes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "package/package_error.h"
#include "package/show_package.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace showsaver {

// How to read.  Without the extension the reader reads as a reader of the
// original layout does: the block after the scene list is passed over
// unread, and every scene plays the transition in its EffectCode.
struct PackageReadOptions {
  bool read_extension = true;
  // For a tool that places what it finds: keep each field's file offset.
  bool note_field_offsets = false;
};

// Each field's file offset, under the name its errors give it ("SceneCount",
// "scene 0 PictureLeft": scenes here counted from 0, as in those errors).
using FieldOffsets = std::map<std::string, std::int64_t>;

struct PackageReadResult {
  // Default-constructed whenever `error` is set.
  ShowPackage package;
  std::optional<PackageError> error;
  // Where the record begins in the file and the trailer's BlockLength;
  // known whenever the trailer itself made sense, even if the record did not.
  std::int64_t record_offset = 0;
  std::int32_t block_length = 0;
  // Filled as far as the record was read, when the options ask for it.
  FieldOffsets field_offsets;

  bool ok() const { return !error.has_value(); }
};

// Reads the package at the end of a whole program file (or of a bare block,
// which is a file holding nothing but the block); names go from code page 932
// to UTF-8 through `codec`.
PackageReadResult read_show_package(std::span<const std::uint8_t> program_file,
                                    const TextCodec& codec, PackageReadOptions options = {});

// The same read of a whole program file held in memory (mapped, as a rule):
// the music, pictures and sounds are not copied; their arrays point into the
// file (PackageBytes::in_file), which the package then holds.  A null file
// reads as an empty one.
PackageReadResult read_show_package(std::shared_ptr<const FileContents> program_file,
                                    const TextCodec& codec, PackageReadOptions options = {});

// Reads a package record alone, without trailer: the record must fill
// `record` exactly.  `record_offset` is its position in the file, used in
// error reports only.
PackageReadResult read_package_record(std::span<const std::uint8_t> record, const TextCodec& codec,
                                      std::int64_t record_offset = 0,
                                      PackageReadOptions options = {});

}  // namespace showsaver
