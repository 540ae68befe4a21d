// Real pixels for effect runs: the three surfaces as bitmaps of the software
// GDI, with pictures whose pixels tell where they came from.
#pragma once

#include <cstdint>
#include <vector>

#include "effect_harness.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver::effects_test {

// Which picture a pixel of a patterned image belongs to.
enum class Picture : std::uint32_t { kBlack = 0, kOutgoing = 1, kIncoming = 2, kStale = 3 };

// A pixel that names its picture and position (positions below 2048).
std::uint32_t patterned_pixel(Picture picture, int x, int y);
PixelImage patterned_image(Picture picture, int width, int height);
// The left half one colour, the right half another: what survives the AND of
// a shrinking scale, so that mirroring shows.
PixelImage halves_image(int width, int height, std::uint32_t left, std::uint32_t right);

struct PixelOrigin {
  Picture picture = Picture::kBlack;
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelOrigin&, const PixelOrigin&) = default;
};
PixelOrigin origin_of(std::uint32_t pixel);

class PictureStage {
 public:
  // The destination starts with a stale picture; the outgoing and incoming
  // pictures are patterned unless given.
  PictureStage(int width, int height);
  PictureStage(const PixelImage& outgoing, const PixelImage& incoming);

  // A setup that draws into this stage's bitmaps.
  RunSetup setup();
  // Runs `code`, keeping the destination's image at every refresh.
  EffectRecord run(int code, RunSetup setup);
  EffectRecord run(int code) { return run(code, setup()); }

  PixelImage destination() const;
  const PixelImage& outgoing() const { return outgoing_; }
  const PixelImage& incoming() const { return incoming_; }
  // The destination's image at each refresh of the last run.
  const std::vector<PixelImage>& refreshed() const { return refreshed_; }

 private:
  DcHandle surface_dc(const PixelImage& image);

  SoftGdi gdi_;
  PixelImage outgoing_;
  PixelImage incoming_;
  DcHandle destination_dc_;
  DcHandle outgoing_dc_;
  DcHandle incoming_dc_;
  std::vector<PixelImage> refreshed_;
};

}  // namespace showsaver::effects_test
