#include "solitaire/app/drag_image.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/background.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_support.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/gdi/drawing.h"

#include <algorithm>
#include <cstdlib>

namespace solitaire {

DragImageState dragImage;

namespace {

using platform::gdi::Bitmap;
using namespace table;

constexpr int kStockHintWaitMs = 50;

Point wastePlace() {
    return stockDrawPlace(kWasteLine);
}

// The window area that cards from and above position `from` of the pile cover.
Rect pileArea(const std::string& pileName, int pileIndex, const std::string& pile, int from = 0) {
    Rect area;
    const int n = cardCount(pile);
    for (int k = from; k < n; ++k)
        area = united(area, cardPlace(pileCardPlace(pileName, pileIndex, k, n)));
    return area;
}

void restoreFromBackground(Surface target, const Rect& area) {
    surfaceBitmap(target).copyFrom({area.left, area.top + scrollOf(target)},
                                   sharedObjects.BackgroundCopy, area);
}

// Where the stock hint goes: the stock place, the waste place, or none.
std::optional<Point> stockHintPlace() {
    if (gameWord(kStockDisplayWord) == 1)
        return Point{fnStockPileX(kStockLine), fnStockPileY(kStockLine)};
    if (gameWord(kStockClickWord) == 1)
        return Point{fnStockPileX(kWasteLine), fnStockPileY(kWasteLine)};
    return std::nullopt;
}

// Puts the drag image into the back buffer at (x, y) (window coordinates).
void CopyDragImageToBackBuffer(int x, int y, int height) {
    const Rect& source = dragImage.DragSourceRect;
    sharedObjects.BackBuffer.copyFrom(
        {x, y + mainWindow.ScrollBarPosition}, sharedObjects.DragImage,
        Rect::fromSize(source.left, source.top, source.width(), height));
}

// Puts the moved cards down into the back buffer at (x, y), under the tableau cards that the
// whole table lays over them, and shows them so on the window. A card that an animation deals
// or fills in (none is dragged then) goes down while the table is being laid anew.
void putDragImageDown(int x, int y) {
    CopyDragImageToBackBuffer(x, y, mainWindow.DragHeight);
    if (engineScalars.DraggedCard == 0)
        return;
    const Rect area = Rect::fromSize(x, y, cardWidth(), mainWindow.DragHeight);
    RedrawTableauPilesReaching(area);
    repaintFromBackBuffer(area);
}

// Where the drag image and its shadow stand on the window.
Rect dragImageArea() {
    const Rect& r = mainWindow.DragTargetRect;
    return united(united(r, ShadowRightStrip(r)), ShadowBottomStrip(r));
}

bool cardsAnimate() {
    return fnReadSettingsField(kCardsAnimatePosition, 1) != "N";
}

// Whether any card of the pile may leave it and the cards after it close up: a reserve laid
// out as a row, a tableau pile laid in lines (fan mode 8).
bool closesUp(const std::string& pileName) {
    if (pileName.rfind("Appogg", 0) == 0)
        return gameWord(kReserveVariantWord) == kReserveAsRow;
    return pileName.rfind("Fila", 0) == 0 && gameWord(kTableauFanWord) == kNoCardsFan;
}

// The dragged cards go back to (x, y), gliding when the cards animate, and are put down there
// for good. The glide itself ends in the back buffer, so no shadow stays behind on the window.
void glideBackAndDrop(int card, Point at) {
    const Rect from = mainWindow.DragTargetRect;
    if (cardsAnimate())
        fnAnimateCardMove(card, from.left, from.top, at.x, at.y, true, false, false, false);
    else
        fnMoveDragImage(at.x, at.y, true, true);
}

// Redraws the pile when it holds the card after a drag that no pile took; whether it does.
bool RedrawPileWithCard(int card, const std::string& pile, const std::string& pileName,
                        int pileIndex) {
    const int k = positionOf(pile, card);
    if (k < 0)
        return false;
    const int n = cardCount(pile);
    const bool waste = pileName == "Mazzo_Vis";
    const Point at = waste ? wastePlace() : pileCardPlace(pileName, pileIndex, k, n);
    const Rect from = mainWindow.DragTargetRect;
    if (closesUp(pileName)) {
        // The pile was drawn closed up when the card left it: it is drawn whole again.
        const Rect area = pileArea(pileName, pileIndex, pile);
        restoreFromBackground(Surface::BackBuffer, area);
        RedrawPile(pileName, 0, 0, Surface::BackBuffer, false);
        repaintFromBackBuffer(united(area, dragImageArea()));
    } else if (k == n - 1) {
        if (waste)
            fnDrawStockEdge(Surface::BackBuffer, false, kWasteLine, true, false,
                            static_cast<int>(pile.size()));
        glideBackAndDrop(card, at);
        if (waste)
            repaintFromBackBuffer(
                {at.x - 15, at.y - 15, at.x + cardWidth() + 15, at.y + cardHeight() + 15});
    } else if (CardsShadowed()) {
        // A run inside its pile: its cards are drawn again over the image.
        if (cardsAnimate())
            fnAnimateCardMove(card, from.left, from.top, at.x, at.y, false, false, false, false);
        const Rect left = dragImageArea(); // where the image stands now
        for (int j = k; j < n; ++j) {
            const Point p = pileCardPlace(pileName, pileIndex, j, n);
            fnDrawCard(cardAt(pile, j), p.x, p.y, false, Surface::BackBuffer, pileIndex);
        }
        const int s = mainWindow.ShadowOffset;
        const Rect run = pileArea(pileName, pileIndex, pile, k);
        RedrawTableauPilesReaching(run);
        repaintFromBackBuffer(
            Rect{at.x - s - 6, run.top, at.x + cardWidth() + s + 12, run.bottom + s + 12});
        repaintFromBackBuffer(left);
    } else {
        glideBackAndDrop(card, at);
    }
    fnPlaySound("card_down.wav",
                CardsShadowed() && fnReadSettingsField(kCardDownSoundPosition, 1) == "Y");
    return true;
}

} // namespace

void fnSetDragRects(int left, int top, int right, int bottom) {
    mainWindow.DragTargetRect = {left, top, right, bottom};
    dragImage.DragSourceRect = {0, 0, cardWidth(), mainWindow.DragHeight};
}

void fnBuildDragImage() {
    Bitmap& image = sharedObjects.DragImage;
    const int height = std::max(mainWindow.DragHeight, cardHeight());
    if (image.width() < cardWidth() || image.height() < height)
        image.resize(std::max(image.width(), cardWidth()), std::max(image.height(), height));
    const int dragged = engineScalars.DraggedCard;
    if (dragged < 1 || dragged > kCardCount)
        return;
    if (mainWindow.DragHeight == cardHeight()) {
        image.copyFrom({0, 0}, cardFace(dragged), {0, 0, cardWidth(), cardHeight()});
        return;
    }
    StringList run;
    fnListRunFromCard(run, dragged);
    int y = 0;
    for (const std::string& code : run) {
        const int card = CodeAt(code, 0);
        if (card < 1 || card > kCardCount)
            continue;
        Bitmap& face = cardFace(card);
        CopyCornerPixels(face, {0, 0}, image, {dragImage.DragSourceRect.left, y}, cardWidth(),
                         cardHeight(), kUpperCorners);
        image.copyFrom({dragImage.DragSourceRect.left, y}, face, {0, 0, cardWidth(), cardHeight()});
        y += engineScalars.FanUpY;
    }
}

Rect ShadowBottomStrip(const Rect& r) {
    const int s = mainWindow.ShadowOffset;
    return {r.left + s - 1, r.bottom, r.right + s, r.bottom + s};
}
Rect ShadowRightStrip(const Rect& r) {
    const int s = mainWindow.ShadowOffset;
    return {r.right, r.top + s - 2, r.right + s, r.bottom + s};
}

void DrawShadowImages(Bitmap& canvas, const Rect& r) {
    const int s = mainWindow.ShadowOffset;
    platform::gdi::drawTransparent(canvas, {r.right, r.top + s - 2}, sharedObjects.ShadowImages[0],
                                   kShadowTransparentColor);
    platform::gdi::drawTransparent(canvas, {r.left + s - 1, r.bottom},
                                   sharedObjects.ShadowImages[1], kShadowTransparentColor);
    canvas.setPixel(r.right - 1, r.bottom - 2, 0);
    canvas.setPixel(r.right - 2, r.bottom - 1, 0);
}

void DrawDottedShadow(Bitmap& canvas, const Rect& r) {
    constexpr int kBand = 7;
    for (int c = 0; c < kBand; ++c) {
        const int start = r.top + 7 + c % 2 + (c == kBand - 1 ? 2 : 0);
        for (int y = start; y < r.bottom; y += 2)
            canvas.setPixel(r.right + c, y, 0);
    }
    for (int row = 0; row < kBand; ++row) {
        const int start = r.left + 8 + row % 2 + (row == kBand - 1 ? 2 : 0);
        const int end = row >= kBand - 2 ? r.right + 4 : r.right + 6;
        for (int x = start; x <= end; x += 2)
            canvas.setPixel(x, r.bottom + row, 0);
    }
    canvas.setPixel(r.right - 1, r.bottom - 2, 0);
    canvas.setPixel(r.right - 2, r.bottom - 1, 0);
}

// The drag image's rounded corners at (x, y), as a card drawn there shows them: the upper
// ones what the table holds, the lower ones the background (in a fan to the right the card
// beneath does not show there either).
static void copyTableIntoDragImageCorners(int x, int y) {
    const Rect& source = dragImage.DragSourceRect;
    const Point corner{source.left, source.top};
    const int w = cardWidth(), h = mainWindow.DragHeight;
    CopyCornerPixels(sharedObjects.DragImage, corner, sharedObjects.BackBuffer,
                     {x, y + mainWindow.ScrollBarPosition}, w, h, kUpperCorners);
    CopyCornerPixels(sharedObjects.DragImage, corner, sharedObjects.BackgroundCopy, {x, y}, w, h,
                     kLowerCorners);
}

bool fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners) {
    if (std::abs(x - dragImage.DragImageX) < 1 && std::abs(y - dragImage.DragImageY) < 1) {
        // The image already stands there (an animation brought it): putting the cards down
        // must still leave them in the back buffer, or the next repaint loses them, and a
        // shadow drawn with the image goes from the window. Its corners still hold what lay
        // under an earlier place: they show the table at this one.
        if (alsoIntoBackBuffer) {
            if (clearCorners)
                copyTableIntoDragImageCorners(x, y);
            putDragImageDown(x, y);
            repaintFromBackBuffer(dragImageArea());
        }
        return false;
    }
    const bool shadows = CardsShadowed();
    const Rect old = mainWindow.DragTargetRect;
    const Rect now = Rect::fromSize(x, y, cardWidth(), mainWindow.DragHeight);
    Rect uncovered = old;
    if (shadows)
        uncovered = united(united(uncovered, ShadowRightStrip(old)), ShadowBottomStrip(old));
    // What the image and its shadow left is repaired from the table as it is.
    Bitmap& window = windowCanvas();
    window.copyFrom({uncovered.left, uncovered.top}, sharedObjects.BackBuffer,
                    uncovered.translated(0, mainWindow.ScrollBarPosition));
    const Rect& source = dragImage.DragSourceRect;
    if (clearCorners)
        copyTableIntoDragImageCorners(x, y);
    window.copyFrom({x, y}, sharedObjects.DragImage, source);
    mainWindow.DragTargetRect = now;
    Rect drawn = now;
    if (alsoIntoBackBuffer) {
        putDragImageDown(x, y);
    } else if (shadows) {
        if (mainWindow.DragHeight > cardHeight())
            DrawDottedShadow(window, now);
        else
            DrawShadowImages(window, now);
        drawn = united(united(drawn, ShadowRightStrip(now)), ShadowBottomStrip(now));
    }
    dragImage.DragImageX = x;
    dragImage.DragImageY = y;
    showWindowArea(united(uncovered, drawn));
    return true;
}

void fnEraseDragImage() {
    if (mainWindow.LastDragX == 0 && mainWindow.LastDragY == 0)
        return;
    repaintFromBackBuffer(cardPlace({mainWindow.LastDragX, mainWindow.LastDragY}));
    mainWindow.LastDragX = 0;
    mainWindow.LastDragY = 0;
}

void fnEraseDragShadow() {
    const Rect& r = mainWindow.DragTargetRect;
    repaintFromBackBuffer(ShadowBottomStrip(r));
    repaintFromBackBuffer(ShadowRightStrip(r));
}

void fnShowStockHint() {
    if (const std::optional<Point> at = stockHintPlace())
        DrawMarker(sharedObjects.MarkerImages[kStockHintMarker], at->x, at->y, Surface::Window);
    engineScalars.StockHintShown = 1;
}

void fnHideStockHint() {
    // The place shows again what the table holds there: a redeal marker drawn over it would
    // hide a stock that still has cards.
    if (const std::optional<Point> at = stockHintPlace())
        repaintFromBackBuffer(cardPlace(*at));
    fnWaitMs(kStockHintWaitMs);
}

void fnRedrawSourcePile(int card, bool single) {
    const int location = fnLocateCard(card);
    const bool tableau = location >= 1 && location <= kTableauPiles;
    const bool foundation = location <= -1 && location >= -kFoundationPiles;
    const bool reserve =
        location <= kReserveLocationBase - 1 && location >= kReserveLocationBase - kReservePiles;
    // The pile's name and 0-based number, and the area the lifted cards covered, taken before
    // they leave the pile (the whole pile when the cards after the lifted one close up).
    std::string name;
    int index = 0;
    const std::string* pile = nullptr;
    if (tableau) {
        index = location - 1;
        name = "Fila" + std::to_string(location);
        pile = &sharedObjects.FilaPiles[static_cast<std::size_t>(index)];
    } else if (foundation) {
        index = -location - 1;
        name = "Dest" + std::to_string(-location);
        pile = &sharedObjects.DestPiles[static_cast<std::size_t>(index)];
    } else if (reserve) {
        index = kReserveLocationBase - location - 1;
        name = "Appogg" + std::to_string(index + 1);
        pile = &sharedObjects.AppoggPiles[static_cast<std::size_t>(index)];
    }
    const bool wholePile = pile && closesUp(name);
    Rect lifted;
    if (pile) {
        const int k = positionOf(*pile, card);
        const int n = cardCount(*pile);
        lifted = single && !wholePile
                     ? cardPlace(pileCardPlace(name, index, k, n))
                     : pileArea(name, index, *pile, wholePile ? 0 : std::max(k, 0));
    }
    const bool rowFan = gameWord(kTableauFanWord) == kRowFan;
    if (single && rowFan && (tableau || foundation || reserve))
        fnBlankCardInPiles(card);
    else if (single)
        fnRemoveCardFromPiles(card);
    else
        fnCutRunFromPiles(card);

    if (wholePile) {
        restoreFromBackground(Surface::BackBuffer, lifted);
        RedrawPile(name, 0, 0, Surface::BackBuffer, false);
        if (reserve)
            RedrawTableauPilesReaching(lifted);
        // The pile shows closed up at once, while the card is carried.
        repaintFromBackBuffer(lifted);
    } else if (foundation || reserve) {
        restoreFromBackground(Surface::BackBuffer, lifted);
        // In a fanned pile the lifted card lay beyond the new top card's place.
        RedrawPileTop(name, index, Surface::BackBuffer);
        // A tableau pile reaching into the area (under a squared reserve, say) shows again.
        RedrawTableauPilesReaching(lifted);
    } else if (location == kWasteLocation) {
        RedrawPileTop("Mazzo_Vis", 0, Surface::BackBuffer);
    } else if (location == kStockLocation) {
        RedrawPileTop("Mazzo", 0, Surface::BackBuffer);
    } else if (tableau) {
        if (rowFan) {
            fnDrawBackgroundCopy(sharedObjects.BackBuffer);
            fnDrawTable(Surface::BackBuffer, false);
            DrawSelection(Surface::BackBuffer, false);
        } else {
            restoreFromBackground(Surface::BackBuffer, lifted);
            // The cards beneath show again as they lay.
            RedrawTableauPilesReaching(lifted);
        }
    }
}

void fnRedrawCardInPile(int card) {
    if (RedrawPileWithCard(card, sharedObjects.MazzoPiles[kWasteLine], "Mazzo_Vis", 0)) {
        if (cardCount(sharedObjects.MazzoPiles[kWasteLine]) == 1) {
            fnRestoreCardCorners(wastePlace().x, wastePlace().y, wastePlace().x + cardWidth(),
                                 wastePlace().y + cardHeight());
            if (sharedObjects.MazzoPiles[kStockLine].empty())
                RedrawPileTop("Mazzo", 0, Surface::BackBuffer);
        }
        return;
    }
    for (int i = 0; i < fnTableauCount(); ++i)
        if (RedrawPileWithCard(card, sharedObjects.FilaPiles[static_cast<std::size_t>(i)],
                               "Fila" + std::to_string(i + 1), i)) {
            fnRestoreTableauBaseCorners(i);
            return;
        }
    for (int i = 0; i < kFoundationPiles; ++i)
        if (RedrawPileWithCard(card, sharedObjects.DestPiles[static_cast<std::size_t>(i)],
                               "Dest" + std::to_string(i + 1), i)) {
            const Rect place = cardPlace({fnFoundationX(i), fnFoundationY(i)});
            fnRestoreCardCorners(place.left, place.top, place.right, place.bottom);
            return;
        }
    for (int i = 0; i < kReservePiles; ++i) {
        const std::string& pile = sharedObjects.AppoggPiles[static_cast<std::size_t>(i)];
        if (RedrawPileWithCard(card, pile, "Appogg" + std::to_string(i + 1), i)) {
            if (gameWord(kReserveFanWord) == kSquaredFan || cardCount(pile) == 1) {
                const Rect place = cardPlace({fnReserveX(i), fnReserveY(i)});
                fnRestoreCardCorners(place.left, place.top, place.right, place.bottom);
            }
            return;
        }
    }
}

} // namespace solitaire
