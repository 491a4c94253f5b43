#include "solitaire/app/table_drawing.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/background.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_support.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/shared_state.h"

#include "platform/gdi/drawing.h"

#include <algorithm>
#include <array>
#include <vector>

namespace solitaire {

namespace {

using platform::gdi::Bitmap;
using platform::gdi::Color;
using namespace table;

constexpr int kTemporaryStockMarkerKind = 8;
constexpr int kQueenRankRule = 10;

void raiseTableHeight(int y) {
    const int bottom = y + cardHeight() + mainWindow.ScrollBarPosition;
    if (bottom > engineScalars.TableHeight)
        engineScalars.TableHeight = static_cast<std::int16_t>(bottom);
}

bool redealPossible() {
    return gameWord(kRedealModeWord) > 0 &&
           (engineScalars.StockPassCount < gameWord(kRedealLimitWord) ||
            gameWord(kRedealLimitWord) == -1);
}

void drawMarker(int marker, int x, int y, Surface canvas) {
    DrawMarker(sharedObjects.MarkerImages[static_cast<std::size_t>(marker)], x, y, canvas);
}

// The colour with `channel` applied to each of its red, green and blue.
template <class Channel> Color eachChannel(Color c, Channel channel) {
    return platform::gdi::rgb(channel(platform::gdi::redOf(c)), channel(platform::gdi::greenOf(c)),
                              channel(platform::gdi::blueOf(c)));
}

// The slot ink: the background a quarter darker.
Color slotShade(Color table) {
    return eachChannel(table, [](int c) { return c * 3 / 4; });
}

// Brightness 0..255 of a colour, as the eye weighs its channels.
int luminance(Color c) {
    return (299 * platform::gdi::redOf(c) + 587 * platform::gdi::greenOf(c) +
            114 * platform::gdi::blueOf(c)) /
           1000;
}

// The line ink: the background lightened towards white, on a light table darkened.
Color lineTint(Color table, bool lightTable) {
    return eachChannel(table, [lightTable](int c) {
        return lightTable ? c / 2 : c + (255 - c) * 55 / 100;
    });
}

// The marker of an empty pile; -1 when it shows none.
int stockMarker() {
    if (redealPossible())
        return kRedealMarker;
    if (sharedObjects.MazzoPiles[kStockLine].empty() &&
        sharedObjects.MazzoPiles[kWasteLine].size() <= 3)
        return kNoRedealMarker;
    return engineScalars.StockPassCount < gameWord(kRedealLimitWord) ||
                   gameWord(kRedealLimitWord) < 0
               ? kRedealMarker
               : kNoRedealMarker;
}
int wasteMarker() {
    if (gameWord(kStockDisplayWord) == 1)
        return kPlainMarker;
    if (gameWord(kRedealLimitWord) == 0)
        return kNoRedealMarker;
    if (gameWord(kRedealModeWord) <= 0 || gameWord(kStockDisplayWord) != 0)
        return -1;
    if (engineScalars.StockPassCount >= gameWord(kRedealLimitWord) &&
        gameWord(kRedealLimitWord) != -1)
        return kNoRedealMarker;
    return kRedealMarker;
}

// Puts a card picture at (x, y): its upper corners show what the target holds there, its
// lower corners the background, or the shadow's grey at the right with a shadow.
void placeCardPicture(Bitmap& picture, int x, int y, int height, bool withShadow, Surface canvas) {
    Bitmap& target = surfaceBitmap(canvas);
    const int ty = y + scrollOf(canvas);
    const int w = cardWidth(), h = cardHeight();
    CopyCornerPixels(picture, {0, 0}, target, {x, ty}, w, h, kUpperCorners);
    if (withShadow) {
        CopyCornerPixels(picture, {0, 0}, sharedObjects.BackgroundCopy, {x, y}, w, h,
                         kLowerLeftCorner);
        for (const Point p : {Point{w - 1, h - 1}, Point{w - 2, h - 1}, Point{w - 1, h - 2}})
            picture.setPixel(p.x, p.y, 0xC0C0C0);
    } else {
        CopyCornerPixels(picture, {0, 0}, sharedObjects.BackgroundCopy, {x, y}, w, h,
                         kLowerCorners);
    }
    target.copyFrom({x, ty}, picture, {0, 0, w, height});
    showIfWindow(canvas, Rect::fromSize(x, y, w, height));
    raiseTableHeight(y);
}

std::string& stockLine(int place) {
    return sharedObjects.MazzoPiles[static_cast<std::size_t>(place)];
}

// Calls draw(i, k) for card k (0 the bottom) of every tableau pile i, k below `cards`, in the
// order the whole table lays them: row by row, or pile by pile in games dealt that way. Where
// piles overlap, the card laid later lies on top.
template <typename Draw> void inTableauOrder(int cards, Draw draw) {
    const int piles = fnTableauCount();
    if (gameWord(kDealPileByPileWord) != 0) {
        for (int i = 0; i < piles; ++i)
            for (int k = 0; k < cards; ++k)
                draw(i, k);
    } else {
        for (int k = 0; k < cards; ++k)
            for (int i = 0; i < piles; ++i)
                draw(i, k);
    }
}

} // namespace

void CopyCornerPixels(Bitmap& dest, Point to, const Bitmap& source, Point from, int width,
                      int height, unsigned corners) {
    const bool neighbours = width != CornerWidth;
    auto copyCorner = [&](int cx, int cy, int nx, int ny) {
        dest.setPixel(to.x + cx, to.y + cy, source.pixel(from.x + cx, from.y + cy));
        if (!neighbours)
            return;
        dest.setPixel(to.x + nx, to.y + cy, source.pixel(from.x + nx, from.y + cy));
        dest.setPixel(to.x + cx, to.y + ny, source.pixel(from.x + cx, from.y + ny));
    };
    const int r = width - 1, b = height - 1;
    if (corners & kUpperCorners) {
        copyCorner(0, 0, 1, 1);
        copyCorner(r, 0, r - 1, 1);
    }
    if (corners & kLowerLeftCorner)
        copyCorner(0, b, 1, b - 1);
    if (corners & kLowerRightCorner)
        copyCorner(r, b, r - 1, b - 1);
}

void fnCopyCornersFromBackground(Surface target, const Rect& rect, unsigned corners) {
    CopyCornerPixels(surfaceBitmap(target), {rect.left, rect.top + scrollOf(target)},
                     sharedObjects.BackgroundCopy, {rect.left, rect.top}, rect.width(),
                     rect.height(), corners);
    showIfWindow(target, rect);
}

bool CardsShadowed() {
    return fnReadSettingsField(kCardsShadowedPosition, 1) != "N";
}

void DrawMarker(const Bitmap& marker, int x, int y, Surface canvas) {
    Bitmap& target = surfaceBitmap(canvas);
    const Bitmap& table = sharedObjects.BackgroundCopy;
    const int w = cardWidth(), h = cardHeight(), scroll = scrollOf(canvas);
    // One way for all the lines, from the table's mean brightness there, so that they stay
    // whole over a patterned picture.
    long brightness = 0;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx)
            brightness += luminance(table.pixel(x + dx, y + dy));
    const bool lightTable = brightness >= 150L * std::max(1, w * h);
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const Color ink = marker.pixel(dx, dy);
            const Color beneath = table.pixel(x + dx, y + dy);
            target.setPixel(x + dx, y + dy + scroll,
                            ink == kMarkerTableInk  ? beneath
                            : ink == kMarkerSlotInk ? slotShade(beneath)
                            : ink == kMarkerLineInk ? lineTint(beneath, lightTable)
                                                    : ink);
        }
    showIfWindow(canvas, cardPlace({x, y}));
}

void fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex) {
    platform::gdi::Bitmap temporary;
    int marker = -1;
    switch (kind) {
    case kStockBase:
        if (gameWord(kGameKindWord) == kTemporaryStockMarkerKind) {
            fnLoadResourceBitmap(temporary,
                                 "W" + fnReadSettingsField(kCardSizePosition, 1) + "021");
            DrawMarker(temporary, x, y, canvas);
        } else {
            marker = stockMarker();
        }
        break;
    case kWasteBase:
        marker = wasteMarker();
        break;
    case kFoundationBase: {
        const int base = gameWord(kFoundationBaseWord + pileIndex);
        const bool queen = gameWord(kFoundationRuleWord + pileIndex) == kQueenRankRule;
        if (!DrawRankMark(queen ? 12 : base, x, y, canvas))
            marker = kFoundationMarker;
        break;
    }
    case kReserveBase:
        marker = gameWord(kReserveRuleWord) == 9   ? kReserveRule9Marker
                 : gameWord(kReserveRuleWord) == 8 ? kKingMark
                                                   : kReserveMarker;
        break;
    case kTableauBase:
        if (!DrawRankMark(gameWord(kTableauBaseWord + pileIndex), x, y, canvas))
            marker = gameWord(kTableauBaseWord) != 0 ? kTableauMarker : kBareTableauMarker;
        break;
    case kDiscardBase:
        marker = kPlainMarker;
        break;
    default:
        break;
    }
    if (marker >= 0)
        drawMarker(marker, x, y, canvas);
    raiseTableHeight(y);
}

bool DrawRankMark(int baseCode, int x, int y, Surface canvas) {
    int mark = -1;
    if (baseCode == 1 || baseCode == 81 || baseCode == 85)
        mark = kAceMark;
    else if (baseCode >= 2 && baseCode <= 10)
        mark = kTwoMark + baseCode - 2;
    else if (baseCode == 11)
        mark = kJackMark;
    else if (baseCode == 12)
        mark = kQueenMark;
    else if (baseCode == 13 || baseCode == 84)
        mark = kKingMark;
    if (mark < 0)
        return false;
    drawMarker(mark, x, y, canvas);
    return true;
}

void DrawAllPileBases(Surface canvas) {
    for (int i = 0; i < fnTableauCount(); ++i)
        if (present({fnTableauX(i), fnTableauY(i)}))
            fnDrawPileBase(kTableauBase, fnTableauX(i), fnTableauY(i), canvas, i);
    for (int i = 0; i < fnReserveCount(); ++i)
        if (present({fnReserveX(i), fnReserveY(i)}))
            fnDrawPileBase(kReserveBase, fnReserveX(i), fnReserveY(i), canvas, i);
}

void fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas, int pileIndex) {
    if (card < 1 || card > kCardCount) {
        if (gameWord(kSelectionTargetWord) != 0)
            fnDrawPileBase(kNoBase, x, y, canvas, pileIndex);
        return;
    }
    placeCardPicture(cardFace(card), x, y, cardHeight(), withShadow, canvas);
}

void fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas) {
    if (!present({x, y}))
        return;
    placeCardPicture(sharedObjects.CardBackImage, x, y, height, withShadow, canvas);
}

void DrawCardAsItLies(int card, int x, int y, bool withShadow, Surface canvas, int pileIndex) {
    if (card >= 1 && fnIsFaceDown(card))
        fnDrawCardBack(x, y, cardHeight(), withShadow, canvas);
    else
        fnDrawCard(card, x, y, withShadow, canvas, pileIndex);
}

void fnRestoreCardCorners(int left, int top, int right, int bottom) {
    const Rect rect{left, top, right, bottom};
    fnCopyCornersFromBackground(Surface::Window, rect);
    fnCopyCornersFromBackground(Surface::BackBuffer, rect);
}

void fnRestoreTableauBaseCorners(int pileIndex) {
    const std::string name = "Fila" + std::to_string(pileIndex + 1);
    const std::optional<PileLine> line = PileLineForName(name);
    if (!line)
        return;
    const std::string& pile = line->list->at(static_cast<std::size_t>(line->line));
    const int n = cardCount(pile);
    const Point first = pileCardPlace(name, pileIndex, 0, std::max(n, 1));
    const Rect rect = cardPlace(first);
    // Fanned to the right, the next card covers the bottom card's upper right corner.
    const int fan = gameWord(kTableauFanWord);
    if (n != 1 && (fan == kFanRight || fan == kFanRightFixed))
        return;
    // The place is laid again as the whole table lays it: the corners show the table, or the
    // cards of other piles that lie over them.
    RedrawTableauPilesReaching(rect);
    repaintFromBackBuffer(rect);
}

void fnInvertCardRect(Surface /*canvas*/, bool onWindow, const Rect& rect) {
    // The corners outside the rounded card keep what lies beneath it, the table or the card it
    // overlaps, so that inverting again gives back the card as it was drawn.
    Bitmap& target = onWindow ? windowCanvas() : sharedObjects.BackBuffer;
    const Rect place = onWindow ? rect : rect.translated(0, mainWindow.ScrollBarPosition);
    Bitmap beneath(place.width(), place.height());
    beneath.copyFrom({0, 0}, target, place);
    if (onWindow)
        platform::gdi::invertRect(target, place);
    else
        platform::gdi::copyRect(target, place, target, place,
                                platform::gdi::CopyMode::DestinationInvert);
    CopyCornerPixels(target, {place.left, place.top}, beneath, {0, 0}, place.width(),
                     place.height());
    if (onWindow)
        showWindowArea(rect);
}

void fnDrawStockEdge(Surface canvas, bool keepPosition, int place, bool alsoBackBuffer, bool force,
                     int pileLength) {
    const int cards = pileLength / 3;
    const int depth = cards <= 1 ? 0 : cards == 2 ? 1 : cards / 7 + 1;
    const auto slot = static_cast<std::size_t>(place);
    if (!keepPosition) {
        const Point base = stockBasePlace(place);
        const Point moved{base.x - depth, base.y - depth};
        if (stockDrawPlace(place) == moved && !force)
            return;
        stockDrawOrigins.X[slot] = static_cast<std::int16_t>(moved.x);
        stockDrawOrigins.Y[slot] = static_cast<std::int16_t>(moved.y);
    }
    // The thickness shows below and right of the base place, the top card being drawn up
    // and left of it.
    const Point at = stockBasePlace(place);
    const int w = cardWidth(), h = cardHeight();
    Bitmap bottomBand(w + 11, depth + 1), rightBand(depth + 1, h + 13);
    bottomBand.copyFrom({0, 0}, sharedObjects.BorderImages[1],
                        Rect::fromSize(0, 15 - depth, w + 11, depth + 1));
    rightBand.copyFrom({0, 0}, sharedObjects.BorderImages[0],
                       Rect::fromSize(15 - depth, 0, depth + 1, h + 13));
    const Rect strips[] = {Rect::fromSize(at.x - 15, at.y - 15, w + 16, 16 - depth),
                           Rect::fromSize(at.x - 15, at.y - 14, 16 - depth, h + 15)};
    auto drawOn = [&](Surface surface) {
        Bitmap& target = surfaceBitmap(surface);
        const int dy = scrollOf(surface);
        platform::gdi::drawTransparent(target, {at.x - 13, at.y + h - depth - 1 + dy}, bottomBand,
                                       kBorderTransparentColor);
        platform::gdi::drawTransparent(target, {at.x + w - depth - 1, at.y - 13 + dy}, rightBand,
                                       kBorderTransparentColor);
        for (const Rect& strip : strips)
            target.copyFrom({strip.left, strip.top + dy}, sharedObjects.BackgroundCopy, strip);
    };
    drawOn(canvas);
    if (alsoBackBuffer && canvas != Surface::BackBuffer)
        drawOn(Surface::BackBuffer);
    showIfWindow(canvas, Rect::fromSize(at.x - 15, at.y - 15, w + 16, h + 16));
}

void DrawStockWasteFoundations(Surface canvas, bool stockAsBack, int /*sourceX*/, int dealSource,
                               int /*sourceY*/) {
    constexpr std::array<int, 3> kEmptyBase = {kStockBase, kWasteBase, kDiscardBase};
    for (int place = 0; place < kStockGroupPiles; ++place) {
        if (!present(stockBasePlace(place)))
            continue;
        const std::string& pile = stockLine(place);
        fnDrawStockEdge(canvas, false, place, false, true, static_cast<int>(pile.size()));
        const Point at = stockDrawPlace(place);
        if (pile.empty()) {
            fnDrawPileBase(kEmptyBase[static_cast<std::size_t>(place)], at.x, at.y, canvas, 0);
            continue;
        }
        const int card = topCard(pile);
        if (place == kStockLine && (gameWord(kStockFaceDownWord) != 0 || stockAsBack))
            fnDrawCardBack(at.x, at.y, cardHeight(), false, canvas);
        else
            fnDrawCard(card, at.x, at.y, place != kStockLine, canvas, 0);
        if (cardCount(pile) == 1) {
            const Point base = stockBasePlace(place);
            fnCopyCornersFromBackground(canvas, cardPlace(base));
        }
    }
    const bool shadowed = dealSource > kDealFromStock ||
                          (dealSource == kDealFromStock && stockLine(kWasteLine).empty());
    for (int i = 0; i < kFoundationPiles; ++i) {
        const Point base{fnFoundationX(i), fnFoundationY(i)};
        if (!present(base))
            continue;
        const std::string name = "Dest" + std::to_string(i + 1);
        const std::string& pile = sharedObjects.DestPiles[static_cast<std::size_t>(i)];
        const int n = cardCount(pile);
        if (n == 0)
            fnDrawPileBase(kFoundationBase, base.x, base.y, canvas, i);
        for (int k = 0; k < n; ++k) {
            const Point at = pileCardPlace(name, i, k, n);
            DrawCardAsItLies(cardAt(pile, k), at.x, at.y, shadowed, canvas, i);
        }
    }
}

void DrawSelection(Surface canvas, bool onWindow) {
    const int kind = gameWord(kGameKindWord);
    if (kind != 3 && kind != 4 && gameWord(kSelectionTargetWord) == 0)
        return;
    const std::string& selection = sharedObjects.DestPiles[0];
    std::vector<Rect> places;
    for (int k = 0; k < cardCount(selection); ++k) {
        const int card = cardAt(selection, k);
        const std::optional<ClosedRect> place = fnCardRect(card);
        if (!place)
            continue;
        // The top card of the stock or the waste shows at its pile's drawing origin.
        Point at{place->left, place->top};
        for (int line = 0; line < kStockGroupPiles; ++line)
            if (topCard(stockLine(line)) == card)
                at = stockDrawPlace(line);
        fnDrawCard(card, at.x, at.y, false, canvas, 0);
        places.push_back(cardPlace(at));
    }
    if (canvas == Surface::Window)
        showWholeWindow();
    for (const Rect& place : places)
        fnInvertCardRect(canvas, onWindow, place);
}

namespace {

// The strips a stock-group edge restores from the background above and left of its place reach
// a tableau card laid just above or left of it: such piles show again over them, with their
// chosen cards highlighted, as the whole table lays them after the stock group.
void redrawTableauOverStockStrips(Point base, Surface canvas) {
    const Rect strips =
        Rect::fromSize(base.x - 15, base.y - 15, cardWidth() + 16, cardHeight() + 16);
    const std::string& chosen = sharedObjects.DestPiles[0];
    const int kind = gameWord(kGameKindWord);
    const bool selecting = kind == 3 || kind == 4 || gameWord(kSelectionTargetWord) != 0;
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (!present({fnTableauX(i), fnTableauY(i)}))
            continue;
        const std::string name = "Fila" + std::to_string(i + 1);
        const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(i)];
        const int n = cardCount(pile);
        bool reaches = false;
        for (int k = 0; k < std::max(n, 1) && !reaches; ++k)
            reaches =
                !cardPlace(pileCardPlace(name, i, k, std::max(n, 1))).intersected(strips).isEmpty();
        if (!reaches)
            continue;
        RedrawPile(name, 0, 0, canvas, false);
        for (int k = 0; selecting && k < n; ++k)
            if (positionOf(chosen, cardAt(pile, k)) >= 0)
                fnInvertCardRect(canvas, canvas == Surface::Window,
                                 cardPlace(pileCardPlace(name, i, k, n)));
    }
}

} // namespace

void RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas) {
    const std::optional<PileLine> line = PileLineForName(pileName);
    if (!line)
        return;
    const std::string& pile = line->list->at(static_cast<std::size_t>(line->line));
    const bool stockGroup = line->list == &sharedObjects.MazzoPiles;
    if (stockGroup) {
        constexpr std::array<int, 3> kEmptyBase = {kStockBase, kWasteBase, kDiscardBase};
        const int place = line->line;
        if (!present(stockBasePlace(place)))
            return;
        // Forced: a card dropped at the base place covers the edge even when its depth stays.
        fnDrawStockEdge(canvas, false, place, false, true, static_cast<int>(pile.size()));
        const Point at = stockDrawPlace(place);
        if (pile.empty())
            fnDrawPileBase(kEmptyBase[static_cast<std::size_t>(place)], at.x, at.y, canvas, 0);
        else
            DrawCardAsItLies(topCard(pile), at.x, at.y, false, canvas, pileIndex);
        const Point base = stockBasePlace(place);
        fnCopyCornersFromBackground(canvas, cardPlace(base), kLowerRightCorner);
        redrawTableauOverStockStrips(base, canvas);
        return;
    }
    const Point at = pileCardPlace(pileName, pileIndex, 0, 1);
    if (!present(at))
        return;
    if (pile.empty()) {
        if (line->list == &sharedObjects.DestPiles)
            fnDrawPileBase(kFoundationBase, at.x, at.y, canvas, pileIndex);
        else if (line->list == &sharedObjects.AppoggPiles)
            fnDrawPileBase(kReserveBase, at.x, at.y, canvas, pileIndex);
        return;
    }
    const int n = cardCount(pile);
    const Point top = pileCardPlace(pileName, pileIndex, n - 1, n);
    DrawCardAsItLies(topCard(pile), top.x, top.y, false, canvas, pileIndex);
}

void RedrawPile(const std::string& pileName, int sourceX, int sourceY, Surface canvas,
                bool animate) {
    const std::optional<PileLine> line = PileLineForName(pileName);
    if (!line)
        return;
    const int index = line->line;
    if (line->list == &sharedObjects.DestPiles) {
        RedrawPileTop(pileName, index, canvas);
        return;
    }
    const bool tableau = line->list == &sharedObjects.FilaPiles;
    if (!tableau && line->list != &sharedObjects.AppoggPiles)
        return;
    const Point origin = tableau ? Point{fnTableauX(index), fnTableauY(index)}
                                 : Point{fnReserveX(index), fnReserveY(index)};
    if (!present(origin))
        return;
    const std::string pile = line->list->at(static_cast<std::size_t>(index));
    const int n = std::max(cardCount(pile), 1);
    for (int k = 0; k < n; ++k)
        DrawPileCard(tableau ? "Fila" : "Appogg", pile, index, true, canvas, animate, sourceY,
                     sourceX, k);
}

void DrawPileCard(const std::string& family, const std::string& pile, int pileIndex,
                  bool repairSource, Surface canvas, bool animate, int sourceY, int sourceX,
                  int cardNumber) {
    const std::string name = family + std::to_string(pileIndex + 1);
    const int n = cardCount(pile);
    if (cardNumber == 0 && n == 0) {
        const int kind = family == "Fila"   ? kTableauBase
                         : family == "Dest" ? kFoundationBase
                                            : kReserveBase;
        const Point at = pileCardPlace(name, pileIndex, 0, 1);
        fnDrawPileBase(kind, at.x, at.y, animate ? Surface::Window : canvas, pileIndex);
        if (animate)
            fnDrawPileBase(kind, at.x, at.y, Surface::BackBuffer, pileIndex);
        return;
    }
    if (cardNumber >= n)
        return;
    const int card = cardAt(pile, cardNumber);
    const Point at = pileCardPlace(name, pileIndex, cardNumber, n);
    // An emptied slot of a row draws nothing: the card it overlapped shows whole.
    if (cardNumber == 0 && card >= 1) {
        const Point bottom = pileCardPlace(name, pileIndex, 0, n);
        fnCopyCornersFromBackground(animate ? Surface::BackBuffer : canvas, cardPlace(bottom));
    }
    if (!animate) {
        DrawCardAsItLies(card, at.x, at.y, false, canvas, pileIndex);
        return;
    }
    const int dx = static_cast<int>(cardWidth() / 7.0), dy = static_cast<int>(cardHeight() / 7.0);
    const Rect source = cardPlace({sourceX, sourceY});
    const bool faceUp = card >= 1 && !fnIsFaceDown(card);
    fnWaitMs(2);
    if (faceUp) {
        fnDrawCard(card, sourceX, sourceY, true, Surface::Window, pileIndex);
        if (repairSource)
            fnCopyCornersFromBackground(Surface::BackBuffer, source);
        fnWaitMs(2);
        fnDrawCardBack(sourceX, sourceY, cardHeight(), false, Surface::Window);
        fnDrawCard(card, sourceX + dx, sourceY + dy, true, Surface::Window, pileIndex);
    } else {
        if (repairSource)
            fnCopyCornersFromBackground(Surface::BackBuffer, source);
        fnDrawCardBack(sourceX + dx, sourceY + dy, cardHeight(), false, Surface::Window);
    }
    fnWaitMs(1);
    fnAnimateCardMove(faceUp ? card : kCardBack, sourceX + dx, sourceY + dy, at.x, at.y, true, true,
                      false, true);
    DrawCardAsItLies(card, at.x, at.y, false, Surface::BackBuffer, pileIndex);
}

void RedrawTableauPilesReaching(const Rect& area) {
    std::vector<bool> reaching(static_cast<std::size_t>(fnTableauCount()));
    Rect drawn = area;
    int cards = 0;
    for (int i = 0; i < fnTableauCount(); ++i) {
        if (!present({fnTableauX(i), fnTableauY(i)}))
            continue;
        const std::string name = "Fila" + std::to_string(i + 1);
        const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(i)];
        const int n = std::max(cardCount(pile), 1); // an empty pile shows its base
        Rect covered;
        for (int k = 0; k < n; ++k)
            covered = united(covered, cardPlace(pileCardPlace(name, i, k, n)));
        if (covered.intersected(area).isEmpty())
            continue;
        reaching[static_cast<std::size_t>(i)] = true;
        drawn = united(drawn, covered);
        cards = std::max(cards, n);
    }
    if (cards == 0)
        return;
    // The piles are drawn whole, then all but the area is put back: outside it they may lie
    // under piles that are not drawn again.
    Bitmap& buffer = sharedObjects.BackBuffer;
    const int scroll = mainWindow.ScrollBarPosition;
    Bitmap kept(drawn.width(), drawn.height());
    kept.copyFrom({0, 0}, buffer, drawn.translated(0, scroll));
    inTableauOrder(cards, [&](int i, int k) {
        if (reaching[static_cast<std::size_t>(i)])
            DrawPileCard("Fila", sharedObjects.FilaPiles[static_cast<std::size_t>(i)], i, true,
                         Surface::BackBuffer, false, 0, 0, k);
    });
    Bitmap inside(area.width(), area.height());
    inside.copyFrom({0, 0}, buffer, area.translated(0, scroll));
    buffer.copyFrom({drawn.left, drawn.top + scroll}, kept, kept.rect());
    buffer.copyFrom({area.left, area.top + scroll}, inside, inside.rect());
}

void fnDrawTable(Surface canvas, bool dealAnimation) {
    if (!mainWindow.TableReady)
        return;
    mainWindow.ScrollBarPosition = 0;
    engineScalars.ScrollOffset = 0;
    engineScalars.TableHeight = 0;
    auto pileHasCards = [](const StringList& piles, int count) {
        for (int i = 0; i < count && i < static_cast<int>(piles.size()); ++i)
            if (!piles[static_cast<std::size_t>(i)].empty())
                return true;
        return false;
    };
    const bool hasCards = pileHasCards(sharedObjects.FilaPiles, fnTableauCount()) ||
                          pileHasCards(sharedObjects.AppoggPiles, fnReserveCount());
    if (dealAnimation && gameWord(kTableauFanWord) != kRowFan) {
        DrawAllPileBases(canvas);
        if (canvas != Surface::BackBuffer)
            DrawAllPileBases(Surface::BackBuffer);
    }

    // The stock group first: it gives the deal source its place.
    DrawStockWasteFoundations(Surface::BackBuffer, dealAnimation, 0, kNoDealSource, 0);
    int dealSource = kNoDealSource;
    Point source;
    if (dealAnimation && hasCards) {
        // The stock group deals from where its top card is drawn.
        const std::pair<int, Point> candidates[] = {
            {kDealFromStock, stockDrawPlace(kStockLine)},
            {kDealFromWaste, stockDrawPlace(kWasteLine)},
            {kDealFromReserve, sharedObjects.AppoggPiles[0].size() <= 3
                                   ? Point{fnReserveX(0), fnReserveY(0)}
                                   : Point{kAbsentPile, kAbsentPile}},
            {kDealFromDiscard, stockDrawPlace(kDiscardLine)},
            {kDealFromFoundation, Point{fnFoundationX(0), fnFoundationY(0)}},
        };
        for (const auto& [kind, place] : candidates)
            if (present(place)) {
                dealSource = kind;
                source = place;
                break;
            }
    }
    if (dealSource != kNoDealSource) {
        fnDrawCardBack(source.x, source.y, cardHeight(), false, Surface::BackBuffer);
        fnFlipBackBuffer(windowCanvas());
        showWholeWindow();
        fnWaitMs(100);
        fnPlaySoundLoop("Shuffle", fnReadSettingsField(kShuffleSoundPosition, 1) == "Y");
    } else if (canvas != Surface::BackBuffer) {
        DrawStockWasteFoundations(canvas, false, 0, kNoDealSource, 0);
    }

    const bool animate = dealSource != kNoDealSource;
    // Cards leave a source other than a full stock with its corners showing the background.
    const bool repairSource = dealSource != kDealFromStock || stockLine(kStockLine).empty();
    for (int i = 0; i < fnReserveCount(); ++i) {
        if (!present({fnReserveX(i), fnReserveY(i)}) || (i == 0 && dealSource == kDealFromReserve))
            continue;
        const std::string pile = sharedObjects.AppoggPiles[static_cast<std::size_t>(i)];
        for (int k = 0; k < std::max(cardCount(pile), 1); ++k)
            DrawPileCard("Appogg", pile, i, repairSource, canvas, animate, source.y, source.x, k);
    }
    const int longest = fnLongestTableauPile();
    auto drawTableauCard = [&](int i, int k) {
        if (!present({fnTableauX(i), fnTableauY(i)}))
            return;
        const std::string pile = sharedObjects.FilaPiles[static_cast<std::size_t>(i)];
        DrawPileCard("Fila", pile, i, repairSource, canvas, animate, source.y, source.x, k);
    };
    inTableauOrder(std::max(longest, 1), drawTableauCard);

    if (animate) {
        fnStopSound();
        switch (dealSource) {
        case kDealFromStock:
        case kDealFromWaste: {
            const int place = dealSource == kDealFromStock ? kStockLine : kWasteLine;
            RedrawPileTop(place == kStockLine ? "Mazzo" : "Mazzo_Vis", 0, Surface::BackBuffer);
            break;
        }
        case kDealFromReserve:
            RedrawPile("Appogg1", 0, 0, Surface::BackBuffer, false);
            break;
        case kDealFromDiscard:
            if (stockLine(kDiscardLine).empty())
                fnDrawPileBase(kDiscardBase, source.x, source.y, Surface::BackBuffer, 0);
            else
                fnDrawCard(topCard(stockLine(kDiscardLine)), source.x, source.y, true,
                           Surface::BackBuffer, 0);
            break;
        case kDealFromFoundation:
            RedrawPileTop("Dest1", 0, Surface::BackBuffer);
            break;
        default:
            break;
        }
        repaintFromBackBuffer(windowCanvas().rect());
    }
    mainWindow.TableDrawn = true;
}

void RedrawTable() {
    fnLayoutTable();
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    fnDrawTable(Surface::BackBuffer, false);
    fnFlipBackBuffer(windowCanvas());
    if (!sharedObjects.FilaPiles.empty()) {
        DrawSelection(Surface::BackBuffer, false);
        DrawSelection(Surface::Window, true);
    }
    showWholeWindow();
}

} // namespace solitaire
