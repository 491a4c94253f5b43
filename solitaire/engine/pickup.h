#pragma once
// A press on the table: lifting a card or a run to drag it, turning a face-down card,
// peeking at a covered card, the stock's turn, redeal and deals, and choosing cards in the
// selection games. The drag ends in fnTableMouseUp.

namespace solitaire {

enum class MouseButton { Left, Right };

void fnTableMouseDown(MouseButton button, bool shift, int x, int y);

} // namespace solitaire
