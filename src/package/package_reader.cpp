#include "package/package_reader.h"

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/byte_reader.h"
#include "package/extension_reader.h"
#include "platform/text_codec.h"

namespace showsaver {
namespace {

// The fewest bytes one scene can take: two empty names, four 32-bit fields,
// two flags and two absent arrays.
constexpr std::int64_t kSmallestSceneSize = 2 + 2 + 4 * 4 + 2 * 2 + 2 + 2;

// Thrown inside this file only, caught at the two entry points.
struct Malformed {
  PackageError error;
};

[[noreturn]] void fail(std::string field, std::int64_t offset, std::string reason) {
  throw Malformed{PackageError{std::move(field), offset, std::move(reason)}};
}

// Reads the fields of one record in order, never past its end.
class FieldReader {
 public:
  // With `in_file`, the byte arrays are not copied but point into `record`,
  // which lies in a file that the package will hold.
  // With `offsets`, each field's file offset is noted there under its name.
  FieldReader(std::span<const std::uint8_t> record, std::int64_t record_offset,
              const TextCodec& codec, bool in_file, FieldOffsets* offsets)
      : record_(record),
        record_offset_(record_offset),
        codec_(codec),
        in_file_(in_file),
        offsets_(offsets) {}

  // Prefix of every field name from here on, for example "scene 3 ".
  void set_scope(std::string scope) { scope_ = std::move(scope); }

  std::int64_t offset() const { return record_offset_ + static_cast<std::int64_t>(position_); }
  std::int64_t remaining() const { return static_cast<std::int64_t>(record_.size() - position_); }

  std::int32_t read_i32(std::string_view name) { return ByteReader(take(4, name)).i32(0); }
  std::int16_t read_i16(std::string_view name) { return ByteReader(take(2, name)).i16(0); }
  // Everything up to the end of the record.
  std::span<const std::uint8_t> read_rest(std::string_view name) {
    return take(record_.size() - position_, name);
  }
  std::span<const std::uint8_t> peek_rest() const { return record_.subspan(position_); }

  std::string read_string(std::string_view name, StoredSpelling& spelling) {
    const auto count = static_cast<std::uint16_t>(read_i16(name));
    const std::int64_t text_offset = offset();
    const auto bytes = take(count, name);
    const std::string_view stored(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::optional<std::string> text = codec_.cp932_to_utf8(stored);
    if (!text) fail(field(name), text_offset, "the text is not valid code page 932");
    if (codec_.utf8_to_cp932(*text) != std::optional<std::string>(stored)) {
      spelling.bytes = std::string(stored);
    }
    return std::move(*text);
  }

  PackageBytes read_bytes(std::string_view name) {
    const std::optional<std::int32_t> count = read_array_header(name, 1);
    if (!count) return {};
    const auto bytes = take(static_cast<std::size_t>(*count), name);
    if (in_file_) return PackageBytes{std::nullopt, bytes};
    return PackageBytes{std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
  }

  // Nothing for an absent array (D = 0), else its element count, checked to
  // fit in the bytes that remain at `element_size` bytes or more apiece.
  std::optional<std::int32_t> read_array_header(std::string_view name, std::int64_t element_size) {
    const std::int64_t dimension_offset = offset();
    const std::int16_t dimensions = read_i16(name);
    if (dimensions == 0) return std::nullopt;
    if (dimensions != 1) {
      fail(field(name), dimension_offset,
           "dimension count " + std::to_string(dimensions) + " is neither 0 nor 1");
    }
    const std::int64_t count_offset = offset();
    const std::int32_t count = read_i32(name);
    const std::int64_t bound_offset = offset();
    const std::int32_t lower_bound = read_i32(name);
    if (count < 0) {
      fail(field(name), count_offset, "element count " + std::to_string(count) + " is negative");
    }
    if (lower_bound != 0) {
      fail(field(name), bound_offset, "lower bound " + std::to_string(lower_bound) + " is not 0");
    }
    if (count * element_size > remaining()) {
      fail(field(name), count_offset,
           "element count " + std::to_string(count) + " needs at least " +
               std::to_string(count * element_size) + " bytes but only " +
               std::to_string(remaining()) + " remain before the trailer");
    }
    return count;
  }

 private:
  std::string field(std::string_view name) const { return scope_ + std::string(name); }

  std::span<const std::uint8_t> take(std::size_t count, std::string_view name) {
    if (static_cast<std::int64_t>(count) > remaining()) {
      fail(field(name), offset(),
           "needs " + std::to_string(count) + " bytes but only " + std::to_string(remaining()) +
               " remain before the trailer");
    }
    if (offsets_) offsets_->try_emplace(field(name), offset());
    const auto bytes = record_.subspan(position_, count);
    position_ += count;
    return bytes;
  }

  std::span<const std::uint8_t> record_;
  std::int64_t record_offset_;
  const TextCodec& codec_;
  bool in_file_;
  FieldOffsets* offsets_;
  std::size_t position_ = 0;
  std::string scope_;
};

SceneRecord read_scene(FieldReader& reader) {
  SceneRecord scene;
  scene.PictureFileName = reader.read_string("PictureFileName", scene.PictureFileNameSpelling);
  scene.SoundFileName = reader.read_string("SoundFileName", scene.SoundFileNameSpelling);
  scene.DisplayTime = reader.read_i32("DisplayTime");
  scene.PictureLeft = reader.read_i32("PictureLeft");
  scene.PictureTop = reader.read_i32("PictureTop");
  scene.EffectCode = reader.read_i32("EffectCode");
  scene.OverPrevious = reader.read_i16("OverPrevious");
  scene.Transparent = reader.read_i16("Transparent");
  scene.PictureData = reader.read_bytes("PictureData");
  scene.SoundData = reader.read_bytes("SoundData");
  return scene;
}

void read_scenes(FieldReader& reader, ShowPackage& package, std::int64_t scene_count_offset) {
  const std::optional<std::int32_t> count = reader.read_array_header("Scenes", kSmallestSceneSize);
  const std::int32_t stored = count.value_or(0);
  // Records beyond SceneCount are kept (so the package writes back as it was)
  // but never shown; fewer records than SceneCount is malformed.
  if (stored < package.SceneCount) {
    fail("SceneCount", scene_count_offset,
         "SceneCount is " + std::to_string(package.SceneCount) + " but the scene array holds " +
             std::to_string(stored) + (count ? " elements" : " (it is absent)"));
  }
  if (!count) return;
  auto& scenes = package.Scenes.emplace();
  scenes.reserve(static_cast<std::size_t>(stored));
  for (std::int32_t index = 0; index < stored; ++index) {
    reader.set_scope("scene " + std::to_string(index) + " ");
    scenes.push_back(read_scene(reader));
  }
  reader.set_scope("");
}

// The extension, when the bytes after the scene list are one; without
// `read_extension` they are passed over as a reader of the original layout
// passes over them.
void read_extension(FieldReader& reader, ShowPackage& package, PackageReadOptions options) {
  if (!starts_extension(reader.peek_rest())) return;
  const std::int64_t offset = reader.offset();
  const auto bytes = reader.read_rest("Extension");
  if (!options.read_extension) return;
  ExtensionReadResult extension =
      read_show_extension(bytes, offset, static_cast<std::int32_t>(package.stored_scene_count()));
  if (extension.error) throw Malformed{std::move(*extension.error)};
  package.Extension = std::move(extension.extension);
}

ShowPackage read_record(std::span<const std::uint8_t> record, std::int64_t record_offset,
                        const TextCodec& codec, bool in_file, PackageReadOptions options,
                        FieldOffsets* offsets) {
  FieldReader reader(record, record_offset, codec, in_file, offsets);
  ShowPackage package;
  package.PictureWidth = reader.read_i32("PictureWidth");
  package.PictureHeight = reader.read_i32("PictureHeight");
  package.BackColor = ColorRef{static_cast<std::uint32_t>(reader.read_i32("BackColor"))};
  package.HasSettings = reader.read_i16("HasSettings");
  const std::int64_t scene_count_offset = reader.offset();
  package.SceneCount = reader.read_i32("SceneCount");
  if (package.SceneCount < 0) {
    fail("SceneCount", scene_count_offset,
         "SceneCount " + std::to_string(package.SceneCount) + " is negative");
  }
  package.BgmFileName = reader.read_string("BgmFileName", package.BgmFileNameSpelling);
  package.BgmData = reader.read_bytes("BgmData");
  read_scenes(reader, package, scene_count_offset);
  read_extension(reader, package, options);
  // A record that ends early means BlockLength does not describe this
  // record: most likely the file holds no package at all.
  if (reader.remaining() != 0) {
    fail("BlockLength", reader.offset(),
         std::to_string(reader.remaining()) +
             " bytes lie between the record's last field and the trailer");
  }
  return package;
}

// Finds the record from the trailer; positions are 32-bit signed values.
std::span<const std::uint8_t> locate_record(std::span<const std::uint8_t> file,
                                            PackageReadResult& result) {
  const auto file_size = static_cast<std::int64_t>(file.size());
  if (file_size > std::numeric_limits<std::int32_t>::max()) {
    fail("FileSize", 0,
         "the file of " + std::to_string(file_size) + " bytes is too large for 32-bit positions");
  }
  if (file_size < kTrailerSize) {
    fail("BlockLength", 0,
         "the file of " + std::to_string(file_size) + " bytes is too short for the trailer");
  }
  const std::int64_t trailer_offset = file_size - kTrailerSize;
  const std::int32_t block_length =
      ByteReader(file).i32(static_cast<std::uint64_t>(trailer_offset));
  if (block_length < kTrailerSize) {
    fail("BlockLength", trailer_offset,
         "BlockLength " + std::to_string(block_length) + " is below " +
             std::to_string(kTrailerSize) +
             ", the trailer's own size (is there a show package in this file?)");
  }
  if (block_length > file_size) {
    fail("BlockLength", trailer_offset,
         "BlockLength " + std::to_string(block_length) + " is larger than the file of " +
             std::to_string(file_size) + " bytes (is there a show package in this file?)");
  }
  result.record_offset = file_size - block_length;
  result.block_length = block_length;
  return file.subspan(static_cast<std::size_t>(result.record_offset),
                      static_cast<std::size_t>(block_length - kTrailerSize));
}

}  // namespace

std::string PackageError::where() const {
  char position[64];
  std::snprintf(position, sizeof position, " at file offset %" PRId64 " (0x%" PRIX64 ")", offset,
                static_cast<std::uint64_t>(offset));
  return field + position;
}

std::string PackageError::message() const {
  return where() + ": " + reason;
}

namespace {

PackageReadResult read_whole_file(std::span<const std::uint8_t> program_file,
                                  const TextCodec& codec, bool in_file,
                                  PackageReadOptions options) {
  PackageReadResult result;
  try {
    const auto record = locate_record(program_file, result);
    result.package = read_record(record, result.record_offset, codec, in_file, options,
                                 options.note_field_offsets ? &result.field_offsets : nullptr);
  } catch (Malformed& malformed) {
    result.package = ShowPackage{};
    result.error = std::move(malformed.error);
  }
  return result;
}

}  // namespace

PackageReadResult read_show_package(std::span<const std::uint8_t> program_file,
                                    const TextCodec& codec, PackageReadOptions options) {
  return read_whole_file(program_file, codec, false, options);
}

PackageReadResult read_show_package(std::shared_ptr<const FileContents> program_file,
                                    const TextCodec& codec, PackageReadOptions options) {
  if (!program_file) return read_show_package(std::span<const std::uint8_t>{}, codec, options);
  PackageReadResult result = read_whole_file(program_file->bytes(), codec, true, options);
  if (result.ok()) result.package.file.contents = std::move(program_file);
  return result;
}

PackageReadResult read_package_record(std::span<const std::uint8_t> record, const TextCodec& codec,
                                      std::int64_t record_offset, PackageReadOptions options) {
  PackageReadResult result;
  result.record_offset = record_offset;
  try {
    result.package = read_record(record, record_offset, codec, false, options,
                                 options.note_field_offsets ? &result.field_offsets : nullptr);
  } catch (Malformed& malformed) {
    result.package = ShowPackage{};
    result.error = std::move(malformed.error);
  }
  return result;
}

}  // namespace showsaver
