#include "solitaire/engine/piles.h"

#include "engine_fixture.h"
#include "recording_presentation.h"

namespace solitaire {
namespace {

class PileStoreTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        setPileCounts(8, 4);
    }
    static char face(int card) { return sharedObjects.CardTable.at(card - 1).back(); }
};

TEST_F(PileStoreTest, CardTableLines) {
    ASSERT_EQ(sharedObjects.CardTable.size(), 104u);
    EXPECT_EQ(sharedObjects.CardTable[0], "CUORI_A        1001"
                                          "1");
    EXPECT_EQ(sharedObjects.CardTable[9], "CUORI_10       1010"
                                          "1");
    EXPECT_EQ(sharedObjects.CardTable[14], "QUADR_02       2015"
                                           "1");
    EXPECT_EQ(sharedObjects.CardTable[38], "FIORI_K        3039"
                                           "1");
    EXPECT_EQ(sharedObjects.CardTable[49], "PICCH_J        4050"
                                           "1");
    EXPECT_EQ(sharedObjects.CardTable[52], "CUORI_A        1053"
                                           "1");
    EXPECT_EQ(sharedObjects.CardTable[103], "PICCH_K        4104"
                                            "1");
    for (const std::string& line : sharedObjects.CardTable)
        EXPECT_EQ(line.size(), 20u);
    EXPECT_EQ(sharedObjects.MazzoPiles.size(), 3u);
    EXPECT_EQ(sharedObjects.DestPiles.size(), 16u);
    EXPECT_EQ(sharedObjects.FilaPiles.size(), 26u);
    EXPECT_EQ(sharedObjects.AppoggPiles.size(), 8u);
}

TEST_F(PileStoreTest, FaceFlags) {
    SetCardFaceFlag(5, kFaceDown);
    EXPECT_TRUE(fnIsFaceDown(5));
    EXPECT_EQ(sharedObjects.CardTable[4], "CUORI_05       1005"
                                          "0");
    SetCardFaceFlag(5, kFaceUp);
    EXPECT_FALSE(fnIsFaceDown(5));
    EXPECT_FALSE(fnIsFaceDown(0));
    EXPECT_FALSE(fnIsFaceDown(-1));
    EXPECT_FALSE(fnIsFaceDown(105));
    SetCardFaceFlag(0, kFaceDown); // no card: nothing changes
    SetCardFaceFlag(105, kFaceDown);
    EXPECT_EQ(sharedObjects.CardTable.size(), 104u);
}

struct FaceModeCase {
    int mode;
    char flag;
    const char* faces; // of the cards 1..5 of the pile
};
// Names the case in test lists.
void PrintTo(const FaceModeCase& c, std::ostream* out) {
    *out << "mode " << c.mode << " flag " << c.flag;
}

class PileFaceModes : public PileStoreTest, public ::testing::WithParamInterface<FaceModeCase> {};

TEST_P(PileFaceModes, SetPileFaceFlags) {
    const FaceModeCase& c = GetParam();
    for (int card = 1; card <= 5; ++card)
        SetCardFaceFlag(card, kFaceUp);
    SetCardFaceFlag(1, kFaceDown); // shows which modes leave a card alone
    SetPileFaceFlags("001002003004005", c.mode, c.flag);
    std::string faces;
    for (int card = 1; card <= 5; ++card)
        faces += face(card);
    EXPECT_EQ(faces, c.faces) << "mode " << c.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PileFaceModes,
    ::testing::Values(FaceModeCase{1, kFaceDown, "01110"}, FaceModeCase{2, kFaceDown, "01100"},
                      FaceModeCase{9, kFaceDown, "00000"}, FaceModeCase{-1, kFaceDown, "10101"},
                      FaceModeCase{-2, kFaceUp, "01010"}, FaceModeCase{-3, kFaceDown, "10000"},
                      FaceModeCase{0, kFaceUp, "01111"}, FaceModeCase{-4, kFaceUp, "01111"}));

TEST_F(PileStoreTest, AppendCards) {
    AppendCardToPile(sharedObjects.FilaPiles, 0, 1, kFaceDown);
    AppendCardToPile(sharedObjects.FilaPiles, 0, 0, kFaceDown);
    AppendCardToPile(sharedObjects.FilaPiles, 0, 14);
    EXPECT_EQ(fila(1), "001000014");
    EXPECT_TRUE(fnIsFaceDown(1));
    EXPECT_FALSE(fnIsFaceDown(14));
    AppendCardToPile(sharedObjects.FilaPiles, 26, 2); // no such line
    AppendCardToPile(sharedObjects.FilaPiles, -1, 2);
    EXPECT_EQ(sharedObjects.FilaPiles.size(), 26u);
    // Codes that are no card would leave "***" or "-05" in the pile.
    AppendCardToPile(sharedObjects.FilaPiles, 0, 105);
    AppendCardToPile(sharedObjects.FilaPiles, 0, -5);
    EXPECT_FALSE(AppendCardToNamedPile("Fila1", 1000));
    EXPECT_EQ(fila(1), "001000014");
    AppendCardToPile(sharedObjects.FilaPiles, 0, 104);
    EXPECT_EQ(fila(1), "001000014104");
}

struct NamedPileCase {
    const char* name;
    int list; // index into the lists below, -1 none
    int line;
};
// Names the case in test lists.
void PrintTo(const NamedPileCase& c, std::ostream* out) {
    *out << "name \"" << c.name << "\"";
}

class NamedPiles : public PileStoreTest, public ::testing::WithParamInterface<NamedPileCase> {};

TEST_P(NamedPiles, AppendCardToNamedPile) {
    const NamedPileCase& c = GetParam();
    StringList* lists[] = {&sharedObjects.FilaPiles, &sharedObjects.DestPiles,
                           &sharedObjects.AppoggPiles, &sharedObjects.MazzoPiles};
    EXPECT_EQ(AppendCardToNamedPile(c.name, 7, kFaceDown), c.list >= 0) << c.name;
    // The flag is set whether or not a pile took the card.
    EXPECT_TRUE(fnIsFaceDown(7));
    for (int l = 0; l < 4; ++l) {
        for (std::size_t i = 0; i < lists[l]->size(); ++i) {
            const bool target = l == c.list && static_cast<int>(i) == c.line;
            EXPECT_EQ((*lists[l])[i], target ? "007" : "")
                << c.name << " list " << l << " line " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamedPiles,
    ::testing::Values(NamedPileCase{"Fila7", 0, 6}, NamedPileCase{"Fila07", 0, 6},
                      NamedPileCase{"Fila26", 0, 25}, NamedPileCase{"Dest1", 1, 0},
                      NamedPileCase{"Dest16", 1, 15}, NamedPileCase{"Appogg8", 2, 7},
                      NamedPileCase{"Mazzo_Vis", 3, 1}, NamedPileCase{"Mazzo", -1, 0},
                      NamedPileCase{"Mazzo_Waste", -1, 0}, NamedPileCase{"Fila27", -1, 0},
                      NamedPileCase{"Fila0", -1, 0}, NamedPileCase{"Fila", -1, 0},
                      NamedPileCase{"Dest17", -1, 0}, NamedPileCase{"Dest_Autoplay1", -1, 0},
                      NamedPileCase{"Appogg9", -1, 0}, NamedPileCase{"Waste", -1, 0},
                      NamedPileCase{"", -1, 0}));

TEST_F(PileStoreTest, PileLineForNameAddressesTheStockGroup) {
    const auto stockLine = PileLineForName("Mazzo");
    ASSERT_TRUE(stockLine);
    EXPECT_EQ(stockLine->list, &sharedObjects.MazzoPiles);
    EXPECT_EQ(stockLine->line, kStockLine);
    EXPECT_EQ(PileLineForName("Mazzo_Waste")->line, kDiscardLine);
    EXPECT_FALSE(PileLineForName("Mazzo_Redeal"));
}

struct FindCase {
    const char* pile;
    int card;
    int mode;
    bool found;
    const char* after;
};
// Names the case in test lists.
void PrintTo(const FindCase& c, std::ostream* out) {
    *out << "pile \"" << c.pile << "\" card " << c.card << " mode " << c.mode;
}

class FindInLine : public PileStoreTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindInLine, FindCardInPileLine) {
    const FindCase& c = GetParam();
    fila(1) = c.pile;
    EXPECT_EQ(FindCardInPileLine(sharedObjects.FilaPiles, 0, c.card, c.mode), c.found);
    EXPECT_EQ(fila(1), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FindInLine,
    ::testing::Values(FindCase{"001014027", 27, kDeleteCode, true, "001014"},
                      FindCase{"001014027", 14, kBlankCode, true, "001000027"},
                      FindCase{"001014027", 14, kFindOnly, true, "001014027"},
                      FindCase{"001000027", 1, kDeleteCodeAndSlot, true, "027"},
                      FindCase{"000005027", 5, kDeleteCodeAndSlot, true, "027"},
                      FindCase{"001005027", 5, kDeleteCodeAndSlot, true, "001027"},
                      FindCase{"001014027", 2, kDeleteCode, false, "001014027"},
                      FindCase{"", 1, kDeleteCode, false, ""},
                      // The first of two equal codes is the one taken.
                      FindCase{"005005", 5, kDeleteCode, true, "005"},
                      // Malformed piles: a stray fragment or letters never match.
                      FindCase{"00101", 1, kDeleteCode, true, "01"},
                      FindCase{"0010", 10, kDeleteCode, false, "0010"},
                      FindCase{"0x1001", 1, kDeleteCode, true, "0x1"},
                      FindCase{"abc", 0, kBlankCode, false, "abc"},
                      FindCase{"001014", 14, 7, true, "001014"}));

TEST_F(PileStoreTest, FindInAMissingLineChangesNothing) {
    EXPECT_FALSE(FindCardInPileLine(sharedObjects.FilaPiles, 26, 1, kDeleteCode));
    EXPECT_FALSE(FindCardInPileLine(sharedObjects.FilaPiles, -1, 1, kDeleteCode));
    StringList none;
    EXPECT_FALSE(FindCardInPileLine(none, 0, 1, kDeleteCode));
}

TEST_F(PileStoreTest, TakeCardFromPilesSearchOrder) {
    waste() = "005";
    fila(2) = "005";
    EXPECT_EQ(TakeCardFromPiles(5, kFindOnly), kWasteKind);
    EXPECT_EQ(fnRemoveCardFromPiles(5), kWasteKind);
    EXPECT_EQ(waste(), "");
    EXPECT_EQ(fila(2), "005");
    EXPECT_EQ(fnBlankCardInPiles(5), kTableauKind);
    EXPECT_EQ(fila(2), "000");

    dest(16) = "010";
    stock() = "011";
    discard() = "012";
    appogg(8) = "013"; // every reserve is searched, not only the game's
    fila(9) = "014";   // beyond the game's tableau piles
    EXPECT_EQ(TakeCardFromPiles(10, kFindOnly), kFoundationKind);
    EXPECT_EQ(TakeCardFromPiles(11, kFindOnly), kStockKind);
    EXPECT_EQ(TakeCardFromPiles(12, kFindOnly), kDiscardKind);
    EXPECT_EQ(TakeCardFromPiles(13, kFindOnly), kReserveKind);
    EXPECT_EQ(TakeCardFromPiles(14, kFindOnly), kNoPileKind);
    EXPECT_EQ(TakeCardFromPiles(99, kDeleteCode), kNoPileKind);
}

TEST_F(PileStoreTest, LocateCard) {
    stock() = "001";
    waste() = "002";
    dest(1) = "003";
    dest(16) = "004";
    fila(1) = "005";
    fila(8) = "006";
    fila(9) = "007"; // the game has 8 tableau piles
    appogg(1) = "008";
    appogg(4) = "009";
    appogg(5) = "010"; // and 4 reserves
    discard() = "011";
    const std::pair<int, int> expected[] = {{1, -99}, {2, -98}, {3, -1}, {4, -16},
                                            {5, 1},   {6, 8},   {7, 0},  {8, -21},
                                            {9, -24}, {10, 0},  {11, 0}, {12, 0}};
    for (const auto& [card, location] : expected)
        EXPECT_EQ(fnLocateCard(card), location) << card;
}

TEST_F(PileStoreTest, PileCountsOutsideTheirRangeAreClamped) {
    setPileCounts(40, 20);
    fila(26) = "001";
    appogg(8) = "002";
    EXPECT_EQ(fnLocateCard(1), 26);
    EXPECT_EQ(fnLocateCard(2), -28);
    setPileCounts(-3, -1);
    EXPECT_EQ(fnLocateCard(1), 0);
    EXPECT_EQ(fnLongestTableauPile(), 0);
}

TEST_F(PileStoreTest, TopCardOfTableauOrReserve) {
    fila(1) = "001002";
    appogg(2) = "003";
    appogg(6) = "004"; // beyond the game's reserves
    dest(1) = "005";
    EXPECT_TRUE(IsTopCardOfPile(2));
    EXPECT_FALSE(IsTopCardOfPile(1));
    EXPECT_TRUE(IsTopCardOfPile(3));
    EXPECT_FALSE(IsTopCardOfPile(4));
    EXPECT_FALSE(IsTopCardOfPile(5));
    EXPECT_FALSE(IsTopCardOfPile(0));
}

TEST_F(PileStoreTest, TopOfTableauLooksOnlyAtTheGamesTableauPiles) {
    setPileCounts(3, 4);
    fila(1) = "";
    fila(2) = "001002";
    fila(4) = "006"; // beyond the game's tableau
    appogg(1) = "003";
    EXPECT_TRUE(IsTopOfTableau(2));
    EXPECT_FALSE(IsTopOfTableau(1));
    EXPECT_FALSE(IsTopOfTableau(3));
    EXPECT_FALSE(IsTopOfTableau(6));
    EXPECT_FALSE(IsTopOfTableau(0));
}

TEST_F(PileStoreTest, PileTopCardByName) {
    dest(3) = "014015";
    fila(12) = "101";
    appogg(2) = "052";
    sharedObjects.MazzoPiles[kStockLine] = "007008";
    sharedObjects.MazzoPiles[kWasteLine] = "009";
    sharedObjects.MazzoPiles[kDiscardLine] = "010";
    const std::pair<const char*, int> cases[] = {
        {"Dest03", 15}, {"Fila12", 101}, {"Appogg2", 52}, {"Mazzo", 8}, {"Mazzo_Vis", 9},
        {"Dest04", 0},                    // empty
        {"Mazzo_Waste", 0}, {"Dest99", 0}, {"Fila", 0}, {"Stock", 0}, {"", 0}, // no such pile
    };
    for (const auto& [name, top] : cases)
        EXPECT_EQ(GetPileTopCard(name), top) << name;
}

TEST_F(PileStoreTest, ListRunLeavesThePile) {
    fila(3) = "001014027";
    StringList run{"stale"};
    EXPECT_TRUE(fnListRunFromCard(run, 14));
    EXPECT_EQ(run, (StringList{"014", "027"}));
    EXPECT_EQ(fila(3), "001014027");
    EXPECT_TRUE(fnListRunFromCard(run, 1));
    EXPECT_EQ(run.size(), 3u);
    EXPECT_FALSE(fnListRunFromCard(run, 40));
    EXPECT_TRUE(run.empty());
}

TEST_F(PileStoreTest, CutRunRemovesTheCardAndAllAbove) {
    fila(3) = "001014027";
    appogg(1) = "030031";
    EXPECT_TRUE(fnCutRunFromPiles(14));
    EXPECT_EQ(fila(3), "001");
    EXPECT_TRUE(fnCutRunFromPiles(1));
    EXPECT_EQ(fila(3), "");
    EXPECT_TRUE(fnCutRunFromPiles(31));
    EXPECT_EQ(appogg(1), "030");
    StringList out{"x"};
    EXPECT_TRUE(ExtractRunFromLine(sharedObjects.AppoggPiles, 0, 30, true, out));
    EXPECT_TRUE(out.empty());
    // Foundations and the stock group are not searched.
    dest(1) = "040";
    waste() = "041";
    EXPECT_FALSE(fnCutRunFromPiles(40));
    EXPECT_FALSE(fnCutRunFromPiles(41));
    EXPECT_EQ(dest(1), "040");
    EXPECT_EQ(waste(), "041");
}

TEST_F(PileStoreTest, TableauIsSearchedBeforeReserves) {
    fila(8) = "005006";
    appogg(1) = "005007";
    StringList run;
    EXPECT_TRUE(fnListRunFromCard(run, 5));
    EXPECT_EQ(run, (StringList{"005", "006"}));
}

TEST_F(PileStoreTest, BackupAndRestore) {
    fila(1) = "001";
    stock() = "002";
    BackupPiles();
    fila(1) = "";
    stock() = "003";
    dest(4) = "004";
    RestorePiles();
    EXPECT_EQ(fila(1), "001");
    EXPECT_EQ(stock(), "002");
    EXPECT_EQ(dest(4), "");
}

TEST_F(PileStoreTest, SnapshotOfAFullTable) {
    // Two decks spread over every pile kind, some cards face down, one empty slot.
    std::string fullPile;
    for (int card = 1; card <= 52; ++card)
        fullPile += fnIntZeroPad(card, 3);
    fila(1) = fullPile;
    stock() = "053054";
    SetCardFaceFlag(54, kFaceDown);
    waste() = "055";
    dest(16) = "056000057";
    appogg(8) = "058";
    StringList snapshot{"stale"};
    fnSnapshotPiles(snapshot);
    ASSERT_EQ(snapshot.size(), 53u);
    EXPECT_EQ(snapshot[0], "05310540");
    EXPECT_EQ(snapshot[1], "0551");
    EXPECT_EQ(snapshot[2], "");
    EXPECT_EQ(snapshot[3 + 15], "056100000571");
    EXPECT_EQ(snapshot[19].size(), 208u);
    EXPECT_EQ(snapshot[19].substr(0, 8), "00110021");
    EXPECT_EQ(snapshot[19].substr(204), "0521");
    EXPECT_EQ(snapshot[45 + 7], "0581");
    for (int line : {20, 44, 45})
        EXPECT_EQ(snapshot[static_cast<std::size_t>(line)], "");
}

TEST_F(PileStoreTest, SnapshotWithoutPileLinesGivesEmptyLines) {
    fnFreeSharedObjects();
    StringList snapshot;
    fnSnapshotPiles(snapshot);
    EXPECT_EQ(snapshot, StringList(53));
}

TEST_F(PileStoreTest, LongestTableauPile) {
    fila(2) = "001002003";
    fila(5) = "00400500";
    fila(9) = "006007008009"; // not one of the game's piles
    EXPECT_EQ(fnLongestTableauPile(), 3);
}

class PileRedrawTest : public PileStoreTest {
protected:
    testing::RecordingPresentation recorder;
    testing::RecordingPresentation::Scoped installed{recorder};
};

TEST_F(PileRedrawTest, LiftCardRedrawsWithoutTheCardAndRestoresThePiles) {
    fila(2) = "001014027";
    std::string pileWhileDrawn;
    recorder.onCall = [&](const std::string&) {
        // The window takes the run out of its pile to draw the pile without it.
        fnCutRunFromPiles(14);
        pileWhileDrawn = fila(2);
    };
    LiftCard(14, false);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"fnRedrawSourcePile(14,0)"}));
    EXPECT_EQ(pileWhileDrawn, "001");
    EXPECT_EQ(fila(2), "001014027");
}

TEST_F(PileRedrawTest, ClearGameStateEmptiesPilesAndHistory) {
    fila(1) = "001";
    dest(1) = "002";
    sharedObjects.UndoStack[kFilaList] = {"x"};
    sharedObjects.RedoStack[kDestList] = {"y"};
    sharedObjects.MovedCardsLog = "001,";
    sharedObjects.RedoMovedCardsLog = "002,";
    mainWindow.GameRunning = true;
    fnClearGameState(true, true);
    EXPECT_EQ(fila(1), "");
    EXPECT_EQ(dest(1), "");
    EXPECT_EQ(sharedObjects.FilaPiles.size(), 26u);
    EXPECT_TRUE(sharedObjects.UndoStack[kFilaList].empty());
    EXPECT_TRUE(sharedObjects.RedoStack[kDestList].empty());
    EXPECT_EQ(sharedObjects.MovedCardsLog, "");
    EXPECT_EQ(sharedObjects.RedoMovedCardsLog, "");
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"fnPaintConfiguredBackground(BackBuffer)",
                                                        "fnFlipBackBuffer()"}));
}

TEST_F(PileRedrawTest, ClearGameStateKeepingPilesClearsOnlyTheRedoSide) {
    fila(1) = "001";
    sharedObjects.UndoStack[kFilaList] = {"x"};
    sharedObjects.RedoStack[kFilaList] = {"y"};
    sharedObjects.MovedCardsLog = "001,";
    sharedObjects.RedoMovedCardsLog = "002,";
    mainWindow.GameRunning = true;
    fnClearGameState(false, false);
    EXPECT_EQ(fila(1), "001");
    EXPECT_EQ(sharedObjects.UndoStack[kFilaList], StringList{"x"});
    EXPECT_EQ(sharedObjects.MovedCardsLog, "001,");
    EXPECT_TRUE(sharedObjects.RedoStack[kFilaList].empty());
    EXPECT_EQ(sharedObjects.RedoMovedCardsLog, "");
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(PresentationSeam, DrawingWithoutAWindowIsAClearError) {
    setPresentation(nullptr);
    EXPECT_THROW(presentation(), std::logic_error);
}

} // namespace
} // namespace solitaire
