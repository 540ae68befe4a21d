// A long run of the player: a show of every effect, with sprites, music and
// sounds, on the scripted platform in virtual time (tests/support's
// every_effect_show).  At each tenth of the run it prints the resident
// memory, the live drawing objects and the time a transition took, each
// beside the first tenth's from the same run: flat memory and objects, and
// no transition slower than at the start.
//
// Usage: showsaver_soak_bench [TRANSITIONS]   (100000 unless given)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "support/every_effect_show.h"

namespace {

using Clock = std::chrono::steady_clock;

std::size_t resident_kib() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  std::size_t resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) / 1024;
}

struct Sample {
  int finished;
  std::size_t resident_kib;
  std::size_t live_objects;
  double seconds;  // since the sample before
};

}  // namespace

int main(int argc, char** argv) {
  const int transitions = argc > 1 ? std::atoi(argv[1]) : 100'000;
  constexpr int kSamples = 10;
  if (transitions < kSamples) {
    std::fprintf(stderr, "usage: %s [TRANSITIONS, at least %d]\n", argv[0], kSamples);
    return 2;
  }
  std::vector<Sample> samples;
  Clock::time_point last = Clock::now();
  const auto run = showsaver::test::play_every_effect_show(
      transitions, transitions / kSamples,
      [&](int finished, showsaver::ScriptedPlatform& scripted) {
        const Clock::time_point now = Clock::now();
        samples.push_back({finished, resident_kib(), scripted.gdi.live_object_count(),
                           std::chrono::duration<double>(now - last).count()});
        last = now;
      });
  std::printf(
      "Soak: %d transitions of every effect with sprites, music and sounds, "
      "in virtual time; %d shown, %d effects never played, %zu message boxes, "
      "extraction %s\n",
      transitions, run.transitions, run.effects_missed, run.message_boxes,
      run.extraction_left_behind ? "LEFT BEHIND" : "removed");
  if (samples.empty()) return 1;
  const Sample& first = samples.front();
  const int per_sample = transitions / kSamples;
  std::printf("  %12s  %14s  %18s  %14s  %s\n", "transitions", "resident", "vs first tenth",
              "live objects", "time a transition (the first tenth's includes the start)");
  for (const Sample& s : samples) {
    std::printf("  %12d  %10zu KiB  %+14lld KiB  %8zu (%+3lld)  %11.2f us (%.2fx)\n", s.finished,
                s.resident_kib,
                static_cast<long long>(s.resident_kib) - static_cast<long long>(first.resident_kib),
                s.live_objects,
                static_cast<long long>(s.live_objects) - static_cast<long long>(first.live_objects),
                1e6 * s.seconds / per_sample, s.seconds / first.seconds);
  }
  return run.transitions == transitions ? 0 : 1;
}
