// SDL on its dummy video driver: a window system without a display, so the
// desktop's tests run anywhere.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/window_system.h"

namespace showsaver::test {

class SdlDummyVideo : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // Without a display no message box can block the run.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override { SDL_Quit(); }
};

// Counts what reaches the show's input handlers.
class CountingSink final : public InputSink {
 public:
  void key_down() override { ++keys; }
  void mouse_down() override { ++buttons; }
  void mouse_move() override { ++moves; }
  int keys = 0;
  int buttons = 0;
  int moves = 0;
};

// The whole window's surface, each pixel 0x00RRGGBB.
inline std::vector<std::uint32_t> read_screen(SDL_Window* window, int& width, int& height) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) {
    ADD_FAILURE() << SDL_GetError();
    return {};
  }
  width = surface->w;
  height = surface->h;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
  if (SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                        SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0) {
    ADD_FAILURE() << SDL_GetError();
  }
  for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
  return pixels;
}

inline SDL_Event key_event(SDL_Keycode key, Uint16 modifiers) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  event.key.keysym.mod = modifiers;
  return event;
}

}  // namespace showsaver::test
