#include "show_file.h"

#include "file_io.h"
#include "package/package_sink.h"
#include "package/package_writer.h"

namespace showsaver::showpack {
namespace {

class FileSink final : public PackageSink {
 public:
  explicit FileSink(AtomicFile& file) : file_(file) {}
  std::optional<std::string> write(std::span<const std::uint8_t> bytes) override {
    return file_.write(bytes);
  }

 private:
  AtomicFile& file_;
};

}  // namespace

ShowFileWritten write_show_file(const std::filesystem::path& path,
                                std::span<const std::uint8_t> player, const ShowPackage& package,
                                const TextCodec& codec, unsigned mode) {
  AtomicFile file(path);
  if (auto error = file.write(player)) return {0, std::move(error)};
  FileSink sink(file);
  const PackageStreamResult block = stream_package_block(package, codec, sink, player.size());
  if (block.error) return {0, "cannot store " + block.error->message()};
  if (block.sink_error) return {0, block.sink_error};
  if (auto error = file.commit(mode)) return {0, std::move(error)};
  return {player.size() + block.size, std::nullopt};
}

}  // namespace showsaver::showpack
