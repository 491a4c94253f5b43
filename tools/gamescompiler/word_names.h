#pragma once
// The vocabulary of the game catalogue: every word of a game definition that the program
// reads has a name here, a family of words (one per pile) a single name for the whole run.

#include <optional>
#include <span>
#include <string_view>

namespace gamescompiler {

struct WordFamily {
    std::string_view name;
    int first; // word number of the family's first member
    int count; // consecutive words in the family (1 for a single word)
};

// All named families, in word order.
std::span<const WordFamily> wordFamilies();

std::optional<WordFamily> findWordFamily(std::string_view name);

} // namespace gamescompiler
