#pragma once
// The score of the game: signed decimal text in settings field 122, shown in the main
// window's score label. It counts 5 points per unit and starts at minus the cards in play;
// it is counted only when field 120 is "01", and never in games of kind 9.

namespace solitaire {

// reset: the score becomes -(cards in play); otherwise it rises by 5 x points. The score is
// shown either way.
void AddScore(int points, bool reset);
// The score from the table: the score base, the discard pile and the foundations.
void RecomputeScore();

} // namespace solitaire
