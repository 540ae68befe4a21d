// What the animation replays share: the canvas sizes, the random pictures,
// which refreshes are written, and the scripted show window whose virtual
// clock paces the frames.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"
#include "platform/scripted/scripted_desktop.h"
#include "player/stop_detector.h"
#include "replay.h"

namespace showsaver::gdi_replay {

// A single pixel, thin strips and odd sizes (where a step of a frame rounds
// to nothing or runs past an edge), a small one, one with room for the
// blinds' frames, and a whole VGA screen.
inline constexpr Size kReplaySizes[] = {{1, 1},   {2, 3},   {37, 23},   {101, 7},
                                        {64, 48}, {97, 61}, {200, 120}, {640, 480}};

// Random pixels (the engine's raw output, the same on every platform), so
// that any misplaced pixel shows.
PixelImage random_picture(std::mt19937& random, Size size);

// "<kind>/<width>x<height>/", as every record of one animation starts.
std::string animation_prefix(const std::string& kind, Size size);

// A show window of `size` on the virtual clock, with a stop detector armed,
// whose refreshes are written to the sink as "<prefix>refresh-NNNN".  At the
// sizes above kEveryRefreshPixels only every tenth refresh from the fifth is
// read back and written, which keeps the file and the real GDI's run small
// while each animation still shows a few of its frames there.
class ReplayStage {
 public:
  static constexpr std::int64_t kEveryRefreshPixels = 200 * 120;

  ReplayStage(Gdi& gdi, Size size, std::string prefix, const ImageSink& sink);

  ScriptedDesktop& desktop() { return desktop_; }
  const std::int16_t& stop_requested() const { return stop_.StopRequested(); }
  // Counts a refresh of `dc`'s bitmap and writes it when it is one to write.
  void refreshed(DcHandle dc);
  // The same for the refreshes a surface of the show window makes itself
  // (ScriptedDesktop reads each one back).
  void record_window_refreshes();
  // Writes "<prefix>end": `image`, what the animation left.
  void end(const PixelImage& image);
  // Whether the animation had to be stopped at a cap (said on stderr).
  bool capped() const { return capped_; }

 private:
  Gdi& gdi_;
  Size size_;
  std::string prefix_;
  const ImageSink& sink_;
  VirtualClock clock_;
  EventLog log_;
  ScriptedDesktop desktop_;
  StopDetector stop_;
  int refreshes_ = 0;
  bool capped_ = false;

  // The next refresh's record name; empty when it is not written.
  std::string next_refresh_name();
};

}  // namespace showsaver::gdi_replay
