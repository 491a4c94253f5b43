#include "solitaire/engine/geometry.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>

namespace solitaire {

namespace {

enum class Group { Stock, Foundation, Tableau, Reserve };

constexpr int kUntidyPilesField = 179;
// Room kept free at the right edge of the table area by cards laid in lines.
constexpr int kAreaMargin = 12;

int cardWidth() {
    return mainWindow.CardWidth;
}
int cardHeight() {
    return mainWindow.CardHeight;
}

int codeCount(std::string_view pile) {
    return static_cast<int>(pile.size() / 3);
}
// The card of code j (0 the bottom card); 0 for an empty slot or a malformed code.
int cardAt(std::string_view pile, int j) {
    return std::max(CodeAt(pile, static_cast<std::size_t>(3 * j)), 0);
}
int topCard(std::string_view pile) {
    return pile.size() >= 3 ? cardAt(pile, codeCount(pile) - 1) : 0;
}

// A pile as geometry sees it: its group, 0-based number, origin, fan mode and cards.
struct PileSite {
    Group group;
    int index;
    int x;
    int y;
    int fanMode;
    std::string_view cards;
};

PileSite siteOf(Group group, int index, std::string_view cards) {
    switch (group) {
    case Group::Tableau:
        return {group, index, fnTableauX(index), fnTableauY(index), gameWord(kTableauFanWord),
                cards};
    case Group::Foundation:
        return {
            group, index, fnFoundationX(index), fnFoundationY(index), gameWord(kFoundationFanWord),
            cards};
    case Group::Reserve:
        return {group, index, fnReserveX(index), fnReserveY(index), gameWord(kReserveFanWord),
                cards};
    case Group::Stock:
        break;
    }
    return {group, index, fnStockPileX(index), fnStockPileY(index), 0, cards};
}

std::optional<PileSite> siteOf(std::string_view pileName) {
    const std::optional<PileLine> line = PileLineForName(pileName);
    if (!line)
        return std::nullopt;
    const std::string& cards = line->list->at(static_cast<std::size_t>(line->line));
    if (line->list == &sharedObjects.FilaPiles)
        return siteOf(Group::Tableau, line->line, cards);
    if (line->list == &sharedObjects.DestPiles)
        return siteOf(Group::Foundation, line->line, cards);
    if (line->list == &sharedObjects.AppoggPiles)
        return siteOf(Group::Reserve, line->line, cards);
    return siteOf(Group::Stock, line->line, cards);
}

std::string pileName(Group group, int index) {
    const char* prefix = group == Group::Tableau      ? "Fila"
                         : group == Group::Foundation ? "Dest"
                                                      : "Appogg";
    return prefix + std::to_string(index + 1);
}

int faceStepY(int card) {
    return fnIsFaceDown(card) ? engineScalars.FanDownY : engineScalars.FanUpY;
}
int faceStepX(int card) {
    return fnIsFaceDown(card) ? engineScalars.FanDownX : engineScalars.FanUpX;
}
int mode6Step(int card) {
    return fnIsFaceDown(card) ? engineScalars.Mode6OffsetB : engineScalars.Mode6Offset;
}

// The step after a card in a pile fanned down; 0 when the pile is not.
int verticalStep(const PileSite& site, int card) {
    const bool fanDown = site.fanMode == kFanDown;
    switch (site.group) {
    case Group::Tableau:
    case Group::Foundation:
        return fanDown ? faceStepY(card) : 0;
    case Group::Reserve:
        if (site.fanMode == kFanDownFixed)
            return engineScalars.Mode5Offset;
        return fanDown ? faceStepY(card) : 0;
    case Group::Stock:
        break;
    }
    return 0;
}

// The step after a card in a pile fanned to the right; 0 when the pile is not.
int horizontalStep(const PileSite& site, int card) {
    if (site.group == Group::Stock)
        return 0;
    switch (site.fanMode) {
    case kFanRight:
        return faceStepX(card);
    case kRow:
        return cardWidth() + engineScalars.RowGap;
    case kFanRightFixed:
        return site.group == Group::Tableau ? mode6Step(card) : 0;
    default:
        return 0;
    }
}

// Sum of the steps after the cards below the asked place: the cards in the first
// (length - 3 x depth) characters, without the last of them unless beyond.
template <typename Step> int fanOffset(const PileSite& site, int depth, bool beyond, Step step) {
    const int covered = static_cast<int>(site.cards.size()) - 3 * depth;
    const int cards = covered > 0 ? covered / 3 : 0;
    int offset = 0;
    for (int j = 0; j < (beyond ? cards : cards - 1); ++j)
        offset += step(site, cardAt(site.cards, j));
    return offset;
}

// Untidy tableau piles: the sideways step of the card with this number (1 the bottom).
int untidyShift(int pileIndex, int cardNumber) {
    if (fnReadSettingsField(kUntidyPilesField, 1) == "N" || gameWord(kTableauFanWord) != kFanDown ||
        pileIndex < 0)
        return 0;
    int column = cardNumber - 1;
    if (column < 0)
        return 0;
    if (column > 12)
        column %= 12;
    const int row = pileIndex > 6 ? pileIndex % 6 : pileIndex;
    return randomJitterRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// A tableau in fan mode 8 lays its cards side by side, CardWidth + RowGap apart, in lines
// that wrap at the right edge of the table area; each line lies one card height and one row
// gap below the one before. No card covers another.
bool flowsInLines(const PileSite& site) {
    return site.group == Group::Tableau && site.fanMode == kInLines;
}

// The place of card j (0 the bottom card) of such a pile.
std::pair<int, int> linePlace(const PileSite& site, int j) {
    const int gap = engineScalars.RowGap;
    const int pitch = cardWidth() + gap;
    const int room = mainWindow.Width - mainWindow.ScrollBarWidth - kAreaMargin - site.x;
    const int perLine = pitch > 0 ? std::max(1, (room + gap) / pitch) : 1;
    return {site.x + j % perLine * pitch, site.y + j / perLine * (cardHeight() + gap)};
}

// The place in such a pile asked for by depth and beyond.
std::pair<int, int> linePlace(const PileSite& site, int depth, bool beyond) {
    const int covered = static_cast<int>(site.cards.size()) - 3 * depth;
    const int cards = covered > 0 ? covered / 3 : 0;
    return linePlace(site, std::max(beyond ? cards : cards - 1, 0));
}

int cardY(const PileSite& site, int depth, bool beyond) {
    if (flowsInLines(site))
        return linePlace(site, depth, beyond).second;
    int y = site.y;
    const int covered = static_cast<int>(site.cards.size()) - 3 * depth;
    if (site.group == Group::Tableau && site.fanMode == kLoweredTableau && covered >= 3)
        y += engineScalars.FanUpY;
    return y + fanOffset(site, depth, beyond, verticalStep);
}

int cardX(const PileSite& site, int pileIndex, int depth, bool beyond) {
    if (flowsInLines(site))
        return linePlace(site, depth, beyond).first;
    int x = site.x + fanOffset(site, depth, beyond, horizontalStep);
    if (site.group == Group::Tableau) {
        const int length = static_cast<int>(site.cards.size());
        const int number = depth > 0 || beyond ? (length - 3 * depth) / 3 + 1 : length / 3;
        x += untidyShift(pileIndex, number);
    }
    return x;
}

int pileBottom(const PileSite& site) {
    return cardY(site, 0, false) + cardHeight();
}

} // namespace

int fnPileCardY(std::string_view pileName, int depth, bool beyond) {
    const auto site = siteOf(pileName);
    return site ? cardY(*site, depth, beyond) : kAbsentPile;
}

int fnPileCardX(std::string_view pileName, int pileIndex, int depth, bool beyond) {
    const auto site = siteOf(pileName);
    return site ? cardX(*site, pileIndex, depth, beyond) : kAbsentPile;
}

int fnPileBottom(std::string_view pileName) {
    const auto site = siteOf(pileName);
    return site ? pileBottom(*site) : kAbsentPile;
}

namespace {

CardUnderPoint cardUnderPoint(const PileSite& site, int pointX, int pointY) {
    const int count = codeCount(site.cards);
    if (count == 0)
        return {};
    if (flowsInLines(site)) {
        for (int j = 0; j < count; ++j) {
            const auto [x, y] = linePlace(site, j);
            if (x <= pointX && pointX <= x + cardWidth() && y <= pointY &&
                pointY <= y + cardHeight())
                return {cardAt(site.cards, j), x, y};
        }
        return {};
    }
    const int mode = site.fanMode;
    if (mode == kFanDown || mode == kSquared || mode == kFanDownFixed) {
        int y = site.y;
        for (int j = 0; j < count; ++j) {
            const int card = cardAt(site.cards, j);
            const bool top = j == count - 1;
            const int span = top                     ? cardHeight() - 1
                             : mode == kFanDownFixed ? engineScalars.Mode5Offset
                                                     : faceStepY(card);
            if (y <= pointY && pointY <= y + span) {
                if (mode == kSquared)
                    return {topCard(site.cards), site.x, site.y};
                return {card, cardX(site, site.index, count - 1 - j, false), y};
            }
            y += span;
        }
        return {};
    }
    int x = site.x;
    for (int j = 0; j < count; ++j) {
        const int card = cardAt(site.cards, j);
        const bool top = j == count - 1;
        int span = 0;
        if (mode == kRow)
            span = cardWidth();
        else if (top)
            span = cardWidth() - 1;
        else if (mode == kFanRight)
            span = faceStepX(card);
        else if (mode == kFanRightFixed)
            span = mode6Step(card);
        if (x <= pointX && pointX <= x + span)
            return {card, x, site.y};
        x += span + (mode == kRow ? engineScalars.RowGap : 0);
    }
    return {};
}

ClosedRect cardPlace(int x, int y) {
    return {x, y, x + cardWidth(), y + cardHeight()};
}

// The pile's own card band: down to its bottom, or along to its top card.
ClosedRect fanRect(const PileSite& site) {
    return {site.x, site.y, site.x + cardWidth(), pileBottom(site)};
}
ClosedRect rowRect(const PileSite& site) {
    return {site.x, site.y, cardX(site, site.index, 0, false) + cardWidth(), site.y + cardHeight()};
}
ClosedRect topCardRect(const PileSite& site) {
    const int bottom = pileBottom(site);
    return {site.x, bottom - cardHeight(), site.x + cardWidth(), bottom};
}

PileSite tableauSite(int k) {
    return siteOf(Group::Tableau, k, sharedObjects.FilaPiles.at(static_cast<std::size_t>(k)));
}
// Foundations and reserves have a place only when both coordinates are set: a layout that
// does not place the foundations still gives foundation 1 its row, and the selection games
// keep their chosen cards in that unplaced foundation.
bool placed(const PileSite& site) {
    return isPresentCoordinate(site.x) && isPresentCoordinate(site.y);
}

PileSite foundationSite(int i) {
    return siteOf(Group::Foundation, i, sharedObjects.DestPiles.at(static_cast<std::size_t>(i)));
}
PileSite reserveSite(int i) {
    return siteOf(Group::Reserve, i, sharedObjects.AppoggPiles.at(static_cast<std::size_t>(i)));
}

std::optional<TableHit> hitStockGroup(int x, int y) {
    static constexpr const char* kNames[] = {"Mazzo", "Mazzo_Vis", "Mazzo_Waste"};
    for (int slot = 0; slot < kStockGroupPiles; ++slot) {
        const PileSite site =
            siteOf(Group::Stock, slot, sharedObjects.MazzoPiles.at(static_cast<std::size_t>(slot)));
        if (!isPresentCoordinate(site.x))
            continue;
        const ClosedRect rect = cardPlace(site.x, site.y);
        if (rect.contains(x, y))
            return TableHit{kNames[slot], topCard(site.cards), rect};
    }
    return std::nullopt;
}

TableHit tableauHit(const PileSite& site, const CardUnderPoint& found) {
    return {pileName(Group::Tableau, site.index), found.card, cardPlace(found.x, found.y)};
}

std::optional<TableHit> hitTableau(int x, int y) {
    const int n = fnTableauCount();
    if (gameWord(kTableauFanWord) == kRow) {
        // Later rows lie over earlier ones where they meet: the last pile is tested first.
        for (int k = n - 1; k >= 0; --k) {
            const PileSite site = tableauSite(k);
            if (!isPresentCoordinate(site.x) || !rowRect(site).contains(x, y))
                continue;
            const CardUnderPoint found = cardUnderPoint(site, x, y);
            if (found.card != 0)
                return tableauHit(site, found);
        }
        return std::nullopt;
    }
    for (int k = 0; k < n; ++k) {
        const PileSite site = tableauSite(k);
        if (!isPresentCoordinate(site.x))
            continue;
        if (site.fanMode == kInLines) {
            // Cards in lines cover nothing: the first card whose place holds the point.
            if (const CardUnderPoint found = cardUnderPoint(site, x, y); found.card != 0)
                return tableauHit(site, found);
            continue;
        }
        ClosedRect rect = fanRect(site);
        if (site.fanMode == kFanRight || site.fanMode == kFanRightFixed)
            rect = rowRect(site);
        if (!rect.contains(x, y))
            continue;
        const CardUnderPoint found = cardUnderPoint(site, x, y);
        if (found.card != 0)
            return tableauHit(site, found);
        return std::nullopt;
    }
    return std::nullopt;
}

ClosedRect foundationRect(const PileSite& site) {
    if (site.fanMode == kFanDown || site.fanMode == kSquared)
        return topCardRect(site);
    const int tableauMode = gameWord(kTableauFanWord);
    if (tableauMode == kFanRight || tableauMode == kFanRightFixed)
        return {cardX(site, site.index, 0, false), site.y,
                cardX(site, site.index, 0, false) + cardWidth(), site.y + cardHeight()};
    return cardPlace(site.x, site.y); // no rectangle of its own: the plain card place
}

std::optional<TableHit> hitFoundations(int x, int y) {
    for (int i = 0; i < kFoundationPiles; ++i) {
        const PileSite site = foundationSite(i);
        if (!placed(site))
            continue;
        const ClosedRect rect = foundationRect(site);
        if (rect.contains(x, y))
            return TableHit{pileName(Group::Foundation, i), topCard(site.cards), rect};
    }
    return std::nullopt;
}

ClosedRect reserveRect(const PileSite& site) {
    if (site.fanMode == kFanRight) {
        const int left = cardX(site, site.index, 0, false);
        return {left, site.y, left + cardWidth(), site.y + cardHeight()};
    }
    return fanRect(site);
}

std::optional<TableHit> hitReserves(int x, int y) {
    for (int i = 0; i < fnReserveCount(); ++i) {
        const PileSite site = reserveSite(i);
        if (!placed(site) || site.cards.empty())
            continue;
        const ClosedRect rect = reserveRect(site);
        if (!rect.contains(x, y))
            continue;
        const CardUnderPoint found = cardUnderPoint(site, x, y);
        if (found.card == 0)
            continue;
        ClosedRect hitRect{found.x, found.y, rect.right, rect.bottom};
        if (gameWord(kReserveVariantWord) == kReserveAsRow)
            hitRect.bottom = found.y + cardHeight();
        return TableHit{pileName(Group::Reserve, i), found.card, hitRect};
    }
    return std::nullopt;
}

bool holdsCard(std::string_view pile, int card) {
    for (int j = 0; j < codeCount(pile); ++j)
        if (cardAt(pile, j) == card)
            return true;
    return false;
}

// A probe point on the pile's top card: its lowest row for piles fanned down or squared,
// its top-left corner otherwise.
std::pair<int, int> topProbe(const PileSite& site, bool alongX) {
    if (alongX)
        return {cardX(site, site.index, 0, false) + 1, site.y + 1};
    return {site.x + 1, pileBottom(site) - 1};
}

std::optional<ClosedRect> rectIfFound(std::pair<int, int> probe, int card) {
    const TableHit hit = fnHitTestTable(probe.first, probe.second);
    if (!hit.pileName.empty() && hit.card == card)
        return hit.rect;
    return std::nullopt;
}

} // namespace

CardUnderPoint fnCardUnderPoint(std::string_view prefix, std::string_view pile, int pileIndex,
                                int pointY, int pointX) {
    if (prefix == "Fila")
        return cardUnderPoint(siteOf(Group::Tableau, pileIndex, pile), pointX, pointY);
    if (prefix == "Appogg")
        return cardUnderPoint(siteOf(Group::Reserve, pileIndex, pile), pointX, pointY);
    return {};
}

TableHit fnHitTestTable(int pointX, int pointY) {
    for (auto hit : {hitStockGroup, hitTableau, hitFoundations, hitReserves})
        if (std::optional<TableHit> found = hit(pointX, pointY))
            return *found;
    return {};
}

std::optional<ClosedRect> fnCardRect(int card) {
    if (card < 1)
        return std::nullopt;
    for (int slot = 0; slot < kStockGroupPiles; ++slot) {
        const PileSite site =
            siteOf(Group::Stock, slot, sharedObjects.MazzoPiles.at(static_cast<std::size_t>(slot)));
        if (isPresentCoordinate(site.x) && holdsCard(site.cards, card))
            return cardPlace(site.x, site.y);
    }
    for (int i = 0; i < kFoundationPiles; ++i) {
        const PileSite site = foundationSite(i);
        if (!placed(site))
            continue;
        if (auto rect = rectIfFound(topProbe(site, site.fanMode == kFanRight), card))
            return rect;
    }
    for (int k = 0; k < fnTableauCount(); ++k) {
        const PileSite site = tableauSite(k);
        if (!isPresentCoordinate(site.x))
            continue;
        if (site.fanMode == kRow || site.fanMode == kInLines) {
            for (int depth = 0; depth < codeCount(site.cards); ++depth)
                if (auto rect = rectIfFound(
                        {cardX(site, k, depth, false) + 1, cardY(site, depth, false) + 1}, card))
                    return rect;
            continue;
        }
        const bool alongX = site.fanMode == kFanRight || site.fanMode == kFanRightFixed;
        if (auto rect = rectIfFound(topProbe(site, alongX), card))
            return rect;
    }
    for (int i = 0; i < fnReserveCount(); ++i) {
        const PileSite site = reserveSite(i);
        if (!placed(site))
            continue;
        if (auto rect = rectIfFound(topProbe(site, site.fanMode == kFanRight), card))
            return rect;
    }
    return std::nullopt;
}

void fnRepaintMainForm() {
    presentation().RepaintWindowRect({0, 0, mainWindow.Width, mainWindow.Height});
}

void fnRepaintMainRect(const platform::gdi::Rect& rect) {
    presentation().RepaintWindowRect(rect);
}

} // namespace solitaire
