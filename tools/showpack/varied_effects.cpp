#include "varied_effects.h"

#include <algorithm>
#include <random>

#include "effects/effect_catalogue.h"

namespace showsaver::showpack {

std::vector<std::int32_t> varied_effects(std::size_t count) {
  std::mt19937 random(20240611u);  // fixed: the same folder gives the same show
  std::vector<std::int32_t> effects;
  while (effects.size() < count) {
    std::vector<std::int32_t> round;
    for (std::int32_t code = 1; code <= kLastEffect; ++code) round.push_back(code);
    for (std::size_t i = round.size() - 1; i > 0; --i) {
      std::swap(round[i], round[random() % (i + 1)]);
    }
    if (!effects.empty() && round.front() == effects.back()) std::swap(round.front(), round.back());
    effects.insert(effects.end(), round.begin(), round.end());
  }
  effects.resize(count);
  // The show loops: the last transition is followed by the first.  A swap
  // inside the last run mends that without losing an effect of the run.
  const auto repeats = [&] {
    for (std::size_t i = 0; i < count; ++i) {
      if (effects[i] == effects[(i + 1) % count]) return true;
    }
    return false;
  };
  if (count > 2 && effects.back() == effects.front()) {
    const std::size_t run_start = (count - 1) / std::size_t(kLastEffect) * kLastEffect;
    for (std::size_t j = count - 1; j-- > std::max<std::size_t>(run_start, 1);) {
      std::swap(effects[j], effects.back());
      if (!repeats()) break;
      std::swap(effects[j], effects.back());
    }
    // A last run of one: any other effect will do there.
    for (std::int32_t code = 1; repeats() && code <= kLastEffect; ++code) {
      if (code != effects.front() && code != effects[count - 2]) effects.back() = code;
    }
  }
  return effects;
}

}  // namespace showsaver::showpack
