#include "replay_file.h"

#include <cstring>

#include "formats/byte_writer.h"

namespace showsaver::gdi_replay {
namespace {

constexpr std::size_t kMagicSize = sizeof kReplayMagic - 1;
// Far above any image the replay draws; a larger size means a damaged file.
constexpr std::uint32_t kMaxSide = 1 << 15;
constexpr std::uint32_t kMaxNameSize = 1 << 10;

}  // namespace

ReplayWriter::ReplayWriter(std::FILE* file) : file_(file) {
  put(kReplayMagic, kMagicSize);
}

void ReplayWriter::put(const void* bytes, std::size_t size) {
  if (ok_ && size != 0 && std::fwrite(bytes, 1, size, file_) != size) ok_ = false;
}

void ReplayWriter::write(const std::string& name, const PixelImage& image) {
  ByteWriter record;
  record.reserve(12 + name.size() + 4 * image.pixels.size());
  record.u32(static_cast<std::uint32_t>(name.size()));
  record.text(name);
  record.u32(static_cast<std::uint32_t>(image.width));
  record.u32(static_cast<std::uint32_t>(image.height));
  for (const std::uint32_t pixel : image.pixels) record.u32(pixel);
  put(record.bytes().data(), record.size());
}

ReplayReader::ReplayReader(const std::string& path) : in_(path, std::ios::binary) {
  char magic[kMagicSize];
  failed_ = !in_.read(magic, kMagicSize) || std::memcmp(magic, kReplayMagic, kMagicSize) != 0;
}

std::optional<std::uint32_t> ReplayReader::u32() {
  unsigned char bytes[4];
  if (!in_.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return std::nullopt;
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

std::optional<ReplayRecord> ReplayReader::next() {
  if (failed_) return std::nullopt;
  const auto name_size = u32();
  if (!name_size) {
    // The end of the file, unless it stops inside the length.
    failed_ = !in_.eof() || in_.gcount() != 0;
    return std::nullopt;
  }
  ReplayRecord record;
  if (*name_size <= kMaxNameSize) {
    record.name.resize(*name_size);
    in_.read(record.name.data(), static_cast<std::streamsize>(record.name.size()));
  }
  const auto width = u32();
  const auto height = u32();
  if (*name_size > kMaxNameSize || !in_ || !width || !height || *width > kMaxSide ||
      *height > kMaxSide) {
    failed_ = true;
    return std::nullopt;
  }
  record.image.width = static_cast<int>(*width);
  record.image.height = static_cast<int>(*height);
  std::vector<unsigned char> bytes(std::size_t{*width} * *height * 4);
  if (!in_.read(reinterpret_cast<char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()))) {
    failed_ = true;
    return std::nullopt;
  }
  record.image.pixels.reserve(bytes.size() / 4);
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    record.image.pixels.push_back(std::uint32_t{bytes[i]} | std::uint32_t{bytes[i + 1]} << 8 |
                                  std::uint32_t{bytes[i + 2]} << 16 |
                                  std::uint32_t{bytes[i + 3]} << 24);
  }
  return record;
}

}  // namespace showsaver::gdi_replay
