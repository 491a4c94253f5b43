#pragma once
// A press on the table: lifting a card or a run to drag it, turning a face-down card,
// peeking at a covered card, the stock's turn, redeal and deals, and choosing cards in the
// selection games. The drag ends in fnTableMouseUp.

namespace solitaire {

enum class MouseButton { Left, Right };

void fnTableMouseDown(MouseButton button, bool shift, int x, int y);

// Whether a press on the face-up top card sends it to the discard pile, in the games whose
// tableau cards play there; false in every other game.
bool fnFitsDiscardPile(int card);

} // namespace solitaire
