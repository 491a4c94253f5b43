#include "solitaire/engine/score.h"

#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <string>

namespace solitaire {

namespace {

constexpr int kScoringModePosition = 120;
constexpr int kScoringModeWidth = 2;
constexpr std::string_view kScoreCounted = "01";
constexpr int kScorePosition = 122;
constexpr int kScoreWidth = 6;

constexpr int kUnscoredKind = 9;
constexpr int kPointsPerUnit = 5;

bool unscoredGame() {
    return gameWord(kGameKindWord) == kUnscoredKind;
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
        score = reset ? -gameWord(kCardsInPlayWord) : score + kPointsPerUnit * points;
    showScore(score);
}

void RecomputeScore() {
    if (unscoredGame() || !scoreCounted())
        return;
    int units = gameWord(kScoreBaseWord) + cardsIn(sharedObjects.MazzoPiles.at(kDiscardLine));
    for (int i = 0; i < fnFoundationCount(); ++i)
        units += cardsIn(sharedObjects.DestPiles.at(static_cast<std::size_t>(i)));
    showScore(kPointsPerUnit * units - gameWord(kCardsInPlayWord));
}

} // namespace solitaire
