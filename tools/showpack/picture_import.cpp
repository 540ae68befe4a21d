#include "picture_import.h"

#include <Magick++.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "formats/bmp/bmp_decoder.h"
#include "formats/rgb_bytes.h"

namespace showsaver::showpack {
namespace {

enum class Format { bmp, png, jpeg, gif, webp, unknown };

// Only these coders ever see a file: the library knows many more formats,
// some of which run programs or read other files.
Format sniff(std::span<const std::uint8_t> file) {
  const auto starts = [&](std::string_view magic, std::size_t at = 0) {
    return file.size() >= at + magic.size() &&
           std::memcmp(file.data() + at, magic.data(), magic.size()) == 0;
  };
  if (starts("BM")) return Format::bmp;
  if (starts("\x89PNG\r\n\x1a\n")) return Format::png;
  if (starts("\xFF\xD8\xFF")) return Format::jpeg;
  if (starts("GIF87a") || starts("GIF89a")) return Format::gif;
  if (starts("RIFF") && starts("WEBP", 8)) return Format::webp;
  return Format::unknown;
}

const char* coder(Format format) {
  switch (format) {
    case Format::png:
      return "PNG";
    case Format::jpeg:
      return "JPEG";
    case Format::gif:
      return "GIF";
    case Format::webp:
      return "WEBP";
    default:
      return "BMP";
  }
}

}  // namespace

void start_image_library() {
  static std::once_flag once;
  std::call_once(once, [] {
    Magick::InitializeMagick(nullptr);
    std::atexit([] { Magick::TerminateMagick(); });  // its caches go before the exit
  });
}

namespace {

std::uint8_t blend(std::uint32_t value, std::uint32_t back, std::uint32_t alpha) {
  return std::uint8_t((value * alpha + back * (255 - alpha) + 127) / 255);
}

PixelImage from_rgba(const std::vector<std::uint8_t>& rgba, int width, int height, Rgb32 back) {
  PixelImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
  const std::uint32_t b = raw(back);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint8_t* p = &rgba[i * 4];
    const std::uint32_t a = p[3];
    image.pixels[i] = std::uint32_t(blend(p[0], b >> 16 & 0xFF, a)) << 16 |
                      std::uint32_t(blend(p[1], b >> 8 & 0xFF, a)) << 8 | blend(p[2], b & 0xFF, a);
  }
  return image;
}

PixelImage read_rgb(Magick::Image& image) {
  const int width = int(image.columns());
  const int height = int(image.rows());
  std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
  image.write(0, 0, image.columns(), image.rows(), "RGB", Magick::CharPixel, rgb.data());
  PixelImage result{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
  for (std::size_t i = 0; i < result.pixels.size(); ++i) {
    result.pixels[i] =
        std::uint32_t(rgb[i * 3]) << 16 | std::uint32_t(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
  }
  return result;
}

}  // namespace

std::variant<PixelImage, std::string> decode_picture(std::span<const std::uint8_t> file,
                                                     Rgb32 back) {
  const Format format = sniff(file);
  if (format == Format::unknown)
    return std::string(
        "cannot be shown: the file is not a Windows bitmap, PNG, JPEG, GIF or WebP picture");
  if (format == Format::bmp) {
    auto decoded = decode_bmp(file);
    if (auto* fault = std::get_if<std::string>(&decoded)) return "cannot be shown: " + *fault;
    return std::move(std::get<PixelImage>(decoded));
  }
  start_image_library();
  try {
    Magick::Image image;
    image.quiet(true);
    image.subImage(0);  // the first frame of an animation
    image.subRange(1);
    image.magick(coder(format));  // this coder and no other reads the bytes
    image.read(Magick::Blob(file.data(), file.size()));
    image.autoOrient();  // EXIF orientation
    if (image.colorSpace() == Magick::CMYKColorspace) image.colorSpace(Magick::sRGBColorspace);
    image.page(Magick::Geometry(0, 0));
    const int width = int(image.columns());
    const int height = int(image.rows());
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxImagePixels) {
      return std::string("is too large: ") + std::to_string(width) + "x" + std::to_string(height);
    }
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    image.write(0, 0, image.columns(), image.rows(), "RGBA", Magick::CharPixel, rgba.data());
    return from_rgba(rgba, width, height, back);
  } catch (const Magick::Exception& error) {
    return std::string("cannot be decoded as ") + coder(format) + ": " + error.what();
  }
}

PixelImage scale_picture(const PixelImage& image, Size size) {
  if (size.width == image.width && size.height == image.height) return image;
  start_image_library();
  const std::vector<std::uint8_t> rgb = rgb_bytes(image);
  Magick::Image scaled(std::size_t(image.width), std::size_t(image.height), "RGB",
                       Magick::CharPixel, rgb.data());
  scaled.filterType(Magick::LanczosFilter);
  Magick::Geometry geometry(std::size_t(size.width), std::size_t(size.height));
  geometry.aspect(true);  // exactly this size
  scaled.resize(geometry);
  return read_rgb(scaled);
}

std::variant<ImportedPicture, std::string> import_picture(std::span<const std::uint8_t> file,
                                                          std::optional<Fit> fit, Size area,
                                                          Rgb32 back) {
  auto decoded = decode_picture(file, back);
  if (auto* fault = std::get_if<std::string>(&decoded)) return std::move(*fault);
  PixelImage image = std::move(std::get<PixelImage>(decoded));
  const Size own{image.width, image.height};
  const Size size = fitted_size(own, area, fit.value_or(Fit::none));
  if (sniff(file) == Format::bmp && size == own) {
    return ImportedPicture{{file.begin(), file.end()}, own, false};
  }
  image = scale_picture(image, size);
  if (fit == Fit::cover && (size.width > area.width || size.height > area.height)) {
    // Cut to the area, centred.
    const int left = (size.width - area.width) / 2;
    const int top = (size.height - area.height) / 2;
    const int width = std::min(size.width, area.width);
    const int height = std::min(size.height, area.height);
    PixelImage cut{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
      std::copy_n(&image.pixels[std::size_t(y + top) * image.width + left], width,
                  &cut.pixels[std::size_t(y) * width]);
    }
    image = std::move(cut);
  }
  return ImportedPicture{encode_stored_bmp(image), {image.width, image.height}, true};
}

}  // namespace showsaver::showpack
