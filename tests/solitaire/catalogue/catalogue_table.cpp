#include "catalogue_table.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"

#include <map>
#include <sstream>

namespace solitaire::catalogue {

namespace {

constexpr int kScorePosition = 122, kScoreWidth = 6;
constexpr int kScoringPosition = 120;
constexpr int kUnscoredKind = 9;

// Lines per undo step in each of the four lists, in snapshot order.
constexpr std::array<int, kPileListCount> kStepLines = {kStockGroupPiles, kFoundationPiles,
                                                        kTableauPiles, kReservePiles};

std::array<StringList*, kPileListCount> pileLists() {
    return {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles, &sharedObjects.FilaPiles,
            &sharedObjects.AppoggPiles};
}

// In the selection and pairing games the first foundation holds the cards chosen so far,
// which still lie on their piles.
bool firstFoundationIsSelection() {
    const int kind = gameWord(kGameKindWord);
    return gameWord(kSelectionTargetWord) != 0 || kind == 3 || kind == 4;
}

int cardsIn(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}

} // namespace

std::vector<CatalogueGame> readCatalogue(const std::string& gamesFile) {
    StringList list;
    fnSectionLines(list, fnReadGamesFile(gamesFile), kGameListHeader);
    std::vector<CatalogueGame> games;
    for (const std::string& stored : list) {
        const std::string line = fnScrambleText(stored);
        if (line.size() < 11 || line[7] != '0')
            continue; // not offered
        games.push_back({fnStrToInt(fnTrimLeft(line.substr(4, 3))), fnTrimRight(line.substr(10))});
    }
    return games;
}

std::string cardCensusFault() {
    const int inPlay = gameWord(kCardsInPlayWord);
    std::map<int, int> seen;
    const auto lists = pileLists();
    for (std::size_t l = 0; l < lists.size(); ++l)
        for (std::size_t line = 0; line < lists[l]->size(); ++line) {
            if (l == kDestList && line == 0 && firstFoundationIsSelection())
                continue;
            const std::string& pile = (*lists[l])[line];
            for (std::size_t at = 0; at + 3 <= pile.size(); at += 3)
                if (const int code = CodeAt(pile, at); code != 0)
                    ++seen[code];
        }
    std::ostringstream fault;
    for (int card = 1; card <= inPlay; ++card)
        if (const int times = seen.contains(card) ? seen[card] : 0; times != 1)
            fault << "card " << card << " lies " << times << " times; ";
    for (const auto& [code, times] : seen)
        if (code < 1 || code > inPlay)
            fault << "code " << code << " is no card in play; ";
    return fault.str();
}

std::optional<int> scoreOfTable() {
    if (gameWord(kGameKindWord) == kUnscoredKind || fnReadSettingsField(kScoringPosition, 2) != "01")
        return std::nullopt;
    int score = 5 * gameWord(kScoreBaseWord) - gameWord(kCardsInPlayWord) +
                5 * cardsIn(sharedObjects.MazzoPiles[kDiscardLine]);
    for (int f = 0; f < fnFoundationCount(); ++f)
        score += 5 * cardsIn(sharedObjects.DestPiles[static_cast<std::size_t>(f)]);
    return score;
}

int shownScore() {
    return fnStrToInt(fnTrimLeft(fnTrimRight(fnReadSettingsField(kScorePosition, kScoreWidth))));
}

StringList recordedTable() {
    StringList table;
    fnSnapshotPiles(table);
    if (firstFoundationIsSelection())
        table[kStockGroupPiles].clear();
    return table;
}

int undoStepCount() {
    return static_cast<int>(sharedObjects.UndoStack[0].size()) / kStockGroupPiles;
}

StringList undoStep(int step) {
    StringList table;
    for (std::size_t l = 0; l < kPileListCount; ++l) {
        const StringList& list = sharedObjects.UndoStack[l];
        const auto first = static_cast<std::size_t>(step * kStepLines[l]);
        for (std::size_t i = first; i < first + static_cast<std::size_t>(kStepLines[l]); ++i)
            table.push_back(i < list.size() ? list[i] : "<missing>");
    }
    return table;
}

void takeBackLastStep() {
    const int last = undoStepCount() - 1;
    if (last < 0)
        return;
    const StringList table = undoStep(last);
    const auto lists = pileLists();
    std::size_t line = 0;
    for (std::size_t l = 0; l < lists.size(); ++l)
        for (int i = 0; i < kStepLines[l]; ++i, ++line) {
            std::string pile;
            const std::string& entry = table[line];
            for (std::size_t at = 0; at + 4 <= entry.size(); at += 4) {
                pile += entry.substr(at, 3);
                if (const int card = CodeAt(entry, at); card > 0)
                    SetCardFaceFlag(card, entry[at + 3]);
            }
            // The selection of the selection games is not recorded: it is given up.
            (*lists[l])[static_cast<std::size_t>(i)] = pile;
        }
    for (std::size_t l = 0; l < kPileListCount; ++l) {
        StringList& list = sharedObjects.UndoStack[l];
        list.resize(list.size() - static_cast<std::size_t>(kStepLines[l]));
    }
    DropLastListItem(sharedObjects.MovedCardsLog);
}

EngineState captureEngineState() {
    EngineState state;
    const auto lists = pileLists();
    for (std::size_t l = 0; l < lists.size(); ++l)
        state.piles[l] = *lists[l];
    for (const std::string& line : sharedObjects.CardTable)
        state.faces += line.back();
    state.movedCardsLog = sharedObjects.MovedCardsLog;
    state.definition = gameDefinition;
    state.scalars = engineScalars;
    state.stockDeals = StockDealCount;
    state.score = fnReadSettingsField(kScorePosition, kScoreWidth);
    state.running = mainWindow.GameRunning;
    state.won = mainWindow.GameWon;
    state.finished = mainWindow.GameFinished;
    return state;
}

void restoreEngineState(const EngineState& state) {
    const auto lists = pileLists();
    for (std::size_t l = 0; l < lists.size(); ++l)
        *lists[l] = state.piles[l];
    for (std::size_t card = 0; card < state.faces.size(); ++card)
        sharedObjects.CardTable[card].back() = state.faces[card];
    sharedObjects.MovedCardsLog = state.movedCardsLog;
    for (StringList& list : sharedObjects.UndoStack)
        list.clear();
    gameDefinition = state.definition;
    engineScalars = state.scalars;
    StockDealCount = state.stockDeals;
    fnWriteSettingsField(kScorePosition, kScoreWidth, state.score);
    mainWindow.GameRunning = state.running;
    mainWindow.GameWon = state.won;
    mainWindow.GameFinished = state.finished;
}

} // namespace solitaire::catalogue
