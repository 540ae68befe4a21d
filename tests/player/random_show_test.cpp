// Random shows against an independent model of how frames are composed: after
// every transition the picture area must show exactly the incoming frame
// (or, for a code without a transition, keep what it showed).
#include <gtest/gtest.h>

#include <random>

#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

using test::PackageBuilder;
using test::ShowOptions;
using test::ShowRun;

struct ModelScene {
  PixelImage picture;
  int left = 0;
  int top = 0;
  int effect = 0;
  bool over_previous = false;
  bool transparent = false;
};

// Paints `picture` into `frame` at (left, top), clipped; with `key`, pixels
// of that colour are left out.
void paint(PixelImage& frame, const PixelImage& picture, int left, int top,
           std::optional<std::uint32_t> key) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int fx = left + x;
      const int fy = top + y;
      if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height) continue;
      const std::uint32_t value = test::pixel(picture, x, y);
      if (key && value == *key) continue;
      frame.pixels[static_cast<std::size_t>(fy * frame.width + fx)] = value;
    }
  }
}

// A picture of a few colours, the background colour among them.
PixelImage random_picture(std::mt19937& random, std::uint32_t background) {
  const std::uint32_t palette[] = {background, 0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF};
  PixelImage picture = test::solid_image(1 + static_cast<int>(random() % 40),
                                         1 + static_cast<int>(random() % 30), 0);
  for (auto& value : picture.pixels) value = palette[random() % 6];
  return picture;
}

class RandomShow : public testing::TestWithParam<unsigned> {};

TEST_P(RandomShow, EveryTransitionEndsOnTheComposedIncomingFrame) {
  std::mt19937 random(GetParam());
  const int width = 8 + static_cast<int>(random() % 40);
  const int height = 8 + static_cast<int>(random() % 30);
  const std::uint32_t background = (random() % 2) != 0 ? 0x102030 : 0x000000;
  const int effects[] = {0, 1, 3, 5, 9, 10, 11, 13, 16, 19, 23, 24, 25, 26, 29, 30, -2};
  std::vector<ModelScene> scenes(1 + random() % 4);
  PackageBuilder builder(width, height);
  builder.back_color(rgb(background >> 16, background >> 8, background));
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    ModelScene& scene = scenes[i];
    scene.picture = random_picture(random, background);
    scene.left = static_cast<int>(random() % 60) - 20;
    scene.top = static_cast<int>(random() % 50) - 20;
    scene.effect = effects[random() % std::size(effects)];
    scene.over_previous = random() % 2 != 0;
    scene.transparent = random() % 2 != 0;
    builder.scene("p" + std::to_string(i), test::bmp_file(scene.picture))
        .at(scene.left, scene.top)
        .display_time(static_cast<int>(random() % 100))
        .effect(scene.effect)
        .over_previous(scene.over_previous ? -1 : 0)
        .transparent(scene.transparent ? -1 : 0);
  }
  const int transitions = 8;
  ShowOptions options;
  options.key_after_transitions = transitions;
  ShowRun show(builder.build(), options);
  show.run();
  ASSERT_TRUE(show.scripted().desktop.message_boxes().empty());
  ASSERT_EQ(show.transitions().size(), static_cast<std::size_t>(transitions));

  const PixelImage cleared = test::solid_image(width, height, background);
  PixelImage shown = cleared;
  paint(shown, scenes[0].picture, scenes[0].left, scenes[0].top, std::nullopt);
  ASSERT_FALSE(show.frames().empty());
  ASSERT_EQ(show.frames().front().pixels, shown.pixels);
  std::size_t current = 0;
  for (int t = 0; t < transitions; ++t) {
    const ModelScene& outgoing = scenes[current];
    PixelImage now = cleared;
    if (outgoing.over_previous) {
      now = shown;
    } else {
      paint(now, outgoing.picture, outgoing.left, outgoing.top, std::nullopt);
    }
    current = current + 1 == scenes.size() ? 0 : current + 1;
    const ModelScene& incoming = scenes[current];
    PixelImage next = incoming.over_previous ? now : cleared;
    const bool keyed = incoming.over_previous && incoming.transparent;
    paint(next, incoming.picture, incoming.left, incoming.top,
          keyed ? std::optional<std::uint32_t>(background) : std::nullopt);
    if (outgoing.effect >= 0 && outgoing.effect <= 29) shown = next;

    const std::size_t frame =
        t + 1 < transitions ? static_cast<std::size_t>(show.transitions()[t + 1].frames_before) - 1
                            : show.frames().size() - 1;
    ASSERT_LT(frame, show.frames().size()) << "transition " << t;
    ASSERT_EQ(show.frames()[frame].pixels, shown.pixels)
        << "seed " << GetParam() << ", transition " << t << " with effect " << outgoing.effect;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomShow, testing::Range(1u, 61u));

}  // namespace
}  // namespace showsaver
