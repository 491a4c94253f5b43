#pragma once
// A fresh engine for every test: the shared objects as start-up creates them, the card
// table and empty piles filled, no game loaded and a blank main window.

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/shared_state.h"

#include <gtest/gtest.h>

namespace solitaire::testing {

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fnCreateSharedObjects();
        fnFillCardTableAndPiles();
        gameDefinition.fill(0);
        pileCoordinates = PileCoordinates{};
        mainWindow = MainWindowState{};
    }
    void TearDown() override { fnFreeSharedObjects(); }

    static void setPileCounts(int tableaus, int reserves) {
        gameDefinition[kTableauCountWord] = static_cast<std::int16_t>(tableaus);
        gameDefinition[kReserveCountWord] = static_cast<std::int16_t>(reserves);
    }
    static std::string& fila(int n) { return sharedObjects.FilaPiles.at(n - 1); }
    static std::string& dest(int n) { return sharedObjects.DestPiles.at(n - 1); }
    static std::string& appogg(int n) { return sharedObjects.AppoggPiles.at(n - 1); }
    static std::string& stock() { return sharedObjects.MazzoPiles.at(kStockLine); }
    static std::string& waste() { return sharedObjects.MazzoPiles.at(kWasteLine); }
    static std::string& discard() { return sharedObjects.MazzoPiles.at(kDiscardLine); }
};

} // namespace solitaire::testing
