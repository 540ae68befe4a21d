#include "support/show_harness.h"

#include <gtest/gtest.h>

#include <fstream>

#include "startup/program_entry.h"
#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver::test {

std::vector<std::uint8_t> bmp_file(const PixelImage& image) {
  return make_bmp_24(image);
}

PixelImage solid_image(int width, int height, std::uint32_t rgb) {
  PixelImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), rgb);
  return image;
}

PixelImage with_rectangle(PixelImage base, int x, int y, int width, int height, std::uint32_t rgb) {
  for (int row = std::max(0, y); row < std::min(base.height, y + height); ++row) {
    for (int column = std::max(0, x); column < std::min(base.width, x + width); ++column) {
      base.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(base.width) +
                  static_cast<std::size_t>(column)] = rgb;
    }
  }
  return base;
}

PixelImage with_picture(PixelImage base, const PixelImage& picture, Point at) {
  for (int row = std::max(0, at.y); row < std::min(base.height, at.y + picture.height); ++row) {
    for (int column = std::max(0, at.x); column < std::min(base.width, at.x + picture.width);
         ++column) {
      base.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(base.width) +
                  static_cast<std::size_t>(column)] = pixel(picture, column - at.x, row - at.y);
    }
  }
  return base;
}

std::uint32_t pixel(const PixelImage& image, int x, int y) {
  return image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                      static_cast<std::size_t>(x)];
}

ShowRun::ShowRun(const ShowPackage& package, ShowOptions options)
    : options_(std::move(options)),
      package_(package),
      player_(std::make_unique<HeadlessPlayer>(files_, text_codec(), player_settings())),
      guard_("the show", scripted().desktop) {
  const ByteVector program =
      options_.skip_package_file ? fake_program_image(64) : program_file_with(package);
  std::ofstream(folder_.file("show.scr"), std::ios::binary)
      .write(reinterpret_cast<const char*>(program.data()),
             static_cast<std::streamsize>(program.size()));
  if (options_.settings_file_contents) {
    write_text_file(folder_.file("show.set"), *options_.settings_file_contents);
  }
  files_.create_folder(folder_.file("windows"));
  ScriptedPlatform& script = scripted();
  script.host.set_password_results(options_.password_results);
  if (options_.cursor_after_password) {
    script.host.during_password_check(
        [this] { scripted().desktop.set_cursor_position(*options_.cursor_after_password); });
  }
  script.media.set_music_length_ms(options_.music_length_ms);
  script.desktop.set_cursor_count(options_.cursor_count);
  player_->set_observer(this);
  player_->on_frame([this](const HeadlessFrame& frame) {
    frames_.push_back(frame.image);
    guard_.check(static_cast<std::int64_t>(frames_.size()), options_.max_frames, "frames");
  });
  script.desktop.on_process_messages([this] {
    guard_.check(scripted().clock.elapsed(), options_.max_virtual_ms, "ms of virtual time");
  });
}

HeadlessSettings ShowRun::player_settings() const {
  HeadlessSettings settings;
  settings.host.program_path = folder_.file("show.scr");
  settings.host.arguments = options_.arguments;
  settings.host.extraction_parent = windows_folder();
  settings.host.screen_save_use_password = options_.screen_save_use_password;
  settings.screen = options_.screen;
  settings.cursor = options_.cursor;
  settings.start_tick = options_.start_tick;
  settings.inputs = options_.inputs;
  settings.transitions = options_.key_after_transitions;
  return settings;
}

void ShowRun::run() {
  try {
    player_->play([this](Platform& platform, ShowObserver& observer) {
      if (!options_.skip_package_file) {
        run_program(platform, &observer);
        return;
      }
      RunState state = read_run_state(platform);
      state.Package = package_;
      state.PackageUnreadable.clear();  // the program file holds no show: this one stands in
      run_show_mode(platform, state, &observer);
    });
  } catch (const RunAbandoned&) {
    // The guard has failed the test already.
  }
}

void ShowRun::set_fallback_folder(const std::string& folder) {
  scripted().host.set_fallback_extraction_parent(folder);
}

std::vector<std::int64_t> ShowRun::times_of(const std::string& kind) const {
  std::vector<std::int64_t> times;
  for (const LoggedEvent& event : player_->scripted().log.of_kind(kind))
    times.push_back(event.elapsed_ms);
  return times;
}

void ShowRun::order_shuffled(std::uint32_t seed) {
  EXPECT_FALSE(shuffle_seed_) << "the order was reported shuffled twice";
  shuffle_seed_ = seed;
}

void ShowRun::hold_starting(std::int32_t scene, bool moving) {
  holds_.push_back({scene, moving, static_cast<int>(frames_.size())});
}

void ShowRun::transition_begins(const TransitionStart& start) {
  transitions_.push_back({start.outgoing_scene, start.incoming_scene, start.effect_code,
                          start.fade_ms, scripted().clock.elapsed(), 0,
                          static_cast<int>(frames_.size())});
}

void ShowRun::transition_finished() {
  ++finished_;
  transitions_.back().finished_ms = scripted().clock.elapsed();
  guard_.check(finished_, options_.max_transitions, "transitions");
}

}  // namespace showsaver::test
