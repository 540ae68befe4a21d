// "Did you mean ...?" for a word that is not one of the words allowed.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace showsaver::showpack {

// The number of single-letter insertions, deletions, substitutions and
// swaps of neighbours that turn `a` into `b`, letter case ignored.
std::size_t spelling_distance(std::string_view a, std::string_view b);

// The allowed word `word` is most likely a misspelling of: the nearest,
// when it is at most a third of the word's letters (at least one) away.
std::optional<std::string> closest_spelling(std::string_view word,
                                            std::span<const std::string_view> allowed);

// "a, b, c" for listing the allowed words.
std::string word_list(std::span<const std::string_view> words);

}  // namespace showsaver::showpack
