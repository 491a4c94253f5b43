#pragma once
// The undo history: the table recorded before moves on an undo side and a redo side (four
// line lists each, per step 3 stock-group, 16 foundation, 26 tableau and 8 reserve lines,
// plus a moved-cards log with one item per step), and the commands whose availability
// follows the game.

namespace solitaire {

enum class HistorySide { Undo, Redo };

// Records the table as one step of the side. For the redo side, clear empties the side
// instead.
void fnPushSnapshot(HistorySide side, bool clear);
// Merges the last `steps` undo steps into the ones before; when !allowed only the
// information box "Del Lines".
void fnDropUndoSteps(bool allowed, int steps);

// The autoplay command (menu item and both tool buttons) and the undo and redo commands.
void fnEnableAutoPlay(bool enabled);
void fnEnableUndoRedo(bool enabled);

} // namespace solitaire
