#include "catalogue_player.h"

#include "catalogue_table.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/pickup.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/rules.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <tuple>
#include <unordered_set>

namespace solitaire::catalogue {

using namespace play;

namespace {

constexpr int kNoCardsFan = 8;
constexpr int kReserveAsRow = -11;
constexpr int kOneRowGame = 19;
constexpr int kWastePlace = 1;

int cardWidth() {
    return mainWindow.CardWidth;
}
int cardHeight() {
    return mainWindow.CardHeight;
}

bool selectionGame() {
    return gameWord(kSelectionTargetWord) != 0;
}
bool pairingGame() {
    return gameKind() == 3 || gameKind() == 4;
}
// Kinds whose tableau cards go to the discard pile on a press.
bool discardGame() {
    return gameKind() == 2 || gameKind() == 12 || gameKind() == 15;
}

struct Pile {
    std::string name;
    int index; // 0-based within its group
};

std::vector<Pile> targetPiles() {
    std::vector<Pile> piles;
    for (int i = 0; i < foundationCount(); ++i)
        piles.push_back({pileName("Dest", i + 1), i});
    if (gameWord(kTableauFanWord) != kNoCardsFan)
        for (int i = 0; i < tableauCount(); ++i)
            piles.push_back({pileName("Fila", i + 1), i});
    for (int i = 0; i < reserveCount(); ++i)
        if (isPresentCoordinate(fnReserveX(i)))
            piles.push_back({pileName("Appogg", i + 1), i});
    return piles;
}

std::string_view cardsOf(const std::string& name) {
    const std::optional<PileLine> line = PileLineForName(name);
    return line ? std::string_view(line->list->at(static_cast<std::size_t>(line->line)))
                : std::string_view();
}

// A point of the card's uncovered part (depth 0 the top card) that the hit test finds it at.
std::optional<Point> pressPoint(const std::string& name, int index, int depth, int card) {
    const int x = fnPileCardX(name, index, depth, false);
    const int y = fnPileCardY(name, depth, false);
    if (!isPresentCoordinate(x) || !isPresentCoordinate(y))
        return std::nullopt;
    std::vector<Point> tries;
    if (depth > 0) {
        const int nextX = fnPileCardX(name, index, depth - 1, false);
        const int nextY = fnPileCardY(name, depth - 1, false);
        if (nextY > y)
            tries.push_back({x + cardWidth() / 2, (y + nextY) / 2});
        if (nextX > x)
            tries.push_back({(x + nextX) / 2, y + cardHeight() / 2});
    }
    tries.push_back({x + cardWidth() / 2, y + cardHeight() / 2});
    tries.push_back({x + 3, y + 3});
    for (const Point& p : tries)
        if (fnHitTestTable(p.x, p.y).card == card)
            return p;
    return std::nullopt;
}

Point placeCentre(int x, int y) {
    return {x + cardWidth() / 2, y + cardHeight() / 2};
}

std::string describe(const char* verb, int card, const std::string& where) {
    return std::string(verb) + " " + std::to_string(card) + (where.empty() ? "" : " " + where);
}

class ActionList {
public:
    void add(Action::Kind kind, Point from, Point to, std::string what, int card = 0,
             bool home = false, int ontoTableau = -1) {
        actions_.push_back({kind, from, to, std::move(what), card, home, ontoTableau});
    }
    std::vector<Action> take() { return std::move(actions_); }

    // Every pile that takes the card (the group above it when dragHeight is taller than a
    // card), reached by putting the card exactly onto the pile's top place.
    void addDrags(int card, const std::string& source, Point from, int dragHeight) {
        mainWindow.DragHeight = dragHeight;
        const int depth = depthOf(source, card);
        const int cardX = fnPileCardX(source, sourceIndex(source), depth, false);
        const int cardY = fnPileCardY(source, depth, false);
        const bool wholePile = depth == codeCount(cardsOf(source)) - 1;
        std::vector<std::string> emptyKinds; // empty piles that play alike take one try
        for (const Pile& target : targetPiles()) {
            if (target.name == source)
                continue;
            if (cardsOf(target.name).empty()) {
                const std::string kind = emptyPileKind(target);
                if (std::ranges::find(emptyKinds, kind) != emptyKinds.end() ||
                    (wholePile && source.starts_with(target.name.substr(0, 4))))
                    continue;
                emptyKinds.push_back(kind);
            }
            fnCheckGroupSize(card, false); // the group's top card, as the press notes it
            if (!fnCanDropOnPile(card, target.name) ||
                !CheckMoveRestriction(card, target.name, nullptr))
                continue;
            const int slotX = fnPileCardX(target.name, target.index, 0, false);
            const int slotY = fnPileCardY(target.name, 0, false);
            add(Action::Kind::Drag, from, {from.x + slotX - cardX, from.y + slotY - cardY},
                describe("card", card, "onto " + target.name), card,
                target.name.starts_with("Dest"),
                target.name.starts_with("Fila") ? target.index : -1);
        }
        mainWindow.DragHeight = cardHeight();
        engineScalars.DraggedGroupTop = 0;
    }

    void addDoubleClick(int card, Point at) {
        mainWindow.DragHeight = cardHeight();
        for (int f = 0; f < foundationCount(); ++f)
            if (fnCanDropOnFoundation(f, card)) {
                add(Action::Kind::DoubleClick, at, at, describe("double click", card, ""), card,
                    true);
                return;
            }
    }

private:
    // What decides how an empty pile plays: its group and the words of its rules.
    static std::string emptyPileKind(const Pile& pile) {
        std::string kind = pile.name.substr(0, 4);
        auto word = [&](int first) { kind += ' ' + std::to_string(gameWord(first + pile.index)); };
        if (kind == "Fila") {
            for (const int first : {kTableauBaseWord, kTableauDirectionWord, kTableauRuleWord,
                                    kTableauOnBaseWord, kTableauStockDealWord})
                word(first);
        } else if (kind == "Appo") {
            word(kReserveRuleWord);
            word(kReserveStockDealWord);
        } else {
            // Foundations differ by their bases, and by their place where the rule looks at
            // the foundations beside them.
            const int rule = gameWord(kFoundationRuleWord + pile.index);
            if (rule == 36 || rule == 41 || rule == 42 || (rule >= 46 && rule <= 53))
                return pile.name;
            for (const int first :
                 {kFoundationBaseWord, kFoundationDirectionWord, kFoundationRuleWord})
                word(first);
        }
        return kind;
    }
    static int sourceIndex(const std::string& name) {
        const std::size_t digits = name.find_first_of("0123456789");
        return digits == std::string::npos ? 0 : std::stoi(name.substr(digits)) - 1;
    }
    static int depthOf(const std::string& name, int card) {
        const std::string_view cards = cardsOf(name);
        return codeCount(cards) - 1 - positionInPile(cards, card);
    }

    std::vector<Action> actions_;
};

void addTableauActions(ActionList& list) {
    const bool clicksOnly = selectionGame() || pairingGame() || discardGame();
    for (int k = 0; k < tableauCount(); ++k) {
        const std::string name = pileName("Fila", k + 1);
        const std::string_view cards = tableauPile(k);
        const int count = codeCount(cards);
        for (int depth = 0; depth < count; ++depth) {
            const int card = codeAt(cards, count - 1 - depth);
            if (card == 0)
                continue;
            const std::optional<Point> at = pressPoint(name, k, depth, card);
            if (!at)
                continue;
            const bool top = depth == 0;
            if (clicksOnly) {
                const bool free = gameKind() == 4 ? IsRowCardFree(card) : top || selectionGame();
                const bool taken = !discardGame() || fnFitsDiscardPile(card);
                if (free && taken && (selectionGame() || !fnIsFaceDown(card)))
                    list.add(Action::Kind::Click, *at, *at, describe("press", card, ""), card);
                continue;
            }
            if (fnIsFaceDown(card)) {
                if (top)
                    list.add(Action::Kind::Click, *at, *at, describe("turn", card, ""));
                continue;
            }
            if (gameKind() == kOneRowGame) {
                // The row's cards go onto the card one or two places before them.
                const int position = count - 1 - depth;
                for (int gap = 1; gap <= 2; ++gap) {
                    const int under = codeAt(cards, position - gap);
                    if (position - gap < 0 || under == 0 ||
                        (CardRank(under) != CardRank(card) && CardSuit(under) != CardSuit(card)))
                        continue;
                    const std::optional<Point> onto = pressPoint(name, k, depth + gap, under);
                    if (onto)
                        list.add(Action::Kind::Drag, *at, {onto->x, onto->y},
                                 describe("card", card, "onto card " + std::to_string(under)));
                }
                continue;
            }
            if (top) {
                if (fnCheckGroupSize(card, false))
                    list.addDrags(card, name, *at, cardHeight());
                list.addDoubleClick(card, *at);
            } else if (fnCheckSequenceRule(card, k) && fnCheckGroupSize(card, false)) {
                const int cardTop = fnPileCardY(name, depth, false);
                list.addDrags(card, name, *at, fnPileBottom(name) - cardTop);
            }
        }
    }
}

void addOtherPileActions(ActionList& list) {
    if (selectionGame())
        return;
    for (int r = 0; r < reserveCount(); ++r) {
        const std::string name = pileName("Appogg", r + 1);
        const std::string_view cards = reservePile(r);
        const bool row = gameWord(kReserveVariantWord) == kReserveAsRow;
        const int count = codeCount(cards);
        for (int depth = 0; depth < (row ? count : std::min(count, 1)); ++depth) {
            const int card = codeAt(cards, count - 1 - depth);
            if (card == 0 || fnIsFaceDown(card))
                continue;
            if (const std::optional<Point> at = pressPoint(name, r, depth, card)) {
                list.addDrags(card, name, *at, cardHeight());
                if (depth == 0)
                    list.addDoubleClick(card, *at);
            }
        }
    }
    const int takeBack = gameWord(kFoundationTakeBackWord);
    for (int f = 0; f < foundationCount() && !pairingGame(); ++f) {
        const std::string name = pileName("Dest", f + 1);
        const int card = topCard(foundationPile(f));
        if (card == 0 || !(takeBack == 1 || (takeBack == 2 && codeCount(foundationPile(f)) > 1)))
            continue;
        if (const std::optional<Point> at = pressPoint(name, f, 0, card))
            list.addDrags(card, name, *at, cardHeight());
    }
    const int waste = topCard(wastePile());
    if (waste != 0 && isPresentCoordinate(fnStockPileX(kWastePlace))) {
        const Point at = placeCentre(fnStockPileX(kWastePlace), fnStockPileY(kWastePlace));
        if (fnHitTestTable(at.x, at.y).card == waste) {
            if (gameKind() == 4) {
                list.add(Action::Kind::Click, at, at, describe("press", waste, "on the waste"));
            } else if (!pairingGame()) {
                list.addDrags(waste, "Mazzo_Vis", at, cardHeight());
                list.addDoubleClick(waste, at);
            }
        }
    }
}

void addStockClick(ActionList& list) {
    if (!isPresentCoordinate(fnStockPileX(0)) || !isPresentCoordinate(fnStockPileY(0)))
        return;
    if (stockPile().empty() && wastePile().empty())
        return;
    const Point at = placeCentre(fnStockPileX(0), fnStockPileY(0));
    if (fnHitTestTable(at.x, at.y).pileName == "Mazzo")
        list.add(Action::Kind::Click, at, at, "stock click");
}

// Cards at the top of the tableau pile that lie in the order its rules build.
int orderedTopCards(int k) {
    const std::string_view cards = tableauPile(k);
    int ordered = 0;
    for (int j = codeCount(cards) - 1; j > 0; --j) {
        const int card = codeAt(cards, j), under = codeAt(cards, j - 1);
        if (card == 0 || under == 0 || fnIsFaceDown(under) ||
            !CanBuildOn(under, card, gameWord(kTableauBaseWord + k), false, k,
                        gameWord(kTableauOnBaseWord + k) > 0, false, gameWord(kTableauRuleWord + k),
                        gameWord(kTableauDirectionWord + k), gameWord(kFoundationBaseWord)))
            break;
        ++ordered;
    }
    return ordered;
}

// Games whose stock deals a card onto every tableau pile.
bool stockDealsToEveryPile() {
    if (tableauCount() == 0)
        return false;
    for (int k = 0; k < tableauCount(); ++k)
        if (gameWord(kTableauStockDealWord + k) == 0)
            return false;
    return true;
}

// Face-up cards of the tableau pile lying on a card its rules build them on, wherever in the
// pile: where the stock deals onto every pile, a run covered by a dealt card is still a run
// once that card moves on.
int orderedCards(int k) {
    const std::string_view cards = tableauPile(k);
    int ordered = 0;
    for (int j = codeCount(cards) - 1; j > 0; --j) {
        const int card = codeAt(cards, j), under = codeAt(cards, j - 1);
        if (card == 0 || under == 0 || fnIsFaceDown(under))
            break;
        if (CanBuildOn(under, card, gameWord(kTableauBaseWord + k), false, k,
                       gameWord(kTableauOnBaseWord + k) > 0, false, gameWord(kTableauRuleWord + k),
                       gameWord(kTableauDirectionWord + k), gameWord(kFoundationBaseWord)))
            ++ordered;
    }
    return ordered;
}

// Cards of the tableau pile that lie above a card the foundations want before them (a lower
// rank where they build up, a higher one where they build down): each must move first.
int cardsInTheWay(int k) {
    const std::string_view cards = tableauPile(k);
    const bool up = gameWord(kFoundationDirectionWord) != 0;
    int inTheWay = 0;
    int firstWanted = 0; // the rank wanted first among the cards below
    for (int j = 0; j < codeCount(cards); ++j) {
        const int rank = CardRank(codeAt(cards, j));
        if (rank < 1)
            continue;
        if (firstWanted != 0 && (up ? rank > firstWanted : rank < firstWanted))
            ++inTheWay;
        else
            firstWanted = rank;
    }
    return inTheWay;
}

// Tableau rules that ask nothing of the card built on: only where the moving card comes from.
bool ruleIgnoresTheCardUnder(int rule) {
    return rule == 12 || rule == 17 || rule == 18 || rule == 19;
}

// Games whose tableau piles are waste piles: they take cards from the stock's turn but never
// from one another, so a card on them waits only for its foundation.
bool wastePileGame() {
    if (tableauCount() == 0)
        return false;
    for (int k = 0; k < tableauCount(); ++k)
        if (gameWord(kTableauRuleWord + k) != 17)
            return false;
    return true;
}

// For each rank, how many cards the foundations take before a card of that rank fits there,
// the soonest over the foundations (kNeverNeeded when none takes it). Each foundation's
// chain is followed through its own rule from its top card.
constexpr int kNeverNeeded = 99;
using RankNeeds = std::array<int, 14>;
// A foundation's chain depends only on its top card and how many cards it holds; kept for
// one search.
std::map<std::tuple<int, int, int>, RankNeeds> foundationChains;
RankNeeds rankNeeds() {
    RankNeeds needs;
    needs.fill(kNeverNeeded);
    for (int f = 0; f < foundationCount(); ++f) {
        const std::string_view pile = foundationPile(f);
        const int top = topCard(pile), held = codeCount(pile);
        const auto key = std::tuple(f, top, held);
        auto chain = foundationChains.find(key);
        if (chain == foundationChains.end()) {
            RankNeeds steps;
            steps.fill(kNeverNeeded);
            const int base = gameWord(kFoundationBaseWord + f);
            const int rule = gameWord(kFoundationRuleWord + f);
            const int direction = gameWord(kFoundationDirectionWord + f);
            int under = top;
            for (int step = 1; held + step <= gameWord(kFoundationCapacityWord); ++step) {
                int next = 0;
                for (int card = 1; card <= 52; ++card) {
                    const int rank = CardRank(card);
                    if (steps[rank] < step ||
                        !CanBuildOn(under, card, base, true, f, true, true, rule, direction, base))
                        continue;
                    steps[rank] = step;
                    next = next == 0 ? card : next;
                }
                if (next == 0)
                    break;
                under = next;
            }
            chain = foundationChains.emplace(key, steps).first;
        }
        for (int rank = 1; rank <= 13; ++rank)
            needs[rank] = std::min(needs[rank], chain->second[rank]);
    }
    return needs;
}

// Cards of the waste pile lying above a card its foundation wants sooner.
int cardsAboveSoonerNeeds(int k, const RankNeeds& needs) {
    const std::string_view cards = tableauPile(k);
    int above = 0;
    int soonest = kNeverNeeded + 1;
    for (int j = 0; j < codeCount(cards); ++j) {
        const int need = needs[std::max(CardRank(codeAt(cards, j)), 0)];
        above += need > soonest ? 1 : 0;
        soonest = std::min(soonest, need);
    }
    return above;
}

// Whether the card lies on a card of its tableau pile that its rules build it on.
bool inOrderOnItsPile(int card) {
    const int location = fnLocateCard(card);
    if (location < 1 || location > tableauCount())
        return false;
    const int k = location - 1;
    const std::string_view cards = tableauPile(k);
    const int position = positionInPile(cards, card);
    const int under = position > 0 ? codeAt(cards, position - 1) : 0;
    return under > 0 && !fnIsFaceDown(under) &&
           CanBuildOn(under, card, gameWord(kTableauBaseWord + k), false, k,
                      gameWord(kTableauOnBaseWord + k) > 0, false, gameWord(kTableauRuleWord + k),
                      gameWord(kTableauDirectionWord + k), gameWord(kFoundationBaseWord));
}

// A move of a card from a card it is built on onto another one of the tableau gains only
// what the card it leaves can do then: be turned, go home, or move on.
bool movesOnlySideways(const Action& action) {
    if (action.ontoTableau < 0 || tableauPile(action.ontoTableau).empty() ||
        !inOrderOnItsPile(action.card))
        return false;
    const int k = fnLocateCard(action.card) - 1;
    const std::string_view cards = tableauPile(k);
    const int left = codeAt(cards, positionInPile(cards, action.card) - 1);
    if (fnIsFaceDown(left))
        return false;
    const int dragHeight = mainWindow.DragHeight;
    mainWindow.DragHeight = cardHeight(); // the card alone, as it would be lifted then
    bool free = false;
    for (int f = 0; f < foundationCount() && !free; ++f)
        free = fnCanDropOnFoundation(f, left);
    for (int b = 0; b < tableauCount() && !free; ++b)
        free = b != k && b != action.ontoTableau && !tableauPile(b).empty() &&
               fnCanDropOnTableau(b, left);
    mainWindow.DragHeight = dragHeight;
    return !free;
}

// Whether sending the card home can cost nothing: no card outside the foundations could be
// built on it in the tableau.
bool homeCostsNothing(int card) {
    if (gameWord(kTableauFanWord) == kNoCardsFan)
        return true;
    std::vector<int> inPlay;
    auto collect = [&](std::string_view cards) {
        for (int j = 0; j < codeCount(cards); ++j)
            if (const int code = codeAt(cards, j); code > 0)
                inPlay.push_back(code);
    };
    for (int k = 0; k < tableauCount(); ++k)
        collect(tableauPile(k));
    for (int r = 0; r < reserveCount(); ++r)
        collect(reservePile(r));
    collect(stockPile());
    collect(wastePile());
    std::vector<std::array<int, 4>> rules; // the tableau's distinct rules
    for (int k = 0; k < tableauCount(); ++k) {
        const std::array<int, 4> words{
            gameWord(kTableauBaseWord + k), gameWord(kTableauDirectionWord + k),
            gameWord(kTableauRuleWord + k), gameWord(kTableauOnBaseWord + k)};
        if (ruleIgnoresTheCardUnder(words[2]) || std::ranges::find(rules, words) != rules.end())
            continue;
        rules.push_back(words);
        for (const int moving : inPlay)
            if (moving != card && CanBuildOn(card, moving, words[0], true, k, words[3] > 0, false,
                                             words[2], words[1], gameWord(kFoundationBaseWord)))
                return false;
    }
    return true;
}

// Cards of the tableau pile lying above a card a foundation takes now: each must move before
// that card goes home.
int cardsAboveHomeCards(int k) {
    const std::string_view cards = tableauPile(k);
    const int count = codeCount(cards);
    const int dragHeight = mainWindow.DragHeight;
    mainWindow.DragHeight = cardHeight(); // the card alone, as it would go home
    int above = 0;
    for (int j = 0; j < count - 1; ++j) {
        const int card = codeAt(cards, j);
        if (card == 0 || fnIsFaceDown(card))
            continue;
        for (int f = 0; f < foundationCount(); ++f)
            if (fnCanDropOnFoundation(f, card)) {
                above += count - 1 - j;
                break;
            }
    }
    mainWindow.DragHeight = dragHeight;
    return above;
}

// Search ordering: cards home first, then cards in order, piles emptied, cards turned up,
// cards that could go home uncovered.
int promise() {
    int home = codeCount(discardPile());
    for (int f = 0; f < foundationCount(); ++f)
        if (f != 0 || !(selectionGame() || pairingGame()))
            home += codeCount(foundationPile(f));
    int faceDown = 0;
    int emptyPiles = 0;
    int ordered = 0;
    int blocking = 0;
    int coveringHome = 0;
    // Waste piles: an empty one is no gain (each turned card must go somewhere), a card
    // buried above one wanted sooner is the loss.
    const bool wastePiles = wastePileGame();
    const RankNeeds needs = wastePiles ? rankNeeds() : RankNeeds{};
    // Where the tableau's top cards go to the discard pile, the tall piles are the ones to
    // take from: a short pile gone leaves the others' cards fewer neighbours to meet.
    int heights = 0;
    int buriedOnWaste = 0;
    const bool dealsToEveryPile = stockDealsToEveryPile();
    for (int k = 0; k < tableauCount(); ++k) {
        const std::string_view cards = tableauPile(k);
        for (int j = 0; j < codeCount(cards); ++j)
            faceDown += codeAt(cards, j) != 0 && fnIsFaceDown(codeAt(cards, j)) ? 1 : 0;
        if (wastePiles) {
            buriedOnWaste += cardsAboveSoonerNeeds(k, needs);
            continue;
        }
        if (discardGame()) {
            heights += codeCount(cards) * codeCount(cards);
            continue;
        }
        emptyPiles += cards.empty() ? 1 : 0;
        ordered += dealsToEveryPile ? orderedCards(k) : orderedTopCards(k);
        blocking += cardsInTheWay(k);
        coveringHome += cardsAboveHomeCards(k);
    }
    // Reserve cards wait to be freed, unless the reserve is a row whose every card is free.
    int reserveCards = 0;
    for (int r = 0; r < reserveCount() && gameWord(kReserveVariantWord) != kReserveAsRow; ++r)
        reserveCards += codeCount(reservePile(r));
    // With one pass through the stock, a card turned and left under the waste's top is buried.
    const int buried = gameWord(kRedealLimitWord) == 0 && !discardGame() && !wastePiles
                           ? std::max(codeCount(wastePile()) - 1, 0)
                           : 0;
    // A deal onto every pile puts a card in the way somewhere; counting the cards still in
    // the stock as a loss keeps the search from trying every shuffle of the table before one.
    const int undealt = dealsToEveryPile ? codeCount(stockPile()) : 0;
    return 100 * home + 10 * ordered + 20 * emptyPiles - 10 * faceDown - 10 * reserveCards -
           5 * blocking - 10 * coveringHome - 20 * buriedOnWaste - heights - 5 * buried -
           3 * undealt;
}

// The drag of a single card from the top of its tableau pile or reserve whose description
// starts with `step`.
std::optional<Action> singleCardDrag(int card, const std::string& step) {
    const int location = fnLocateCard(card);
    std::string source;
    int index = 0;
    if (location >= 1 && location <= kTableauPiles) {
        index = location - 1;
        source = pileName("Fila", location);
    } else if (location <= kReserveLocationBase - 1 && location >= kReserveLocationBase - 8) {
        index = kReserveLocationBase - location - 1;
        source = pileName("Appogg", index + 1);
    }
    if (source.empty() || topCard(cardsOf(source)) != card)
        return std::nullopt;
    const std::optional<Point> at = pressPoint(source, index, 0, card);
    if (!at)
        return std::nullopt;
    ActionList list;
    list.addDrags(card, source, *at, cardHeight());
    for (Action& action : list.take())
        if (action.what.starts_with(step))
            return std::move(action);
    return std::nullopt;
}

// Where single cards move, an ordered group goes through the empty reserves: its upper cards
// into the reserves, its lowest card onto the target pile, the others back onto it. Each
// such sequence of moves as its cards and the descriptions of their drags.
using GroupMove = std::vector<std::pair<int, std::string>>;
std::vector<GroupMove> groupMovesThroughReserves() {
    int emptyReserves = 0;
    for (int r = 0; r < reserveCount(); ++r)
        emptyReserves += reservePile(r).empty() && isPresentCoordinate(fnReserveX(r)) ? 1 : 0;
    std::vector<GroupMove> moves;
    if (emptyReserves == 0 || selectionGame() || pairingGame() || discardGame() ||
        gameKind() == kOneRowGame)
        return moves;
    auto onto = [](int card, const std::string& pile) {
        return std::pair(card, describe("card", card, "onto " + pile));
    };
    for (int a = 0; a < tableauCount(); ++a) {
        const std::string_view cards = tableauPile(a);
        const int count = codeCount(cards);
        const int longest = std::min(orderedTopCards(a) + 1, emptyReserves + 1);
        for (int length = 2; length <= longest; ++length) {
            const int lowest = codeAt(cards, count - length);
            mainWindow.DragHeight = cardHeight() * 2; // a group, as a press lifts it
            const bool movesWhole = fnCheckGroupSize(lowest, false);
            mainWindow.DragHeight = cardHeight();
            if (movesWhole)
                continue; // a drag moves it
            for (int b = 0; b < tableauCount(); ++b) {
                fnCheckGroupSize(lowest, false);
                if (b == a || (length == count && tableauPile(b).empty()) ||
                    !fnCanDropOnTableau(b, lowest))
                    continue;
                const std::string target = pileName("Fila", b + 1);
                GroupMove steps;
                for (int j = count - 1; j > count - length; --j)
                    steps.push_back(onto(codeAt(cards, j), "Appogg"));
                steps.push_back(onto(lowest, target));
                for (int j = count - length + 1; j < count; ++j)
                    steps.push_back(onto(codeAt(cards, j), target));
                moves.push_back(std::move(steps));
            }
        }
    }
    engineScalars.DraggedGroupTop = 0;
    return moves;
}

bool gameWonNow() {
    return !mainWindow.GameRunning || fnIsGameComplete();
}

// The table and what decides the next moves; the passes through the stock only where they
// are limited.
std::uint64_t positionKey() {
    StringList table;
    fnSnapshotPiles(table);
    std::string key;
    for (const std::string& line : table)
        key += line + '|';
    key += std::to_string(engineScalars.PhaseCounter) + '|' + std::to_string(StockDealCount);
    if (gameWord(kRedealLimitWord) >= 0)
        key += '|' + std::to_string(engineScalars.StockPassCount);
    return std::hash<std::string>{}(key);
}

// The card a press of the action chooses in a pairing game (the stock's top card only while
// another card is chosen: a press on the stock turns a card otherwise); 0 for none.
int chosenCard(const Action& action) {
    if (action.kind != Action::Kind::Click)
        return 0;
    const TableHit hit = fnHitTestTable(action.from.x, action.from.y);
    if (hit.pileName == "Mazzo")
        return gameKind() == 4 && !selection().empty() ? topCard(stockPile()) : 0;
    return hit.card;
}

// The search's actions in a pairing game: a card is chosen only when a card in play completes
// its pair (a king goes alone in kind 4), so no table holds a choice that leads nowhere; the
// rules ask nothing of the order of a pair's two presses.
std::vector<Action> searchActions(std::vector<Action> actions) {
    if (!pairingGame())
        return actions;
    const int sum = gameKind() == 4 ? 13 : 14;
    std::vector<int> inPlay;
    for (const Action& action : actions)
        if (const int card = chosenCard(action); card != 0)
            inPlay.push_back(card);
    if (gameKind() == 4 && topCard(stockPile()) != 0)
        inPlay.push_back(topCard(stockPile()));
    const int chosen = codeCount(selection()) == 1 ? codeAt(selection(), 0) : 0;
    auto completes = [&](int card) {
        if (chosen != 0)
            return card != chosen && CardRank(card) + CardRank(chosen) == sum;
        if (gameKind() == 4 && CardRank(card) == 13)
            return true;
        return std::ranges::any_of(inPlay, [&](int other) {
            return other != card && CardRank(card) + CardRank(other) == sum;
        });
    };
    std::erase_if(actions, [&](const Action& action) {
        const int card = chosenCard(action);
        return card != 0 && !completes(card);
    });
    return actions;
}

} // namespace

std::vector<Action> legalActions() {
    if (!mainWindow.GameRunning)
        return {};
    ActionList list;
    addStockClick(list);
    addTableauActions(list);
    addOtherPileActions(list);
    return list.take();
}

void performOnEngine(const Action& action) {
    auto press = [&] { fnTableMouseDown(MouseButton::Left, false, action.from.x, action.from.y); };
    switch (action.kind) {
    case Action::Kind::Drag:
        press();
        if (engineScalars.DraggedCard != 0) {
            engineScalars.MovedWhileDragging = 1;
            presentation().fnMoveDragImage(action.to.x - mainWindow.GrabX,
                                           action.to.y - mainWindow.GrabY, false, false);
        }
        fnTableMouseUp();
        break;
    case Action::Kind::Click:
        press();
        engineScalars.MovedWhileDragging = 0; // a click does not move
        fnTableMouseUp();
        break;
    case Action::Kind::DoubleClick:
        press();
        engineScalars.MovedWhileDragging = 0;
        fnTableMouseUp();
        fnDoubleClickMove(true, true);
        press(); // the second press of a double click
        fnTableMouseUp();
        break;
    case Action::Kind::Undo:
        takeBackLastStep();
        break;
    }
}

void SilentPresentation::fnSetDragRects(int left, int top, int right, int bottom) {
    mainWindow.DragTargetRect = {left, top, right, bottom};
}

bool SilentPresentation::fnMoveDragImage(int x, int y, bool, bool) {
    mainWindow.DragTargetRect = {x, y, x + mainWindow.CardWidth, y + mainWindow.DragHeight};
    return true;
}

SearchResult searchForWin(int budget) {
    SilentPresentation silent;
    Presentation& shown = presentation();
    setPresentation(&silent);
    const EngineState start = captureEngineState();
    foundationChains.clear();
    SearchResult result;
    std::unordered_set<std::uint64_t> visited{positionKey()};

    // Best first: the open tables by promise (the newer first among equals).
    struct Open {
        int promise;
        int order;
        bool operator<(const Open& other) const {
            return promise != other.promise ? promise < other.promise : order < other.order;
        }
    };
    std::vector<EngineState> tables{start};
    // The card each table's last single move took, which the next move leaves where it is: moving
    // it on could have been done from where it was, moving it back returns to a table seen.
    std::vector<int> movedLast{0};
    std::priority_queue<Open> open;
    open.push({promise(), 0});
    // One action, or each of a sequence's found among the legal ones in turn; false when a
    // step cannot be made.
    auto perform = [&](const GroupMove& steps, const Action* single) {
        if (single) {
            performOnEngine(*single);
            ++result.nodes;
            return true;
        }
        for (const auto& [card, step] : steps) {
            const std::optional<Action> drag = singleCardDrag(card, step);
            if (!drag)
                return false;
            performOnEngine(*drag);
            ++result.nodes;
            if (gameWonNow())
                return true;
        }
        return true;
    };
    while (!open.empty() && !result.won && result.nodes < budget) {
        const EngineState parent = tables[static_cast<std::size_t>(open.top().order)];
        const int resting = movedLast[static_cast<std::size_t>(open.top().order)];
        open.pop();
        restoreEngineState(parent);
        std::vector<Action> actions = searchActions(legalActions());
        std::vector<GroupMove> groupMoves = groupMovesThroughReserves();
        if (gameKind() != kOneRowGame)
            std::erase_if(actions, [&](const Action& a) {
                return (a.card == resting && a.kind != Action::Kind::Click) || movesOnlySideways(a);
            });
        // A card that can go home at no cost goes there; the table's other moves wait for
        // the table after it. Any other card goes home one way only.
        if (const auto safe = std::ranges::find_if(
                actions, [](const Action& a) { return a.home && homeCostsNothing(a.card); });
            safe != actions.end()) {
            actions = {*safe};
            groupMoves.clear();
        }
        std::vector<int> sentHome;
        std::erase_if(actions, [&](const Action& a) {
            if (!a.home)
                return false;
            if (std::ranges::find(sentHome, a.card) != sentHome.end())
                return true;
            sentHome.push_back(a.card);
            return false;
        });
        for (std::size_t i = 0; i < actions.size() + groupMoves.size(); ++i) {
            if (result.nodes >= budget)
                break;
            restoreEngineState(parent);
            const bool made = i < actions.size() ? perform({}, &actions[i])
                                                 : perform(groupMoves[i - actions.size()], nullptr);
            if (gameWonNow()) {
                result.won = true;
                break;
            }
            if (!made || !visited.insert(positionKey()).second)
                continue;
            open.push({promise(), static_cast<int>(tables.size())});
            tables.push_back(captureEngineState());
            movedLast.push_back(i < actions.size() ? actions[i].card : 0);
        }
    }
    restoreEngineState(start);
    setPresentation(&shown);
    return result;
}

} // namespace solitaire::catalogue
