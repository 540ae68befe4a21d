// Building show packages for tests: from field values (PackageBuilder) or
// byte by byte, for layouts the writer refuses to make (RawPackage).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_writer.h"
#include "package/show_package.h"

namespace showsaver::test {

using ByteVector = std::vector<std::uint8_t>;

// A stand-in bitmap file of `length` bytes (at least 6): "BM", the size
// field equal to `length`, then bytes that depend on `seed`.  Enough for the
// package and the extraction, not a picture to draw.
ByteVector fake_bitmap_file(std::uint32_t length, std::uint8_t seed = 0);

// A stand-in program image of `length` bytes that starts with "MZ".
ByteVector fake_program_image(std::size_t length);

// A package from field values.  Each scene() starts a new scene; the
// setters after it apply to that scene.  build() sets SceneCount, stores the
// scene array (present even when empty) and replaces the data of repeated
// picture and sound names with the one-byte placeholder.
class PackageBuilder {
 public:
  PackageBuilder(std::int32_t width, std::int32_t height);

  PackageBuilder& back_color(ColorRef color);
  PackageBuilder& has_settings(std::int16_t flag = -1);
  PackageBuilder& music(std::string name, ByteVector data);

  // A scene showing picture `name`; without data, a first occurrence gets a
  // fake bitmap derived from the name and a repeat gets the placeholder.
  PackageBuilder& scene(std::string name, ByteVector picture = {});
  PackageBuilder& sound(std::string name, ByteVector data);
  PackageBuilder& display_time(std::int32_t milliseconds);
  PackageBuilder& at(std::int32_t left, std::int32_t top);
  PackageBuilder& effect(std::int32_t code);
  PackageBuilder& over_previous(std::int16_t flag = -1);
  PackageBuilder& transparent(std::int16_t flag = -1);

  ShowPackage build() const;

 private:
  SceneRecord& last_scene();

  ShowPackage package_;
  std::vector<SceneRecord> scenes_;
};

// The writer's block for `package` (record and trailer); fails the test when
// the writer refuses.
ByteVector package_block(const ShowPackage& package);
// A fake program image of `image_size` bytes with the block appended.
ByteVector program_file_with(const ShowPackage& package, std::size_t image_size = 4096);

// Package bytes written field by field, little-endian, with no checks.
class RawPackage {
 public:
  RawPackage& i16(std::int16_t value);
  RawPackage& i32(std::int32_t value);
  // A byte-counted string; `bytes` are stored as given (code page 932).
  RawPackage& text(std::string_view bytes);
  RawPackage& absent_array();                              // D = 0
  RawPackage& array(std::span<const std::uint8_t> bytes);  // D = 1, N, L = 0, bytes
  RawPackage& array_header(std::int16_t dimensions, std::int32_t count, std::int32_t lower_bound);
  RawPackage& raw(std::span<const std::uint8_t> bytes);

  // PictureWidth .. SceneCount, the five fixed header fields.
  RawPackage& fixed_header(std::int32_t width, std::int32_t height, std::uint32_t back_color,
                           std::int16_t has_settings, std::int32_t scene_count);
  // One scene with empty sound, the given picture and otherwise zero fields.
  RawPackage& simple_scene(std::string_view picture_name, std::span<const std::uint8_t> picture);

  std::size_t size() const { return bytes_.size(); }
  // The bytes written so far: the record.
  const ByteVector& record() const { return bytes_.bytes(); }
  // The record and a trailer holding its true BlockLength.
  ByteVector block() const;
  // The record and a trailer holding `block_length`, whatever it is.
  ByteVector block_with_length(std::int32_t block_length) const;

 private:
  ByteWriter bytes_;
};

}  // namespace showsaver::test
