#include "jpeg_files.h"

#include <cstdio>
#include <cstdlib>

// After <cstdio>: the JPEG library's header uses FILE and size_t.
#include <jpeglib.h>

namespace showsaver::test {

std::vector<std::uint8_t> write_jpeg(const JpegLayout& layout,
                                     const std::function<void(int, std::uint8_t*)>& fill_row) {
  jpeg_compress_struct jpeg{};
  jpeg_error_mgr errors{};
  jpeg.err = jpeg_std_error(&errors);
  jpeg_create_compress(&jpeg);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&jpeg, &buffer, &size);
  jpeg.image_width = JDIMENSION(layout.width);
  jpeg.image_height = JDIMENSION(layout.height);
  jpeg.input_components = layout.components;
  jpeg.in_color_space = layout.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&jpeg);
  jpeg_set_quality(&jpeg, layout.quality, TRUE);
  jpeg_start_compress(&jpeg, TRUE);
  if (!layout.exif.empty()) {
    jpeg_write_marker(&jpeg, JPEG_APP0 + 1, layout.exif.data(), unsigned(layout.exif.size()));
  }
  std::vector<std::uint8_t> row(std::size_t(layout.width) * std::size_t(layout.components));
  while (jpeg.next_scanline < jpeg.image_height) {
    fill_row(int(jpeg.next_scanline), row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&jpeg, rows, 1);
  }
  jpeg_finish_compress(&jpeg);
  jpeg_destroy_compress(&jpeg);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

}  // namespace showsaver::test
