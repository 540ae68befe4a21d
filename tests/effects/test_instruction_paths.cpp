// The fast paths of the cross-fade and the pan-and-zoom filter are offered
// where the build and the processor have them, so that the comparisons with
// the plain references in test_cross_fade.cpp and test_pan_zoom.cpp reach
// them rather than the plain loops alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/cross_fade_paths.h"
#include "effects/pan_zoom_filter.h"

namespace showsaver {
namespace {

std::vector<std::string> expected_names() {
  std::vector<std::string> names{"plain"};
#if defined(__SSE2__)
  names.emplace_back("sse2");
#endif
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(_WIN32)
  if (__builtin_cpu_supports("avx2")) names.emplace_back("avx2");
#endif
  return names;
}

TEST(InstructionPaths, EachFastPathIsOfferedWhereBuildAndProcessorHaveIt) {
  std::vector<std::string> blend_names;
  for (const BlendPath& path : blend_paths()) blend_names.emplace_back(path.name);
  std::vector<std::string> filter_names;
  for (const PanZoomPasses& passes : pan_zoom_passes()) filter_names.emplace_back(passes.name);
  EXPECT_EQ(blend_names, expected_names());
  EXPECT_EQ(filter_names, expected_names());
}

}  // namespace
}  // namespace showsaver
