#include "solitaire/engine/deal.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/rules.h"
#include "solitaire/engine/score.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/app/random.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace solitaire {

namespace {

constexpr int kGameNumberPosition = 153;
constexpr int kGameNumberWidth = 15;
constexpr int kGameNumberDigits = 13;

// A tableau deal count above this deals one card of rank (count - 1000).
constexpr int kRankDeal = 1000;

constexpr int kAce = 1;
constexpr int kQueen = 12;
constexpr int kKing = 13;

// Suits (1 hearts .. 4 spades) of the cards of one pass, chosen by the pass's row; entries
// 5..8 give the second deck.
constexpr std::array<std::string_view, 13> kSuitOrderRows = {
    "004 002 003 001 004 002 001 003", "001 003 002 004 004 003 002 001",
    "002 004 003 001 003 004 001 002", "003 004 002 001 002 003 001 004",
    "004 002 003 001 001 003 004 002", "001 004 002 003 004 001 002 003",
    "002 001 003 004 003 001 002 004", "003 002 001 004 002 004 001 003",
    "004 003 001 002 001 002 003 004", "002 001 004 003 004 002 001 003",
    "003 001 004 002 001 002 004 003", "003 002 004 001 001 004 003 002",
    "002 003 004 001 004 001 003 002"};
// How far each card of a pass lands after the previous one, by the pass's digit.
constexpr std::array<std::string_view, 10> kOffsetRows = {
    "025 018 013 022 021 020 015 015", "020 019 012 013 018 018 023 017",
    "030 021 019 019 013 022 020 018", "051 016 014 018 021 021 017 019",
    "018 019 019 023 013 016 015 020", "017 021 014 019 019 016 018 017",
    "048 016 013 014 019 020 020 016", "011 021 021 023 017 018 022 020",
    "022 016 013 013 019 017 022 013", "024 013 020 021 021 014 015 022"};

constexpr std::string_view kFreeSlot = "000";

// Entry i (1-based) of a row.
int rowEntry(std::string_view row, int i) {
    return CodeAt(row, static_cast<std::size_t>(4 * (i - 1)));
}

std::string codeText(int card) {
    return fnIntZeroPad(card, 3);
}
int codeOf(const std::string& entry) {
    return CodeAt(entry, 0);
}
int cardsIn(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}
// The card at row (0-based) of a pile; nullopt past its top.
std::optional<int> cardAtRow(const std::string& pile, int row) {
    const auto offset = static_cast<std::size_t>(row) * 3;
    if (offset + 3 > pile.size())
        return std::nullopt;
    return CodeAt(pile, offset);
}

std::string& stockPile() {
    return sharedObjects.MazzoPiles.at(kStockLine);
}
std::string& tableauPile(int index) {
    return sharedObjects.FilaPiles.at(static_cast<std::size_t>(index));
}
std::string& foundationPile(int index) {
    return sharedObjects.DestPiles.at(static_cast<std::size_t>(index));
}

void setFacesUp(const std::string& pile, int mode) {
    SetPileFaceFlags(pile, mode, kFaceUp);
}

// The game number as 13 digits, short numbers read with leading zeros.
std::string gameNumberDigits() {
    const std::string number =
        fnRightStr(fnReplicate('0', kGameNumberDigits) +
                       fnTrimRight(fnReadSettingsField(kGameNumberPosition, kGameNumberWidth)),
                   kGameNumberDigits);
    if (!std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; }))
        throw ConversionError(number);
    return number;
}

class DealOrder {
public:
    explicit DealOrder(StringList& entries) : entries_(entries) {}

    bool empty() const { return entries_.empty(); }
    int front() const { return codeOf(entries_.front()); }
    int back() const { return codeOf(entries_.back()); }

    template <typename Pred> std::optional<int> first(Pred pred) const {
        for (const std::string& entry : entries_) {
            if (pred(codeOf(entry)))
                return codeOf(entry);
        }
        return std::nullopt;
    }
    // Deletes the first entry holding the card, if any.
    void remove(int card) {
        const auto it = std::ranges::find(entries_, card, codeOf);
        if (it != entries_.end())
            entries_.erase(it);
    }
    int takeFront() {
        const int card = front();
        entries_.erase(entries_.begin());
        return card;
    }

    // count <= 1000: that many cards from the front (a free slot "000" is dealt as one);
    // above: the first card of rank count - 1000. Cards arrive face down. Returns the last
    // card dealt, nullopt when none was.
    std::optional<int> dealTo(StringList& list, int line, int count) {
        std::optional<int> last;
        if (count > kRankDeal) {
            last = first([&](int card) { return CardRank(card) == count - kRankDeal; });
            if (last) {
                remove(*last);
                AppendCardToPile(list, line, *last, kFaceDown);
            }
            return last;
        }
        for (int i = 0; i < count && !empty(); ++i) {
            last = takeFront();
            AppendCardToPile(list, line, *last, kFaceDown);
        }
        return last;
    }

private:
    StringList& entries_;
};

// Start cards come from the definition's codes, not from the order: a code that is no card,
// or a card already on the table, would break the deck and is not placed.
bool placeStartCard(DealOrder& order, int card, StringList& list, int line) {
    if (card < 1 || card > kCardCount || TakeCardFromPiles(card, kFindOnly) != kNoPileKind)
        return false;
    AppendCardToPile(list, line, card, kFaceUp);
    order.remove(card);
    return true;
}

std::optional<int> foundationStartCard(const DealOrder& order, int j) {
    const int code = gameWord(kFoundationStartWord + j);
    const int m = 13 * j;
    switch (code) {
    case 0:
    case 96:
        return std::nullopt;
    case 20:
        return order.empty() ? std::nullopt : std::optional(order.front());
    case 21: {
        std::array<bool, 4> taken{};
        for (int earlier = 0; earlier < j; ++earlier) {
            const std::string& pile = foundationPile(earlier);
            if (pile.size() >= 3 && CardSuit(CodeAt(pile, 0)) >= 0)
                taken[static_cast<std::size_t>(CardSuit(CodeAt(pile, 0)))] = true;
        }
        const auto fresh = order.first([&](int card) {
            return CardSuit(card) >= 0 && !taken[static_cast<std::size_t>(CardSuit(card))];
        });
        if (fresh)
            return fresh;
        return order.empty() ? std::nullopt : std::optional(order.back());
    }
    case 91: {
        if (order.empty())
            return std::nullopt;
        const int n = gameWord(kCardsInPlayWord);
        const int card = order.front() + m + 13;
        return card > n ? card % n : card;
    }
    case 92:
        setGameWord(kFoundationBaseWord + j, gameWord(kFoundationBaseWord));
        return std::nullopt;
    case 93:
    case 94:
        return m + 1;
    case 95:
        return j < 4 ? m + 13 : m - 51;
    default:
        if (code >= 51 && code <= 63) {
            const auto ofRank = order.first([&](int card) { return CardRank(card) == code - 50; });
            return ofRank ? *ofRank : code;
        }
        return code < 100 ? code + m : code - 100;
    }
}

// Offers a tableau card to foundation `index` (0-based), or to every foundation in turn for
// -1; the first that takes it gets it.
bool placeOnFoundationAtDeal(int card, int index) {
    if (card < 1)
        return false;
    const auto tryFoundation = [card](int i) {
        const std::string& pile = foundationPile(i);
        const int top = pile.size() < 3 ? 0 : CodeAt(pile, pile.size() - 3);
        if (!CanBuildOn(top, card, gameWord(kFoundationBaseWord + i), true, i,
                        gameWord(kTableauOnBaseWord + i) > 0, true,
                        gameWord(kFoundationRuleWord + i), gameWord(kFoundationDirectionWord + i),
                        gameWord(kFoundationBaseWord)))
            return false;
        fnRemoveCardFromPiles(card);
        AppendCardToPile(sharedObjects.DestPiles, i, card, kFaceUp);
        AddScore(1, false);
        return true;
    };
    if (index >= 0)
        return index < fnFoundationCount() && tryFoundation(index);
    for (int i = 0; i < fnFoundationCount(); ++i) {
        if (tryFoundation(i))
            return true;
    }
    return false;
}

// Piles 1-4 feed foundations 1-4, piles 7-10 foundations 5-8, the others all eight.
bool placeOnFoundationGroup(int card, int tableauIndex) {
    int first = 0;
    int last = 7;
    if (tableauIndex >= 0 && tableauIndex <= 3)
        last = 3;
    else if (tableauIndex >= 6 && tableauIndex <= 9)
        first = 4;
    for (int i = first; i <= last; ++i) {
        if (placeOnFoundationAtDeal(card, i))
            return true;
    }
    return false;
}

void postDealFoundationPass() {
    const int rows = fnLongestTableauPile();
    const int piles = fnTableauCount();
    const int mode = gameWord(kFoundationStartWord);
    // A card that goes leaves its place to the next one, which is offered in turn.
    const auto offerAll = [mode](int pile, int row) {
        while (const auto card = cardAtRow(tableauPile(pile), row)) {
            const bool placed = mode == 95   ? placeOnFoundationGroup(*card, pile)
                                : mode == 94 ? placeOnFoundationAtDeal(*card, pile)
                                             : placeOnFoundationAtDeal(*card, -1);
            if (!placed)
                return;
        }
    };
    if (gameWord(kDealPileByPileWord) == 0) {
        for (int row = 0; row <= rows; ++row)
            for (int pile = 0; pile < piles; ++pile)
                offerAll(pile, row);
    } else {
        for (int pile = 0; pile < piles; ++pile)
            for (int row = 0; row <= rows; ++row)
                offerAll(pile, row);
    }
}

// The card goes into the line's first free slot unless the line already has its rank.
bool placeInFirstGap(std::string& line, int card) {
    std::optional<std::size_t> gap;
    for (std::size_t offset = 0; offset + 3 <= line.size(); offset += 3) {
        const int code = CodeAt(line, offset);
        if (CardRank(code) == CardRank(card))
            return false;
        if (code == 0 && !gap)
            gap = offset;
    }
    if (!gap)
        return false;
    line.replace(*gap, 3, codeText(card));
    return true;
}

// Each line starting with a king gives it to the bottom of the stock and takes the stock's
// first other card in its place; the cards above the king stay where they lie. A card that
// is alone on its line lies face up, one under others shows as the king did.
void moveKingsToStock(StringList& piles) {
    std::string& stock = stockPile();
    for (std::string& pile : piles) {
        if (pile.size() < 3 || CardRank(CodeAt(pile, 0)) != kKing)
            continue;
        const int king = CodeAt(pile, 0);
        const char flag = pile.size() == 3 || !fnIsFaceDown(king) ? kFaceUp : kFaceDown;
        stock.insert(0, pile.substr(0, 3));
        pile.erase(0, 3);
        SetCardFaceFlag(CodeAt(stock, stock.size() - 3), kFaceDown);
        for (std::size_t offset = 0; offset + 3 <= stock.size(); offset += 3) {
            const int card = CodeAt(stock, offset);
            if (CardRank(card) != kKing) {
                stock.erase(offset, 3);
                pile.insert(0, codeText(card));
                SetCardFaceFlag(card, flag);
                break;
            }
        }
    }
}

} // namespace

namespace {

// Kind 11: the aces of reserve 1 start foundations 2, 3, ...; then every third card of the
// waste is looked at: its aces go to foundation 1, other cards refill reserve 1 for as
// many aces as left it.
void sortAcesOutOfReserveAndWaste() {
    std::string& reserve = sharedObjects.AppoggPiles.at(0);
    int nextFoundation = 1;
    int freed = 0;
    for (std::size_t offset = 0;
         offset + 3 <= reserve.size() && nextFoundation < kFoundationPiles;) {
        const int card = CodeAt(reserve, offset);
        if (CardRank(card) != kAce) {
            offset += 3;
            continue;
        }
        reserve.erase(offset, 3);
        foundationPile(nextFoundation++) = codeText(card);
        ++freed;
        offset = 0;
    }
    std::string& waste = sharedObjects.MazzoPiles.at(kWasteLine);
    int acesMoved = 0;
    for (std::size_t offset = 0; offset + 3 <= waste.size(); offset += 3) {
        const int card = CodeAt(waste, offset);
        if (CardRank(card) == kAce) {
            waste.erase(offset, 3);
            AppendCardToPile(sharedObjects.DestPiles, 0, card);
            setFacesUp(foundationPile(0), 1);
            ++acesMoved;
        } else if (freed > 0) {
            waste.erase(offset, 3);
            AppendCardToPile(sharedObjects.AppoggPiles, 0, card);
            setFacesUp(reserve, cardsIn(reserve));
            --freed;
        }
        if (freed == 0 && acesMoved > 0)
            break;
    }
}

// Word 84 = 96: tableau aces go to the foundations, each replaced by the stock's top card.
void replaceAcesFromStock() {
    const int rows = fnLongestTableauPile();
    for (int row = 0; row <= rows; ++row) {
        for (int pile = 0; pile < fnTableauCount(); ++pile) {
            while (const auto card = cardAtRow(tableauPile(pile), row)) {
                if (CardRank(*card) != kAce || !placeOnFoundationAtDeal(*card, -1))
                    break;
                std::string& stock = stockPile();
                if (stock.size() >= 3) {
                    const int top = CodeAt(stock, stock.size() - 3);
                    stock.resize(stock.size() - 3);
                    AppendCardToPile(sharedObjects.FilaPiles, pile, top, kFaceUp);
                }
            }
        }
    }
}

// Kind 22: the king of hearts heads the stock and the queen of hearts starts pile 1.
void placeHeartQueenAndKing(DealOrder& order) {
    constexpr int kQueenOfHearts = 12;
    constexpr int kKingOfHearts = 13;
    for (const int card : {kQueenOfHearts, kKingOfHearts}) {
        fnRemoveCardFromPiles(card);
        order.remove(card); // not dealt yet: it must not come again later
    }
    stockPile().insert(0, codeText(kKingOfHearts));
    AppendCardToPile(sharedObjects.FilaPiles, 0, kQueenOfHearts, kFaceUp);
}

// Word 26 = 2 (kings) or 4 (queens): each such card starts the next tableau pile and the
// rest of the order follows on it face up.
void dealRowsStartedBy(DealOrder& order, int leaderRank) {
    if (const auto leader = order.first([&](int card) { return CardRank(card) == leaderRank; })) {
        tableauPile(0) = codeText(*leader);
        SetCardFaceFlag(*leader, kFaceUp);
        order.remove(*leader);
    }
    // More leaders than piles stay on the last pile the list has.
    const int lastPile = std::clamp(fnTableauCount(), 1, kTableauPiles) - 1;
    int pile = 0;
    while (!order.empty()) {
        const int card = order.takeFront();
        if (CardRank(card) == leaderRank && pile < lastPile)
            ++pile;
        AppendCardToPile(sharedObjects.FilaPiles, pile, card, kFaceUp);
    }
    postDealFoundationPass();
}

std::optional<std::size_t> firstFreeSlot(const std::string& line) {
    for (std::size_t offset = 0; offset + 3 <= line.size(); offset += 3)
        if (CodeAt(line, offset) == 0)
            return offset;
    return std::nullopt;
}

bool holdsRank(const std::string& line, int rank, std::size_t skip = std::string::npos) {
    for (std::size_t offset = 0; offset + 3 <= line.size(); offset += 3)
        if (offset != skip && CardRank(CodeAt(line, offset)) == rank)
            return true;
    return false;
}

// A card no free slot takes changes places with a dealt card that its slot's pile can take
// while the card itself fits the other pile; without such a card it takes the free slot as it
// is, so that no card is ever left out of the deal.
void placeLeftOverCard(int card) {
    StringList& piles = sharedObjects.FilaPiles;
    for (std::string& gapPile : piles) {
        const std::optional<std::size_t> gap = firstFreeSlot(gapPile);
        if (!gap)
            continue;
        for (std::string& other : piles) {
            if (&other == &gapPile)
                continue;
            for (std::size_t offset = 0; offset + 3 <= other.size(); offset += 3) {
                const int dealt = CodeAt(other, offset);
                if (dealt == 0 || holdsRank(gapPile, CardRank(dealt)) ||
                    holdsRank(other, CardRank(card), offset))
                    continue;
                gapPile.replace(*gap, 3, codeText(dealt));
                other.replace(offset, 3, codeText(card));
                return;
            }
        }
    }
    for (std::string& pile : piles)
        if (const std::optional<std::size_t> gap = firstFreeSlot(pile)) {
            pile.replace(*gap, 3, codeText(card));
            return;
        }
}

// Word 26 = 3: the tableau is dealt again so that no pile holds two cards of one rank.
void dealDistinctRanks() {
    std::string pool;
    for (std::string& pile : sharedObjects.FilaPiles) {
        pool += pile;
        pile.assign(pile.size(), '0');
    }
    for (std::string& pile : sharedObjects.FilaPiles) {
        for (int slot = 0; slot < cardsIn(pile); ++slot) {
            for (std::size_t offset = 0; offset + 3 <= pool.size(); offset += 3) {
                if (placeInFirstGap(pile, CodeAt(pool, offset))) {
                    pool.erase(offset, 3);
                    break;
                }
            }
        }
    }
    for (std::size_t offset = 0; offset + 3 <= pool.size(); offset += 3)
        placeLeftOverCard(CodeAt(pool, offset));
}

} // namespace

void fnNewGameNumber() {
    const double a = platform::app::random(9999999);
    const double b = platform::app::random(999999);
    const auto product = static_cast<long long>(a * b); // exact: below 2^53
    fnWriteSettingsField(kGameNumberPosition, kGameNumberWidth,
                         fnRightStr(fnReplicate('0', kGameNumberDigits) + std::to_string(product),
                                    kGameNumberDigits));
    presentation().fnUpdateCaption();
}

int NearestFreeSlot(const StringList& list, int index, bool forward) {
    const int size = static_cast<int>(list.size());
    const auto isFree = [&](int i) { return list[static_cast<std::size_t>(i)] == kFreeSlot; };
    if (forward) {
        for (int i = std::max(index, 0); i < size; ++i)
            if (isFree(i))
                return i;
    } else {
        for (int i = std::min(index, size - 1); i >= 0; --i)
            if (isFree(i))
                return i;
    }
    for (int i = 0; i < size; ++i)
        if (isFree(i))
            return i;
    return -1;
}

bool fnGameNumberCardsArray(StringList& order) {
    order.clear();
    const int n = gameWord(kCardsInPlayWord);
    int cardsPerPass = 0;
    if (n >= 1 && n <= 52)
        cardsPerPass = 4;
    else if (n == kCardCount)
        cardsPerPass = 8;
    else {
        fnInfoMessage("Error 01 - fnGameNumberCardsArray");
        return false;
    }
    order.assign(static_cast<std::size_t>(n), std::string(kFreeSlot));

    const std::string digits = gameNumberDigits();
    const auto digit = [&](int position) {
        return digits[static_cast<std::size_t>(position - 1)] - '0';
    };
    int slot = digit(2) * 100 + digit(6) * 10 + digit(12);
    StringList ranks;
    for (int rank = 1; rank <= 13; ++rank)
        ranks.push_back(fnIntZeroPad(rank, 2));
    int a = 1;
    int x = 7;
    int y = 13;
    for (int pass = 1; pass <= kGameNumberDigits; ++pass) {
        const int d = digit(pass);
        const bool zero = d == 0;
        // Nine digits of the number, left out or taken by the pass, choose the suit order.
        std::string nine;
        if (pass <= 10)
            nine = digits.substr(0, static_cast<std::size_t>(pass - 1)) +
                   digits.substr(static_cast<std::size_t>(pass + 3));
        else
            nine = digits.substr(static_cast<std::size_t>(pass - 9), 9);
        const std::string_view suits =
            kSuitOrderRows[static_cast<std::size_t>(fnStrToInt(nine) % 13)];

        int r = (digit(a) * 100 + digit(x) * 10 + digit(y)) % 13;
        const int lastRank = static_cast<int>(ranks.size()) - 1;
        if (r > lastRank)
            r = zero ? lastRank : 0;
        const int rank = fnStrToInt(ranks[static_cast<std::size_t>(r)]);
        ranks.erase(ranks.begin() + r);
        for (int* position : {&a, &x, &y})
            *position = *position == 13 ? 1 : *position + 1;

        slot -= d;
        const std::string_view offsets = kOffsetRows[static_cast<std::size_t>(d)];
        for (int i = 1; i <= cardsPerPass; ++i) {
            slot += rowEntry(offsets, i);
            if (slot >= n)
                slot %= n;
            else if (slot < 0)
                slot = 0;
            const int card = (rowEntry(suits, i) - 1) * 13 + rank + (i > 4 ? 52 : 0);
            if (order[static_cast<std::size_t>(slot)] != kFreeSlot)
                slot = NearestFreeSlot(order, slot, zero);
            if (slot >= 0)
                order[static_cast<std::size_t>(slot)] = codeText(card);
        }
    }
    return true;
}

bool DealGame() {
    StringList entries;
    if (!fnGameNumberCardsArray(entries))
        return false;
    DealOrder order(entries);
    SharedObjects& s = sharedObjects;
    AddScore(0, true);

    for (int j = 0; j < fnFoundationCount(); ++j) {
        const auto card = foundationStartCard(order, j);
        if (card && placeStartCard(order, *card, s.DestPiles, j)) {
            setGameWord(kFoundationBaseWord + j, CardRank(CodeAt(foundationPile(j), 0)));
            AddScore(1, false);
        }
    }

    if (const int code = gameWord(kDiscardStartCardWord); code != 0) {
        if (placeStartCard(order, code > 100 ? code - 100 : code, s.MazzoPiles, kDiscardLine))
            AddScore(1, false);
    }

    const auto dealToTableau = [&](int pile) {
        order.dealTo(s.FilaPiles, pile, gameWord(kTableauDealWord + pile));
        setFacesUp(tableauPile(pile), gameWord(kTableauFaceUpWord + pile));
    };
    for (int pile = 0; pile < kTableauPiles; ++pile) {
        if (gameWord(kTableauDealWord + pile) > kRankDeal)
            dealToTableau(pile);
    }

    order.dealTo(s.MazzoPiles, kStockLine, gameWord(kStockDealWord));
    if (gameWord(kStockFaceDownWord) == 0)
        setFacesUp(stockPile(), gameWord(kStockDealWord));
    if (gameWord(kWasteDealWord) > 0) {
        order.dealTo(s.MazzoPiles, kWasteLine, gameWord(kWasteDealWord));
        setFacesUp(s.MazzoPiles[kWasteLine], gameWord(kWasteDealWord));
    }

    for (int pile = 0; pile < kTableauPiles; ++pile) {
        const int count = gameWord(kTableauDealWord + pile);
        if (count > 0 && count <= kRankDeal)
            dealToTableau(pile);
    }

    order.dealTo(s.MazzoPiles, kDiscardLine, gameWord(kDiscardDealWord));
    setFacesUp(s.MazzoPiles[kDiscardLine], gameWord(kDiscardDealWord));
    AddScore(gameWord(kDiscardDealWord), false);

    for (int r = 0; r < kReservePiles; ++r) {
        if (gameWord(kReserveDealWord + r) > 0) {
            order.dealTo(s.AppoggPiles, r, gameWord(kReserveDealWord + r));
            setFacesUp(s.AppoggPiles[static_cast<std::size_t>(r)],
                       gameWord(kReserveFaceUpWord + r));
        }
    }

    if (gameWord(kDealBaseCardWord) == 1) {
        const auto card = order.dealTo(s.DestPiles, 0, 1);
        setFacesUp(foundationPile(0), 1);
        AddScore(1, false);
        if (card)
            for (int i = 0; i < kFoundationPiles; ++i)
                setGameWord(kFoundationBaseWord + i, CardRank(*card));
    }

    for (int pile = 0; pile < kTableauPiles; ++pile) {
        if (gameWord(kTableauBaseWord + pile) == 91)
            setGameWord(kTableauBaseWord + pile, PrevRank(gameWord(kFoundationBaseWord)));
    }

    if (gameWord(kDealFoundationCardWord) == 1) {
        order.dealTo(s.DestPiles, 0, 1);
        setFacesUp(foundationPile(0), 1);
        AddScore(1, false);
    }

    const int kind = gameWord(kGameKindWord);
    if (kind == 11)
        sortAcesOutOfReserveAndWaste();
    const int startCode = gameWord(kFoundationStartWord);
    if (startCode == 93 || startCode == 94 || startCode == 95)
        postDealFoundationPass();
    if (startCode == 96)
        replaceAcesFromStock();
    if (kind == 22)
        placeHeartQueenAndKing(order);

    switch (gameWord(kDealAdjustmentWord)) {
    case 1:
        moveKingsToStock(s.FilaPiles);
        moveKingsToStock(s.DestPiles);
        break;
    case 2:
        dealRowsStartedBy(order, kKing);
        break;
    case 4:
        dealRowsStartedBy(order, kQueen);
        break;
    case 3:
        dealDistinctRanks();
        break;
    default:
        break;
    }

    AddScore(gameWord(kScoreBaseWord), false);
    mainWindow.TableReady = true; // the table may be drawn from now on
    return true;
}

} // namespace solitaire
