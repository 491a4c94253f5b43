#pragma once
// Small readers shared by the play routines (moves, drops, picking up, automatic moves and
// the game's lifecycle): the settings switches they test, the game words they read by name
// and the top cards of the pile strings.

#include "solitaire/engine/cards.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace solitaire::play {

// Settings switches.
inline constexpr int kAnimateCardsField = 67;
inline constexpr int kAutoplaySoundField = 143;
inline constexpr int kWonSoundField = 144;
inline constexpr int kShuffleSoundField = 149;
inline constexpr int kPairingSoundField = 175;
inline constexpr int kStockSoundField = 176;
inline constexpr int kTableauSoundField = 177;
inline constexpr int kCardsShadowedField = 178;
inline constexpr int kUntidyPilesField = 179;
inline constexpr int kFaceUpSoundField = 180;
inline constexpr int kCardUpSoundField = 182;
inline constexpr int kRedealSoundField = 183;
inline constexpr int kFoundationSoundField = 184;
inline constexpr int kAutomaticFaceUpField = 239;
inline constexpr int kRedealAnimationField = 242;

inline bool switchIsOn(int field) {
    return fnReadSettingsField(field, 1) == "Y";
}
inline bool switchNotOff(int field) {
    return fnReadSettingsField(field, 1) != "N";
}

// Game words.
inline int gameKind() {
    return gameWord(kGameKindWord);
}
inline int foundationCount() {
    return fnFoundationCount();
}
inline int tableauCount() {
    return std::clamp(fnTableauCount(), 0, kTableauPiles);
}
inline int reserveCount() {
    return std::clamp(fnReserveCount(), 0, kReservePiles);
}

inline bool autoPlayOn() {
    return mainWindow.AutoPlayChecked && mainWindow.AutoPlayEnabled;
}

// Pile strings.
inline std::string& stockPile() {
    return sharedObjects.MazzoPiles.at(kStockLine);
}
inline std::string& wastePile() {
    return sharedObjects.MazzoPiles.at(kWasteLine);
}
inline std::string& discardPile() {
    return sharedObjects.MazzoPiles.at(kDiscardLine);
}
inline std::string& tableauPile(int index) {
    return sharedObjects.FilaPiles.at(static_cast<std::size_t>(index));
}
inline std::string& foundationPile(int index) {
    return sharedObjects.DestPiles.at(static_cast<std::size_t>(index));
}
inline std::string& reservePile(int index) {
    return sharedObjects.AppoggPiles.at(static_cast<std::size_t>(index));
}
// The selection games keep the chosen cards in foundation 1.
inline std::string& selection() {
    return foundationPile(0);
}

inline int codeCount(std::string_view pile) {
    return static_cast<int>(pile.size() / 3);
}
// Code j of a pile (0 the bottom card); 0 for an empty slot or no code there.
inline int codeAt(std::string_view pile, int j) {
    if (j < 0 || j >= codeCount(pile))
        return 0;
    return std::max(CodeAt(pile, static_cast<std::size_t>(3 * j)), 0);
}
// The cards of a pile, its empty slots left out.
inline int cardCount(std::string_view pile) {
    int cards = 0;
    for (int j = 0; j < codeCount(pile); ++j)
        cards += codeAt(pile, j) != 0 ? 1 : 0;
    return cards;
}
inline int topCard(std::string_view pile) {
    return codeAt(pile, codeCount(pile) - 1);
}
// The place of the card in the pile (0 the bottom); -1 when the pile does not hold it.
inline int positionInPile(std::string_view pile, int card) {
    for (int j = 0; j < codeCount(pile); ++j)
        if (codeAt(pile, j) == card)
            return j;
    return -1;
}

// Whether a player may take the card from the reserve pile: any of its cards when the
// reserves lie in a row, else only its face-up top card.
inline bool reserveOffersCard(std::string_view pile, int card) {
    if (card == 0)
        return false;
    return gameWord(kReserveVariantWord) == kReserveAsRow ||
           (card == topCard(pile) && !fnIsFaceDown(card));
}

inline std::string pileName(std::string_view prefix, int number) {
    return std::string(prefix) + std::to_string(number);
}

} // namespace solitaire::play
