// Real pixels for effect runs: pictures whose pixels tell where they came
// from, on the three surfaces.
#pragma once

#include <cstdint>
#include <vector>

#include "effect_harness.h"

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

  // A setup that draws these pictures.
  RunSetup setup() const;
  const EffectRecord& run(int code, const RunSetup& setup);
  const EffectRecord& run(int code) { return run(code, setup()); }

  // The destination's image at the end of the last run.
  const PixelImage& destination() const { return last_.destination; }
  const PixelImage& outgoing() const { return pictures_.outgoing; }
  const PixelImage& incoming() const { return pictures_.incoming; }
  // The destination's image at each refresh of the last run.
  const std::vector<PixelImage>& refreshed() const { return last_.refreshed; }

 private:
  StartPictures pictures_;
  EffectRecord last_;
};

}  // namespace showsaver::effects_test
