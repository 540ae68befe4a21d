// The Windows player under Wine, acted on from outside by window_probe.exe (a
// helper of the Windows tree, in the same Wine session): closed with WM_CLOSE,
// or at the end of the session with WM_QUERYENDSESSION and WM_ENDSESSION
// after which the process is ended at once, as Windows may end it, it leaves
// no extracted files and no screen-saver notice behind.  And a soak of short
// scenes through every transition, its GDI objects, windows and memory
// sampled from outside, staying flat.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <thread>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

std::string read_output(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class WineFaultTest : public ::testing::Test {
 protected:
  // The player and the probe of `architecture`'s tree; false (with a
  // failure) when either is missing.
  bool set_up(const std::string& architecture) {
    const auto folder = WineSession::windows_build_folder(architecture);
    const auto probe_folder = WineSession::windows_build_folder("x86_64");
    EXPECT_TRUE(folder && probe_folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no Windows tree";
    if (!folder || !probe_folder) return false;
    player_ = *folder + "/showsaver.scr";
    // The 64-bit probe: messages reach a window of either width.
    probe_ = *probe_folder + "/window_probe.exe";
    for (const std::string& program : {player_, probe_}) {
      EXPECT_TRUE(std::filesystem::exists(program)) << program << ": make windows";
      if (!std::filesystem::exists(program)) return false;
    }
    wine_ = WineSession::get();
    if (wine_ == nullptr) return false;
    folder_ = wine_->work_folder() + "/fault-" + architecture;
    std::filesystem::create_directories(folder_);
    std::filesystem::remove_all(temp_folder());
    return true;
  }

  std::string install(const ShowPackage& package) {
    return install_windows_show(player_, folder_ + "/show.scr", package);
  }

  std::string temp_folder() const { return wine_->windows_folder() + "/temp1"; }

  WineRun probe(const std::vector<std::string>& args) {
    return wine_->run(probe_, args, seconds(120));
  }

  std::string player_;
  std::string probe_;
  std::string folder_;
  WineSession* wine_ = nullptr;
};

struct FaultCase {
  const char* architecture;
  const char* command;  // the probe's
  const char* reports;  // what the probe prints, in order
};

class WineFaultCaseTest : public WineFaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(WineFaultCaseTest, TheTeardownRunsAndLeavesNothingBehind) {
  ASSERT_TRUE(set_up(GetParam().architecture));
  const std::string show =
      install(PackageBuilder(160, 120)
                  .scene("first.bmp", bmp_file(solid_image(160, 120, 0x2060A0)))
                  .display_time(60'000)
                  .scene("second.bmp", bmp_file(solid_image(80, 60, 0x802020)))
                  .display_time(60'000)
                  .build());
  const WineProcess player = wine_->start(show, {"/s"});
  const WineRun acted = probe({GetParam().command});
  ASSERT_EQ(acted.status, 0) << acted.output;
  EXPECT_TRUE(std::regex_search(acted.output, std::regex(GetParam().reports))) << acted.output;
  // The probe has seen the process end (the exit status Wine's launcher
  // passes on is not the process's for a 32-bit one).
  const WineRun ended = wine_->wait(player, seconds(60));
  ASSERT_TRUE(ended.status.has_value()) << ended.output;
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));
  const WineRun notice = probe({"notice"});
  EXPECT_NE(notice.output.find("notice 1 0"), std::string::npos) << notice.output;
}

// "notice 1 1": the notice was on while the show ran; "ended 1 0": the
// process ended by itself with status 0.
constexpr const char* kClose = "notice 1 1\\s+posted 1\\s+ended 1 0";
// "running 1": the process still ran when it had answered WM_ENDSESSION, and
// was then ended from outside with status 99, so only what it did while
// answering counts.  Its own teardown, which starts once it has answered,
// may win that race and end it with 0 first (then it cannot be ended): also
// a pass, where a player that did nothing on WM_ENDSESSION would have played
// on until ended from outside, and left its files and the notice.
constexpr const char* kEndSession =
    "notice 1 1\\s+query 1 1\\s+endsession 1 running 1 terminated (1 exit 99|0 exit 0)";

INSTANTIATE_TEST_SUITE_P(Messages, WineFaultCaseTest,
                         ::testing::Values(FaultCase{"x86_64", "close", kClose},
                                           FaultCase{"i686", "close", kClose},
                                           FaultCase{"x86_64", "endsession", kEndSession},
                                           FaultCase{"i686", "endsession", kEndSession}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.command) + "_" +
                                  param_info.param.architecture;
                         });

struct Sample {
  long milliseconds = 0;
  long gdi_objects = 0;  // from the GDI handle table
  long windows = 0;
  long long pagefile = 0;  // private bytes
  long long working_set = 0;
};

std::vector<Sample> parse_samples(const std::string& output) {
  std::vector<Sample> samples;
  const std::regex line(
      "sample (\\d+) gdi \\d+ error \\d+ user \\d+ table_gdi (-?\\d+) windows (\\d+) memory 1 "
      "private \\d+ pagefile (\\d+) working (\\d+)");
  for (auto match = std::sregex_iterator(output.begin(), output.end(), line);
       match != std::sregex_iterator(); ++match) {
    samples.push_back({std::stol((*match)[1]), std::stol((*match)[2]), std::stol((*match)[3]),
                       std::stoll((*match)[4]), std::stoll((*match)[5])});
  }
  return samples;
}

// The largest of each figure over the samples from `from` to `to` ms.
Sample peak(const std::vector<Sample>& samples, long from, long to) {
  Sample most;
  for (const Sample& sample : samples) {
    if (sample.milliseconds < from || sample.milliseconds >= to) continue;
    most.gdi_objects = std::max(most.gdi_objects, sample.gdi_objects);
    most.windows = std::max(most.windows, sample.windows);
    most.pagefile = std::max(most.pagefile, sample.pagefile);
    most.working_set = std::max(most.working_set, sample.working_set);
  }
  return most;
}

constexpr long kSoakSamples = 36;  // one a second
constexpr long kWarmUp = 15'000;   // well past the start

TEST_F(WineFaultTest, ASoakThroughEveryTransitionKeepsObjectsAndMemoryFlat) {
  ASSERT_TRUE(set_up("x86_64"));
  PackageBuilder builder(160, 120);
  for (int code = 0; code < 30; ++code) {
    const bool sprite = code % 3 == 0;
    builder
        .scene("p" + std::to_string(code) + ".bmp",
               bmp_file(solid_image(sprite ? 40 : 160, sprite ? 30 : 120,
                                    0x102030u * static_cast<unsigned>(code + 1))))
        .display_time(code % 4)
        .effect(code);
    if (sprite) builder.at(code, 20).over_previous().transparent();
  }
  const WineProcess player = wine_->start(install(builder.build()), {"/s"});
  const WineProcess sampler = wine_->start(probe_, {"sample", "1000"});
  // The sampler's lines come one a second: wait for enough of them.
  const auto deadline = std::chrono::steady_clock::now() + seconds(kSoakSamples * 3);
  while (parse_samples(read_output(sampler.output_path)).size() < kSoakSamples &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(milliseconds(500));
  }
  const WineRun closed = probe({"close"});
  EXPECT_NE(closed.output.find("ended 1 0"), std::string::npos) << closed.output;
  wine_->wait(player, seconds(60));
  const std::vector<Sample> samples = parse_samples(wine_->wait(sampler, seconds(60)).output);
  ASSERT_GE(samples.size(), static_cast<std::size_t>(kSoakSamples));
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));

  const long last = samples.back().milliseconds;
  const Sample start = peak(samples, kWarmUp, kWarmUp + 10'000);
  const Sample end = peak(samples, last - 10'000, last + 1);
  std::cout << "Wine soak over " << last << " ms, " << samples.size()
            << " samples; peak in 10 s after the warm-up -> in the last 10 s: GDI objects "
            << start.gdi_objects << " -> " << end.gdi_objects << ", windows " << start.windows
            << " -> " << end.windows << ", private bytes " << start.pagefile << " -> "
            << end.pagefile << ", working set " << start.working_set << " -> " << end.working_set
            << std::endl;
  ASSERT_GT(start.gdi_objects, 0) << "the GDI handle table could not be read";
  EXPECT_LE(end.gdi_objects, start.gdi_objects);
  EXPECT_LE(end.windows, start.windows);
  // A leaked 160 x 120 picture a transition would add some 1.7 MB a round.
  EXPECT_LE(end.pagefile, start.pagefile + 256 * 1024);
}

}  // namespace
}  // namespace showsaver::test
