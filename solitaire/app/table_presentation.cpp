#include "solitaire/app/table_presentation.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/background.h"
#include "solitaire/app/drag_image.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/shared_state.h"

namespace solitaire {

void TablePresentation::fnPaintConfiguredBackground(Surface canvas) {
    solitaire::fnPaintConfiguredBackground(surfaceBitmap(canvas));
}
void TablePresentation::fnDrawBackgroundCopy(Surface canvas) {
    solitaire::fnDrawBackgroundCopy(surfaceBitmap(canvas));
}
void TablePresentation::fnFlipBackBuffer() {
    solitaire::fnFlipBackBuffer(windowCanvas());
    showWholeWindow();
}

void TablePresentation::fnDrawTable(Surface canvas, bool dealAnimation) {
    solitaire::fnDrawTable(canvas, dealAnimation);
}
void TablePresentation::RedrawTable() {
    solitaire::RedrawTable();
}
void TablePresentation::RedrawPile(const std::string& pileName, int sourceX, int sourceY,
                                   Surface canvas, bool animate) {
    solitaire::RedrawPile(pileName, sourceX, sourceY, canvas, animate);
}
void TablePresentation::RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas) {
    solitaire::RedrawPileTop(pileName, pileIndex, canvas);
}
void TablePresentation::fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas,
                                   int pileIndex) {
    solitaire::fnDrawCard(card, x, y, withShadow, canvas, pileIndex);
}
void TablePresentation::fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas) {
    solitaire::fnDrawCardBack(x, y, height, withShadow, canvas);
}
void TablePresentation::fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex) {
    solitaire::fnDrawPileBase(kind, x, y, canvas, pileIndex);
}
void TablePresentation::fnDrawStockEdge(Surface canvas, bool keepPosition, int place,
                                        bool alsoBackBuffer, bool force, int pileLength) {
    solitaire::fnDrawStockEdge(canvas, keepPosition, place, alsoBackBuffer, force, pileLength);
}
void TablePresentation::fnRestoreCardCorners(int left, int top, int right, int bottom) {
    solitaire::fnRestoreCardCorners(left, top, right, bottom);
}
void TablePresentation::fnRestoreTableauBaseCorners(int pileIndex) {
    solitaire::fnRestoreTableauBaseCorners(pileIndex);
}
void TablePresentation::fnInvertCardRect(Surface canvas, bool onWindow,
                                         const platform::gdi::Rect& rect) {
    solitaire::fnInvertCardRect(canvas, onWindow, rect);
}
void TablePresentation::DrawSelection(Surface canvas, bool onWindow) {
    solitaire::DrawSelection(canvas, onWindow);
}

void TablePresentation::fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY,
                                          bool leaveInBackBuffer, bool fineSteps,
                                          bool fromShadowedPlace, bool prepareImage) {
    solitaire::fnAnimateCardMove(card, fromX, fromY, toX, toY, leaveInBackBuffer, fineSteps,
                                 fromShadowedPlace, prepareImage);
}
void TablePresentation::fnPlayWinningAnimation(int style) {
    solitaire::fnPlayWinningAnimation(style);
}
void TablePresentation::fnPlaySound(const std::string& name, bool enabled) {
    solitaire::fnPlaySound(name, enabled);
}
void TablePresentation::fnPlaySoundSync(const std::string& name, bool enabled) {
    solitaire::fnPlaySoundSync(name, enabled);
}
void TablePresentation::fnPlaySoundLoop(const std::string& name, bool enabled) {
    solitaire::fnPlaySoundLoop(name, enabled);
}
void TablePresentation::fnStopSound() {
    solitaire::fnStopSound();
}
void TablePresentation::InstallInputSwallowHook() {
    platform::app::setMessageHook(InputSwallowHook);
}
void TablePresentation::InstallAnimationMessageHook() {
    platform::app::setMessageHook(AnimationMessageHook);
}
void TablePresentation::RestoreSavedOnMessage() {
    solitaire::RestoreSavedOnMessage();
}

void TablePresentation::fnSetDragRects(int left, int top, int right, int bottom) {
    solitaire::fnSetDragRects(left, top, right, bottom);
}
void TablePresentation::fnBuildDragImage() {
    solitaire::fnBuildDragImage();
}
bool TablePresentation::fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners) {
    return solitaire::fnMoveDragImage(x, y, alsoIntoBackBuffer, clearCorners);
}
void TablePresentation::fnEraseDragImage() {
    solitaire::fnEraseDragImage();
}
void TablePresentation::fnEraseDragShadow() {
    solitaire::fnEraseDragShadow();
}
void TablePresentation::fnShowStockHint() {
    solitaire::fnShowStockHint();
}
void TablePresentation::fnHideStockHint() {
    solitaire::fnHideStockHint();
}
void TablePresentation::fnRedrawSourcePile(int card, bool single) {
    solitaire::fnRedrawSourcePile(card, single);
}
void TablePresentation::fnRedrawCardInPile(int card) {
    solitaire::fnRedrawCardInPile(card);
}

} // namespace solitaire
