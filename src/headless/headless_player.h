// A show played without a window: the player's own code on the scripted
// platform, its clock virtual.  `showpack render`, the studio's engine and
// the tests play shows through it, to the end with a frame callback, or one
// frame per call to advance().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/scripted/scripted_platform.h"
#include "player/show_observer.h"
#include "startup/run_state.h"

namespace showsaver {

class Fiber;

// A refreshed frame of the picture area.
struct HeadlessFrame {
  const PixelImage& image;  // valid until the show goes on
  std::int64_t show_time;   // milliseconds since the show started
  std::int32_t scene;       // the scene coming in, or showing
  bool in_transition;
};

struct HeadlessSettings {
  ScriptedHostSettings host;
  Size screen{1024, 768};
  std::optional<Point> cursor;  // the screen's centre when not given
  std::int32_t start_tick = 0;  // the tick counter's first value
  std::vector<ScriptedInput> inputs;
  // A key is pressed when this many transitions have finished.
  std::optional<int> transitions;
};

// What is played on the platform: the program's start routine, or part of it.
using ShowEntry = std::function<void(Platform&, ShowObserver&)>;
// Show mode on `state` (kept alive by the caller), as the start routine
// runs it once the package and the settings are read.
ShowEntry show_mode(RunState& state);

class HeadlessPlayer final : private ShowObserver {
 public:
  HeadlessPlayer(FileSystem& files, const TextCodec& text, HeadlessSettings settings);
  // A show still going is stopped and played to its end, so that it cleans up.
  ~HeadlessPlayer();
  HeadlessPlayer(const HeadlessPlayer&) = delete;
  HeadlessPlayer& operator=(const HeadlessPlayer&) = delete;

  // The platform, for more script before the show and its records after.
  ScriptedPlatform& scripted() { return scripted_; }
  // Told everything the show reports (may be null), before the player acts on it.
  void set_observer(ShowObserver* observer) { observer_ = observer; }
  // Each frame, as play() draws it.
  void on_frame(std::function<void(const HeadlessFrame&)> callback) {
    frame_callback_ = std::move(callback);
  }

  // Plays `entry` to its end.
  void play(const ShowEntry& entry);
  // Starts `entry` for advance() to play frame by frame.  In WebAssembly the
  // program is linked with -sASYNCIFY, and advance() and finish() are
  // reached from a plain export: a fiber unwinds the stack to the export
  // JavaScript called, which embind's calls are not.
  void start(ShowEntry entry);
  // Plays on until the next frame is drawn and returns it, valid until the
  // next call; null once the show has ended.  What the show throws is
  // thrown here.
  const HeadlessFrame* advance();

  // Ends the show as a key press does; no frame is reported after it.
  void stop();
  // Stops a show started for advance() and plays it to its end, so that it
  // cleans up (what the destructor does when it is still going).
  void finish();
  int transitions_finished() const { return finished_; }

 private:
  void frame_drawn(const PixelImage& image);
  // ShowObserver: the scene and the transitions, told on to the caller's.
  void order_shuffled(std::uint32_t seed) override;
  void hold_starting(std::int32_t scene, bool moving) override;
  void transition_begins(const TransitionStart& start) override;
  void transition_finished() override;

  ScriptedPlatform scripted_;
  std::optional<int> transition_limit_;
  ShowObserver* observer_ = nullptr;
  std::function<void(const HeadlessFrame&)> frame_callback_;
  std::unique_ptr<Fiber> fiber_;
  const HeadlessFrame* stepped_frame_ = nullptr;
  std::int32_t scene_ = 0;
  bool in_transition_ = false;
  bool stopped_ = false;
  int finished_ = 0;
};

}  // namespace showsaver
