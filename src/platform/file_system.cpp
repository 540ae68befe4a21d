#include "platform/file_system.h"

#include <utility>

namespace showsaver {
namespace {

class ReadContents final : public FileContents {
 public:
  explicit ReadContents(Bytes bytes) : bytes_(std::move(bytes)) {}
  std::span<const std::uint8_t> bytes() const override { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace

std::shared_ptr<const FileContents> FileSystem::map_file(const std::string& path) {
  std::optional<Bytes> bytes = read_file(path);
  if (!bytes) return nullptr;
  return std::make_shared<ReadContents>(std::move(*bytes));
}

}  // namespace showsaver
