// One refresh of a full-screen picture area on screen, against memcpy of the
// frame in the same run: through the show window of the SDL desktop (also
// with an area larger than the screen, shrunk to fit) and through the
// display mode's Xlib path (the root window), on the X server of
// $DISPLAY (the benchmark script starts Xvfb at 1920x1080).  A refresh counts
// until the server has the frame: both paths wait for it (XSync) before they
// return, as they must before the next frame may overwrite the buffer.
// Both copy the soft GDI's pixels once, into the shared memory the server
// reads (Gdi::ViewImage); the server's own copy into its screen is the
// second, so two memcpys are the least a refresh can cost on this path.
//
// Usage: showsaver_present_bench [REPETITIONS]
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/message_loop.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/soft/soft_gdi.h"
#include "platform/window_system.h"
#include "platform/x11/x11_window_desktop.h"

namespace {

using namespace showsaver;

class IgnoredInput final : public InputSink {
 public:
  void key_down() override {}
  void mouse_down() override {}
  void mouse_move() override {}
};

// The median of `repetitions` timed calls, in milliseconds, after three untimed ones.
double median_ms(int repetitions, const std::function<void()>& run) {
  for (int i = 0; i < 3; ++i) run();
  std::vector<double> times;
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A memory DC holding a full-screen colour bitmap with a picture in it.
DcHandle make_frame(SoftGdi& gdi, int width, int height) {
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateColorBitmap(width, height));
  for (int band = 0; band < 16; ++band) {
    const auto shade = static_cast<std::uint32_t>(band * 16);
    gdi.FillBox(dc, band * width / 16, 0, (band + 1) * width / 16, height,
                ColorRef{shade | (255 - shade) << 8 | 0x400000u});
  }
  return dc;
}

// The median time of a refresh of `frame` through the show window of
// `windows`, its picture area at `area`, with the messages of `loop` processed.
double refresh_ms(WindowSystem& windows, MessageLoop& loop, DcHandle frame, Rect area,
                  int repetitions) {
  IgnoredInput input;
  windows.create_show_window(area, input);
  windows.show_window();
  const double ms = median_ms(repetitions, [&] {
    windows.refresh_picture_area(frame);
    loop.process_messages();
  });
  windows.destroy_show_window();
  return ms;
}

void row(const char* what, double ms, double reference_ms, const char* goal) {
  std::printf("  %-44s %8.2f ms  memcpy %6.2f ms  ratio %5.2f  %s\n", what, ms, reference_ms,
              ms / reference_ms, goal);
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  const int width = mode.w;
  const int height = mode.h;
  const std::size_t frame_bytes = static_cast<std::size_t>(width) * height * 4;

  std::vector<std::uint8_t> from(frame_bytes, 1);
  std::vector<std::uint8_t> to(frame_bytes, 2);
  const double memcpy_ms = median_ms(repetitions, [&] {
    std::memcpy(to.data(), from.data(), frame_bytes);
    asm volatile("" : : "r"(to.data()) : "memory");
  });

  SoftGdi gdi;
  const DcHandle frame = make_frame(gdi, width, height);
  std::printf("Presentation: one refresh of a %dx%d picture area (%.1f MB), median of %d\n", width,
              height, static_cast<double>(frame_bytes) / 1e6, repetitions);
  const double read_ms = median_ms(repetitions, [&] { (void)gdi.ReadImage(frame); });
  row("soft GDI image read (ReadImage), for reference", read_ms, memcpy_ms, "");

  {
    SdlDesktop desktop(gdi);
    row("SDL show window (window surface, MIT-SHM)",
        refresh_ms(desktop, desktop, frame, {0, 0, width, height}, repetitions), memcpy_ms,
        "goal <= 2");
    // A picture area half as large again as the screen, shrunk to fit it.
    const Size large{width * 3 / 2, height * 3 / 2};
    const Rect centred{(width - large.width) / 2, (height - large.height) / 2, large.width,
                       large.height};
    row("SDL show window, area 1.5x the screen shrunk",
        refresh_ms(desktop, desktop, make_frame(gdi, large.width, large.height), centred,
                   repetitions),
        memcpy_ms, "");
  }
  {
    X11WindowDesktop desktop(0, gdi, -1);
    if (!desktop.connected()) {
      std::printf("  Xlib display mode: %s\n", desktop.error().c_str());
    } else {
      row("Xlib display mode (root window, MIT-SHM)",
          refresh_ms(desktop, desktop, frame, {0, 0, width, height}, repetitions), memcpy_ms,
          "goal <= 2");
    }
  }
  SDL_Quit();
  return 0;
}
