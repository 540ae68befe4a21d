// The GDI cases of the software GDI's tests, played on any Gdi.
#include <cstdio>
#include <random>

#include "canvas.h"
#include "gdi_cases.h"
#include "player/transparent_blit.h"
#include "replay.h"

namespace showsaver::gdi_replay {
namespace {

std::string hex(std::uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

// Fixed-seed values from the engine's raw output only: the standard
// library's distributions differ between its implementations, and the
// Windows build must draw the same cases.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t next() { return static_cast<std::uint32_t>(engine_()); }
  std::uint32_t color() { return next() & 0x00FFFFFFu; }

 private:
  std::mt19937 engine_;
};

PixelImage random_picture(Random& random, int width, int height) {
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) image.pixels.push_back(random.color());
  return image;
}

// Rows of random bits, each padded to 16 bits.
std::vector<std::uint8_t> random_mono_bits(Random& random, int width, int height) {
  std::vector<std::uint8_t> bits(static_cast<std::size_t>((width + 15) / 16 * 2 * height));
  for (std::uint8_t& byte : bits) byte = static_cast<std::uint8_t>(random.next());
  return bits;
}

void line_cases(Gdi& gdi, const ImageSink& sink) {
  for (const gdi_cases::LineCase& c : gdi_cases::line_cases()) {
    for (const bool vertical : {false, true}) {
      PixelImage letters{vertical ? 1 : c.source_length, vertical ? c.source_length : 1, {}};
      for (int k = 0; k < c.source_length; ++k) {
        letters.pixels.push_back(gdi_cases::letter_color(k));
      }
      const Canvas source = Canvas::color(gdi, letters);
      const Canvas destination = vertical ? Canvas::blank(gdi, 1, c.destination_length)
                                          : Canvas::blank(gdi, c.destination_length, 1);
      if (vertical) {
        gdi.StretchBlt(destination.dc(), 0, c.x, 1, c.width, source.dc(), 0, c.source_x, 1,
                       c.source_width, rop::SRCCOPY);
      } else {
        gdi.StretchBlt(destination.dc(), c.x, 0, c.width, 1, source.dc(), c.source_x, 0,
                       c.source_width, 1, rop::SRCCOPY);
      }
      sink(std::string("line/") + c.name + (vertical ? "/column" : "/row"), destination.image());
    }
  }
}

void stretch_cases(Gdi& gdi, const ImageSink& sink) {
  PixelImage square{4, 4, {}};
  for (int k = 0; k < 16; ++k) square.pixels.push_back(gdi_cases::letter_color(k));
  const PixelImage row{4, 1, {square.pixels.begin(), square.pixels.begin() + 4}};
  for (const auto& [name, picture] :
       {std::pair{"ShrinkBothAxes", square}, std::pair{"ShrinkOneAxisEnlargeTheOther", row}}) {
    const Canvas source = Canvas::color(gdi, picture);
    const Canvas destination = Canvas::blank(gdi, 2, 2);
    gdi.StretchBlt(destination.dc(), 0, 0, 2, 2, source.dc(), 0, 0, picture.width, picture.height,
                   rop::SRCCOPY);
    sink(std::string("stretch/") + name, destination.image());
  }
  Random random(3);
  int index = 0;
  for (const gdi_cases::StretchGeometry& g : gdi_cases::halving_and_doubling_cases()) {
    const Canvas source = Canvas::color(gdi, random_picture(random, gdi_cases::kStretchPictureWidth,
                                                            gdi_cases::kStretchPictureHeight));
    const Canvas destination =
        Canvas::blank(gdi, gdi_cases::kStretchPictureWidth, gdi_cases::kStretchPictureHeight);
    gdi.StretchBlt(destination.dc(), g.x, g.y, g.width, g.height, source.dc(), g.source_x,
                   g.source_y, g.source_width, g.source_height, rop::SRCCOPY);
    sink("stretch/halving-doubling-" + std::to_string(index++), destination.image());
  }
}

void clip_and_overlap_cases(Gdi& gdi, const ImageSink& sink) {
  PixelImage numbered{gdi_cases::kClipWidth, gdi_cases::kClipHeight, {}};
  for (int i = 0; i < numbered.width * numbered.height; ++i) {
    numbered.pixels.push_back(0x00100000u + static_cast<std::uint32_t>(i));
  }
  for (const gdi_cases::ClipCase& c : gdi_cases::clip_cases()) {
    const Canvas source = Canvas::color(gdi, numbered);
    const Canvas destination = Canvas::blank(gdi, numbered.width, numbered.height);
    gdi.BitBlt(destination.dc(), c.x, c.y, c.width, c.height, source.dc(), c.source_x, c.source_y,
               rop::SRCCOPY);
    sink(std::string("clip/") + c.name, destination.image());
  }
  PixelImage picture{7, 6, {}};
  for (std::uint32_t i = 0; i < 42; ++i) picture.pixels.push_back(0x00010203u * (i + 1));
  for (const gdi_cases::Shift shift : gdi_cases::overlap_shifts()) {
    for (const std::uint32_t raster : {rop::SRCCOPY, rop::SRCINVERT}) {
      const Canvas canvas = Canvas::color(gdi, picture);
      gdi.BitBlt(canvas.dc(), 1 + shift.dx, 1 + shift.dy, 4, 3, canvas.dc(), 1, 1, raster);
      sink("overlap/" + std::to_string(shift.dx) + "," + std::to_string(shift.dy) + "/" +
               hex(raster),
           canvas.image());
    }
  }
  // Operations that read no source, with no source DC.
  const Canvas canvas = Canvas::color(gdi, {3, 1, {0x00123456, 0x00ABCDEF, 0}});
  gdi.BitBlt(canvas.dc(), 0, 0, 2, 1, DcHandle{}, 99, 99, rop::DSTINVERT);
  sink("no-source/DstInvert", canvas.image());
  gdi.BitBlt(canvas.dc(), -5, 0, 100, 1, DcHandle{}, 0, 0, rop::BLACKNESS);
  sink("no-source/BlacknessClipped", canvas.image());
}

// A picture of a few colours, one of them the source DC's background, so
// that a conversion to monochrome meets both bits.
PixelImage keyed_picture(Random& random, int width, int height, std::uint32_t key) {
  PixelImage image = random_picture(random, width, height);
  for (std::uint32_t& pixel : image.pixels) {
    if (random.next() % 3 == 0) pixel = key;
  }
  return image;
}

// Every raster operation of the table between every pair of formats, as a
// clipped BitBlt, a shrinking StretchBlt and a mirrored enlarging one; then
// every one of the 256 truth tables as a colour BitBlt.
void raster_operation_cases(Gdi& gdi, const ImageSink& sink) {
  struct Blit {
    const char* name;
    int x, y, width, height, source_x, source_y, source_width, source_height;
    bool stretch;
  };
  const Blit blits[] = {
      {"bitblt", 3, 2, 8, 6, 1, 1, 8, 6, false},
      {"shrink", 0, 0, 5, 4, 0, 0, 9, 7, true},
      {"enlarge-mirrored", 8, 0, -9, 7, 1, 1, 4, 3, true},
  };
  constexpr int kWidth = 9, kHeight = 7;
  Random random(20240601);
  for (const std::uint32_t code : gdi_cases::raster_operations()) {
    for (const bool mono_destination : {false, true}) {
      for (const bool mono_source : {false, true}) {
        for (const Blit& b : blits) {
          const std::uint32_t key = random.color();
          const Canvas source =
              mono_source
                  ? Canvas::mono(gdi, kWidth, kHeight, random_mono_bits(random, kWidth, kHeight))
                  : Canvas::color(gdi, keyed_picture(random, kWidth, kHeight, key));
          const Canvas destination =
              mono_destination
                  ? Canvas::mono(gdi, kWidth, kHeight, random_mono_bits(random, kWidth, kHeight))
                  : Canvas::color(gdi, random_picture(random, kWidth, kHeight));
          gdi.SetBkColor(source.dc(), to_color_ref(Rgb32{key}));
          gdi.SetTextColor(source.dc(), to_color_ref(Rgb32{random.color()}));
          gdi.SetBkColor(destination.dc(), to_color_ref(Rgb32{random.color()}));
          gdi.SetTextColor(destination.dc(), to_color_ref(Rgb32{random.color()}));
          if (b.stretch) {
            gdi.StretchBlt(destination.dc(), b.x, b.y, b.width, b.height, source.dc(), b.source_x,
                           b.source_y, b.source_width, b.source_height, code);
          } else {
            gdi.BitBlt(destination.dc(), b.x, b.y, b.width, b.height, source.dc(), b.source_x,
                       b.source_y, code);
          }
          sink("rop/" + hex(code) + "/" + (mono_destination ? "mono" : "color") + "-from-" +
                   (mono_source ? "mono" : "color") + "/" + b.name,
               destination.image());
        }
      }
    }
  }
  for (std::uint32_t table = 0; table < 256; ++table) {
    const Canvas source = Canvas::color(gdi, random_picture(random, 6, 4));
    const Canvas destination = Canvas::color(gdi, random_picture(random, 6, 4));
    gdi.BitBlt(destination.dc(), 0, 0, 6, 4, source.dc(), 0, 0, table << 16);
    sink("rop3/" + hex(table << 16), destination.image());
  }
}

void fill_cases(Gdi& gdi, const ImageSink& sink) {
  for (const gdi_cases::FillCase& c : gdi_cases::fill_cases()) {
    const Canvas canvas = Canvas::blank(gdi, gdi_cases::kFillWidth, gdi_cases::kFillHeight);
    gdi.FillBox(canvas.dc(), c.x1, c.y1, c.x2, c.y2, rgb(0x11, 0x22, 0x33));
    sink(std::string("fill/") + c.name, canvas.image());
  }
  for (const ColorRef color :
       {rgb(255, 255, 255), rgb(0, 0, 0), rgb(0x11, 0x22, 0x33), rgb(200, 200, 200)}) {
    const Canvas canvas = Canvas::mono(gdi, 4, 3, {});
    gdi.FillBox(canvas.dc(), 1, 0, 3, 1, color);
    sink("fill-mono/" + hex(raw(color)), canvas.image());
  }
}

void mono_cases(Gdi& gdi, const ImageSink& sink) {
  for (const gdi_cases::ToMonoCase& c : gdi_cases::to_mono_cases()) {
    const Canvas color = Canvas::color(gdi, {2, 1, {c.pixel, c.pixel}});
    const Canvas mono = Canvas::mono(gdi, 2, 1, {});
    gdi.SetBkColor(color.dc(), c.background);
    gdi.BitBlt(mono.dc(), 0, 0, 1, 1, color.dc(), 0, 0, rop::SRCCOPY);
    gdi.StretchBlt(mono.dc(), 1, 0, 1, 1, color.dc(), 0, 0, 2, 2, rop::SRCCOPY);
    sink(std::string("to-mono/") + c.name, mono.image());
  }
  {
    // 0 bits take the destination DC's text colour, 1 bits its background.
    const Canvas mono = Canvas::mono(gdi, 4, 1, {0xA0, 0x00});
    gdi.SetTextColor(mono.dc(), rgb(1, 2, 3));
    gdi.SetBkColor(mono.dc(), rgb(4, 5, 6));
    const Canvas color = Canvas::blank(gdi, 4, 1);
    gdi.SetTextColor(color.dc(), rgb(0xFF, 0, 0));
    gdi.SetBkColor(color.dc(), rgb(0, 0xFF, 0));
    gdi.BitBlt(color.dc(), 0, 0, 4, 1, mono.dc(), 0, 0, rop::SRCCOPY);
    sink("mono/ToColourUsesDestinationColours", color.image());
  }
  {
    const Canvas mono = Canvas::mono(gdi, 2, 1, {0x80, 0x00});
    const Canvas color = Canvas::color(gdi, {2, 1, {0x00123456, 0x00123456}});
    gdi.BitBlt(color.dc(), 0, 0, 2, 1, mono.dc(), 0, 0, rop::DEST_AND_NOT_SOURCE);
    sink("mono/DefaultColoursAndRopAfterConversion", color.image());
  }
  {
    const Canvas source = Canvas::mono(gdi, 4, 1, {0xB0, 0x00});
    const Canvas destination = Canvas::mono(gdi, 2, 1, {});
    gdi.FillBox(destination.dc(), 0, 0, 1, 0, rgb(255, 255, 255));
    gdi.StretchBlt(destination.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 1, rop::SRCCOPY);
    sink("mono/ShrinkKeepsBlack", destination.image());
  }
  {
    const Canvas color =
        Canvas::color(gdi, {4, 1, {0x00FF0000, 0x00FF0000, 0x00FF0000, 0x000000FF}});
    const Canvas mono = Canvas::mono(gdi, 2, 1, {});
    gdi.SetBkColor(color.dc(), rgb(255, 0, 0));
    gdi.StretchBlt(mono.dc(), 0, 0, 2, 1, color.dc(), 0, 0, 4, 1, rop::SRCCOPY);
    sink("mono/ConversionBeforeAndOnShrink", mono.image());
  }
}

void sprite_cases(Gdi& gdi, const ImageSink& sink) {
  for (const gdi_cases::SpriteCase& c : gdi_cases::sprite_cases()) {
    const Canvas destination = Canvas::color(gdi, gdi_cases::sprite_background());
    const Canvas source = Canvas::color(gdi, gdi_cases::sprite_picture(c));
    gdi.SetBkColor(source.dc(), rgb(1, 2, 3));
    BlitTransparent(gdi, destination.dc(), c.x, c.y, c.width, c.height, source.dc(), c.source_x,
                    c.source_y, gdi_cases::kSpriteKey);
    sink(std::string("sprite/") + c.name, destination.image());
  }
}

}  // namespace

void replay_drawing(Gdi& gdi, const ImageSink& sink) {
  line_cases(gdi, sink);
  stretch_cases(gdi, sink);
  clip_and_overlap_cases(gdi, sink);
  raster_operation_cases(gdi, sink);
  fill_cases(gdi, sink);
  mono_cases(gdi, sink);
  sprite_cases(gdi, sink);
}

}  // namespace showsaver::gdi_replay
