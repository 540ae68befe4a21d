// showpack's picture import for the engine, where the browser decodes every
// format and the page converts each photo when it is added
// (picture_conversion.h): the show's pictures reach the package assembly as
// bitmaps at their fitted size, stored as they are.
#include "formats/bmp/bmp_decoder.h"
#include "platform/picture_scaling.h"
#include "showpack/picture_import.h"

namespace showsaver::showpack {

void start_image_library() {}

std::variant<PixelImage, std::string> decode_picture(std::span<const std::uint8_t> file, Rgb32,
                                                     std::optional<Size>) {
  auto decoded = decode_bmp(file);
  if (auto* fault = std::get_if<std::string>(&decoded)) return "cannot be shown: " + *fault;
  return std::move(std::get<PixelImage>(decoded));
}

PixelImage scale_picture(const PixelImage& image, Size size) {
  const PixelView view{image.pixels.data(), image.width, image.height, std::size_t(image.width)};
  return scaled_picture(view, size);
}

std::variant<ImportedPicture, std::string> import_picture(std::span<const std::uint8_t> file,
                                                          std::optional<Fit> fit, Size area,
                                                          Rgb32 back) {
  auto decoded = decode_picture(file, back);
  if (auto* fault = std::get_if<std::string>(&decoded)) return std::move(*fault);
  const PixelImage& image = std::get<PixelImage>(decoded);
  const Size own{image.width, image.height};
  if (fitted_size(own, area, fit.value_or(Fit::none)) != own) {
    return std::string("is not at its fitted size: the studio fits pictures as they are added");
  }
  return ImportedPicture{{file.begin(), file.end()}, own, false};
}

}  // namespace showsaver::showpack
