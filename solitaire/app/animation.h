#pragma once
// Motion on the table: a card or run gliding from one place to another, and the two winning
// animations; with the application message hooks that keep input from starting another
// action while they run. Every animation runs in the calling handler, waiting on the tick
// count.

#include "platform/app/application.h"
#include "platform/gdi/geometry.h"

#include <vector>

namespace solitaire {

// The card code that moves a card back.
inline constexpr int kCardBack = -1;

// Settings fields.
inline constexpr int kSpeedMoveCardPosition = 74; // width 2: milliseconds per step
inline constexpr int kWinningAnimationPosition = 140;

// The step along the longer axis of a move of `distance` pixels (unsigned).
int CardMoveStep(int distance, bool fineSteps);
// The positions a move passes through, the destination last (empty when it does not move).
std::vector<platform::gdi::Point> CardMovePath(int fromX, int fromY, int toX, int toY,
                                               bool fineSteps);

void fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY, bool leaveInBackBuffer,
                       bool fineSteps, bool fromShadowedPlace, bool prepareImage);

// Style 1 cards at random places, style 2 rows of walking cards; only when
// Winning_Animation is "Y". Ends early when WinAnimationRunning is cleared.
void fnPlayWinningAnimation(int style);

// The application's hook as start-up found it; the animation hooks are removed by putting it
// back.
extern platform::app::MessageHook SavedOnMessage;
void SaveOnMessage();
void RestoreSavedOnMessage();

// Clears WinAnimationRunning; whether it was set.
bool StopAnimation();
// During the winning animation: a key or button press stops it and goes no further.
bool AnimationMessageHook(platform::app::InputMessage message);
// During a card animation: key and button presses are swallowed.
bool InputSwallowHook(platform::app::InputMessage message);

} // namespace solitaire
