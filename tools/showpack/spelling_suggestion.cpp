#include "spelling_suggestion.h"

#include <algorithm>
#include <vector>

namespace showsaver::showpack {
namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t spelling_distance(std::string_view a, std::string_view b) {
  // Optimal string alignment: three rows of the edit-distance table.
  const std::size_t width = b.size() + 1;
  std::vector<std::size_t> before(width), previous(width), current(width);
  for (std::size_t j = 0; j < width; ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j < width; ++j) {
      const bool same = lower(a[i - 1]) == lower(b[j - 1]);
      current[j] =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
          lower(a[i - 2]) == lower(b[j - 1])) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
    }
    before.swap(previous);
    previous.swap(current);
  }
  return previous[b.size()];
}

std::optional<std::string> closest_spelling(std::string_view word,
                                            std::span<const std::string_view> allowed) {
  const std::size_t most = std::max<std::size_t>(1, word.size() / 3);
  std::optional<std::string> best;
  std::size_t best_distance = most + 1;
  for (const std::string_view candidate : allowed) {
    const std::size_t distance = spelling_distance(word, candidate);
    if (distance < best_distance) {
      best_distance = distance;
      best = std::string(candidate);
    }
  }
  return best;
}

std::string word_list(std::span<const std::string_view> words) {
  std::string text;
  for (const std::string_view word : words) {
    if (!text.empty()) text += ", ";
    text += word;
  }
  return text;
}

}  // namespace showsaver::showpack
