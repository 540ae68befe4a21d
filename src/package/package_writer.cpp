#include "package/package_writer.h"

#include <cstdio>
#include <limits>
#include <set>
#include <utility>

#include "formats/byte_writer.h"
#include "package/extension_reader.h"
#include "package/extension_writer.h"
#include "package/package_sink.h"
#include "platform/text_codec.h"

namespace showsaver {
namespace {

constexpr std::size_t kMaxStringBytes = std::numeric_limits<std::uint16_t>::max();
constexpr std::size_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

// Thrown inside this file only, caught at the entry points.
struct Unwritable {
  PackageWriteError error;
};

// The sink refused bytes, for this reason.
struct SinkFailed {
  std::string reason;
};

[[noreturn]] void fail(std::string field, std::string reason) {
  throw Unwritable{PackageWriteError{std::move(field), std::move(reason)}};
}

// The bytes of one pass through the record, on their way to the sink: the
// small fields gathered between two arrays, each array passed on as it lies.
class BlockOutput {
 public:
  explicit BlockOutput(PackageSink& sink) : sink_(sink) {}

  ByteWriter& fields() { return fields_; }
  void array(std::span<const std::uint8_t> bytes) {
    flush();
    pass_on(bytes);
  }
  void flush() {
    pass_on(fields_.bytes());
    fields_ = ByteWriter();
  }
  // Everything written so far, given to the sink or not yet.
  std::size_t size() const { return passed_on_ + fields_.size(); }

 private:
  void pass_on(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;
    if (auto reason = sink_.write(bytes)) throw SinkFailed{std::move(*reason)};
    passed_on_ += bytes.size();
  }

  PackageSink& sink_;
  ByteWriter fields_;
  std::size_t passed_on_ = 0;
};

class FieldWriter {
 public:
  FieldWriter(BlockOutput& out, const TextCodec& codec) : out_(out), codec_(codec) {}

  void set_scope(std::string scope) { scope_ = std::move(scope); }

  void write_i32(std::int32_t value) { out_.fields().u32(static_cast<std::uint32_t>(value)); }
  void write_i16(std::int16_t value) { out_.fields().u16(static_cast<std::uint16_t>(value)); }

  void write_string(std::string_view name, const std::string& text,
                    const StoredSpelling& spelling) {
    // The bytes it was read from, while they still spell the name.
    const std::optional<std::string> bytes =
        spelling.bytes && codec_.cp932_to_utf8(*spelling.bytes) == std::optional(text)
            ? spelling.bytes
            : codec_.utf8_to_cp932(text);
    if (!bytes)
      fail(field(name), cp932_problem(text, codec_).value_or("has no code page 932 form"));
    if (bytes->size() > kMaxStringBytes) {
      fail(field(name), "is " + std::to_string(bytes->size()) +
                            " bytes long in code page 932; a name holds at most 65535");
    }
    write_i16(static_cast<std::int16_t>(bytes->size()));
    out_.fields().text(*bytes);
  }

  void write_bytes(std::string_view name, const PackageBytes& data) {
    if (!data.present()) {
      write_i16(0);
      return;
    }
    write_array_header(name, data.size());
    out_.array(data.view());
  }

  void write_array_header(std::string_view name, std::size_t count) {
    if (count > kMaxInt32) {
      fail(field(name),
           "holds " + std::to_string(count) + " elements; an array holds at most 2147483647");
    }
    write_i16(1);
    write_i32(static_cast<std::int32_t>(count));
    write_i32(0);
  }

 private:
  std::string field(std::string_view name) const { return scope_ + std::string(name); }

  BlockOutput& out_;
  const TextCodec& codec_;
  std::string scope_;
};

void write_scene(FieldWriter& writer, const SceneRecord& scene) {
  writer.write_string("PictureFileName", scene.PictureFileName, scene.PictureFileNameSpelling);
  writer.write_string("SoundFileName", scene.SoundFileName, scene.SoundFileNameSpelling);
  writer.write_i32(scene.DisplayTime);
  writer.write_i32(scene.PictureLeft);
  writer.write_i32(scene.PictureTop);
  writer.write_i32(scene.EffectCode);
  writer.write_i16(scene.OverPrevious);
  writer.write_i16(scene.Transparent);
  writer.write_bytes("PictureData", scene.PictureData);
  writer.write_bytes("SoundData", scene.SoundData);
}

void write_scenes(FieldWriter& writer, const std::optional<std::vector<SceneRecord>>& scenes) {
  if (!scenes) {
    writer.write_i16(0);
    return;
  }
  writer.write_array_header("Scenes", scenes->size());
  for (std::size_t index = 0; index < scenes->size(); ++index) {
    writer.set_scope("scene " + std::to_string(index) + " ");
    write_scene(writer, (*scenes)[index]);
  }
  writer.set_scope("");
}

// Writes the extension, after reading it back, so that nothing is stored
// that the reader would refuse (a fade for a scene that is not there, say).
void write_extension(const ShowExtension& extension, std::size_t scene_count, BlockOutput& out) {
  ByteWriter block;
  write_show_extension(extension, block);
  const ExtensionReadResult check =
      read_show_extension(block.bytes(), 0, static_cast<std::int32_t>(scene_count));
  if (check.error) fail(check.error->field, check.error->reason);
  out.fields().append(block.bytes());
}

// The record's fields in file order: the one place that lays them out, for
// the measuring pass and the writing pass alike.
void write_record(const ShowPackage& package, const TextCodec& codec, BlockOutput& out) {
  // The readers take scene i as element i; records beyond SceneCount are
  // written as they are (stored shows carry them) and never shown.
  if (package.SceneCount < 0 ||
      static_cast<std::size_t>(package.SceneCount) > package.stored_scene_count()) {
    fail("SceneCount", "SceneCount is " + std::to_string(package.SceneCount) +
                           " but the scene array holds " +
                           std::to_string(package.stored_scene_count()) + " elements");
  }
  FieldWriter writer(out, codec);
  writer.write_i32(package.PictureWidth);
  writer.write_i32(package.PictureHeight);
  writer.write_i32(static_cast<std::int32_t>(raw(package.BackColor)));
  writer.write_i16(package.HasSettings);
  writer.write_i32(package.SceneCount);
  writer.write_string("BgmFileName", package.BgmFileName, package.BgmFileNameSpelling);
  writer.write_bytes("BgmData", package.BgmData);
  write_scenes(writer, package.Scenes);
  if (package.Extension) write_extension(*package.Extension, package.stored_scene_count(), out);
}

// The record and its trailer, behind the `written_before` bytes the sink
// already took (the program image): the whole file must stay within 32-bit
// positions.
void write_block(const ShowPackage& package, const TextCodec& codec, BlockOutput& out,
                 std::size_t written_before) {
  write_record(package, codec, out);
  const std::size_t block_length = out.size() + static_cast<std::size_t>(kTrailerSize);
  if (block_length > kMaxInt32) {
    fail("BlockLength", "the block would be " + std::to_string(block_length) +
                            " bytes, more than a 32-bit BlockLength counts");
  }
  if (written_before > kMaxInt32 - block_length) {
    fail("FileSize", "the file would be " + std::to_string(written_before + block_length) +
                         " bytes, more than 32-bit positions reach");
  }
  FieldWriter(out, codec).write_i32(static_cast<std::int32_t>(block_length));
}

class Nowhere final : public PackageSink {
 public:
  std::optional<std::string> write(std::span<const std::uint8_t>) override { return std::nullopt; }
};

// Runs `write` twice: first into nowhere, which finds every refusal and the
// size before a byte reaches `sink`, then into `sink`.
template <typename Write>
PackageStreamResult stream(Write write, PackageSink& sink) {
  PackageStreamResult result;
  try {
    Nowhere nowhere;
    BlockOutput measured(nowhere);
    write(measured);
    sink.expect(measured.size());
    BlockOutput out(sink);
    write(out);
    out.flush();
    result.size = out.size();
  } catch (Unwritable& unwritable) {
    result.error = std::move(unwritable.error);
  } catch (SinkFailed& failed) {
    result.sink_error = std::move(failed.reason);
  }
  return result;
}

class VectorSink final : public PackageSink {
 public:
  void expect(std::size_t count) override { bytes.reserve(bytes.size() + count); }
  std::optional<std::string> write(std::span<const std::uint8_t> more) override {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return std::nullopt;
  }

  std::vector<std::uint8_t> bytes;
};

PackageWriteResult collected(VectorSink& sink, PackageStreamResult streamed) {
  if (streamed.error) return {{}, std::move(streamed.error)};
  return {std::move(sink.bytes), std::nullopt};
}

// Length of the UTF-8 sequence that starts at `text[at]`, or 0 when invalid.
std::size_t utf8_sequence_length(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::string code_point_label(std::string_view character) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
  std::uint32_t code = character.size() == 1   ? byte(0)
                       : character.size() == 2 ? byte(0) & 0x1Fu
                       : character.size() == 3 ? byte(0) & 0x0Fu
                                               : byte(0) & 0x07u;
  for (std::size_t i = 1; i < character.size(); ++i) code = code << 6 | (byte(i) & 0x3Fu);
  char label[16];
  std::snprintf(label, sizeof label, "U+%04X", static_cast<unsigned>(code));
  return label;
}

}  // namespace

PackageStreamResult stream_package_block(const ShowPackage& package, const TextCodec& codec,
                                         PackageSink& sink, std::size_t written_before) {
  return stream([&](BlockOutput& out) { write_block(package, codec, out, written_before); }, sink);
}

PackageWriteResult write_package_record(const ShowPackage& package, const TextCodec& codec) {
  VectorSink sink;
  return collected(sink,
                   stream([&](BlockOutput& out) { write_record(package, codec, out); }, sink));
}

PackageWriteResult write_package_block(const ShowPackage& package, const TextCodec& codec) {
  VectorSink sink;
  return collected(sink, stream_package_block(package, codec, sink, 0));
}

PackageWriteResult append_package_block(std::span<const std::uint8_t> program_file,
                                        const ShowPackage& package, const TextCodec& codec) {
  VectorSink sink;
  sink.write(program_file);
  return collected(sink, stream_package_block(package, codec, sink, program_file.size()));
}

void apply_name_placeholders(ShowPackage& package) {
  if (!package.Scenes) return;
  std::set<std::string> pictures;
  std::set<std::string> sounds;
  for (SceneRecord& scene : *package.Scenes) {
    if (!scene.PictureFileName.empty() && !pictures.insert(scene.PictureFileName).second) {
      scene.PictureData = PackageBytes{kPlaceholderData};
    }
    if (!scene.SoundFileName.empty() && !sounds.insert(scene.SoundFileName).second) {
      scene.SoundData = PackageBytes{kPlaceholderData};
    }
  }
}

std::optional<std::string> cp932_problem(std::string_view text, const TextCodec& codec) {
  if (codec.utf8_to_cp932(text)) return std::nullopt;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8_sequence_length(text, at);
    if (length == 0) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[at]));
      return "is not valid UTF-8 (byte " + std::string(byte) + " at position " +
             std::to_string(at) + ")";
    }
    const std::string_view character = text.substr(at, length);
    if (!codec.utf8_to_cp932(character)) {
      return "holds the character \"" + std::string(character) + "\" (" +
             code_point_label(character) + "), which code page 932 cannot represent";
    }
    at += length;
  }
  return "has no code page 932 form";
}

}  // namespace showsaver
