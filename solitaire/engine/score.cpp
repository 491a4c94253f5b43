#include "solitaire/engine/score.h"

#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>
#include <string>

namespace solitaire {

namespace {

constexpr int kScoringModePosition = 120;
constexpr int kScoringModeWidth = 2;
constexpr std::string_view kScoreCounted = "01";
constexpr int kScorePosition = 122;
constexpr int kScoreWidth = 6;

constexpr int kScoreBaseWord = 33;
constexpr int kGameKindWord = 35;
constexpr int kFoundationCountWord = 261;
constexpr int kCardsInPlayWord = 265;
constexpr int kUnscoredKind = 9;
constexpr int kPointsPerUnit = 5;

bool unscoredGame() {
    return gameDefinition[kGameKindWord] == kUnscoredKind;
}

bool scoreCounted() {
    return fnReadSettingsField(kScoringModePosition, kScoringModeWidth) == kScoreCounted;
}

void showScore(int score) {
    const std::string text = std::to_string(score);
    mainWindow.ScoreLabel = text;
    fnWriteSettingsField(kScorePosition, kScoreWidth, text);
    presentation().ShowWindowState();
}

int cardsIn(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}

} // namespace

void AddScore(int points, bool reset) {
    if (unscoredGame())
        return;
    int score = fnStrToInt(fnReadSettingsField(kScorePosition, kScoreWidth));
    if (scoreCounted())
        score = reset ? -gameDefinition[kCardsInPlayWord] : score + kPointsPerUnit * points;
    showScore(score);
}

void RecomputeScore() {
    if (unscoredGame() || !scoreCounted())
        return;
    int units = gameDefinition[kScoreBaseWord] + cardsIn(sharedObjects.MazzoPiles.at(kDiscardLine));
    const int foundations =
        std::clamp<int>(gameDefinition[kFoundationCountWord], 0, kFoundationPiles);
    for (int i = 0; i < foundations; ++i)
        units += cardsIn(sharedObjects.DestPiles.at(static_cast<std::size_t>(i)));
    showScore(kPointsPerUnit * units - gameDefinition[kCardsInPlayWord]);
}

} // namespace solitaire
