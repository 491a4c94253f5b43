#pragma once
// The presentation side of the engine's seam for the table: drawing, drag image, animations,
// sounds and the animation hooks. The main window derives from it and adds its own calls
// (captions, labels, dialogs), and attaches its front buffer as the table window.

#include "solitaire/engine/presentation.h"

namespace solitaire {

class TablePresentation : public Presentation {
public:
    void fnPaintConfiguredBackground(Surface canvas) override;
    void fnDrawBackgroundCopy(Surface canvas) override;
    void fnFlipBackBuffer() override;

    void fnDrawTable(Surface canvas, bool dealAnimation) override;
    void RedrawTable() override;
    void RedrawPile(const std::string& pileName, int sourceX, int sourceY, Surface canvas,
                    bool animate) override;
    void RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas) override;
    void fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas,
                    int pileIndex) override;
    void fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas) override;
    void fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex) override;
    void fnDrawStockEdge(Surface canvas, bool keepPosition, int place, bool alsoBackBuffer,
                         bool force, int pileLength) override;
    void fnRestoreCardCorners(int left, int top, int right, int bottom) override;
    void fnRestoreTableauBaseCorners(int pileIndex) override;
    void fnInvertCardRect(Surface canvas, bool onWindow, const platform::gdi::Rect& rect) override;
    void DrawSelection(Surface canvas, bool onWindow) override;

    void fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY, bool leaveInBackBuffer,
                           bool fineSteps, bool fromShadowedPlace, bool prepareImage) override;
    void fnPlayWinningAnimation(int style) override;
    void fnPlaySound(const std::string& name, bool enabled) override;
    void fnPlaySoundSync(const std::string& name, bool enabled) override;
    void fnPlaySoundLoop(const std::string& name, bool enabled) override;
    void fnStopSound() override;
    void InstallInputSwallowHook() override;
    void InstallAnimationMessageHook() override;
    void RestoreSavedOnMessage() override;

    void fnSetDragRects(int left, int top, int right, int bottom) override;
    void fnBuildDragImage() override;
    bool fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners) override;
    void fnEraseDragImage() override;
    void fnEraseDragShadow() override;
    void fnShowStockHint() override;
    void fnHideStockHint() override;
    void fnRedrawSourcePile(int card, bool single) override;
    void fnRedrawCardInPile(int card) override;
};

} // namespace solitaire
