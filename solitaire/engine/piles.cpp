#include "solitaire/engine/piles.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>
#include <array>

namespace solitaire {

namespace {

constexpr std::array<std::string_view, 4> kSuitWords = {"CUORI", "QUADR", "FIORI", "PICCH"};
constexpr std::array<std::string_view, 13> kRankNames = {"A",  "02", "03", "04", "05", "06", "07",
                                                         "08", "09", "10", "J",  "Q",  "K"};

std::string* lineOf(StringList& list, int line) {
    return line >= 0 && static_cast<std::size_t>(line) < list.size()
               ? &list[static_cast<std::size_t>(line)]
               : nullptr;
}

std::string codeText(int card) {
    return fnIntZeroPad(card, 3);
}

// A code that is no card and no empty slot would make the pile unreadable: it is refused.
bool appendCode(std::string* pile, int card) {
    if (!pile || card < 0 || card > kCardCount)
        return false;
    *pile += codeText(card);
    return true;
}

// Offset of the first 3-digit code equal to card, read while at least two characters are
// left (a 2-character fragment at the end is read as written).
std::optional<std::size_t> findCode(const std::string& pile, int card) {
    for (std::size_t offset = 0; offset + 1 < pile.size(); offset += 3) {
        if (CodeAt(pile, offset) == card)
            return offset;
    }
    return std::nullopt;
}

std::string lastCode(const std::string& pile) {
    return pile.size() < 3 ? std::string() : pile.substr(pile.size() - 3);
}

template <typename Visit> void forEachCode(std::string_view pile, Visit visit) {
    for (std::size_t offset = 0; offset + 3 <= pile.size(); offset += 3)
        visit(CodeAt(pile, offset));
}

int pileNumber(std::string_view digits, int highest) {
    const auto number = fnTryStrToInt(digits);
    return number && *number >= 1 && *number <= highest ? *number : 0;
}

// In the order of backups, undo sides and snapshots.
constexpr std::array<int, kPileListCount> kPileListLines = {kStockGroupPiles, kFoundationPiles,
                                                            kTableauPiles, kReservePiles};

std::array<StringList*, kPileListCount> pileLists() {
    return {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles, &sharedObjects.FilaPiles,
            &sharedObjects.AppoggPiles};
}

} // namespace

std::string CardTableLine(int card) {
    if (card < 1 || card > kCardCount)
        return {};
    const int suit = CardSuit(card);
    const int rank = CardRank(card);
    std::string name = std::string(kSuitWords[static_cast<std::size_t>(suit)]) + "_" +
                       std::string(kRankNames[static_cast<std::size_t>(rank - 1)]);
    return fnPadRight(name, 15) + std::to_string(suit + 1) + codeText(card) + kFaceUp;
}

void fnFillCardTableAndPiles() {
    for (int card = 1; card <= kCardCount; ++card)
        sharedObjects.CardTable.push_back(CardTableLine(card));
    const auto lists = pileLists();
    for (std::size_t l = 0; l < lists.size(); ++l)
        lists[l]->resize(lists[l]->size() + static_cast<std::size_t>(kPileListLines[l]));
}

int fnTableauCount() {
    return std::clamp<int>(gameDefinition[kTableauCountWord], 0, kTableauPiles);
}

int fnReserveCount() {
    return std::clamp<int>(gameDefinition[kReserveCountWord], 0, kReservePiles);
}

std::optional<PileLine> PileLineForName(std::string_view pileName) {
    if (pileName == "Mazzo")
        return PileLine{&sharedObjects.MazzoPiles, kStockLine};
    if (pileName == "Mazzo_Vis")
        return PileLine{&sharedObjects.MazzoPiles, kWasteLine};
    if (pileName == "Mazzo_Waste")
        return PileLine{&sharedObjects.MazzoPiles, kDiscardLine};
    int number = 0;
    StringList* list = nullptr;
    if (pileName.starts_with("Fila")) {
        number = pileNumber(pileName.substr(4, 2), kTableauPiles);
        list = &sharedObjects.FilaPiles;
    } else if (pileName.starts_with("Dest")) {
        number = pileNumber(pileName.substr(4, 2), kFoundationPiles);
        list = &sharedObjects.DestPiles;
    } else if (pileName.starts_with("Appogg")) {
        number = pileNumber(pileName.substr(6, 1), kReservePiles);
        list = &sharedObjects.AppoggPiles;
    }
    if (number == 0)
        return std::nullopt;
    return PileLine{list, number - 1};
}

void SetCardFaceFlag(int card, char flag) {
    std::string* line = lineOf(sharedObjects.CardTable, card - 1);
    if (!line || line->size() < kCardTableLineLength)
        return;
    line->resize(kCardTableLineLength - 1);
    *line += flag;
}

void SetPileFaceFlags(std::string_view pile, int mode, char flag) {
    const int cards = static_cast<int>(pile.size() / 3);
    int index = 0;
    forEachCode(pile, [&](int card) {
        ++index;
        if (mode >= 1) {
            if (index > cards - mode)
                SetCardFaceFlag(card, flag);
        } else if (mode == -1) {
            SetCardFaceFlag(card, index % 2 == 1 ? kFaceUp : kFaceDown);
        } else if (mode == -2) {
            SetCardFaceFlag(card, index % 2 == 1 ? kFaceDown : kFaceUp);
        } else if (mode == -3) {
            SetCardFaceFlag(card, index == 1 ? kFaceUp : kFaceDown);
        }
    });
}

bool fnIsFaceDown(int card) {
    if (card < 1)
        return false;
    const std::string* line = lineOf(sharedObjects.CardTable, card - 1);
    return line && line->size() >= kCardTableLineLength &&
           (*line)[kCardTableLineLength - 1] == kFaceDown;
}

void AppendCardToPile(StringList& list, int line, int card, std::optional<char> flag) {
    if (appendCode(lineOf(list, line), card) && card != 0 && flag)
        SetCardFaceFlag(card, *flag);
}

bool AppendCardToNamedPile(std::string_view pileName, int card, std::optional<char> flag) {
    const bool takesCards = pileName.starts_with("Fila") || pileName.starts_with("Dest") ||
                            pileName.starts_with("Appogg") || pileName == "Mazzo_Vis";
    const auto target = takesCards ? PileLineForName(pileName) : std::nullopt;
    const bool appended = target && appendCode(lineOf(*target->list, target->line), card);
    if (flag)
        SetCardFaceFlag(card, *flag);
    return appended;
}

bool FindCardInPileLine(StringList& list, int line, int card, int mode) {
    std::string* pile = lineOf(list, line);
    if (!pile)
        return false;
    const auto found = findCode(*pile, card);
    if (!found)
        return false;
    const std::size_t at = *found;
    switch (mode) {
    case kDeleteCode:
        pile->erase(at, 3);
        break;
    case kBlankCode:
        pile->replace(at, 3, "000");
        break;
    case kDeleteCodeAndSlot: {
        pile->erase(at, 3);
        // The empty slot before the card, or after it when the card was the first.
        const std::size_t slot = at >= 3 ? at - 3 : 0;
        if (pile->compare(slot, 3, "000") == 0)
            pile->erase(slot, 3);
        break;
    }
    default:
        break;
    }
    return true;
}

int TakeCardFromPiles(int card, int mode) {
    SharedObjects& s = sharedObjects;
    if (FindCardInPileLine(s.MazzoPiles, kWasteLine, card, mode))
        return kWasteKind;
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (FindCardInPileLine(s.FilaPiles, i, card, mode))
            return kTableauKind;
    }
    for (int i = 0; i < kFoundationPiles; ++i) {
        if (FindCardInPileLine(s.DestPiles, i, card, mode))
            return kFoundationKind;
    }
    if (FindCardInPileLine(s.MazzoPiles, kStockLine, card, mode))
        return kStockKind;
    if (FindCardInPileLine(s.MazzoPiles, kDiscardLine, card, mode))
        return kDiscardKind;
    for (int i = 0; i < kReservePiles; ++i) {
        if (FindCardInPileLine(s.AppoggPiles, i, card, mode))
            return kReserveKind;
    }
    return kNoPileKind;
}

int fnRemoveCardFromPiles(int card) {
    return TakeCardFromPiles(card, kDeleteCode);
}

int fnBlankCardInPiles(int card) {
    return TakeCardFromPiles(card, kBlankCode);
}

int fnLocateCard(int card) {
    SharedObjects& s = sharedObjects;
    if (FindCardInPileLine(s.MazzoPiles, kStockLine, card, kFindOnly))
        return kStockLocation;
    if (FindCardInPileLine(s.MazzoPiles, kWasteLine, card, kFindOnly))
        return kWasteLocation;
    for (int i = 0; i < kFoundationPiles; ++i) {
        if (FindCardInPileLine(s.DestPiles, i, card, kFindOnly))
            return -(i + 1);
    }
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (FindCardInPileLine(s.FilaPiles, i, card, kFindOnly))
            return i + 1;
    }
    for (int i = 0; i < fnReserveCount(); ++i) {
        if (FindCardInPileLine(s.AppoggPiles, i, card, kFindOnly))
            return kReserveLocationBase - (i + 1);
    }
    return 0;
}

bool IsTopCardOfPile(int card) {
    const std::string code = codeText(card);
    const auto topOfAny = [&](StringList& list, int count) {
        for (int i = 0; i < count; ++i) {
            const std::string* pile = lineOf(list, i);
            if (pile && !pile->empty() && lastCode(*pile) == code)
                return true;
        }
        return false;
    };
    return topOfAny(sharedObjects.FilaPiles, fnTableauCount()) ||
           topOfAny(sharedObjects.AppoggPiles, fnReserveCount());
}

bool ExtractRunFromLine(StringList& list, int line, int card, bool cut, StringList& out) {
    StringList run;
    std::string* pile = lineOf(list, line);
    const auto found = pile ? findCode(*pile, card) : std::nullopt;
    if (found) {
        if (cut) {
            pile->erase(*found);
        } else {
            for (std::size_t offset = *found; offset < pile->size(); offset += 3)
                run.push_back(pile->substr(offset, 3));
        }
    }
    out = std::move(run);
    return found.has_value();
}

bool ExtractRunFromPiles(StringList& out, int card, bool cut) {
    out.clear();
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (ExtractRunFromLine(sharedObjects.FilaPiles, i, card, cut, out))
            return true;
    }
    for (int i = 0; i < fnReserveCount(); ++i) {
        if (ExtractRunFromLine(sharedObjects.AppoggPiles, i, card, cut, out))
            return true;
    }
    return false;
}

bool fnListRunFromCard(StringList& out, int card) {
    return ExtractRunFromPiles(out, card, false);
}

bool fnCutRunFromPiles(int card) {
    StringList scratch;
    return ExtractRunFromPiles(scratch, card, true);
}

void BackupPiles() {
    const auto lists = pileLists();
    for (std::size_t i = 0; i < lists.size(); ++i)
        sharedObjects.PileBackups[i] = *lists[i];
}

void RestorePiles() {
    const auto lists = pileLists();
    for (std::size_t i = 0; i < lists.size(); ++i)
        *lists[i] = sharedObjects.PileBackups[i];
}

void LiftCard(int card, bool single) {
    BackupPiles();
    presentation().fnRedrawSourcePile(card, single);
    RestorePiles();
}

void fnClearGameState(bool repaint, bool clearPiles) {
    SharedObjects& s = sharedObjects;
    if (clearPiles) {
        mainWindow.TableReady = false;
        for (StringList* list : pileLists())
            std::fill(list->begin(), list->end(), std::string());
        for (StringList& list : s.UndoStack)
            list.clear();
        s.MovedCardsLog.clear();
    }
    for (StringList& list : s.RedoStack)
        list.clear();
    s.RedoMovedCardsLog.clear();
    mainWindow.GameRunning = false;
    if (repaint) {
        presentation().fnPaintConfiguredBackground(Surface::BackBuffer);
        presentation().fnFlipBackBuffer();
    }
}

void fnSnapshotPiles(StringList& out) {
    out.clear();
    const auto lists = pileLists();
    for (std::size_t l = 0; l < lists.size(); ++l) {
        for (int i = 0; i < kPileListLines[l]; ++i) {
            std::string entry;
            if (const std::string* pile = lineOf(*lists[l], i)) {
                forEachCode(*pile, [&](int card) {
                    if (card < 1) {
                        entry += "0000";
                        return;
                    }
                    const std::string* cardLine = lineOf(sharedObjects.CardTable, card - 1);
                    const char face = cardLine && cardLine->size() >= kCardTableLineLength
                                          ? (*cardLine)[kCardTableLineLength - 1]
                                          : kFaceUp;
                    entry += codeText(card) + face;
                });
            }
            out.push_back(entry);
        }
    }
}

int fnLongestTableauPile() {
    int longest = 0;
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (const std::string* pile = lineOf(sharedObjects.FilaPiles, i))
            longest = std::max(longest, static_cast<int>(pile->size() / 3));
    }
    return longest;
}

} // namespace solitaire
