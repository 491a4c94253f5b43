#pragma once
// The current game's parameters: words 0..345, read by number all over the engine.

#include <array>
#include <cstdint>

namespace solitaire {

inline constexpr int kGameDefinitionWords = 346;
using GameDefinition = std::array<std::int16_t, kGameDefinitionWords>;

extern GameDefinition gameDefinition;

// Word numbers the pile store needs.
inline constexpr int kTableauCountWord = 262;
inline constexpr int kReserveCountWord = 263;

} // namespace solitaire
