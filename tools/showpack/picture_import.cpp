#include "picture_import.h"

#include <Magick++.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>

#include "claimed_picture_size.h"
#include "formats/bmp/bmp_decoder.h"
#include "formats/bmp/bmp_header.h"
#include "formats/rgb_bytes.h"

namespace showsaver::showpack {
namespace {

// The coder that reads each format, and no other.
const char* coder(PictureFormat format) {
  switch (format) {
    case PictureFormat::png:
      return "PNG";
    case PictureFormat::jpeg:
      return "JPEG";
    case PictureFormat::gif:
      return "GIF";
    case PictureFormat::webp:
      return "WEBP";
    case PictureFormat::heic:
      return "HEIC";
    default:
      return "BMP";
  }
}

std::string size_text(Size size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

constexpr std::int64_t kLargestSide = std::numeric_limits<std::int32_t>::max();

std::int64_t pixels(Size size) {
  return std::int64_t(size.width) * size.height;
}

}  // namespace

PictureFormat sniff_picture(std::span<const std::uint8_t> file) {
  const auto starts = [&](std::string_view magic, std::size_t at = 0) {
    return file.size() >= at + magic.size() &&
           std::memcmp(file.data() + at, magic.data(), magic.size()) == 0;
  };
  if (starts("BM")) return PictureFormat::bmp;
  if (starts("\x89PNG\r\n\x1a\n")) return PictureFormat::png;
  if (starts("\xFF\xD8\xFF")) return PictureFormat::jpeg;
  if (starts("GIF87a") || starts("GIF89a")) return PictureFormat::gif;
  if (starts("RIFF") && starts("WEBP", 8)) return PictureFormat::webp;
  for (const char* brand : {"heic", "heix", "mif1", "msf1", "heim", "heis"}) {
    if (starts("ftyp", 4) && starts(brand, 8)) return PictureFormat::heic;
  }
  return PictureFormat::unknown;
}

const char* picture_format_name(PictureFormat format) {
  return format == PictureFormat::bmp ? "Windows bitmap" : coder(format);
}

void start_image_library() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Never terminated: that would unload the coders' modules (HEIC's
    // libheif among them) and leave what they hold unreachable at the exit.
    Magick::InitializeMagick(nullptr);
  });
}

bool picture_format_decodes(PictureFormat format) {
  if (format == PictureFormat::unknown) return false;
  if (format != PictureFormat::heic) return true;
  start_image_library();
  try {
    return Magick::CoderInfo(coder(format)).isReadable();
  } catch (const Magick::Exception&) {
    return false;  // the library was built without it
  }
}

std::variant<PictureHeader, std::string> read_picture_header(std::span<const std::uint8_t> file) {
  const PictureFormat format = sniff_picture(file);
  if (format == PictureFormat::unknown) {
    return std::string(
        "is not a picture: its content is not that of a Windows bitmap, PNG, "
        "JPEG, GIF, WebP or HEIC file");
  }
  if (format == PictureFormat::bmp) {
    auto layout = bmp::parse_bmp_layout(file);
    if (auto* fault = std::get_if<std::string>(&layout)) return "cannot be shown: " + *fault;
    const auto& bmp = std::get<bmp::BmpLayout>(layout);
    return PictureHeader{format, {std::int32_t(bmp.width), std::int32_t(bmp.height)}, false};
  }
  if (!picture_format_decodes(format)) {
    return std::string("is a ") + coder(format) +
           " picture, which this build's image library cannot decode";
  }
  try {
    Magick::Image image;
    image.quiet(true);
    image.subRange(1);
    image.magick(coder(format));
    image.ping(Magick::Blob(file.data(), file.size()));  // the header, no pixels
    const Magick::OrientationType orientation = image.orientation();
    const bool turned = orientation >= Magick::LeftTopOrientation;
    auto width = std::int64_t(image.columns()), height = std::int64_t(image.rows());
    if (width <= 0 || height <= 0) {
      // The library's policy refused a header larger than it allows.
      if (const auto claimed = claimed_picture_size(file, format)) {
        width = claimed->width;
        height = claimed->height;
      }
    }
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
      return "is " + std::to_string(width) + "x" + std::to_string(height) +
             " by its header; each side must be 1 to " + std::to_string(kLargestSide) + " pixels";
    }
    const Size size{std::int32_t(turned ? height : width), std::int32_t(turned ? width : height)};
    return PictureHeader{format, size, turned};
  } catch (const Magick::Exception& error) {
    return std::string("cannot be read as ") + coder(format) +
           ": the file is damaged or cut "
           "short (the image library says: " +
           error.what() + ")";
  }
}

Size decoded_size(const PictureHeader& header, Size fitted) {
  if (header.format != PictureFormat::jpeg) return header.size;
  Size decoded = header.size;
  for (int divisor = 2; divisor <= 8; divisor *= 2) {
    const Size smaller{(header.size.width + divisor - 1) / divisor,
                       (header.size.height + divisor - 1) / divisor};
    if (smaller.width < fitted.width || smaller.height < fitted.height) break;
    decoded = smaller;
  }
  return decoded;
}

std::optional<std::string> picture_size_problem(const PictureHeader& header, Size fitted) {
  const std::string limit = std::to_string(kMaxPicturePixels) + " pixels (such as 8192x8192)";
  if (pixels(fitted) > kMaxPicturePixels) {
    return "is " + size_text(header.size) + " and would be stored at " + size_text(fitted) + " (" +
           std::to_string(pixels(fitted)) + " pixels); a stored picture holds at most " + limit +
           ": fit it to the picture area with fit = \"contain\"";
  }
  const Size decoded = decoded_size(header, fitted);
  if (pixels(decoded) > kMaxPicturePixels) {
    return "is " + size_text(header.size) + " (" + std::to_string(pixels(header.size)) +
           " pixels); a " + picture_format_name(header.format) +
           " picture is decoded whole before it is fitted, and may hold at most " + limit +
           (header.format == PictureFormat::jpeg
                ? ""
                : "; only JPEG photos are decoded at a reduced size");
  }
  return std::nullopt;
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

std::variant<PixelImage, std::string> decode_picture(std::span<const std::uint8_t> file, Rgb32 back,
                                                     std::optional<Size> at_least) {
  auto header = read_picture_header(file);
  if (auto* fault = std::get_if<std::string>(&header)) return std::move(*fault);
  const PictureHeader& read = std::get<PictureHeader>(header);
  if (read.format == PictureFormat::bmp) {
    auto decoded = decode_bmp(file);
    if (auto* fault = std::get_if<std::string>(&decoded)) return "cannot be shown: " + *fault;
    return std::move(std::get<PixelImage>(decoded));
  }
  const Size decoded = decoded_size(read, at_least.value_or(read.size));
  if (pixels(decoded) > kMaxPicturePixels) {
    return *picture_size_problem(read, at_least.value_or(read.size));
  }
  start_image_library();
  try {
    Magick::Image image;
    image.quiet(true);
    image.subImage(0);  // the first frame of an animation
    image.subRange(1);
    image.magick(coder(read.format));  // this coder and no other reads the bytes
    if (read.format == PictureFormat::jpeg && decoded != read.size) {
      // The decoder's reduced size, given in the file's own orientation.
      const Size hint = read.turned ? Size{decoded.height, decoded.width} : decoded;
      image.defineValue("jpeg", "size", size_text(hint));
    }
    image.read(Magick::Blob(file.data(), file.size()));
    image.autoOrient();  // EXIF orientation
    if (image.colorSpace() == Magick::CMYKColorspace) image.colorSpace(Magick::sRGBColorspace);
    image.page(Magick::Geometry(0, 0));
    const Size size{int(image.columns()), int(image.rows())};
    if (size.width <= 0 || size.height <= 0 || pixels(size) > kMaxPicturePixels) {
      return "decodes to " + size_text(size) + "; a picture may hold at most " +
             std::to_string(kMaxPicturePixels) + " pixels";
    }
    std::vector<std::uint8_t> rgba(std::size_t(pixels(size)) * 4);
    image.write(0, 0, image.columns(), image.rows(), "RGBA", Magick::CharPixel, rgba.data());
    return from_rgba(rgba, size.width, size.height, back);
  } catch (const Magick::Exception& error) {
    return std::string("cannot be decoded as ") + coder(read.format) +
           ": the file is damaged or cut short (the image library says: " + error.what() + ")";
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

namespace {

// The middle `area` of `image`, for a picture that covers it.
PixelImage cut_to(const PixelImage& image, Size area) {
  const int left = (image.width - area.width) / 2;
  const int top = (image.height - area.height) / 2;
  const int width = std::min(image.width, area.width);
  const int height = std::min(image.height, area.height);
  PixelImage cut{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
  for (int y = 0; y < height; ++y) {
    std::copy_n(&image.pixels[std::size_t(y + top) * image.width + left], width,
                &cut.pixels[std::size_t(y) * width]);
  }
  return cut;
}

std::variant<ImportedPicture, std::string> convert_picture(std::span<const std::uint8_t> file,
                                                           std::optional<Fit> fit, Size area,
                                                           Rgb32 back) {
  auto header = read_picture_header(file);
  if (auto* fault = std::get_if<std::string>(&header)) return std::move(*fault);
  const PictureHeader& read = std::get<PictureHeader>(header);
  const Size size = fitted_size(read.size, area, fit.value_or(Fit::none));
  const Size stored =
      fit == Fit::cover ? Size{std::min(size.width, area.width), std::min(size.height, area.height)}
                        : size;
  if (auto problem = picture_size_problem(read, stored)) return std::move(*problem);
  auto decoded = decode_picture(file, back, size);
  if (auto* fault = std::get_if<std::string>(&decoded)) return std::move(*fault);
  PixelImage image = std::move(std::get<PixelImage>(decoded));
  if (read.format == PictureFormat::bmp && size == read.size) {
    return ImportedPicture{{file.begin(), file.end()}, read.size, false};
  }
  image = scale_picture(image, size);
  if (stored != size) image = cut_to(image, area);
  return ImportedPicture{encode_stored_bmp(image), {image.width, image.height}, true};
}

}  // namespace

std::variant<ImportedPicture, std::string> import_picture(std::span<const std::uint8_t> file,
                                                          std::optional<Fit> fit, Size area,
                                                          Rgb32 back) {
  // The library's failures, even out of memory, end this picture, not the run.
  try {
    return convert_picture(file, fit, area, back);
  } catch (const Magick::Exception& error) {
    return std::string("cannot be converted: the image library failed (") + error.what() + ")";
  } catch (const std::bad_alloc&) {
    return std::string("cannot be converted: there is not enough memory for it");
  }
}

}  // namespace showsaver::showpack
