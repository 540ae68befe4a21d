// The package reader on any bytes: no crash, no read outside them, and a
// package it accepts writes back to the very block it was read from.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "package/package_reader.h"
#include "package/package_writer.h"
#include "platform/posix/iconv_text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const showsaver::IconvTextCodec codec;
  const std::span<const std::uint8_t> file(data, size);
  const showsaver::PackageReadResult read = showsaver::read_show_package(file, codec);
  if (!read.ok()) {
    if (read.error->message().empty()) std::abort();
    return 0;
  }
  const auto written = showsaver::write_package_block(read.package, codec);
  const auto block = file.subspan(static_cast<std::size_t>(read.record_offset));
  if (!std::equal(written.bytes.begin(), written.bytes.end(), block.begin(), block.end())) {
    std::abort();
  }
  return 0;
}
