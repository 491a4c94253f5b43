#pragma once
// A game from its deal to its end: dealing a new game, asking whether a running game may be
// abandoned, ending it (with the winning animation) and its clock.

#include <cstdint>
#include <optional>
#include <string>

namespace solitaire {

// When the running game started and ended, in platform ticks; the main window's clock shows
// the time since the start.
struct GameClock {
    std::uint32_t StartTicks = 0;
    std::uint32_t EndTicks = 0;
};
extern GameClock gameClock;

// A new deal; full also sets the game up (or restores its base codes), resets the score and
// the clock and draws a new game number. tick 2 advances the clock before the deal. Returns
// true.
bool fnStartNewGame(bool full, bool animate, int tick, bool noDrawing);
// Whether the running game may be abandoned; asks with text (or the string table's
// quit-game question) when the preferences want it and a game runs that is not won.
bool fnConfirmQuitGame(const std::optional<std::string>& text = std::nullopt);
// Ends the running game; a won game gets the winning animation and then the game chooser.
void fnEndGame();
// A clock label: hours, then minutes and seconds of two digits each, apart by the system
// locale's time separator ("0:00:00" with a colon).
std::string fnClockText(std::uint32_t seconds);
// The clock label as seconds; 0 when it is no time.
int fnElapsedSeconds();
// Runs the main window's clock once.
void fnClockTick();
// The game list's name of a game id; ids from 8000 on leave name as it is.
void fnGameNameById(int id, std::string& name);

} // namespace solitaire
