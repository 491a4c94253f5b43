// The build rules, case by case as the rule tables state them: what each rule code, base
// code and direction accepts and refuses, the per-pile drop checks and the group checks.

#include "solitaire/engine/rules.h"

#include "engine_fixture.h"

#include "platform/app/messagebox.h"
#include "solitaire/engine/cards.h"

#include <initializer_list>
#include <string>

namespace solitaire {
namespace {

// Card codes by suit and rank; the second deck adds 52.
constexpr int H(int rank) {
    return rank;
}
constexpr int D(int rank) {
    return 13 + rank;
}
constexpr int C(int rank) {
    return 26 + rank;
}
constexpr int S(int rank) {
    return 39 + rank;
}
constexpr int second(int card) {
    return card + 52;
}
constexpr int kEmpty = kEmptyPileTop;

std::string codes(std::initializer_list<int> cards) {
    std::string pile;
    for (const int card : cards)
        pile += fnIntZeroPad(card, 3);
    return pile;
}
// The hearts from the ace up to rank, bottom first.
std::string heartsUpTo(int rank) {
    std::string pile;
    for (int r = 1; r <= rank; ++r)
        pile += fnIntZeroPad(H(r), 3);
    return pile;
}
std::string& foundationPile(int index) {
    return sharedObjects.DestPiles.at(static_cast<std::size_t>(index));
}
std::string& tableauPile(int index) {
    return sharedObjects.FilaPiles.at(static_cast<std::size_t>(index));
}
std::string& reservePile(int index) {
    return sharedObjects.AppoggPiles.at(static_cast<std::size_t>(index));
}
std::string& stockPile() {
    return sharedObjects.MazzoPiles.at(kStockLine);
}
std::string& wastePile() {
    return sharedObjects.MazzoPiles.at(kWasteLine);
}
void setWord(int number, int value) {
    gameDefinition.at(static_cast<std::size_t>(number)) = static_cast<std::int16_t>(value);
}

class RulesTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        setPileCounts(8, 4);
        setWord(261, 4);
        mainWindow.CardHeight = 96;
        mainWindow.DragHeight = 96; // one card
        StockDealCount = 0;
    }
    static void dragGroup() { mainWindow.DragHeight = 140; }
};

// One call of CanBuildOn. Unless a case says otherwise the target is tableau pile 1, built
// down, base code 0 (an empty pile takes nothing by its base), start rank 1, no building on
// the start rank, a drop. arrange puts cards where the case needs them.
struct BuildCase {
    const char* name;
    int rule;
    int under;
    int moving;
    bool accepted;
    int direction = kBuildDown;
    int base = 0;
    int start = 1;
    bool mayBuildOnBase = false;
    bool foundation = false;
    bool isDrop = true;
    int index = 0;
    void (*arrange)() = nullptr;
};
void PrintTo(const BuildCase& c, std::ostream* out) {
    *out << "rule " << c.rule << ": " << c.name;
}

class BuildRule : public RulesTest, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(BuildRule, DecidesAsTheRuleTableSays) {
    const BuildCase& c = GetParam();
    setWord(261, 9); // enough foundations for the rules that look further along
    if (c.arrange)
        c.arrange();
    EXPECT_EQ(CanBuildOn(c.under, c.moving, c.base, c.isDrop, c.index, c.mayBuildOnBase,
                         c.foundation, c.rule, c.direction, c.start),
              c.accepted);
}

// clang-format off
// Rule codes with their own test.
const BuildCase kOwnTests[] = {
    {.name = "never on itself", .rule = 12, .under = H(5), .moving = H(5), .accepted = false},
    {.name = "refuses", .rule = 4, .under = H(6), .moving = S(5), .accepted = false},
    {.name = "refuses on empty", .rule = 5, .under = kEmpty, .moving = S(5), .accepted = false, .base = -1},
    {.name = "empty pile, empty stock", .rule = 7, .under = kEmpty, .moving = S(5), .accepted = true},
    {.name = "stock not empty", .rule = 7, .under = kEmpty, .moving = S(5), .accepted = false,
     .arrange = [] { stockPile() = codes({H(9)}); }},
    {.name = "drop on a card", .rule = 7, .under = H(6), .moving = S(5), .accepted = false},
    {.name = "group pair: general path", .rule = 7, .under = H(6), .moving = S(5), .accepted = true, .isDrop = false},
    {.name = "general path, one down", .rule = 8, .under = H(6), .moving = C(5), .accepted = true},
    {.name = "general path, one up refused", .rule = 13, .under = H(6), .moving = C(7), .accepted = false},
    {.name = "queen on king", .rule = 11, .under = H(13), .moving = H(12), .accepted = false},
    {.name = "queen on jack", .rule = 11, .under = H(11), .moving = H(12), .accepted = false, .direction = kBuildUp},
    {.name = "same suit up", .rule = 11, .under = H(10), .moving = H(11), .accepted = true, .direction = kBuildUp},
    {.name = "other suit", .rule = 11, .under = H(10), .moving = D(11), .accepted = false, .direction = kBuildUp},
    {.name = "empty pile, no base", .rule = 12, .under = kEmpty, .moving = S(9), .accepted = true},
    {.name = "anything", .rule = 12, .under = H(2), .moving = S(9), .accepted = true},
    {.name = "jack takes king", .rule = 14, .under = H(11), .moving = S(13), .accepted = true},
    {.name = "queen takes ace", .rule = 14, .under = H(12), .moving = D(1), .accepted = true},
    {.name = "queen takes no two", .rule = 14, .under = H(12), .moving = D(2), .accepted = false},
    {.name = "five takes eight", .rule = 15, .under = H(5), .moving = C(8), .accepted = true},
    {.name = "jack takes ace", .rule = 15, .under = H(11), .moving = C(1), .accepted = true},
    {.name = "five takes no seven", .rule = 15, .under = H(5), .moving = C(7), .accepted = false},
    {.name = "nine takes king", .rule = 16, .under = H(9), .moving = C(13), .accepted = true},
    {.name = "ten takes ace", .rule = 16, .under = H(10), .moving = C(1), .accepted = true},
    {.name = "nine takes no queen", .rule = 16, .under = H(9), .moving = C(12), .accepted = false},
    {.name = "from a tableau pile", .rule = 17, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { tableauPile(1) = codes({C(5)}); }},
    {.name = "from the waste", .rule = 17, .under = H(6), .moving = C(9), .accepted = true,
     .arrange = [] { wastePile() = codes({C(9)}); }},
    {.name = "tableau card on a card", .rule = 18, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { tableauPile(1) = codes({C(5)}); }},
    {.name = "tableau card on empty", .rule = 18, .under = kEmpty, .moving = C(5), .accepted = true,
     .arrange = [] { tableauPile(1) = codes({C(5)}); }},
    {.name = "reserve card on a card", .rule = 18, .under = H(6), .moving = C(5), .accepted = true,
     .arrange = [] { reservePile(0) = codes({C(5)}); }},
    {.name = "from a reserve", .rule = 19, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { reservePile(0) = codes({C(5)}); }},
    {.name = "from a tableau pile", .rule = 19, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { tableauPile(1) = codes({C(5)}); }},
    {.name = "from the waste", .rule = 19, .under = H(6), .moving = C(5), .accepted = true,
     .arrange = [] { wastePile() = codes({C(5)}); }},
    {.name = "waste card on one card", .rule = 33, .under = H(6), .moving = C(5), .accepted = true,
     .arrange = [] { wastePile() = codes({C(5)}); tableauPile(0) = codes({H(6)}); }},
    {.name = "pile of two", .rule = 33, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { wastePile() = codes({C(5)}); tableauPile(0) = codes({H(8), H(6)}); }},
    {.name = "tableau card", .rule = 33, .under = kEmpty, .moving = C(5), .accepted = false,
     .arrange = [] { tableauPile(1) = codes({C(5)}); }},
    {.name = "one up", .rule = 20, .under = H(5), .moving = C(6), .accepted = true},
    {.name = "ace on empty", .rule = 20, .under = kEmpty, .moving = S(1), .accepted = true},
    {.name = "ace on king", .rule = 20, .under = H(13), .moving = S(1), .accepted = true},
    {.name = "one down", .rule = 20, .under = H(5), .moving = C(4), .accepted = false},
    {.name = "two on empty", .rule = 20, .under = kEmpty, .moving = S(2), .accepted = false},
    {.name = "same suit", .rule = 21, .under = H(6), .moving = H(5), .accepted = false},
    {.name = "other suit, down", .rule = 21, .under = H(6), .moving = D(5), .accepted = true},
    {.name = "empty: base code", .rule = 21, .under = kEmpty, .moving = H(1), .accepted = true, .base = 1},
    {.name = "waste holds a card", .rule = 23, .under = H(4), .moving = H(5), .accepted = false,
     .arrange = [] { wastePile() = codes({S(9)}); }},
    {.name = "empty pile", .rule = 23, .under = kEmpty, .moving = H(5), .accepted = false, .base = -1},
    {.name = "same suit up", .rule = 23, .under = H(4), .moving = H(5), .accepted = true},
    {.name = "other suit", .rule = 23, .under = H(4), .moving = D(5), .accepted = false},
    {.name = "queen on king", .rule = 24, .under = H(13), .moving = H(12), .accepted = false},
    {.name = "king on queen", .rule = 24, .under = H(12), .moving = H(13), .accepted = false, .direction = kBuildUp},
    {.name = "same suit down", .rule = 24, .under = H(6), .moving = H(5), .accepted = true},
    {.name = "other suit", .rule = 24, .under = H(6), .moving = D(5), .accepted = false},
    {.name = "empty counts as hearts", .rule = 24, .under = kEmpty, .moving = H(4), .accepted = true, .base = -1},
    {.name = "empty refuses spades", .rule = 24, .under = kEmpty, .moving = S(4), .accepted = false, .base = -1},
    {.name = "empty", .rule = 25, .under = kEmpty, .moving = S(4), .accepted = true},
    {.name = "up by two", .rule = 25, .under = H(5), .moving = H(7), .accepted = true, .direction = kBuildUp},
    {.name = "down by two", .rule = 25, .under = H(5), .moving = H(3), .accepted = true},
    {.name = "down pile refuses up", .rule = 25, .under = H(5), .moving = H(7), .accepted = false},
    {.name = "other suit", .rule = 25, .under = H(5), .moving = D(7), .accepted = false, .direction = kBuildUp},
    {.name = "empty", .rule = 26, .under = kEmpty, .moving = C(6), .accepted = false, .base = -1},
    {.name = "three cards", .rule = 26, .under = H(5), .moving = C(6), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(9), H(8), H(5)}); }},
    {.name = "one up", .rule = 26, .under = H(5), .moving = C(6), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(5)}); }},
    {.name = "one down", .rule = 26, .under = H(5), .moving = C(4), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(9), H(5)}); }},
    {.name = "two up", .rule = 26, .under = H(5), .moving = C(7), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(5)}); }},
    {.name = "from a foundation", .rule = 27, .under = H(6), .moving = S(5), .accepted = false,
     .arrange = [] { foundationPile(0) = codes({S(5)}); }},
    {.name = "from a reserve", .rule = 27, .under = H(6), .moving = S(5), .accepted = false,
     .arrange = [] { reservePile(0) = codes({S(5)}); }},
    {.name = "alternate colours", .rule = 27, .under = H(6), .moving = S(5), .accepted = true,
     .arrange = [] { tableauPile(1) = codes({S(5)}); }},
    {.name = "same colour", .rule = 27, .under = H(6), .moving = D(5), .accepted = false,
     .arrange = [] { tableauPile(1) = codes({D(5)}); }},
    {.name = "empty", .rule = 28, .under = kEmpty, .moving = S(8), .accepted = true},
    {.name = "two on ace", .rule = 28, .under = H(1), .moving = H(2), .accepted = true},
    {.name = "no king on ace", .rule = 28, .under = H(1), .moving = H(13), .accepted = false},
    {.name = "queen on king", .rule = 28, .under = H(13), .moving = H(12), .accepted = true},
    {.name = "other suit", .rule = 28, .under = H(5), .moving = D(6), .accepted = false},
    {.name = "empty: free ace base", .rule = 29, .under = kEmpty, .moving = H(1), .accepted = true, .base = 81,
     .foundation = true},
    {.name = "empty: not an ace", .rule = 29, .under = kEmpty, .moving = H(2), .accepted = false, .base = 81,
     .foundation = true},
    {.name = "twelve cards: up", .rule = 29, .under = H(12), .moving = H(13), .accepted = true, .foundation = true,
     .arrange = [] { foundationPile(0) = heartsUpTo(12); }},
    {.name = "thirteen cards: a king", .rule = 29, .under = H(13), .moving = second(H(13)), .accepted = true,
     .foundation = true,
     .arrange = [] { foundationPile(0) = heartsUpTo(13); }},
    {.name = "thirteen cards: no ace", .rule = 29, .under = H(13), .moving = second(H(1)), .accepted = false,
     .foundation = true,
     .arrange = [] { foundationPile(0) = heartsUpTo(13); }},
    {.name = "fourteen cards: down", .rule = 29, .under = second(H(13)), .moving = second(H(12)), .accepted = true,
     .foundation = true,
     .arrange = [] { foundationPile(0) = heartsUpTo(13) + codes({second(H(13))}); }},
    {.name = "other suit", .rule = 29, .under = H(2), .moving = D(3), .accepted = false, .foundation = true,
     .arrange = [] { foundationPile(0) = codes({H(1), H(2)}); }},
    {.name = "empty", .rule = 30, .under = kEmpty, .moving = H(6), .accepted = false, .base = -1},
    {.name = "ace on king", .rule = 30, .under = H(13), .moving = H(1), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(13)}); }},
    {.name = "other suit", .rule = 30, .under = H(5), .moving = D(6), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(5)}); }},
    {.name = "one card: up", .rule = 30, .under = H(5), .moving = H(6), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(5)}); }},
    {.name = "one card: down", .rule = 30, .under = H(5), .moving = H(4), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(5)}); }},
    {.name = "going down goes on down", .rule = 30, .under = H(6), .moving = H(5), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(7), H(6)}); }},
    {.name = "going down refuses up", .rule = 30, .under = H(6), .moving = second(H(7)), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(7), H(6)}); }},
    {.name = "going up goes on up", .rule = 30, .under = H(6), .moving = H(7), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(5), H(6)}); }},
    {.name = "going up refuses down", .rule = 30, .under = H(6), .moving = second(H(5)), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(5), H(6)}); }},
    {.name = "nothing on an ace", .rule = 31, .under = H(1), .moving = H(13), .accepted = false},
    {.name = "same suit down", .rule = 31, .under = H(5), .moving = H(4), .accepted = true},
    {.name = "other suit", .rule = 31, .under = H(5), .moving = D(4), .accepted = false},
    {.name = "nothing on a king", .rule = 32, .under = H(13), .moving = H(1), .accepted = false},
    {.name = "same suit up", .rule = 32, .under = H(5), .moving = H(6), .accepted = true},
    {.name = "two up", .rule = 32, .under = H(5), .moving = H(7), .accepted = false},
    {.name = "alternate colours down", .rule = 34, .under = H(6), .moving = S(5), .accepted = true},
    {.name = "same colour", .rule = 34, .under = H(6), .moving = D(5), .accepted = false},
    {.name = "empty: base code", .rule = 34, .under = kEmpty, .moving = S(13), .accepted = true, .base = 13},
    {.name = "ace on king", .rule = 35, .under = H(13), .moving = C(1), .accepted = true},
    {.name = "one down, any suit", .rule = 35, .under = H(5), .moving = C(4), .accepted = true},
    {.name = "two up", .rule = 35, .under = H(5), .moving = C(7), .accepted = false},
    {.name = "empty: base code", .rule = 35, .under = kEmpty, .moving = C(7), .accepted = true, .base = -1},
    {.name = "empty first: start rank", .rule = 36, .under = kEmpty, .moving = C(5), .accepted = true, .start = 5,
     .foundation = true},
    {.name = "empty first: other rank", .rule = 36, .under = kEmpty, .moving = C(6), .accepted = false, .start = 5,
     .foundation = true},
    {.name = "empty second, first empty", .rule = 36, .under = kEmpty, .moving = C(5), .accepted = false,
     .start = 5, .foundation = true, .index = 1},
    {.name = "empty second, first started", .rule = 36, .under = kEmpty, .moving = C(5), .accepted = true,
     .start = 5, .foundation = true, .index = 1, .arrange = [] { foundationPile(0) = codes({D(5)}); }},
    {.name = "one down", .rule = 36, .under = H(6), .moving = C(5), .accepted = true, .foundation = true},
    {.name = "king on ace", .rule = 36, .under = H(1), .moving = C(13), .accepted = true, .foundation = true},
    {.name = "one up", .rule = 36, .under = H(6), .moving = C(7), .accepted = false, .foundation = true},
    {.name = "double", .rule = 37, .under = H(4), .moving = C(8), .accepted = true, .foundation = true},
    {.name = "double wraps", .rule = 37, .under = H(7), .moving = C(1), .accepted = true, .foundation = true},
    {.name = "not double", .rule = 37, .under = H(4), .moving = C(9), .accepted = false, .foundation = true},
    {.name = "king once 48 cards are on the first", .rule = 37, .under = H(5), .moving = C(13), .accepted = true,
     .foundation = true, .arrange = [] { foundationPile(0) = std::string(48 * 3, '1'); }},
    {.name = "no king with 47 cards", .rule = 37, .under = H(5), .moving = C(13), .accepted = false,
     .foundation = true, .arrange = [] { foundationPile(0) = std::string(47 * 3, '1'); }},
    {.name = "waste not empty", .rule = 38, .under = kEmpty, .moving = C(13), .accepted = false,
     .arrange = [] { wastePile() = codes({S(2)}); }},
    {.name = "empty takes king", .rule = 38, .under = kEmpty, .moving = C(13), .accepted = true},
    {.name = "empty refuses queen", .rule = 38, .under = kEmpty, .moving = C(12), .accepted = false},
    {.name = "lone king takes a five", .rule = 38, .under = H(13), .moving = C(5), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(13)}); }},
    {.name = "lone king refuses a queen", .rule = 38, .under = H(13), .moving = C(12), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(13)}); }},
    {.name = "two cards", .rule = 38, .under = H(13), .moving = C(5), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(2), H(13)}); }},
    {.name = "empty takes ace", .rule = 39, .under = kEmpty, .moving = C(1), .accepted = true},
    {.name = "empty refuses two", .rule = 39, .under = kEmpty, .moving = C(2), .accepted = false},
    {.name = "one up", .rule = 39, .under = H(5), .moving = C(6), .accepted = true},
    {.name = "no queen", .rule = 39, .under = H(11), .moving = C(12), .accepted = false},
    {.name = "rank of the deal count", .rule = 40, .under = H(9), .moving = C(5), .accepted = true,
     .arrange = [] { StockDealCount = 18; stockPile() = codes({S(1), S(2)}); }},
    {.name = "other rank", .rule = 40, .under = H(9), .moving = C(6), .accepted = false,
     .arrange = [] { StockDealCount = 18; stockPile() = codes({S(1), S(2)}); }},
    {.name = "remainder 0: king", .rule = 40, .under = H(9), .moving = C(13), .accepted = true,
     .arrange = [] { StockDealCount = 26; stockPile() = codes({S(1), S(2)}); }},
    {.name = "last card of stock and waste", .rule = 40, .under = H(9), .moving = C(3), .accepted = true,
     .arrange = [] { StockDealCount = 18; wastePile() = codes({S(2)}); }},
    {.name = "empty: base rank, suit free", .rule = 41, .under = kEmpty, .moving = H(1), .accepted = true, .base = 1,
     .foundation = true, .arrange = [] { foundationPile(1) = codes({D(1), D(3)}); }},
    {.name = "empty: suit taken", .rule = 41, .under = kEmpty, .moving = H(1), .accepted = false, .base = 1,
     .foundation = true, .arrange = [] { foundationPile(2) = codes({H(3)}); }},
    {.name = "empty high: foundations 5-8", .rule = 41, .under = kEmpty, .moving = H(1), .accepted = false,
     .base = 1, .foundation = true, .index = 5,
     .arrange = [] { foundationPile(2) = codes({D(1)}); foundationPile(7) = codes({H(3)}); }},
    {.name = "empty: other rank", .rule = 41, .under = kEmpty, .moving = H(2), .accepted = false, .base = 1,
     .foundation = true},
    {.name = "up two", .rule = 41, .under = H(5), .moving = H(7), .accepted = true, .foundation = true},
    {.name = "up two wraps", .rule = 41, .under = H(12), .moving = H(1), .accepted = true, .foundation = true},
    {.name = "other suit", .rule = 41, .under = H(5), .moving = D(7), .accepted = false, .foundation = true},
    {.name = "same suit up", .rule = 42, .under = H(5), .moving = H(6), .accepted = true, .foundation = true},
    {.name = "other suit", .rule = 42, .under = H(5), .moving = D(6), .accepted = false, .foundation = true},
    {.name = "king: king six further", .rule = 42, .under = H(12), .moving = H(13), .accepted = true,
     .foundation = true, .index = 1, .arrange = [] { foundationPile(7) = codes({S(12), S(13)}); }},
    {.name = "king: no king six further", .rule = 42, .under = H(12), .moving = H(13), .accepted = false,
     .foundation = true, .index = 1, .arrange = [] { foundationPile(7) = codes({S(12)}); }},
    {.name = "king: no foundation six further", .rule = 42, .under = H(12), .moving = H(13), .accepted = false,
     .foundation = true, .index = 3},
    {.name = "up two", .rule = 43, .under = H(5), .moving = H(7), .accepted = true},
    {.name = "up one", .rule = 43, .under = H(5), .moving = H(6), .accepted = false},
    {.name = "empty takes ace", .rule = 44, .under = kEmpty, .moving = S(1), .accepted = true},
    {.name = "one up", .rule = 44, .under = H(5), .moving = C(6), .accepted = true},
    {.name = "no king", .rule = 44, .under = H(12), .moving = C(13), .accepted = false},
    {.name = "waste not empty", .rule = 45, .under = kEmpty, .moving = C(13), .accepted = false,
     .arrange = [] { wastePile() = codes({S(2)}); }},
    {.name = "empty takes king", .rule = 45, .under = kEmpty, .moving = C(13), .accepted = true},
    {.name = "empty refuses queen", .rule = 45, .under = kEmpty, .moving = C(12), .accepted = false},
    {.name = "no king on a card", .rule = 45, .under = H(2), .moving = C(13), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(2)}); }},
    {.name = "lone card takes any", .rule = 45, .under = H(2), .moving = C(9), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(2)}); }},
    {.name = "two cards: one down", .rule = 45, .under = H(6), .moving = C(5), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(2), H(6)}); }},
    {.name = "two cards: one up", .rule = 45, .under = H(6), .moving = C(7), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(2), H(6)}); }},
    {.name = "one up", .rule = 46, .under = H(5), .moving = C(6), .accepted = true, .foundation = true},
    {.name = "no queen", .rule = 46, .under = H(11), .moving = C(12), .accepted = false, .foundation = true},
    {.name = "empty: base rank", .rule = 46, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true},
    {.name = "empty: other rank", .rule = 46, .under = kEmpty, .moving = C(8), .accepted = false, .base = 7,
     .foundation = true},
    {.name = "empty, pile beside empty", .rule = 49, .under = kEmpty, .moving = C(7), .accepted = false, .base = 7,
     .foundation = true},
    {.name = "empty, pile beside dealt", .rule = 49, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true, .arrange = [] { tableauPile(0) = codes({H(3)}); }},
    {.name = "empty, bottom of its suit", .rule = 51, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true, .arrange = [] { tableauPile(0) = codes({C(3), H(9)}); }},
    {.name = "empty, bottom of another suit", .rule = 51, .under = kEmpty, .moving = C(7), .accepted = false,
     .base = 7, .foundation = true, .arrange = [] { tableauPile(0) = codes({H(9), C(3)}); }},
    {.name = "one down", .rule = 47, .under = H(6), .moving = C(5), .accepted = true, .foundation = true},
    {.name = "king on ace", .rule = 47, .under = H(1), .moving = C(13), .accepted = true, .foundation = true},
    {.name = "no queen", .rule = 47, .under = H(13), .moving = C(12), .accepted = false, .foundation = true},
    {.name = "empty: base rank", .rule = 47, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true},
    {.name = "low foundation has no pile 8 back", .rule = 50, .under = kEmpty, .moving = C(7), .accepted = false,
     .base = 7, .foundation = true, .index = 2, .arrange = [] { tableauPile(2) = codes({H(3)}); }},
    {.name = "pile 8 back dealt", .rule = 50, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true, .index = 8, .arrange = [] { tableauPile(0) = codes({H(3)}); }},
    {.name = "pile 8 back of another suit", .rule = 52, .under = kEmpty, .moving = C(7), .accepted = false,
     .base = 7, .foundation = true, .index = 8, .arrange = [] { tableauPile(0) = codes({H(3)}); }},
    {.name = "pile 8 back of its suit", .rule = 52, .under = kEmpty, .moving = C(7), .accepted = true, .base = 7,
     .foundation = true, .index = 8, .arrange = [] { tableauPile(0) = codes({C(3)}); }},
    {.name = "low foundation, suit", .rule = 52, .under = kEmpty, .moving = C(7), .accepted = false, .base = 7,
     .foundation = true, .index = 0, .arrange = [] { tableauPile(0) = codes({C(3)}); }},
    {.name = "waste not empty", .rule = 48, .under = kEmpty, .moving = C(12), .accepted = false,
     .arrange = [] { wastePile() = codes({S(2)}); }},
    {.name = "empty takes queen", .rule = 48, .under = kEmpty, .moving = C(12), .accepted = true},
    {.name = "lone queen takes a five", .rule = 48, .under = H(12), .moving = C(5), .accepted = true,
     .arrange = [] { tableauPile(0) = codes({H(12)}); }},
    {.name = "lone queen refuses a queen", .rule = 48, .under = H(12), .moving = C(12), .accepted = false,
     .arrange = [] { tableauPile(0) = codes({H(12)}); }},
    {.name = "foundation before not complete", .rule = 53, .under = kEmpty, .moving = C(7), .accepted = false,
     .base = 7, .foundation = true, .index = 1, .arrange = [] { foundationPile(0) = std::string(12 * 3, '1'); }},
    {.name = "foundation before complete", .rule = 53, .under = kEmpty, .moving = C(7), .accepted = true,
     .base = 7, .foundation = true, .index = 1, .arrange = [] { foundationPile(0) = std::string(13 * 3, '1'); }},
    {.name = "ace on king", .rule = 53, .under = H(13), .moving = C(1), .accepted = true, .foundation = true},
    {.name = "one up", .rule = 53, .under = H(5), .moving = C(6), .accepted = true, .foundation = true},
    {.name = "two up", .rule = 53, .under = H(5), .moving = C(7), .accepted = false, .foundation = true},
    {.name = "from a reserve", .rule = 54, .under = H(6), .moving = C(5), .accepted = false,
     .arrange = [] { reservePile(0) = codes({C(5)}); }},
    {.name = "empty: base rank", .rule = 54, .under = kEmpty, .moving = C(9), .accepted = true, .base = 9},
    {.name = "empty: any with base -1", .rule = 54, .under = kEmpty, .moving = C(2), .accepted = true, .base = -1},
    {.name = "empty: other rank", .rule = 54, .under = kEmpty, .moving = C(2), .accepted = false, .base = 9},
    {.name = "one down", .rule = 54, .under = H(6), .moving = C(5), .accepted = true},
    {.name = "king on ace with flag 1", .rule = 54, .under = H(1), .moving = C(13), .accepted = true,
     .arrange = [] { setWord(178, 1); }},
    {.name = "king on ace with flag 2", .rule = 54, .under = H(1), .moving = C(13), .accepted = false,
     .arrange = [] { setWord(178, 2); }},
    {.name = "empty: base rank", .rule = 55, .under = kEmpty, .moving = C(5), .accepted = true, .base = 5},
    {.name = "two waste cards", .rule = 55, .under = kEmpty, .moving = C(5), .accepted = false, .base = 5,
     .arrange = [] { wastePile() = codes({S(2), C(5)}); }},
    {.name = "the one waste card", .rule = 55, .under = kEmpty, .moving = C(5), .accepted = true, .base = 5,
     .arrange = [] { wastePile() = codes({C(5)}); }},
    {.name = "not the one waste card", .rule = 55, .under = kEmpty, .moving = C(5), .accepted = false, .base = 5,
     .arrange = [] { wastePile() = codes({S(2)}); tableauPile(1) = codes({C(5)}); }},
    {.name = "same colour up", .rule = 55, .under = H(5), .moving = D(6), .accepted = true},
    {.name = "other colour", .rule = 55, .under = H(5), .moving = S(6), .accepted = false},
    {.name = "same rank", .rule = 56, .under = H(5), .moving = S(5), .accepted = true},
    {.name = "empty", .rule = 56, .under = kEmpty, .moving = S(5), .accepted = false, .base = -1},
    {.name = "other rank", .rule = 56, .under = H(5), .moving = S(6), .accepted = false},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(OwnTests, BuildRule, ::testing::ValuesIn(kOwnTests));

// The general path: the base code of an empty pile, the suit or colour of the rule code,
// the direction.
// clang-format off
const BuildCase kGeneralPath[] = {
    {.name = "81 takes an ace", .rule = 2, .under = kEmpty, .moving = H(1), .accepted = true, .base = 81},
    {.name = "81 refuses a king", .rule = 2, .under = kEmpty, .moving = H(13), .accepted = false, .base = 81},
    {.name = "84 takes a king", .rule = 2, .under = kEmpty, .moving = H(13), .accepted = true, .base = 84},
    {.name = "85 takes an ace", .rule = 2, .under = kEmpty, .moving = S(1), .accepted = true, .base = 85},
    {.name = "82 takes nothing", .rule = 2, .under = kEmpty, .moving = S(1), .accepted = false, .base = 82},
    {.name = "83 takes nothing", .rule = 2, .under = kEmpty, .moving = S(13), .accepted = false, .base = 83},
    {.name = "86 takes one card", .rule = 2, .under = kEmpty, .moving = S(4), .accepted = true, .base = 86},
    {.name = "86 refuses a group", .rule = 2, .under = kEmpty, .moving = S(4), .accepted = false, .base = 86,
     .arrange = [] { mainWindow.DragHeight = 130; }},
    {.name = "87 takes from the waste", .rule = 2, .under = kEmpty, .moving = S(4), .accepted = true, .base = 87,
     .arrange = [] { wastePile() = codes({S(4)}); }},
    {.name = "87 refuses from a pile", .rule = 2, .under = kEmpty, .moving = S(4), .accepted = false, .base = 87,
     .arrange = [] { tableauPile(1) = codes({S(4)}); }},
    {.name = "92 matches every started foundation", .rule = 2, .under = kEmpty, .moving = S(4), .accepted = true,
     .base = 92, .arrange = [] { foundationPile(0) = codes({H(4), H(5)}); foundationPile(2) = codes({C(4)}); }},
    {.name = "92 other rank", .rule = 2, .under = kEmpty, .moving = S(5), .accepted = false, .base = 92,
     .arrange = [] { foundationPile(0) = codes({H(4), H(5)}); }},
    {.name = "rank base", .rule = 2, .under = kEmpty, .moving = S(7), .accepted = true, .base = 7},
    {.name = "rank base, other rank", .rule = 2, .under = kEmpty, .moving = S(8), .accepted = false, .base = 7},
    {.name = "-1 takes any", .rule = 2, .under = kEmpty, .moving = S(8), .accepted = true, .base = -1},
    {.name = "start rank -1 takes any", .rule = 2, .under = kEmpty, .moving = S(8), .accepted = true, .base = 0,
     .start = -1},
    {.name = "base 0 takes nothing", .rule = 2, .under = kEmpty, .moving = S(8), .accepted = false, .base = 0},
    {.name = "deal's empty top 0 is empty", .rule = 2, .under = 0, .moving = S(1), .accepted = true, .base = 1},
    {.name = "0: same suit", .rule = 0, .under = H(1), .moving = H(2), .accepted = true, .direction = kBuildUp,
     .foundation = true},
    {.name = "0: other suit", .rule = 0, .under = H(1), .moving = D(2), .accepted = false, .direction = kBuildUp,
     .foundation = true},
    {.name = "1: same colour", .rule = 1, .under = H(6), .moving = D(5), .accepted = true},
    {.name = "1: other colour", .rule = 1, .under = H(6), .moving = S(5), .accepted = false},
    {.name = "3: other colour", .rule = 3, .under = H(6), .moving = C(5), .accepted = true},
    {.name = "3: same colour", .rule = 3, .under = H(6), .moving = D(5), .accepted = false},
    {.name = "6: nothing on a card", .rule = 6, .under = H(6), .moving = C(5), .accepted = false},
    {.name = "6: empty by base", .rule = 6, .under = kEmpty, .moving = C(5), .accepted = true, .base = -1},
    {.name = "9: any suit", .rule = 9, .under = H(6), .moving = H(5), .accepted = true},
    {.name = "foundation up: ace on king", .rule = 2, .under = H(13), .moving = H(1), .accepted = true,
     .direction = kBuildUp, .base = 5, .foundation = true},
    {.name = "foundation base 1: no ace on king", .rule = 2, .under = H(13), .moving = H(1), .accepted = false,
     .direction = kBuildUp, .base = 1, .foundation = true},
    {.name = "foundation either: king ends the up test", .rule = 2, .under = H(13), .moving = H(12),
     .accepted = false, .direction = kBuildEither, .base = 5, .foundation = true},
    {.name = "foundation down: king on ace", .rule = 2, .under = H(1), .moving = H(13), .accepted = true,
     .direction = kBuildDown, .base = 5, .foundation = true},
    {.name = "foundation base 13: no king on ace", .rule = 2, .under = H(1), .moving = H(13), .accepted = false,
     .direction = kBuildDown, .base = 13, .foundation = true},
    {.name = "foundation either: down", .rule = 2, .under = H(7), .moving = H(6), .accepted = true,
     .direction = kBuildEither, .foundation = true},
    {.name = "foundation up refuses down", .rule = 2, .under = H(7), .moving = H(6), .accepted = false,
     .direction = kBuildUp, .foundation = true},
    {.name = "tableau up", .rule = 2, .under = H(7), .moving = C(8), .accepted = true, .direction = kBuildUp},
    {.name = "tableau up: nothing on the start rank", .rule = 2, .under = H(4), .moving = C(5), .accepted = false,
     .direction = kBuildUp, .start = 4},
    {.name = "tableau up: start rank allowed", .rule = 2, .under = H(4), .moving = C(5), .accepted = true,
     .direction = kBuildUp, .start = 4, .mayBuildOnBase = true},
    {.name = "tableau up: ace on king", .rule = 2, .under = H(13), .moving = C(1), .accepted = true,
     .direction = kBuildUp},
    {.name = "tableau either: ace on king", .rule = 2, .under = H(13), .moving = C(1), .accepted = true,
     .direction = kBuildEither},
    {.name = "tableau either: king still tries down", .rule = 2, .under = H(13), .moving = C(12),
     .accepted = true, .direction = kBuildEither},
    {.name = "tableau down", .rule = 2, .under = H(7), .moving = C(6), .accepted = true},
    {.name = "tableau down refuses up", .rule = 2, .under = H(7), .moving = C(8), .accepted = false},
    {.name = "tableau down: nothing on an ace (start rank)", .rule = 2, .under = H(1), .moving = C(13),
     .accepted = false},
    {.name = "tableau down: king on ace when allowed", .rule = 2, .under = H(1), .moving = C(13),
     .accepted = true, .mayBuildOnBase = true},
    {.name = "tableau down: ace base 81 blocks", .rule = 2, .under = H(1), .moving = C(13), .accepted = false,
     .start = 81},
    {.name = "tableau down: ace takes only a king", .rule = 2, .under = H(1), .moving = C(2), .accepted = false,
     .mayBuildOnBase = true},
    {.name = "unknown direction", .rule = 2, .under = H(7), .moving = C(6), .accepted = false, .direction = 3},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(GeneralPath, BuildRule, ::testing::ValuesIn(kGeneralPath));

TEST_F(RulesTest, FoundationBasesKeepColoursEvenAndSuitsDistinct) {
    for (int i = 0; i < 4; ++i)
        setWord(36 + i, 81);
    // Two red aces started: only black ones may follow.
    foundationPile(0) = codes({H(1)});
    foundationPile(1) = codes({D(1), D(2)});
    EXPECT_FALSE(CheckFoundationBases(81, second(H(1))));
    EXPECT_TRUE(CheckFoundationBases(81, S(1)));
    // 84 and 85 also want each suit once.
    for (int i = 0; i < 4; ++i)
        setWord(36 + i, 85);
    foundationPile(1) = codes({S(1)});
    EXPECT_FALSE(CheckFoundationBases(85, second(S(1))));
    EXPECT_TRUE(CheckFoundationBases(85, C(1)));
    EXPECT_FALSE(CheckFoundationBases(85, S(2)));
    EXPECT_FALSE(CheckFoundationBases(84, C(1)));
    // No foundation of the code started yet: any ace.
    foundationPile(0).clear();
    foundationPile(1).clear();
    EXPECT_TRUE(CheckFoundationBases(85, C(1)));
}

TEST_F(RulesTest, FoundationBasesReportAnUnreadableBottomCard) {
    platform::app::ScriptedMessageBoxes boxes;
    setWord(36, 81);
    setWord(37, 81);
    foundationPile(0) = "000";
    EXPECT_FALSE(CheckFoundationBases(81, H(1)));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error suit - 1");
}

TEST_F(RulesTest, DistinctSuitsOfFiveLooksAtTopCards) {
    foundationPile(0) = codes({H(1), H(3)});
    foundationPile(2) = codes({C(3)});
    EXPECT_TRUE(DistinctSuitsOfFive({0, 1, 2, 3}, S(3)));
    EXPECT_FALSE(DistinctSuitsOfFive({0, 1, 2, 3}, second(C(9))));
    EXPECT_TRUE(DistinctSuitsOfFive({4, 5, 6, 7}, C(9)));
}

TEST_F(RulesTest, FoundationDrops) {
    for (int i = 0; i < 4; ++i) {
        setWord(36 + i, 1);
        setWord(52 + i, kBuildUp);
    }
    setWord(25, 13);
    tableauPile(0) = codes({H(1)});
    EXPECT_TRUE(fnCanDropOnFoundation(0, H(1)));
    dragGroup();
    EXPECT_FALSE(fnCanDropOnFoundation(0, H(1))) << "a group never goes to a foundation";
    mainWindow.DragHeight = mainWindow.CardHeight;
    EXPECT_FALSE(fnCanDropOnFoundation(4, H(1))) << "the game has four foundations";
    EXPECT_FALSE(fnCanDropOnFoundation(-1, H(1)));

    foundationPile(1) = codes({D(1), D(2), D(3)});
    setWord(25, 3);
    EXPECT_FALSE(fnCanDropOnFoundation(1, D(4))) << "full";
    setWord(69, 20); // rule 20 is not held by the capacity
    EXPECT_TRUE(fnCanDropOnFoundation(1, D(4)));
    foundationPile(1) = std::string(51 * 3, '1') + codes({D(3)});
    EXPECT_FALSE(fnCanDropOnFoundation(1, D(4))) << "rule 20 stops at 52";

    setWord(70, 10);
    EXPECT_TRUE(fnCanDropOnFoundation(2, C(12)));
    EXPECT_FALSE(fnCanDropOnFoundation(2, C(11)));
    foundationPile(2) = codes({S(3)});
    EXPECT_FALSE(fnCanDropOnFoundation(2, C(12)));

    setWord(71, 22);
    foundationPile(3) = codes({S(9)});
    EXPECT_TRUE(fnCanDropOnFoundation(3, D(1))) << "rule 22 takes an ace";
    tableauPile(2) = codes({C(2), C(9)});
    EXPECT_TRUE(fnCanDropOnFoundation(3, C(5))) << "a higher club tops a pile";
    EXPECT_FALSE(fnCanDropOnFoundation(3, C(10)));
    tableauPile(3) = codes({C(1)});
    EXPECT_TRUE(fnCanDropOnFoundation(3, C(10))) << "a club ace tops a pile";
}

// Klondike-like tableau: down in alternate colours, a king on an empty pile.
class TableauDrops : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        setWord(36, 1);
        for (int p = 0; p < 8; ++p) {
            setWord(100 + p, 13);
            setWord(126 + p, kBuildDown);
            setWord(152 + p, 3);
        }
    }
};

TEST_F(TableauDrops, FollowThePileRules) {
    tableauPile(0) = codes({S(9), H(8)});
    tableauPile(1) = codes({C(7)});
    EXPECT_TRUE(fnCanDropOnTableau(0, C(7)));
    EXPECT_FALSE(fnCanDropOnTableau(0, D(7)));
    EXPECT_TRUE(fnCanDropOnTableau(2, S(13)));
    EXPECT_FALSE(fnCanDropOnTableau(2, S(12)));
    EXPECT_FALSE(fnCanDropOnTableau(8, S(13))) << "the game has eight piles";
    SetCardFaceFlag(H(8), kFaceDown);
    EXPECT_FALSE(fnCanDropOnTableau(0, C(7))) << "a face-down top takes nothing";
}

TEST_F(TableauDrops, RuleThirtyFourTakesOnlySingleCardsOnACard) {
    setWord(152, 34);
    tableauPile(0) = codes({H(8)});
    tableauPile(1) = codes({C(7), D(6)});
    EXPECT_TRUE(fnCanDropOnTableau(0, C(7)));
    dragGroup();
    EXPECT_FALSE(fnCanDropOnTableau(0, C(7)));
}

TEST_F(TableauDrops, GroupNeverGoesBackOnItsOwnPile) {
    tableauPile(0) = codes({S(9), H(8)});
    tableauPile(1) = codes({C(7), D(6)});
    engineScalars.DraggedGroupTop = H(8);
    EXPECT_FALSE(fnCanDropOnTableau(0, C(7)));
}

TEST_F(TableauDrops, FreeCellFormulaGroupToAnEmptyPileNeedsTheBaseCodeToo) {
    setWord(11, -5);
    setPileCounts(3, 2);
    tableauPile(0) = codes({S(2)});
    tableauPile(1) = codes({H(5), S(13), D(12), C(11)});
    dragGroup();
    // Room for three cards (two free cells and the target): the king-led group fits.
    EXPECT_TRUE(fnCanDropOnTableau(2, S(13)));
    EXPECT_EQ(engineScalars.DraggedGroupTop, C(11));
    // A queen-led group fits the room but not the empty pile's base code (a king).
    EXPECT_FALSE(fnCanDropOnTableau(2, D(12)));
    // Too big for the room.
    reservePile(0) = codes({H(2)});
    EXPECT_FALSE(fnCanDropOnTableau(2, S(13)));
}

TEST_F(RulesTest, ReserveDrops) {
    setWord(230, 0);
    EXPECT_TRUE(fnCanDropOnReserve(0, H(5)));
    reservePile(0) = codes({C(3)});
    EXPECT_FALSE(fnCanDropOnReserve(0, H(5))) << "an occupied cell";
    dragGroup();
    EXPECT_FALSE(fnCanDropOnReserve(1, H(5))) << "a group";
    mainWindow.DragHeight = mainWindow.CardHeight;
    EXPECT_FALSE(fnCanDropOnReserve(4, H(5))) << "the game has four reserves";

    setWord(231, 9);
    EXPECT_TRUE(fnCanDropOnReserve(1, H(11)));
    EXPECT_FALSE(fnCanDropOnReserve(1, H(10)));
    setWord(232, 4);
    EXPECT_FALSE(fnCanDropOnReserve(2, H(11)));

    // Rules 8 and 13 count the first reserve's cards, whichever is the target.
    setWord(233, 8);
    reservePile(3) = codes({D(2), D(3), D(4)});
    reservePile(0) = codes({C(3), C(4)});
    EXPECT_TRUE(fnCanDropOnReserve(3, S(13)));
    EXPECT_FALSE(fnCanDropOnReserve(3, S(12)));
    reservePile(0) = codes({C(3), C(4), C(5)});
    EXPECT_FALSE(fnCanDropOnReserve(3, S(13)));
    setWord(233, 13);
    EXPECT_TRUE(fnCanDropOnReserve(3, S(2)));
    reservePile(0) = codes({C(3), C(4), C(5), C(6), C(7)});
    EXPECT_FALSE(fnCanDropOnReserve(3, S(2)));
}

TEST_F(TableauDrops, PileNamesChooseTheCheck) {
    foundationPile(0).clear();
    setWord(52, kBuildUp);
    setWord(25, 13);
    EXPECT_TRUE(fnCanDropOnPile(H(1), "Dest1"));
    EXPECT_FALSE(fnCanDropOnPile(H(2), "Dest1"));
    EXPECT_TRUE(fnCanDropOnPile(S(13), "Fila03"));
    EXPECT_FALSE(fnCanDropOnPile(S(12), "Fila3"));
    EXPECT_TRUE(fnCanDropOnPile(S(12), "Appogg2"));
    EXPECT_FALSE(fnCanDropOnPile(S(13), "Fila27"));
    EXPECT_FALSE(fnCanDropOnPile(S(13), "Mazzo"));
    EXPECT_FALSE(fnCanDropOnPile(S(13), "Mazzo_Vis"));
}

TEST_F(TableauDrops, SequenceRuleChecksEveryPairOfTheGroup) {
    tableauPile(0) = codes({D(2), S(9), H(8), C(7), D(6)});
    setWord(2, 0);
    EXPECT_TRUE(fnCheckSequenceRule(D(2), 0)) << "word 2 = 0 asks for nothing";
    setWord(2, 1);
    EXPECT_TRUE(fnCheckSequenceRule(S(9), 0));
    EXPECT_FALSE(fnCheckSequenceRule(D(2), 0));
    EXPECT_TRUE(fnCheckSequenceRule(D(6), 0)) << "a single card";
    setWord(2, 10); // same suit, in the pile's direction
    EXPECT_FALSE(fnCheckSequenceRule(S(9), 0));
    tableauPile(1) = codes({C(9), C(8), C(7)});
    EXPECT_TRUE(fnCheckSequenceRule(C(9), 1));
    EXPECT_FALSE(fnCheckSequenceRule(C(9), 8)) << "no such pile";
}

struct GroupSizeCase {
    const char* name;
    int rule;
    int emptyTableaus; // of 4 piles, beside the group's pile
    int emptyReserves; // of 4
    int groupCards;
    bool toEmptyPile;
    bool allowed;
};
void PrintTo(const GroupSizeCase& c, std::ostream* out) {
    *out << "word 11 = " << c.rule << ": " << c.name;
}
class GroupSize : public RulesTest, public ::testing::WithParamInterface<GroupSizeCase> {};

TEST_P(GroupSize, FollowsWordEleven) {
    const GroupSizeCase& c = GetParam();
    setPileCounts(5, 4);
    setWord(11, c.rule);
    const int run[] = {S(13), H(12), C(11), D(10), S(9), H(8), C(7), D(6)};
    std::string group;
    for (int i = 0; i < c.groupCards; ++i)
        group += fnIntZeroPad(run[8 - c.groupCards + i], 3);
    tableauPile(0) = codes({H(2)}) + group;
    for (int p = 1; p < 5; ++p)
        tableauPile(p) = p <= c.emptyTableaus ? "" : codes({C(p)});
    for (int r = 0; r < 4; ++r)
        reservePile(r) = r < c.emptyReserves ? "" : codes({D(r + 1)});
    const int first = run[8 - c.groupCards];
    EXPECT_EQ(fnCheckGroupSize(first, c.toEmptyPile), c.allowed);
    EXPECT_EQ(engineScalars.DraggedGroupTop, D(6));
}

const GroupSizeCase kGroupSizes[] = {
    {"any size", -1, 0, 0, 8, false, true},
    {"fixed limit holds", 3, 0, 0, 3, false, true},
    {"fixed limit exceeded", 3, 4, 4, 4, false, false},
    {"limit 0 refuses even one card", 0, 0, 0, 1, false, false},
    {"king-led group", -12, 0, 0, 8, false, true},
    {"one card", -12, 0, 0, 1, false, true},
    {"group not led by a king", -12, 0, 0, 2, false, false},
    {"-5: no empty pile, two cells", -5, 0, 2, 3, false, true},
    {"-5: no empty pile, two cells, too many", -5, 0, 2, 4, false, false},
    {"-5: to the only empty pile", -5, 1, 2, 3, true, true},
    {"-5: to the only empty pile, too many", -5, 1, 2, 4, true, false},
    {"-5: an empty pile beside", -5, 1, 2, 4, false, true},
    {"-6: no empty pile", -6, 0, 2, 3, false, true},
    {"-6: empty piles count", -6, 2, 1, 3, false, true},
    {"-6: empty piles count, too many", -6, 2, 1, 4, false, false},
    {"other negative: empty piles", -3, 3, 0, 3, false, true},
    {"other negative: at least one", -3, 0, 0, 1, false, true},
    {"other negative: too many", -3, 0, 4, 2, false, false},
};
INSTANTIATE_TEST_SUITE_P(Word11, GroupSize, ::testing::ValuesIn(kGroupSizes));

TEST_F(RulesTest, GroupSizeOfACardNotOnAnyPile) {
    setWord(11, -12);
    EXPECT_FALSE(fnCheckGroupSize(S(13), false)) << "an empty group";
    EXPECT_EQ(engineScalars.DraggedGroupTop, 0);
}

} // namespace
} // namespace solitaire
