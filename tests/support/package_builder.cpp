#include "support/package_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "package/package_writer.h"
#include "support/text_codec.h"

namespace showsaver::test {

ByteVector fake_bitmap_file(std::uint32_t length, std::uint8_t seed) {
  const std::uint32_t size = length < 6 ? 6 : length;
  ByteWriter bytes;
  bytes.text("BM");
  bytes.u32(size);
  for (std::uint32_t i = 6; i < size; ++i) bytes.u8(i * 31 + seed);
  return bytes.take();
}

ByteVector fake_program_image(std::size_t length) {
  ByteVector bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = std::uint8_t(i * 7 + 3);
  if (length >= 2) {
    bytes[0] = 'M';
    bytes[1] = 'Z';
  }
  return bytes;
}

PackageBuilder::PackageBuilder(std::int32_t width, std::int32_t height) {
  package_.PictureWidth = width;
  package_.PictureHeight = height;
}

PackageBuilder& PackageBuilder::back_color(ColorRef color) {
  package_.BackColor = color;
  return *this;
}

PackageBuilder& PackageBuilder::has_settings(std::int16_t flag) {
  package_.HasSettings = flag;
  return *this;
}

PackageBuilder& PackageBuilder::music(std::string name, ByteVector data) {
  package_.BgmFileName = std::move(name);
  package_.BgmData = PackageBytes{std::move(data)};
  return *this;
}

PackageBuilder& PackageBuilder::scene(std::string name, ByteVector picture) {
  SceneRecord& scene = scenes_.emplace_back();
  if (picture.empty()) {
    std::uint8_t seed = 0;
    for (char c : name) seed = std::uint8_t(seed * 31 + static_cast<unsigned char>(c));
    picture = fake_bitmap_file(64 + std::uint32_t(name.size()), seed);
  }
  scene.PictureFileName = std::move(name);
  scene.PictureData = PackageBytes{std::move(picture)};
  return *this;
}

PackageBuilder& PackageBuilder::sound(std::string name, ByteVector data) {
  last_scene().SoundFileName = std::move(name);
  last_scene().SoundData = PackageBytes{std::move(data)};
  return *this;
}

PackageBuilder& PackageBuilder::display_time(std::int32_t milliseconds) {
  last_scene().DisplayTime = milliseconds;
  return *this;
}

PackageBuilder& PackageBuilder::at(std::int32_t left, std::int32_t top) {
  last_scene().PictureLeft = left;
  last_scene().PictureTop = top;
  return *this;
}

PackageBuilder& PackageBuilder::effect(std::int32_t code) {
  last_scene().EffectCode = code;
  return *this;
}

PackageBuilder& PackageBuilder::over_previous(std::int16_t flag) {
  last_scene().OverPrevious = flag;
  return *this;
}

PackageBuilder& PackageBuilder::transparent(std::int16_t flag) {
  last_scene().Transparent = flag;
  return *this;
}

SceneRecord& PackageBuilder::last_scene() {
  if (scenes_.empty()) throw std::logic_error("PackageBuilder: call scene() first");
  return scenes_.back();
}

ShowPackage PackageBuilder::build() const {
  ShowPackage package = package_;
  package.SceneCount = static_cast<std::int32_t>(scenes_.size());
  package.Scenes = scenes_;
  apply_name_placeholders(package);
  return package;
}

ByteVector package_block(const ShowPackage& package) {
  PackageWriteResult written = write_package_block(package, test::text_codec());
  EXPECT_TRUE(written.ok()) << written.error->message();
  return std::move(written.bytes);
}

ByteVector program_file_with(const ShowPackage& package, std::size_t image_size) {
  PackageWriteResult written =
      append_package_block(fake_program_image(image_size), package, test::text_codec());
  EXPECT_TRUE(written.ok()) << written.error->message();
  return std::move(written.bytes);
}

RawPackage& RawPackage::i16(std::int16_t value) {
  bytes_.u16(static_cast<std::uint16_t>(value));
  return *this;
}

RawPackage& RawPackage::i32(std::int32_t value) {
  bytes_.u32(static_cast<std::uint32_t>(value));
  return *this;
}

RawPackage& RawPackage::text(std::string_view bytes) {
  i16(static_cast<std::int16_t>(bytes.size()));
  bytes_.text(bytes);
  return *this;
}

RawPackage& RawPackage::absent_array() {
  return i16(0);
}

RawPackage& RawPackage::array(std::span<const std::uint8_t> bytes) {
  array_header(1, static_cast<std::int32_t>(bytes.size()), 0);
  return raw(bytes);
}

RawPackage& RawPackage::array_header(std::int16_t dimensions, std::int32_t count,
                                     std::int32_t lower_bound) {
  return i16(dimensions).i32(count).i32(lower_bound);
}

RawPackage& RawPackage::raw(std::span<const std::uint8_t> bytes) {
  bytes_.append(bytes);
  return *this;
}

RawPackage& RawPackage::fixed_header(std::int32_t width, std::int32_t height,
                                     std::uint32_t back_color, std::int16_t has_settings,
                                     std::int32_t scene_count) {
  return i32(width)
      .i32(height)
      .i32(static_cast<std::int32_t>(back_color))
      .i16(has_settings)
      .i32(scene_count);
}

RawPackage& RawPackage::simple_scene(std::string_view picture_name,
                                     std::span<const std::uint8_t> picture) {
  text(picture_name).text("");
  i32(0).i32(0).i32(0).i32(0).i16(0).i16(0);
  return array(picture).absent_array();
}

ByteVector RawPackage::block() const {
  return block_with_length(static_cast<std::int32_t>(bytes_.size() + 4));
}

ByteVector RawPackage::block_with_length(std::int32_t block_length) const {
  RawPackage copy = *this;
  copy.i32(block_length);
  return copy.bytes_.take();
}

}  // namespace showsaver::test
