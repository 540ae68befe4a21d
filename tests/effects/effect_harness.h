// Runs one effect on the scripted platform (the software GDI behind a
// recording decorator, a scripted desktop on a virtual clock) and splits what
// it drew into the opening copy, the loop frames and the final frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "effects/effect_random.h"
#include "platform/pixel_image.h"
#include "platform/scripted/recording_gdi.h"

namespace showsaver::effects_test {

// The pictures the three surfaces start with, all of one size.
struct StartPictures {
  PixelImage destination;
  PixelImage outgoing;
  PixelImage incoming;
};

struct RunSetup {
  int width = 640;
  int height = 480;
  std::int32_t start_tick = 0;
  // StopRequested is -1 already when the effect is called.
  bool stop_before_call = false;
  // A key press at this virtual time (milliseconds after the call), or none.
  std::int64_t key_at_ms = -1;
  // Virtual milliseconds each drawing call takes.
  std::int64_t draw_cost_ms = 0;
  // The surfaces' pictures, of width x height; blank bitmaps without them.
  // With them the record keeps the destination's images.
  std::optional<StartPictures> pictures;
  // Caps on an effect that does not end: past one the test fails and a key
  // is pressed (see RunGuard).
  std::int64_t max_virtual_ms = 600'000;
  int max_frames = 10'000;
};

// The device contexts of a run's surfaces.
struct SurfaceDcs {
  DcHandle destination;
  DcHandle outgoing;
  DcHandle incoming;
  // "dest", "out", "in", or "dc<handle>" for any other.
  std::string name(DcHandle dc) const;
};

// What a run recorded, one entry a frame.  Reading past the end fails the
// test that reads instead of crashing the test program.
template <typename Entry>
class RecordedFrames : public std::vector<Entry> {
 public:
  using std::vector<Entry>::vector;
  const Entry& operator[](std::size_t index) const {
    if (index < this->size()) return std::vector<Entry>::operator[](index);
    ADD_FAILURE() << "frame " << index << " read, but only " << this->size() << " were recorded";
    static const Entry none{};
    return none;
  }
  Entry& operator[](std::size_t index) {
    if (index < this->size()) return std::vector<Entry>::operator[](index);
    ADD_FAILURE() << "frame " << index << " read, but only " << this->size() << " were recorded";
    static Entry none;
    none = Entry{};
    return none;
  }
};

struct EffectRecord {
  SurfaceDcs surfaces;
  std::vector<GdiCall> calls;  // every drawing call in order
  int refreshes = 0;
  std::string opening;
  // Each loop frame's drawing calls, described (see `describe`).
  RecordedFrames<std::vector<std::string>> frames;
  // The same calls as recorded.
  RecordedFrames<std::vector<GdiCall>> frame_calls;
  // Virtual time at which each loop frame began drawing.
  std::vector<std::int64_t> frame_starts;
  std::vector<std::string> final_calls;
  bool refreshed_after_final = false;
  // Set when the effect ended with a runtime failure.
  std::string failure;
  // With pictures: the destination's image at each refresh and at the end.
  std::vector<PixelImage> refreshed;
  PixelImage destination;
};

// "copy out 0,0 119x250 <- 6,0" (BitBlt from the outgoing frame to x, y with
// width x height, from source x, y); "scale in 320,0 -64x480" (StretchBlt of
// the whole incoming frame); "fill -1,-1 640,480 0" (filled box, corners and
// colour).  Surfaces are "dest", "out" and "in".
std::string describe(const GdiCall& call, const SurfaceDcs& surfaces);

// Runs effect `code` with `random` as the program's generator.
EffectRecord record_effect(int code, const RunSetup& setup, EffectRandom& random);
EffectRecord record_effect(int code, const RunSetup& setup);
// Runs effect `code` on a `width` x `height` surface with everything else at its default.
EffectRecord run(int code, int width, int height);

// The description of a copy of a whole picture to (0, 0).
std::string whole_copy(const char* source, int width, int height);

// printf-style formatting of an expected description.
template <typename... Args>
std::string strf(const char* format, Args... args) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace showsaver::effects_test
