// Effects 16 to 18: the incoming picture squeezes the outgoing one against an
// edge; each thickness step is a whole number of pixels.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

// The incoming band's thickness in each frame.
std::vector<int> thicknesses(const EffectRecord& record, bool rows) {
  std::vector<int> result;
  for (const auto& frame : record.frame_calls) {
    result.push_back(rows ? frame.at(1).height : frame.at(1).width);
  }
  return result;
}

std::vector<int> multiples(int step) {
  std::vector<int> result;
  for (int k = 0; k <= 20; ++k) result.push_back(k * step);
  return result;
}

struct ThicknessCase {
  int length;
  int step;  // the whole pixels added per frame
};

class SqueezeThickness : public testing::TestWithParam<ThicknessCase> {};

TEST_P(SqueezeThickness, GrowsByTheSameWholeNumberOfPixelsEveryFrame) {
  const ThicknessCase param = GetParam();
  EXPECT_EQ(thicknesses(run(16, 50, param.length), true), multiples(param.step));
  EXPECT_EQ(thicknesses(run(18, 50, param.length), true), multiples(param.step));
  EXPECT_EQ(thicknesses(run(17, param.length, 50), false), multiples(param.step));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SqueezeThickness,
                         testing::Values(ThicknessCase{480, 24}, ThicknessCase{768, 38},
                                         ThicknessCase{732, 37}, ThicknessCase{510, 26},
                                         ThicknessCase{490, 24}, ThicknessCase{10, 0}));

TEST(SqueezeFromTop, FourEightyHighEndsWithTheIncomingPictureFillingTheDestination) {
  const EffectRecord record = run(16, 640, 480);
  EXPECT_EQ(record.frames[0],
            (std::vector<std::string>{"scale out 0,0 640x480", "scale in 0,0 640x0"}));
  EXPECT_EQ(record.frames[1],
            (std::vector<std::string>{"scale out 0,24 640x456", "scale in 0,0 640x24"}));
  EXPECT_EQ(record.frames[20],
            (std::vector<std::string>{"scale out 0,480 640x0", "scale in 0,0 640x480"}));
}

TEST(SqueezeFromBottom, SevenSixtyEightHighLeavesEightRowsOfTheOutgoingPicture) {
  EXPECT_EQ(run(18, 100, 768).frames[20],
            (std::vector<std::string>{"scale out 0,0 100x8", "scale in 0,8 100x760"}));
}

TEST(SqueezeFromRight, SevenThirtyTwoWideOvershootsIntoAMirroredBandOffTheEdge) {
  EXPECT_EQ(run(17, 732, 100).frames[20],
            (std::vector<std::string>{"scale out 0,0 -8x100", "scale in -8,0 740x100"}));
  EXPECT_EQ(run(16, 100, 732).frames[20],
            (std::vector<std::string>{"scale out 0,740 100x-8", "scale in 0,0 100x740"}));
}

}  // namespace
}  // namespace showsaver::effects_test
