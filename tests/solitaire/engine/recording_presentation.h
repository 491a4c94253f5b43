#pragma once
// A Presentation that records every call the engine makes, one text per call such as
// "fnRedrawSourcePile(12,1)": numbers and flags (1/0) as written, surfaces by name.
// Install it with the Scoped guard; onCall lets a test act in the middle of a call.

#include "solitaire/engine/presentation.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace solitaire::testing {

class RecordingPresentation : public Presentation {
public:
    std::vector<std::string> calls;
    std::function<void(const std::string& call)> onCall;
    bool moveDragImageResult = true;

    // Installs the recorder for the lifetime of the guard.
    class Scoped {
    public:
        explicit Scoped(RecordingPresentation& recorder) { setPresentation(&recorder); }
        ~Scoped() { setPresentation(nullptr); }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;
    };

    void UpdateMainWindow() override { record("UpdateMainWindow"); }
    void ShowWindowState() override { record("ShowWindowState"); }
    void RepaintWindowRect(const platform::gdi::Rect& rect) override {
        record("RepaintWindowRect", rect.left, rect.top, rect.right, rect.bottom);
    }
    void fnUpdateCaption() override { record("fnUpdateCaption"); }
    void Timer1Timer() override { record("Timer1Timer"); }
    void CloseMainWindow() override { record("CloseMainWindow"); }
    void ShowGameChooser() override { record("ShowGameChooser"); }
    void HidePileSizeHint() override { record("HidePileSizeHint"); }
    void ApplyCardSize() override { record("ApplyCardSize"); }

    void fnPaintConfiguredBackground(Surface canvas) override {
        record("fnPaintConfiguredBackground", canvas);
    }
    void fnDrawBackgroundCopy(Surface canvas) override { record("fnDrawBackgroundCopy", canvas); }
    void fnFlipBackBuffer() override { record("fnFlipBackBuffer"); }

    void fnDrawTable(Surface canvas, bool dealAnimation) override {
        record("fnDrawTable", canvas, dealAnimation);
    }
    void RedrawTable() override { record("RedrawTable"); }
    void RedrawPile(const std::string& pileName, int sourceX, int sourceY, Surface canvas,
                    bool animate) override {
        record("RedrawPile", pileName, sourceX, sourceY, canvas, animate);
    }
    void RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas) override {
        record("RedrawPileTop", pileName, pileIndex, canvas);
    }
    void fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas,
                    int pileIndex) override {
        record("fnDrawCard", card, x, y, withShadow, canvas, pileIndex);
    }
    void fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas) override {
        record("fnDrawCardBack", x, y, height, withShadow, canvas);
    }
    void fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex) override {
        record("fnDrawPileBase", kind, x, y, canvas, pileIndex);
    }
    void fnDrawStockEdge(Surface canvas, bool keepPosition, int place, bool alsoBackBuffer,
                         bool force, int pileLength) override {
        record("fnDrawStockEdge", canvas, keepPosition, place, alsoBackBuffer, force, pileLength);
    }
    void fnRestoreCardCorners(int left, int top, int right, int bottom) override {
        record("fnRestoreCardCorners", left, top, right, bottom);
    }
    void fnRestoreTableauBaseCorners(int pileIndex) override {
        record("fnRestoreTableauBaseCorners", pileIndex);
    }
    void fnInvertCardRect(Surface canvas, bool onWindow, const platform::gdi::Rect& rect) override {
        record("fnInvertCardRect", canvas, onWindow, rect.left, rect.top, rect.right, rect.bottom);
    }
    void DrawSelection(Surface canvas, bool onWindow) override {
        record("DrawSelection", canvas, onWindow);
    }

    void fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY, bool leaveInBackBuffer,
                           bool fineSteps, bool fromShadowedPlace, bool prepareImage) override {
        record("fnAnimateCardMove", card, fromX, fromY, toX, toY, leaveInBackBuffer, fineSteps,
               fromShadowedPlace, prepareImage);
    }
    void fnPlayWinningAnimation(int style) override { record("fnPlayWinningAnimation", style); }
    void fnPlaySound(const std::string& name, bool enabled) override {
        record("fnPlaySound", name, enabled);
    }
    void fnPlaySoundSync(const std::string& name, bool enabled) override {
        record("fnPlaySoundSync", name, enabled);
    }
    void fnPlaySoundLoop(const std::string& name, bool enabled) override {
        record("fnPlaySoundLoop", name, enabled);
    }
    void fnStopSound() override { record("fnStopSound"); }
    void InstallInputSwallowHook() override { record("InstallInputSwallowHook"); }
    void InstallAnimationMessageHook() override { record("InstallAnimationMessageHook"); }
    void RestoreSavedOnMessage() override { record("RestoreSavedOnMessage"); }

    void fnSetDragRects(int left, int top, int right, int bottom) override {
        record("fnSetDragRects", left, top, right, bottom);
    }
    void fnBuildDragImage() override { record("fnBuildDragImage"); }
    bool fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners) override {
        record("fnMoveDragImage", x, y, alsoIntoBackBuffer, clearCorners);
        return moveDragImageResult;
    }
    void fnEraseDragImage() override { record("fnEraseDragImage"); }
    void fnEraseDragShadow() override { record("fnEraseDragShadow"); }
    void fnShowStockHint() override { record("fnShowStockHint"); }
    void fnHideStockHint() override { record("fnHideStockHint"); }
    void fnRedrawSourcePile(int card, bool single) override {
        record("fnRedrawSourcePile", card, single);
    }
    void fnRedrawCardInPile(int card) override { record("fnRedrawCardInPile", card); }

private:
    static void put(std::ostringstream& out, Surface surface) {
        out << (surface == Surface::Window ? "Window" : "BackBuffer");
    }
    static void put(std::ostringstream& out, bool flag) { out << (flag ? 1 : 0); }
    template <typename T> static void put(std::ostringstream& out, const T& value) { out << value; }

    template <typename... Args> void record(const char* name, const Args&... args) {
        std::ostringstream out;
        out << name << '(';
        [[maybe_unused]] const char* separator = "";
        ((out << separator, put(out, args), separator = ","), ...);
        out << ')';
        calls.push_back(out.str());
        if (onCall)
            onCall(calls.back());
    }
};

} // namespace solitaire::testing
