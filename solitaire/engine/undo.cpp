#include "solitaire/engine/undo.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <array>

namespace solitaire {

namespace {

constexpr int kUndoAvailablePosition = 138;
constexpr int kRedoAvailablePosition = 139;

// Lines per step in each of the four lists, in snapshot order.
constexpr std::array<int, kPileListCount> kStepLines = {kStockGroupPiles, kFoundationPiles,
                                                        kTableauPiles, kReservePiles};

// In selection games and the pairing games foundation 1 holds the cards selected so far,
// which is no pile to record.
bool firstFoundationIsSelection() {
    const int kind = gameWord(kGameKindWord);
    return gameWord(kSelectionTargetWord) != 0 || kind == 3 || kind == 4;
}

} // namespace

void fnPushSnapshot(HistorySide side, bool clear) {
    const bool undo = side == HistorySide::Undo;
    fnWriteSettingsField(undo ? kUndoAvailablePosition : kRedoAvailablePosition, 1, "0");
    auto& lists = undo ? sharedObjects.UndoStack : sharedObjects.RedoStack;
    if (!undo && clear) {
        for (StringList& list : lists)
            list.clear();
        return;
    }
    StringList snapshot;
    fnSnapshotPiles(snapshot);
    if (firstFoundationIsSelection())
        snapshot[kStockGroupPiles].clear();
    auto line = snapshot.begin();
    for (std::size_t l = 0; l < lists.size(); ++l) {
        lists[l].insert(lists[l].end(), line, line + kStepLines[l]);
        line += kStepLines[l];
    }
    (undo ? sharedObjects.MovedCardsLog : sharedObjects.RedoMovedCardsLog) += ",";
}

void fnDropUndoSteps(bool allowed, int steps) {
    if (!allowed) {
        fnInfoMessage("Del Lines");
        return;
    }
    // The last step goes whole, in every list: the step before it, recorded before the first
    // of the merged moves, then restores the whole table they changed together.
    for (int step = 0; step < steps; ++step) {
        for (std::size_t l = 0; l < sharedObjects.UndoStack.size(); ++l) {
            StringList& list = sharedObjects.UndoStack[l];
            const auto lines = static_cast<std::size_t>(kStepLines[l]);
            if (list.size() >= 2 * lines)
                list.erase(list.end() - static_cast<std::ptrdiff_t>(lines), list.end());
        }
        DropPreviousListItem(sharedObjects.MovedCardsLog);
    }
}

void fnEnableAutoPlay(bool enabled) {
    mainWindow.AutoPlayGlyph = enabled ? "TB_AUTOPLAY" : "TB_AUTOPLAY_DIS";
    mainWindow.AutoPlayEnabled = enabled;
    presentation().ShowWindowState();
}

void fnEnableUndoRedo(bool enabled) {
    mainWindow.UndoGlyph = enabled ? "TB_UNDO" : "TB_UNDO_DIS";
    mainWindow.RedoGlyph = enabled ? "TB_REDO" : "TB_REDO_DIS";
    mainWindow.UndoRedoEnabled = enabled;
    presentation().ShowWindowState();
}

} // namespace solitaire
