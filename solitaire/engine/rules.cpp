#include "solitaire/engine/rules.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace solitaire {

namespace {

// Game words read here.
constexpr int kGroupSequenceWord = 2;
constexpr int kGroupSizeWord = 11;
constexpr int kFoundationCapacityWord = 25;
constexpr int kFoundationBaseWord = 36;
constexpr int kFoundationDirectionWord = 52;
constexpr int kFoundationRuleWord = 68;
constexpr int kTableauBaseWord = 100;
constexpr int kTableauDirectionWord = 126;
constexpr int kTableauRuleWord = 152;
constexpr int kTableauOnBaseWord = 178;
constexpr int kReserveRuleWord = 230;
constexpr int kFoundationCountWord = 261;

constexpr int kAce = 1;
constexpr int kJack = 11;
constexpr int kQueen = 12;
constexpr int kKing = 13;

int word(int number) {
    return number >= 0 && number < kGameDefinitionWords
               ? gameDefinition[static_cast<std::size_t>(number)]
               : 0;
}

// An empty pile's top (-1, or 0 at the deal) has a rank below 1, suit hearts and is red.
int rankOf(int card) {
    return card < 1 ? -1 : CardRank(card);
}
int suitOf(int card) {
    return card < 1 ? 0 : CardSuit(card);
}

int foundationCount() {
    return std::clamp<int>(word(kFoundationCountWord), 0, kFoundationPiles);
}

// The pile `index` of a list when the game has it; nullptr otherwise, so that a rule never
// reads a pile outside its group.
const std::string* pileOf(const StringList& list, int index, int count) {
    return index >= 0 && index < count && static_cast<std::size_t>(index) < list.size()
               ? &list[static_cast<std::size_t>(index)]
               : nullptr;
}
const std::string* foundation(int index) {
    return pileOf(sharedObjects.DestPiles, index, foundationCount());
}
const std::string* tableau(int index) {
    return pileOf(sharedObjects.FilaPiles, index, fnTableauCount());
}
const std::string* reserve(int index) {
    return pileOf(sharedObjects.AppoggPiles, index, fnReserveCount());
}

int cardsIn(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}
int topOf(const std::string& pile) {
    return pile.size() < 3 ? kEmptyPileTop : CodeAt(pile, pile.size() - 3);
}
int bottomOf(const std::string& pile) {
    return pile.size() < 3 ? kEmptyPileTop : CodeAt(pile, 0);
}

int stockCards() {
    return cardsIn(sharedObjects.MazzoPiles.at(kStockLine));
}
const std::string& waste() {
    return sharedObjects.MazzoPiles.at(kWasteLine);
}

bool singleCardDragged() {
    return mainWindow.DragHeight == mainWindow.CardHeight;
}

bool isNeighbourRank(int a, int b) {
    return std::abs(a - b) == 1;
}

// Where the moving card comes from.
struct Origin {
    int location;
    bool tableau() const { return location >= 1 && location <= kTableauPiles; }
    bool foundation() const { return location <= -1 && location >= -kFoundationPiles; }
    bool reserve() const {
        return location <= kReserveLocationBase - 1 &&
               location >= kReserveLocationBase - kReservePiles;
    }
    bool stockOrWaste() const { return location == kStockLocation || location == kWasteLocation; }
};

// What an empty pile takes by its base code when the rule has no test of its own.
bool emptyPileTakes(int moving, int baseCode, int startRank) {
    if (startRank == -1)
        return true;
    const int rank = rankOf(moving);
    switch (baseCode) {
    case 81:
    case 84:
    case 85:
        return CheckFoundationBases(baseCode, moving);
    case 86:
        return singleCardDragged();
    case 87:
        return Origin{fnLocateCard(moving)}.stockOrWaste();
    case 92:
        for (int i = 0; i < foundationCount(); ++i) {
            const std::string& pile = sharedObjects.DestPiles[static_cast<std::size_t>(i)];
            if (!pile.empty() && rankOf(bottomOf(pile)) != rank)
                return false;
        }
        return true;
    case -1:
        return true;
    default:
        return baseCode >= kAce && baseCode <= kKing && rank == baseCode;
    }
}

// The rules without a test of their own: the base code on an empty pile, else the suit or
// colour condition of the rule code and one rank in the pile's direction.
bool generalPath(int under, int moving, int baseCode, bool mayBuildOnBase, bool isFoundation,
                 int ruleCode, int direction, int startRank) {
    const int rU = rankOf(under);
    const int rM = rankOf(moving);
    if (rU < 1)
        return emptyPileTakes(moving, baseCode, startRank);
    switch (ruleCode) {
    case 0:
    case 11:
        if (suitOf(under) != suitOf(moving))
            return false;
        break;
    case 1:
        if (IsRedCard(under) != IsRedCard(moving))
            return false;
        break;
    case 3:
        if (IsRedCard(under) == IsRedCard(moving))
            return false;
        break;
    case 6:
        return false; // builds only on empty piles
    default:
        break;
    }
    if (direction == kBuildUp || direction == kBuildEither) {
        if (isFoundation) {
            if (rU == kKing)
                return rM == kAce && baseCode != kAce;
            if (rM == rU + 1)
                return true;
        } else {
            if (rU == startRank && !mayBuildOnBase)
                return false;
            if (rU == kKing && rM == kAce)
                return true;
            if (rM == rU + 1)
                return true;
        }
    }
    if (direction == kBuildDown || direction == kBuildEither) {
        if (isFoundation) {
            if (rU == kAce)
                return rM == kKing && baseCode != kKing;
            return rU == rM + 1;
        }
        const bool aceIsBase = rU == kAce && startRank >= 81 && startRank <= 83;
        if ((rU == startRank || aceIsBase) && !mayBuildOnBase)
            return false;
        if (rU == kAce)
            return rM == kKing;
        return rU == rM + 1;
    }
    return false;
}

} // namespace

bool CanBuildOn(int under, int moving, int baseCode, bool isDrop, int pileIndex,
                bool mayBuildOnBase, bool isFoundation, int ruleCode, int direction,
                int startRank) {
    if (under == moving)
        return false;
    const int rU = rankOf(under);
    const int rM = rankOf(moving);
    const int sU = suitOf(under);
    const int sM = suitOf(moving);
    const bool empty = rU < 1;
    const Origin from{fnLocateCard(moving)};
    // The pile built on, for the rules that count its cards; a pile the game does not have
    // refuses.
    const std::string* target = isFoundation ? foundation(pileIndex) : tableau(pileIndex);
    const int targetCards = target ? cardsIn(*target) : -1;
    const int wasteCards = cardsIn(waste());

    switch (ruleCode) {
    case 4:
    case 5:
        return false;
    case 7:
        if (isDrop)
            return empty && stockCards() == 0;
        break;
    case 11:
        if ((rU == kKing || rU == kJack) && rM == kQueen)
            return false;
        break;
    case 12:
        return true;
    case 14:
    case 15:
    case 16: {
        const int step = ruleCode - 12;
        return rM == rU + step || rM == (rU + step) % 13;
    }
    case 17:
        return !from.tableau();
    case 18:
        return !(from.tableau() && !empty);
    case 19:
        return !from.tableau() && !from.reserve();
    case 33:
        return !from.tableau() && target && targetCards < 2;
    case 20:
        return rM == rU + 1 || (empty && rM == kAce) || (rU == kKing && rM == kAce);
    case 21:
        if (!empty && sU == sM)
            return false;
        break;
    case 23:
        if (wasteCards > 0 || empty)
            return false;
        return sM == sU && rM == rU + 1;
    case 24:
        if ((rM == kQueen && rU == kKing) || (rM == kKing && rU == kQueen) || sU != sM)
            return false;
        break;
    case 25:
        if (empty)
            return true;
        return sM == sU && rM == (direction == kBuildUp ? rU + 2 : rU - 2);
    case 26:
        if (empty || !target || targetCards >= 3)
            return false;
        return isNeighbourRank(rM, rU);
    case 27:
        if (from.foundation() || from.reserve())
            return false;
        ruleCode = 3; // otherwise built as alternate colours
        break;
    case 28:
        if (empty)
            return true;
        return sM == sU && isNeighbourRank(rM, rU);
    case 29:
        if (empty)
            return CheckFoundationBases(baseCode, moving);
        if (sM != sU || !target)
            return false;
        if (targetCards <= 12)
            return rM == rU + 1;
        if (targetCards == 13)
            return rM == kKing;
        return rU == rM + 1;
    case 30: {
        if (empty || (rM == kAce && rU == kKing) || (rM == kKing && rU == kAce) || sU != sM ||
            !target)
            return false;
        if (targetCards >= 2) {
            // Keep the way the pile already goes.
            const int belowTop = CodeAt(*target, target->size() - 6);
            if (rU < rankOf(belowTop))
                return rU == rM + 1;
            return rM == rU + 1;
        }
        return isNeighbourRank(rM, rU);
    }
    case 31:
        return rU != kAce && sM == sU && rU == rM + 1;
    case 32:
        return rU != kKing && sM == sU && rM == rU + 1;
    case 34:
        if (!empty)
            return IsRedCard(under) != IsRedCard(moving) && rU == rM + 1;
        break;
    case 35:
        if (!empty)
            return isNeighbourRank(rM, rU) || (rM == kAce && rU == kKing) ||
                   (rM == kKing && rU == kAce);
        break;
    case 36:
        if (empty) {
            if (rM != startRank)
                return false;
            if (pileIndex == 0)
                return true;
            const std::string* before = foundation(pileIndex - 1);
            return before && !before->empty();
        }
        return rU == rM + 1 || (rM == kKing && rU == kAce);
    case 37:
        if (!empty) {
            if (rM == (2 * rU) % 13)
                return true;
            const std::string* first = foundation(0);
            return rM == kKing && first && cardsIn(*first) > 47;
        }
        break;
    case 38:
        if (wasteCards > 0)
            return false;
        if (empty)
            return rM == kKing;
        return targetCards == 1 && rU == kKing && rM != kQueen && rM != kKing;
    case 39:
        if (empty)
            return rM == kAce;
        return rM == rU + 1 && rM != kQueen && rM != kKing;
    case 40: {
        if (stockCards() + wasteCards == 1)
            return true;
        const int dealt = static_cast<int>(StockDealCount % 13);
        return rM == dealt || (dealt == 0 && rM == kKing);
    }
    case 41:
        if (empty) {
            if (rM != baseCode)
                return false;
            static constexpr int kLow[4] = {0, 1, 2, 3};
            static constexpr int kHigh[4] = {4, 5, 6, 7};
            return DistinctSuitsOfFive(pileIndex > 3 ? kHigh : kLow, moving);
        }
        return sM == sU && (rM == rU + 2 || rM == (rU + 2) % 13);
    case 42: {
        if (sM != sU || rM != rU + 1)
            return false;
        if (rM != kKing)
            return true;
        const std::string* further = foundation(pileIndex + 6);
        return further && rankOf(topOf(*further)) == kKing;
    }
    case 43:
        return sM == sU && rM == rU + 2;
    case 44:
        if (empty)
            return rM == kAce;
        return rM == rU + 1 && rM != kKing;
    case 45:
        if (wasteCards > 0)
            return false;
        if (empty)
            return rM == kKing;
        if (rM == kKing || !target)
            return false;
        return targetCards == 1 || rU == rM + 1;
    case 46:
    case 49:
    case 51: {
        if (!empty)
            return rM == rU + 1 && rM != kQueen && rM != kKing;
        if (rM != baseCode)
            return false;
        if (ruleCode == 46)
            return true;
        const std::string* beside = tableau(pileIndex);
        return beside && !beside->empty() && (ruleCode == 49 || suitOf(bottomOf(*beside)) == sM);
    }
    case 47:
    case 50:
    case 52: {
        if (!empty)
            return (rU == rM + 1 || (rM == kKing && rU == kAce)) && rM != kQueen;
        if (rM != baseCode)
            return false;
        if (ruleCode == 47)
            return true;
        // The low foundations have no pile eight places back: refused.
        const std::string* beside = tableau(pileIndex - 8);
        return beside && !beside->empty() && (ruleCode == 50 || suitOf(bottomOf(*beside)) == sM);
    }
    case 48:
        if (wasteCards > 0)
            return false;
        if (empty)
            return rM == kQueen;
        return targetCards == 1 && rU == kQueen && rM != kQueen;
    case 53:
        if (pileIndex > 0) {
            const std::string* before = foundation(pileIndex - 1);
            if (!before || cardsIn(*before) != 13)
                return false;
        }
        if (empty)
            return rM == baseCode;
        return rM == rU + 1 || (rM == kAce && rU == kKing);
    case 54:
        if (from.reserve())
            return false;
        if (empty)
            return rM == baseCode || baseCode == -1;
        return rU == rM + 1 ||
               (pileIndex >= 0 && pileIndex < kTableauPiles &&
                word(kTableauOnBaseWord + pileIndex) == 1 && rM == kKing && rU == kAce);
    case 55: {
        const bool fits = empty ? rM == baseCode || baseCode == -1
                                : rM == rU + 1 && IsRedCard(moving) == IsRedCard(under);
        if (!fits || wasteCards >= 2)
            return false;
        return wasteCards == 0 || moving == topOf(waste());
    }
    case 56:
        return !empty && rM == rU;
    default:
        break;
    }
    return generalPath(under, moving, baseCode, mayBuildOnBase, isFoundation, ruleCode, direction,
                       startRank);
}

bool CheckFoundationBases(int code, int moving) {
    const int rank = rankOf(moving);
    if (code == 81 || code == 85) {
        if (rank != kAce)
            return false;
    } else if (code == 84) {
        if (rank != kKing)
            return false;
    } else {
        return false;
    }
    std::vector<const std::string*> started;
    int sameCode = 0;
    for (int i = 0; i < foundationCount(); ++i) {
        if (word(kFoundationBaseWord + i) != code)
            continue;
        ++sameCode;
        const std::string& pile = sharedObjects.DestPiles[static_cast<std::size_t>(i)];
        if (!pile.empty())
            started.push_back(&pile);
    }
    if (started.empty())
        return true;
    // As many red as black starting cards, and for 84 and 85 each suit once.
    const int limit = sameCode / 2;
    int red = 0;
    int black = 0;
    std::array<bool, 4> suitSeen{};
    const auto count = [&](int card) {
        const int suit = CardSuit(card);
        if (suit < 0 || suit > 3) {
            fnInfoMessage("Error suit - 1");
            return false;
        }
        ++(IsRedCard(card) ? red : black);
        if (red > limit || black > limit)
            return false;
        if (code != 81 && std::exchange(suitSeen[static_cast<std::size_t>(suit)], true))
            return false;
        return true;
    };
    if (!count(moving))
        return false;
    return std::ranges::all_of(started,
                               [&](const std::string* pile) { return count(bottomOf(*pile)); });
}

bool DistinctSuitsOfFive(const int (&foundations)[4], int moving) {
    std::array<bool, 4> seen{};
    const auto fresh = [&](int card) {
        const int suit = CardSuit(card);
        return suit < 0 || !std::exchange(seen[static_cast<std::size_t>(suit)], true);
    };
    if (!fresh(moving))
        return false;
    for (const int index : foundations) {
        const std::string* pile = pileOf(sharedObjects.DestPiles, index, kFoundationPiles);
        if (pile && !pile->empty() && !fresh(topOf(*pile)))
            return false;
    }
    return true;
}

bool fnCanDropOnFoundation(int index, int card) {
    const std::string* pile = foundation(index);
    if (!pile || !singleCardDragged())
        return false;
    const int rule = word(kFoundationRuleWord + index);
    const int under = topOf(*pile);
    if (rule == 10)
        return pile->empty() && rankOf(card) == kQueen;
    if (rule == 22) {
        if (rankOf(card) == kAce)
            return true;
        for (int p = 0; p < fnTableauCount(); ++p) {
            const int top = topOf(sharedObjects.FilaPiles[static_cast<std::size_t>(p)]);
            if (top > 0 && suitOf(top) == suitOf(card) &&
                (rankOf(top) > rankOf(card) || rankOf(top) == kAce))
                return true;
        }
        return false;
    }
    const int held = cardsIn(*pile);
    if (rule != 20 && rule != 29 && held >= word(kFoundationCapacityWord))
        return false;
    const int base = word(kFoundationBaseWord + index);
    if (!CanBuildOn(under, card, base, true, index, true, true, rule,
                    word(kFoundationDirectionWord + index), base))
        return false;
    return rule != 20 || held < 52;
}

bool fnCanDropOnTableau(int index, int card) {
    const std::string* pile = tableau(index);
    if (!pile)
        return false;
    const int under = topOf(*pile);
    if (fnIsFaceDown(under))
        return false;
    const int rule = word(kTableauRuleWord + index);
    bool accepted = CanBuildOn(under, card, word(kTableauBaseWord + index), true, index,
                               word(kTableauOnBaseWord + index) > 0, false, rule,
                               word(kTableauDirectionWord + index), word(kFoundationBaseWord));
    if (rule == 34 && !pile->empty() && !singleCardDragged())
        accepted = false;
    // A group going to an empty pile must fit the empty-pile formula as well as the base code.
    if (word(kGroupSizeWord) == -5 && !singleCardDragged() && pile->empty())
        accepted = accepted && fnCheckGroupSize(card, true);
    // A group is never dropped back on the pile it came from.
    if (under == engineScalars.DraggedGroupTop)
        return false;
    return accepted;
}

bool fnCanDropOnReserve(int index, int card) {
    const std::string* pile = reserve(index);
    if (!pile)
        return false;
    const int rule = word(kReserveRuleWord + index);
    // Rules 8 and 13 count the first reserve, whichever is the target.
    const int firstReserveCards = cardsIn(sharedObjects.AppoggPiles.at(0));
    switch (rule) {
    case 4:
        return false;
    case 8:
        return singleCardDragged() && rankOf(card) == kKing && firstReserveCards < 3;
    case 13:
        return singleCardDragged() && firstReserveCards < 5;
    default:
        return singleCardDragged() && pile->empty() && (rule != 9 || rankOf(card) >= kJack);
    }
}

bool fnCanDropOnPile(int card, std::string_view pileName) {
    const auto pile = PileLineForName(pileName);
    if (!pile)
        return false;
    if (pile->list == &sharedObjects.DestPiles)
        return fnCanDropOnFoundation(pile->line, card);
    if (pile->list == &sharedObjects.FilaPiles)
        return fnCanDropOnTableau(pile->line, card);
    if (pile->list == &sharedObjects.AppoggPiles)
        return fnCanDropOnReserve(pile->line, card);
    return false;
}

bool fnCheckSequenceRule(int card, int tableauIndex) {
    const int sequence = word(kGroupSequenceWord);
    if (sequence != 1 && sequence != 10)
        return true;
    if (!tableau(tableauIndex))
        return false;
    StringList group;
    fnListRunFromCard(group, card);
    const int rule = sequence == 10 ? 0 : word(kTableauRuleWord + tableauIndex);
    for (std::size_t i = 1; i < group.size(); ++i) {
        if (!CanBuildOn(CodeAt(group[i - 1], 0), CodeAt(group[i], 0),
                        word(kTableauBaseWord + tableauIndex), false, tableauIndex,
                        word(kTableauOnBaseWord + tableauIndex) > 0, false, rule,
                        word(kTableauDirectionWord + tableauIndex), word(kFoundationBaseWord)))
            return false;
    }
    return true;
}

bool fnCheckGroupSize(int card, bool toEmptyPile) {
    StringList group;
    fnListRunFromCard(group, card);
    engineScalars.DraggedGroupTop =
        static_cast<std::int16_t>(group.empty() ? 0 : CodeAt(group.back(), 0));
    const int rule = word(kGroupSizeWord);
    const int cards = static_cast<int>(group.size());
    if (rule == -1)
        return true;
    if (rule == -12)
        return !group.empty() && (rankOf(CodeAt(group.front(), 0)) == kKing || cards == 1);
    int limit = rule;
    if (rule < 0) {
        const auto emptyPiles = [](const StringList& list, int count) {
            return static_cast<int>(std::count_if(list.begin(), list.begin() + count,
                                                  [](const std::string& p) { return p.empty(); }));
        };
        const int emptyTableaus = emptyPiles(sharedObjects.FilaPiles, fnTableauCount());
        const int emptyReserves = emptyPiles(sharedObjects.AppoggPiles, fnReserveCount());
        if (rule == -5)
            limit = emptyTableaus == 0 ? emptyReserves + 1
                    : toEmptyPile      ? emptyReserves + emptyTableaus
                                       : emptyReserves + emptyTableaus + 1;
        else if (rule == -6)
            limit = emptyTableaus == 0 ? emptyReserves + 1 : emptyReserves + emptyTableaus;
        else
            limit = std::max(emptyTableaus, 1);
    }
    return limit >= cards;
}

} // namespace solitaire
