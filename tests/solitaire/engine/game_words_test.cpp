#include "solitaire/engine/game_words.h"

#include "tools/gamescompiler/word_names.h"

#include <gtest/gtest.h>

#include <string_view>

namespace solitaire {
namespace {

class GameWordAccess : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 0; n < kGameDefinitionWords; ++n)
            gameDefinition[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(n + 1);
    }
    void TearDown() override { gameDefinition.fill(0); }
};

TEST_F(GameWordAccess, ReadsTheWordsOfTheTableAndZeroOutsideIt) {
    EXPECT_EQ(gameWord(0), 1);
    EXPECT_EQ(gameWord(kTableauBaseWord), kTableauBaseWord + 1);
    EXPECT_EQ(gameWord(kGameDefinitionWords - 1), kGameDefinitionWords);
    for (const int outside : {-1, kGameDefinitionWords, kGameDefinitionWords + 100, -32768})
        EXPECT_EQ(gameWord(outside), 0) << outside;
}

TEST_F(GameWordAccess, WritesInsideTheTableOnly) {
    setGameWord(kFoundationBaseWord + 15, -7);
    EXPECT_EQ(gameWord(kFoundationBaseWord + 15), -7);

    const GameDefinition before = gameDefinition;
    setGameWord(-1, 99);
    setGameWord(kGameDefinitionWords, 99);
    EXPECT_EQ(gameDefinition, before);
}

// The catalogue compiler writes GAMES.DAT by these names; the engine reads the same words
// by number. A word moved on one side only would silently break every game using it.
struct NamedWord {
    std::string_view catalogueName;
    int engineWord;
};
constexpr NamedWord kNamedWords[] = {
    {"deal_base_card", kDealBaseCardWord},
    {"group_sequence_rule", kGroupSequenceRuleWord},
    {"tableau_fan", kTableauFanWord},
    {"foundation_fan", kFoundationFanWord},
    {"reserve_fan", kReserveFanWord},
    {"stock_face_down", kStockFaceDownWord},
    {"stock_display", kStockDisplayWord},
    {"stock_click", kStockClickWord},
    {"deal_foundation_card", kDealFoundationCardWord},
    {"group_size", kGroupSizeWord},
    {"reserve_variant", kReserveVariantWord},
    {"redeal_limit", kRedealLimitWord},
    {"redeal_mode", kRedealModeWord},
    {"stock_click_condition", kStockClickConditionWord},
    {"foundation_take_back", kFoundationTakeBackWord},
    {"autoplay", kAutoPlayWord},
    {"stock_turn_count", kStockTurnCountWord},
    {"tableau_fill", kTableauFillWord},
    {"deal_pile_by_pile", kDealPileByPileWord},
    {"foundation_capacity", kFoundationCapacityWord},
    {"deal_adjustment", kDealAdjustmentWord},
    {"needs_predefined_cards", kNeedsPredefinedCardsWord},
    {"selection_target", kSelectionTargetWord},
    {"opening_restriction", kOpeningRestrictionWord},
    {"initial_fill", kInitialFillWord},
    {"score_base", kScoreBaseWord},
    {"game_kind", kGameKindWord},
    {"foundation_base", kFoundationBaseWord},
    {"foundation_direction", kFoundationDirectionWord},
    {"foundation_rule", kFoundationRuleWord},
    {"foundation_start", kFoundationStartWord},
    {"tableau_base", kTableauBaseWord},
    {"tableau_direction", kTableauDirectionWord},
    {"tableau_rule", kTableauRuleWord},
    {"tableau_on_base", kTableauOnBaseWord},
    {"tableau_stock_deal", kTableauStockDealWord},
    {"reserve_rule", kReserveRuleWord},
    {"reserve_stock_deal", kReserveStockDealWord},
    {"discard_start_card", kDiscardStartCardWord},
    {"waste_build", kWasteBuildWord},
    {"waste_target", kWasteTargetWord},
    {"stock_layout", kStockLayoutWord},
    {"stock_row", kStockRowWord},
    {"foundation_layout", kFoundationLayoutWord},
    {"foundation_row", kFoundationRowWord},
    {"tableau_layout", kTableauLayoutWord},
    {"tableau_row", kTableauRowWord},
    {"tableau_rows", kTableauRowsWord},
    {"reserve_layout", kReserveLayoutWord},
    {"reserve_row", kReserveRowWord},
    {"discard_layout", kDiscardLayoutWord},
    {"discard_row", kDiscardRowWord},
    {"stock_places", kStockPlacesWord},
    {"foundation_count", kFoundationCountWord},
    {"tableau_count", kTableauCountWord},
    {"reserve_count", kReserveCountWord},
    {"discard_count", kDiscardCountWord},
    {"cards_in_play", kCardsInPlayWord},
    {"stock_deal", kStockDealWord},
    {"waste_deal", kWasteDealWord},
    {"tableau_deal", kTableauDealWord},
    {"tableau_face_up", kTableauFaceUpWord},
    {"discard_deal", kDiscardDealWord},
    {"reserve_deal", kReserveDealWord},
    {"reserve_face_up", kReserveFaceUpWord},
};

TEST(GameWordNames, AreTheWordsTheCatalogueWritesUnderTheSameName) {
    for (const NamedWord& named : kNamedWords) {
        const auto family = gamescompiler::findWordFamily(named.catalogueName);
        ASSERT_TRUE(family) << named.catalogueName;
        EXPECT_EQ(family->first, named.engineWord) << named.catalogueName;
    }
}

} // namespace
} // namespace solitaire
