// Running whole shows on the scripted platform, for the player's tests.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "headless/headless_player.h"
#include "package/show_package.h"
#include "player/show_observer.h"
#include "support/counting_file_system.h"
#include "support/run_guard.h"
#include "support/temp_dir.h"

namespace showsaver::test {

// A 24-bit bottom-up Windows bitmap file of `image` (make_bmp_24).
std::vector<std::uint8_t> bmp_file(const PixelImage& image);
// An image of one colour (0x00RRGGBB pixels).
PixelImage solid_image(int width, int height, std::uint32_t rgb);
// `base` with the rectangle (x, y, width, height) painted `rgb`.
PixelImage with_rectangle(PixelImage base, int x, int y, int width, int height, std::uint32_t rgb);
// `base` with `picture` pasted at `at`, cut at `base`'s edges.
PixelImage with_picture(PixelImage base, const PixelImage& picture, Point at);
// The pixel at (x, y).
std::uint32_t pixel(const PixelImage& image, int x, int y);

struct TransitionRecord {
  std::int32_t outgoing = 0;
  std::int32_t incoming = 0;
  std::int32_t effect = 0;              // the outgoing scene's EffectCode, as reported
  std::optional<std::int32_t> fade_ms;  // a cross-fade drawn instead of it
  std::int64_t started_ms = 0;
  std::int64_t finished_ms = 0;
  // Frames captured before the transition began.
  int frames_before = 0;
};

struct HoldRecord {
  std::int32_t scene = 0;
  bool moving = false;
  // Frames captured before the hold began.
  int frames_before = 0;
};

struct ShowOptions {
  std::string arguments = "/s";
  Size screen{640, 480};
  std::int32_t start_tick = 1000;
  Point cursor{100, 100};
  int cursor_count = 0;  // the cursor's display count before the show
  std::vector<ScriptedInput> inputs;
  // Stop the show with a key press after this many transitions.
  std::optional<int> key_after_transitions;
  std::optional<std::uint32_t> screen_save_use_password;
  std::deque<PasswordCheck> password_results;
  std::optional<std::string> settings_file_contents;
  std::int64_t music_length_ms = 60'000;
  // Hands the package to the show directly instead of through the program
  // file, for packages the reader would refuse.
  bool skip_package_file = false;
  // Where the user leaves the mouse while the password dialog is up.
  std::optional<Point> cursor_after_password;
  // Caps on a show that does not stop: past one the test fails and the show
  // is stopped (see RunGuard).
  std::int64_t max_virtual_ms = 3'600'000;
  int max_transitions = 100;
  int max_frames = 5'000;
};

class ShowRun final : public ShowObserver {
 public:
  ShowRun(const ShowPackage& package, ShowOptions options = {});
  // Runs the program's start routine once; fails the test when a cap is passed.
  void run();
  // Where the folder goes when the Windows folder cannot take it.
  void set_fallback_folder(const std::string& folder);

  ScriptedPlatform& scripted() { return player_->scripted(); }
  const std::vector<PixelImage>& frames() const { return frames_; }
  const std::vector<TransitionRecord>& transitions() const { return transitions_; }
  const std::vector<HoldRecord>& holds() const { return holds_; }
  // The seed a shuffled show reported drawing its order from.
  const std::optional<std::uint32_t>& shuffle_seed() const { return shuffle_seed_; }
  CountingFileSystem& files() { return files_; }
  // The extraction parent ("Windows folder") of this run.
  std::string windows_folder() const { return folder_.file("windows/"); }
  std::string temp_folder() const { return windows_folder() + "temp1/"; }
  // Milliseconds since the start of every logged event of `kind`.
  std::vector<std::int64_t> times_of(const std::string& kind) const;

  void order_shuffled(std::uint32_t seed) override;
  void hold_starting(std::int32_t scene, bool moving) override;
  void transition_begins(const TransitionStart& start) override;
  void transition_finished() override;

 private:
  HeadlessSettings player_settings() const;

  ShowOptions options_;
  ShowPackage package_;
  TempDir folder_;
  CountingFileSystem files_;
  std::unique_ptr<HeadlessPlayer> player_;
  std::vector<PixelImage> frames_;
  std::vector<TransitionRecord> transitions_;
  std::vector<HoldRecord> holds_;
  std::optional<std::uint32_t> shuffle_seed_;
  int finished_ = 0;
  RunGuard guard_;
};

}  // namespace showsaver::test
