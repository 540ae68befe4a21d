// A whole show through the start routine on the SDL desktop.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_host.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/silent_media.h"
#include "platform/soft/soft_gdi.h"
#include "player/show_observer.h"
#include "sdl_fixture.h"
#include "startup/program_entry.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kBlue = 0x000000FF;

// After the first transition: notes what the screen shows, then presses a key.
class KeyAfterFirstTransition final : public ShowObserver {
 public:
  explicit KeyAfterFirstTransition(SdlDesktop& desktop) : desktop_(desktop) {}
  void transition_begins(const TransitionStart& start) override {
    started.push_back({start.outgoing_scene, start.incoming_scene});
  }
  void transition_finished() override {
    ++finished;
    if (finished > 1) return;
    screen = read_screen(desktop_.window(), width, height);
    SDL_Event key = key_event(SDLK_ESCAPE, KMOD_NONE);
    SDL_PushEvent(&key);
  }

  std::vector<std::pair<std::int32_t, std::int32_t>> started;
  int finished = 0;
  std::vector<std::uint32_t> screen;
  int width = 0;
  int height = 0;

 private:
  SdlDesktop& desktop_;
};

class SdlShowTest : public SdlDummyVideo {};

TEST_F(SdlShowTest, ShowPlaysUntilAKeyAndCleansUp) {
  TempDir folder;
  setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
  const ShowPackage package = PackageBuilder(40, 30)
                                  .scene("red.bmp", bmp_file(solid_image(40, 30, kRed)))
                                  .display_time(150)
                                  .effect(0)
                                  .scene("blue.bmp", bmp_file(solid_image(20, 10, kBlue)))
                                  .display_time(150)
                                  .at(10, 10)
                                  .effect(1)
                                  .build();
  const ByteVector program = program_file_with(package);
  write_text_file(folder.file("show.scr"), std::string(program.begin(), program.end()));

  SoftGdi gdi;
  SdlDesktop desktop(gdi);
  SilentMedia media;
  PosixHost host(folder.file("show.scr"), "/s");
  PosixFileSystem files;
  IconvTextCodec text;
  NoPowerEvents power;
  Platform platform{gdi, desktop, desktop, desktop, power, media, host, files, text};
  KeyAfterFirstTransition observer(desktop);
  run_program(platform, &observer);

  ASSERT_EQ(observer.started.size(), 1u) << "the key stopped the show after one transition";
  EXPECT_EQ(observer.started[0], std::make_pair(0, 1));
  // The cut shows the blue picture at (10, 10) of the centred area, on the
  // area's black background, inside the black window.
  const Size screen = desktop.screen_size();
  const int left = screen.width / 2 - 20;
  const int top = screen.height / 2 - 15;
  const auto at = [&](int x, int y) {
    return observer.screen.at(static_cast<std::size_t>(y * observer.width + x));
  };
  EXPECT_EQ(at(left + 10, top + 10), kBlue);
  EXPECT_EQ(at(left + 29, top + 19), kBlue);
  EXPECT_EQ(at(left + 9, top + 10), 0u);
  EXPECT_EQ(at(left - 1, top - 1), 0u);

  EXPECT_EQ(desktop.window(), nullptr) << "the show window is gone";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "the cursor is back";
  std::vector<std::string> left_over = {host.lock_file_path().substr(folder.path().size()),
                                        "show.scr"};
  std::sort(left_over.begin(), left_over.end());
  EXPECT_EQ(list_folder(folder.path()), left_over) << "the extraction folder is removed";
}

}  // namespace
}  // namespace showsaver::test
