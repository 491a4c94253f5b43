#include "solitaire/app/animation.h"

#include "solitaire/app/card_pictures.h"
#include "solitaire/app/drag_image.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/clock.h"
#include "platform/app/random.h"

#include <cstdlib>

namespace solitaire {

platform::app::MessageHook SavedOnMessage;

namespace {

using platform::gdi::Point;

int sign(int v) {
    return v < 0 ? -1 : 1;
}

// Whether a coordinate moving from start towards target has reached or passed it.
bool arrived(int value, int start, int target) {
    return target >= start ? value >= target : value <= target;
}

int moveDelayMs() {
    return fnTryStrToInt(fnReadSettingsField(kSpeedMoveCardPosition, 2)).value_or(0);
}

struct WinningStyle {
    int cards;
    int pauseMs;
};

WinningStyle winningStyle(int style, const std::string& size) {
    static constexpr WinningStyle kRandomPlaces[] = {{2000, 5}, {3000, 7}, {4000, 9}};
    static constexpr WinningStyle kWalkingRows[] = {{1500, 18}, {2500, 22}, {3500, 25}};
    const std::size_t bySize = size == "M" ? 1 : size == "L" ? 2 : 0;
    return style == 2 ? kWalkingRows[bySize] : kRandomPlaces[bySize];
}

bool running() {
    return mainWindow.WinAnimationRunning;
}

// A random face of the first 51 on the window and in the back buffer; false when the
// animation was stopped before either draw.
bool drawWinningCard(int x, int y) {
    const int card = platform::app::random(51) + 1;
    if (!running())
        return false;
    fnDrawCard(card, x, y, false, Surface::Window, 0);
    if (!running())
        return false;
    fnDrawCard(card, x, y, false, Surface::BackBuffer, 0);
    return true;
}

void randomPlaces(const WinningStyle& style) {
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    for (int i = 0; i <= style.cards && running(); ++i) {
        const int y = platform::app::random(mainWindow.ClientHeight + h / 2) - h / 2;
        const int x = platform::app::random(mainWindow.ClientWidth + w / 2) - w / 2;
        if (!drawWinningCard(x, y))
            break;
        if (i % 15 == 0)
            fnWaitProcessing(static_cast<unsigned>(style.pauseMs));
        platform::app::processMessages();
    }
}

void walkingRows(const WinningStyle& style, int top) {
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    const int width = mainWindow.ClientWidth, height = mainWindow.ClientHeight;
    int x = -20, y = top, rows = 0, rowStart = 0;
    auto rowStartX = [&] {
        return rows % 2 == 1 ? -static_cast<int>(w / 3.0) : -static_cast<int>(w / 4.0);
    };
    for (int i = 1; i <= style.cards && running(); ++i) {
        if (!drawWinningCard(x, y))
            break;
        if (i % 20 == 0)
            fnWaitProcessing(static_cast<unsigned>(style.pauseMs));
        platform::app::processMessages();
        x += static_cast<int>(w / 5.8);
        if (x >= width) {
            ++rows;
            x = rowStartX();
            const std::uint32_t start = platform::app::tickCount();
            while (running() && platform::app::tickCount() - start < 700)
                fnWaitProcessing(1);
            y += 35;
        }
        if (y + h >= height) {
            x = rowStartX();
            rowStart += 35;
            y = rowStart;
            if (y >= height)
                rowStart = top + 35;
        }
    }
}

} // namespace

int CardMoveStep(int distance, bool fineSteps) {
    const double d = distance;
    int step = static_cast<int>(d / (d / 50 * 100 / 6.25 * 4 / 100 + 4) + 0.5);
    if (fineSteps)
        step = static_cast<int>(step * 0.3);
    return std::min(step, distance);
}

std::vector<Point> CardMovePath(int fromX, int fromY, int toX, int toY, bool fineSteps) {
    std::vector<Point> path;
    const bool horizontal = std::abs(toX - fromX) >= std::abs(toY - fromY);
    const int majorStart = horizontal ? fromX : fromY, majorTarget = horizontal ? toX : toY;
    const int minorStart = horizontal ? fromY : fromX, minorTarget = horizontal ? toY : toX;
    const int step = CardMoveStep(std::abs(majorTarget - majorStart), fineSteps) *
                     sign(majorTarget - majorStart);
    int major = majorStart;
    while (step != 0) {
        major += step;
        const bool majorArrived = arrived(major, majorStart, majorTarget);
        if (majorArrived)
            major = majorTarget;
        const int pct = static_cast<int>(
            std::abs(major - majorStart) * 100.0 / std::abs(majorTarget - majorStart) + 0.5);
        int minor = minorStart + (minorTarget - minorStart) * pct / 100;
        const bool minorArrived = arrived(minor, minorStart, minorTarget);
        if (minorArrived)
            minor = minorTarget;
        path.push_back(horizontal ? Point{major, minor} : Point{minor, major});
        if (majorArrived && minorArrived)
            break;
    }
    return path;
}

void fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY, bool leaveInBackBuffer,
                       bool fineSteps, bool fromShadowedPlace, bool prepareImage) {
    const int delay = moveDelayMs();
    if (fromShadowedPlace) {
        toX -= mainWindow.ShadowOffset;
        toY -= mainWindow.ShadowOffset;
    }
    // An absent pile: the card flies off the upper left.
    if (!isPresentCoordinate(toX))
        toX = -3 * mainWindow.CardWidth;
    if (!isPresentCoordinate(toY))
        toY = -3 * mainWindow.CardHeight;
    if (prepareImage) {
        engineScalars.DraggedCard = static_cast<std::int16_t>(card);
        mainWindow.DragHeight = mainWindow.CardHeight;
        fnSetDragRects(fromX, fromY, fromX + mainWindow.CardWidth, fromY + mainWindow.CardHeight);
        if (card == kCardBack)
            sharedObjects.DragImage.copyFrom({0, 0}, sharedObjects.CardBackImage,
                                             sharedObjects.CardBackImage.rect());
        else
            fnBuildDragImage();
        engineScalars.DraggedCard = 0;
        engineScalars.DraggedGroupTop = 0;
        dragImage.DragImageX = 0;
        dragImage.DragImageY = 0;
    }
    const std::string shadowed = fnReadSettingsField(kCardsShadowedPosition, 1);
    fnWriteSettingsField(kCardsShadowedPosition, 1, "N");
    fnEraseDragShadow();
    const std::vector<Point> path = CardMovePath(fromX, fromY, toX, toY, fineSteps);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!fineSteps && delay > 0)
            fnWaitMs(static_cast<unsigned>(delay));
        if (i + 1 == path.size())
            break;
        fnMoveDragImage(path[i].x, path[i].y, false, false);
    }
    fnWriteSettingsField(kCardsShadowedPosition, 1, shadowed);
    int x = toX, y = toY;
    if (fromShadowedPlace) {
        // The card settles from its shadowed drop position onto its place.
        fnMoveDragImage(toX, toY, false, true);
        x += mainWindow.ShadowOffset;
        y += mainWindow.ShadowOffset;
        if (delay > 0)
            fnWaitMs(static_cast<unsigned>(2 * delay));
    }
    fnMoveDragImage(x, y, leaveInBackBuffer, true);
}

void fnPlayWinningAnimation(int style) {
    if (fnReadSettingsField(kWinningAnimationPosition, 1) != "Y")
        return;
    mainWindow.WinAnimationRunning = true;
    if (tableWindow.takeFocus) // the key that stops the animation comes to the table
        tableWindow.takeFocus();
    const int top = mainWindow.TableAreaTop;
    const WinningStyle chosen = winningStyle(style, fnReadSettingsField(kCardSizePosition, 1));
    if (style == 2)
        walkingRows(chosen, top);
    else
        randomPlaces(chosen);
    mainWindow.WinAnimationRunning = false;
}

void SaveOnMessage() {
    SavedOnMessage = platform::app::messageHook();
}

void RestoreSavedOnMessage() {
    platform::app::setMessageHook(SavedOnMessage);
}

bool StopAnimation() {
    if (!mainWindow.WinAnimationRunning)
        return false;
    mainWindow.WinAnimationRunning = false;
    return true;
}

bool AnimationMessageHook(platform::app::InputMessage message) {
    using platform::app::InputMessage;
    switch (message) {
    case InputMessage::NonClientButtonDown:
    case InputMessage::KeyDown:
    case InputMessage::SysKeyDown:
    case InputMessage::LeftButtonDown:
    case InputMessage::RightButtonDown:
    case InputMessage::MiddleButtonDown:
    case InputMessage::LeftButtonDoubleClick:
        StopAnimation();
        return true;
    }
    return false;
}

bool InputSwallowHook(platform::app::InputMessage message) {
    using platform::app::InputMessage;
    switch (message) {
    case InputMessage::KeyDown:
    case InputMessage::LeftButtonDown:
    case InputMessage::RightButtonDown:
    // The second press of a double click would start a move inside the running one.
    case InputMessage::LeftButtonDoubleClick:
        return true;
    default:
        return false;
    }
}

} // namespace solitaire
