#include "package/extension_reader.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "formats/byte_reader.h"

namespace showsaver {
namespace {

struct Malformed {
  PackageError error;
};

class ExtensionFields {
 public:
  ExtensionFields(std::span<const std::uint8_t> bytes, std::int64_t offset)
      : bytes_(bytes), offset_(offset) {}

  void set_scope(std::string scope) { scope_ = std::move(scope); }
  std::int64_t offset() const { return offset_ + static_cast<std::int64_t>(position_); }
  std::int64_t remaining() const { return static_cast<std::int64_t>(bytes_.size() - position_); }

  [[noreturn]] void fail_at(std::int64_t at, std::string_view name, std::string reason) const {
    throw Malformed{PackageError{scope_ + std::string(name), at, std::move(reason)}};
  }

  std::span<const std::uint8_t> take(std::int64_t count, std::string_view name) {
    if (count > remaining()) {
      fail_at(offset(), name,
              "needs " + std::to_string(count) + " bytes but only " + std::to_string(remaining()) +
                  " remain before the trailer");
    }
    const auto taken = bytes_.subspan(position_, static_cast<std::size_t>(count));
    position_ += static_cast<std::size_t>(count);
    return taken;
  }
  std::uint16_t u16(std::string_view name) { return ByteReader(take(2, name)).u16(0); }
  std::uint32_t u32(std::string_view name) { return ByteReader(take(4, name)).u32(0); }
  std::int32_t i32(std::string_view name) { return ByteReader(take(4, name)).i32(0); }

  // A value read as `name`, refused unless it lies in [low, high].
  std::int32_t i32_within(std::string_view name, std::int32_t low, std::int32_t high) {
    const std::int64_t at = offset();
    const std::int32_t value = i32(name);
    if (value < low || value > high) {
      fail_at(at, name,
              std::string(name) + " " + std::to_string(value) + " is outside " +
                  std::to_string(low) + ".." + std::to_string(high));
    }
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::int64_t offset_;
  std::size_t position_ = 0;
  std::string scope_;
};

struct RecordShape {
  ExtensionTag tag;
  std::uint32_t payload_size;
  const char* name;
};

constexpr RecordShape kShapes[] = {
    {ExtensionTag::Order, 4, "an order record"},
    {ExtensionTag::Fade, 8, "a fade record"},
    {ExtensionTag::PanZoomSeed, 8, "a pan-and-zoom seed record"},
    {ExtensionTag::PanZoomPath, 36, "a pan-and-zoom path record"},
};

Rect read_rect(ExtensionFields& fields, std::string_view which) {
  const std::string name(which);
  Rect rect;
  rect.left = fields.i32_within(name + " left", -kLargestCoordinate, kLargestCoordinate);
  rect.top = fields.i32_within(name + " top", -kLargestCoordinate, kLargestCoordinate);
  rect.width = fields.i32_within(name + " width", 1, kLargestCoordinate);
  rect.height = fields.i32_within(name + " height", 1, kLargestCoordinate);
  return rect;
}

class RecordReader {
 public:
  RecordReader(ExtensionFields& fields, std::int32_t scene_count)
      : fields_(fields), scene_count_(scene_count) {}

  ExtensionRecord read(std::uint16_t tag, std::int64_t length_offset, std::uint32_t length) {
    const auto shape = std::find_if(std::begin(kShapes), std::end(kShapes), [&](const auto& s) {
      return static_cast<std::uint16_t>(s.tag) == tag;
    });
    if (shape == std::end(kShapes)) {
      const auto payload = fields_.take(length, "payload");
      return UnknownRecord{tag, std::vector<std::uint8_t>(payload.begin(), payload.end())};
    }
    if (length != shape->payload_size) {
      fields_.fail_at(length_offset, "length",
                      std::string(shape->name) + " holds " + std::to_string(shape->payload_size) +
                          " bytes, not " + std::to_string(length));
    }
    switch (shape->tag) {
      case ExtensionTag::Order:
        return OrderRecord{read_order()};
      case ExtensionTag::Fade: {
        const std::int32_t scene = read_scene(ExtensionTag::Fade);
        return FadeRecord{scene, fields_.i32_within("duration", 1, kLongestFadeMs)};
      }
      case ExtensionTag::PanZoomSeed: {
        const std::int32_t scene = read_scene(ExtensionTag::PanZoomSeed);
        return PanZoomSeedRecord{scene, fields_.u32("seed")};
      }
      case ExtensionTag::PanZoomPath: {
        const std::int32_t scene = read_scene(ExtensionTag::PanZoomPath);
        const Rect start = read_rect(fields_, "start");
        return PanZoomPathRecord{scene, start, read_rect(fields_, "end")};
      }
    }
    fields_.fail_at(length_offset, "tag", "unreachable");
  }

 private:
  ShowOrder read_order() {
    const std::int64_t at = fields_.offset();
    const std::int32_t value = fields_.i32("order");
    if (value != 0 && value != 1) {
      fail_at(at, "order",
              "order " + std::to_string(value) + " is neither 0 (as stored) nor 1 (shuffle)");
    }
    if (!seen_.insert({0, -1}).second) fail_at(at, "order", "the show order is given twice");
    return static_cast<ShowOrder>(value);
  }

  // The scene a record is for; a scene has at most one fade and one motion.
  std::int32_t read_scene(ExtensionTag tag) {
    const std::int64_t at = fields_.offset();
    const std::int32_t scene = fields_.i32("scene");
    if (scene < 0 || scene >= scene_count_) {
      fail_at(at, "scene",
              "scene " + std::to_string(scene) + " is not one of the " +
                  std::to_string(scene_count_) + " stored scenes");
    }
    const int kind = tag == ExtensionTag::Fade ? 1 : 2;
    if (!seen_.insert({kind, scene}).second) {
      fail_at(at, "scene",
              "scene " + std::to_string(scene) +
                  (kind == 1 ? " already has a fade" : " already has a motion"));
    }
    return scene;
  }

  [[noreturn]] void fail_at(std::int64_t at, std::string_view name, std::string reason) {
    fields_.fail_at(at, name, std::move(reason));
  }

  ExtensionFields& fields_;
  std::int32_t scene_count_;
  // (kind, scene) pairs met so far: 0 for the order, 1 a fade, 2 a motion.
  std::set<std::pair<int, std::int32_t>> seen_;
};

ShowExtension read_extension(ExtensionFields& fields, std::int32_t scene_count) {
  fields.set_scope("Extension ");
  const std::int64_t magic_offset = fields.offset();
  if (!starts_extension(fields.take(4, "magic"))) {
    fields.fail_at(magic_offset, "magic", "the block does not begin with \"SSXB\"");
  }
  const std::int64_t version_offset = fields.offset();
  const std::uint16_t version = fields.u16("version");
  if (version != kExtensionVersion) {
    fields.fail_at(version_offset, "version",
                   "version " + std::to_string(version) + " is not 1, the one this reader knows");
  }
  const std::int64_t length_offset = fields.offset();
  const std::uint32_t length = fields.u32("length");
  if (length != static_cast<std::uint64_t>(fields.remaining())) {
    fields.fail_at(length_offset, "length",
                   "the records are said to take " + std::to_string(length) + " bytes but " +
                       std::to_string(fields.remaining()) + " remain before the trailer");
  }
  ShowExtension extension;
  RecordReader records(fields, scene_count);
  for (std::size_t index = 0; fields.remaining() > 0; ++index) {
    fields.set_scope("Extension record " + std::to_string(index) + " ");
    const std::uint16_t tag = fields.u16("tag");
    const std::int64_t record_length_offset = fields.offset();
    const std::uint32_t record_length = fields.u32("length");
    if (record_length > static_cast<std::uint64_t>(fields.remaining())) {
      fields.fail_at(record_length_offset, "length",
                     "the record is said to take " + std::to_string(record_length) +
                         " bytes but only " + std::to_string(fields.remaining()) + " remain");
    }
    extension.records.push_back(records.read(tag, record_length_offset, record_length));
  }
  return extension;
}

}  // namespace

bool starts_extension(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kExtensionMagic.size() &&
         std::equal(kExtensionMagic.begin(), kExtensionMagic.end(), bytes.begin());
}

ExtensionReadResult read_show_extension(std::span<const std::uint8_t> bytes, std::int64_t offset,
                                        std::int32_t scene_count) {
  ExtensionReadResult result;
  ExtensionFields fields(bytes, offset);
  try {
    result.extension = read_extension(fields, scene_count);
  } catch (Malformed& malformed) {
    result.error = std::move(malformed.error);
  }
  return result;
}

}  // namespace showsaver
