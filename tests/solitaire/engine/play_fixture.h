#pragma once
// A table to play on: the engine fixture with the recording presentation installed, message
// boxes, beeps and the clock under the test's control, a main window of a fixed size with B
// cards (71 x 96) and the preferences start-up leaves (automatic face-up, animations and
// shadows off, sounds on, score counted). Games come from the program folder's GAMES.DAT.

#include "engine_fixture.h"
#include "recording_presentation.h"

#include "solitaire/engine/cards.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/utils.h"

#include "platform/app/beep.h"
#include "platform/app/clock.h"
#include "platform/app/messagebox.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace solitaire::testing {

inline constexpr int kFreeCellId = 1;
inline constexpr int kKlondikeId = 2;

// Card codes by rank and suit (0 hearts, 1 diamonds, 2 clubs, 3 spades).
constexpr int card(int rank, int suit) {
    return suit * 13 + rank;
}
inline std::string codes(std::initializer_list<int> cards) {
    std::string pile;
    for (const int c : cards)
        pile += fnIntZeroPad(c, 3);
    return pile;
}

class PlayFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        settingsRecord.clear();
        const char* dist = std::getenv("ZV_DIST_DIR");
        ASSERT_NE(dist, nullptr);
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth,
                             std::string(dist) + "/Zevodadu/");
        struct Field {
            int position;
            int width;
            const char* value;
        };
        for (const Field& f :
             {Field{128, 1, "B"}, Field{24, 3, "001"}, Field{21, 3, "002"}, Field{67, 1, "N"},
              Field{120, 2, "01"}, Field{178, 1, "N"}, Field{179, 1, "N"}, Field{185, 1, "Y"},
              Field{239, 1, "N"}, Field{241, 1, "N"}, Field{242, 1, "N"}, Field{68, 6, "20000"}})
            fnWriteSettingsField(f.position, f.width, f.value);
        for (int field : {143, 144, 149, 175, 176, 177, 180, 182, 183, 184})
            fnWriteSettingsField(field, 1, "Y");
        mainWindow.Width = 812;
        mainWindow.ScrollBarWidth = 12;
        mainWindow.Height = 600;
        mainWindow.ClientWidth = 800;
        mainWindow.ClientHeight = 560;
        mainWindow.TableAreaTop = 30;
        mainWindow.CardWidth = 71;
        mainWindow.CardHeight = 96;
        mainWindow.DragHeight = 96;
        platform::app::setRandomSeed(1);
    }

    // Sets the game up (definition, fan steps, layout) without dealing.
    void setUpGame(int id) {
        fnWriteSettingsField(62, 4, fnIntZeroPad(id, 4));
        fnSetUpGame();
        recorder.calls.clear();
    }
    // A new deal of the game from a fixed seed, as the new-game command starts it.
    void startGame(int id, std::uint32_t seed) {
        fnWriteSettingsField(62, 4, fnIntZeroPad(id, 4));
        gameDefinition.fill(0);
        platform::app::setRandomSeed(seed);
        fnStartNewGame(true, true, 2, false);
        recorder.calls.clear();
    }
    // An empty running table of the set-up game.
    void clearTable() {
        for (StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                                 &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
            std::fill(list->begin(), list->end(), std::string());
        for (int c = 1; c <= kCardCount; ++c)
            SetCardFaceFlag(c, kFaceUp);
        mainWindow.GameRunning = true;
        engineScalars.PhaseCounter = 2;
    }
    // The cards of the first deck that lie on no pile go, in code order, to tableau pile n.
    static void parkTheRest(int n, int cardsInPlay = 52) {
        std::string all;
        for (const StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                                       &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
            for (const std::string& pile : *list)
                all += pile;
        std::string rest;
        for (int c = 1; c <= cardsInPlay; ++c) {
            bool placed = false;
            for (std::size_t i = 0; i + 3 <= all.size(); i += 3)
                placed = placed || CodeAt(all, i) == c;
            if (!placed)
                rest += fnIntZeroPad(c, 3);
        }
        fila(n) = rest;
    }
    static void faceDown(std::initializer_list<int> cards) {
        for (const int c : cards)
            SetCardFaceFlag(c, kFaceDown);
    }

    // Every card in play lies on exactly one pile (the selection of the selection games
    // aside); empty slots do not count.
    static void expectEveryCardOnce(int cardsInPlay = 52, bool firstFoundationIsSelection = false) {
        std::map<int, int> seen;
        auto count = [&seen](const std::string& pile) {
            for (std::size_t i = 0; i + 3 <= pile.size(); i += 3)
                if (const int c = CodeAt(pile, i); c != 0)
                    ++seen[c];
        };
        for (const std::string& pile : sharedObjects.MazzoPiles)
            count(pile);
        for (std::size_t i = firstFoundationIsSelection ? 1 : 0; i < sharedObjects.DestPiles.size();
             ++i)
            count(sharedObjects.DestPiles[i]);
        for (const std::string& pile : sharedObjects.FilaPiles)
            count(pile);
        for (const std::string& pile : sharedObjects.AppoggPiles)
            count(pile);
        for (int c = 1; c <= cardsInPlay; ++c)
            EXPECT_EQ(seen[c], 1) << "card " << c;
        EXPECT_EQ(static_cast<int>(seen.size()), cardsInPlay);
    }

    // Cards on every pile but the selection (empty slots aside).
    static int cardsOnTable() {
        int n = 0;
        for (const StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                                       &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
            for (std::size_t p = list == &sharedObjects.DestPiles ? 1 : 0; p < list->size(); ++p)
                for (std::size_t i = 0; i + 3 <= (*list)[p].size(); i += 3)
                    n += CodeAt((*list)[p], i) != 0 ? 1 : 0;
        return n;
    }
    static int cardsIn(const std::string& pile) { return static_cast<int>(pile.size() / 3); }
    // Undo steps recorded so far (one comma each).
    static int undoSteps() {
        return static_cast<int>(std::ranges::count(sharedObjects.MovedCardsLog, ','));
    }
    static int score() { return fnStrToInt(fnReadSettingsField(122, 6)); }

    bool called(const std::string& call) const {
        return std::ranges::find(recorder.calls, call) != recorder.calls.end();
    }
    int countCalls(const std::string& prefix) const {
        return static_cast<int>(std::ranges::count_if(
            recorder.calls, [&prefix](const std::string& c) { return c.starts_with(prefix); }));
    }

    // The centre of a card's pick-up rectangle.
    static std::pair<int, int> centreOf(int c) {
        const auto rect = fnCardRect(c);
        EXPECT_TRUE(rect.has_value()) << "card " << c << " has no place";
        if (!rect)
            return {-1000, -1000};
        return {(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2};
    }

    RecordingPresentation recorder;
    RecordingPresentation::Scoped installed{recorder};
    platform::app::ScriptedMessageBoxes boxes;
    platform::app::BeepRecorder beeps;
    platform::app::TestClock clock;
    platform::app::TestScreen screen{1024, 768, 32};
};

} // namespace solitaire::testing
