#include "tools/gamescompiler/word_names.h"

#include <algorithm>
#include <array>

namespace gamescompiler {

namespace {

// Words without a name here are read by no part of the program and stay 0 in every game.
constexpr std::array kFamilies{
    WordFamily{"deal_base_card", 1, 1},      // 1: a dealt card on foundation 1 sets every base
    WordFamily{"group_sequence_rule", 2, 1}, // 0 none, 1 target pile's rule, 10 same suit
    WordFamily{"tableau_fan", 3, 1},         // fan modes 1..8
    WordFamily{"foundation_fan", 4, 1},
    WordFamily{"reserve_fan", 5, 1},
    WordFamily{"stock_face_down", 6, 1},        // 0: stock dealt face up
    WordFamily{"stock_display", 7, 1},          // the stock gets a place / waste marker
    WordFamily{"stock_click", 8, 1},            // 1: a stock click turns cards to the waste
    WordFamily{"deal_foundation_card", 10, 1},  // 1: one card to foundation 1 after the deal
    WordFamily{"group_size", 11, 1},            // -1 any, -12 single or king-led, -5/-6, n
    WordFamily{"reserve_variant", 12, 1},       // -11: reserve laid out as a row
    WordFamily{"redeal_limit", 13, 1},          // redeals of the stock, -1 unlimited
    WordFamily{"redeal_mode", 14, 1},           // > 0: redeal by counting passes
    WordFamily{"stock_click_condition", 15, 1}, // 1: turn only while the waste is empty
    WordFamily{"foundation_take_back", 16, 1},  // 1 any, 2 while more than one card
    WordFamily{"autoplay", 17, 1},              // non-zero enables automatic play
    WordFamily{"stock_turn_count", 19, 1},      // cards turned per stock click
    WordFamily{"tableau_fill", 20, 1},          // fill mode of empty tableau piles
    WordFamily{"deal_pile_by_pile", 21, 1},     // 0 row by row, else pile by pile
    WordFamily{"reserved_24", 24, 1},           // read, no effect
    WordFamily{"foundation_capacity", 25, 1},
    WordFamily{"deal_adjustment", 26, 1},        // 1..4: kings/queens handled at the deal
    WordFamily{"needs_predefined_cards", 29, 1}, // 1: small screens use the predefined set
    WordFamily{"selection_target", 30, 1},       // selection games: target sum
    WordFamily{"opening_restriction", 31, 1},
    WordFamily{"initial_fill", 32, 1},
    WordFamily{"score_base", 33, 1},
    WordFamily{"game_kind", 35, 1},
    WordFamily{"foundation_base", 36, 16},
    WordFamily{"foundation_direction", 52, 16}, // 1 up, 0 down, 2 either
    WordFamily{"foundation_rule", 68, 16},
    WordFamily{"foundation_start", 84, 16}, // start-card codes of the deal
    WordFamily{"tableau_base", 100, 26},    // what an empty pile takes
    WordFamily{"tableau_direction", 126, 26},
    WordFamily{"tableau_rule", 152, 26},
    WordFamily{"tableau_on_base", 178, 26},    // > 0: may build on the foundation base rank
    WordFamily{"tableau_stock_deal", 204, 26}, // stock deal flags
    WordFamily{"reserve_rule", 230, 8},
    WordFamily{"reserve_stock_deal", 238, 8},
    WordFamily{"discard_start_card", 246, 1},
    WordFamily{"waste_build", 247, 1},  // 2: suit neighbours may drop on the waste
    WordFamily{"waste_target", 248, 1}, // 4: the waste takes no drops
    WordFamily{"stock_layout", 249, 1}, // layout numbers and their row digits
    WordFamily{"stock_row", 250, 1},
    WordFamily{"foundation_layout", 251, 1},
    WordFamily{"foundation_row", 252, 1},
    WordFamily{"tableau_layout", 253, 1},
    WordFamily{"tableau_row", 254, 1},
    WordFamily{"tableau_rows", 255, 1}, // rows of tableau piles (layouts 010, 018, 053)
    WordFamily{"reserve_layout", 256, 1},
    WordFamily{"reserve_row", 257, 1},
    WordFamily{"discard_layout", 258, 1},
    WordFamily{"discard_row", 259, 1},
    WordFamily{"stock_places", 260, 1},
    WordFamily{"foundation_count", 261, 1},
    WordFamily{"tableau_count", 262, 1},
    WordFamily{"reserve_count", 263, 1},
    WordFamily{"discard_count", 264, 1},
    WordFamily{"cards_in_play", 265, 1},
    WordFamily{"stock_deal", 266, 1},
    WordFamily{"waste_deal", 267, 1},
    WordFamily{"tableau_deal", 268, 26},    // above 1000: one card of rank value - 1000
    WordFamily{"tableau_face_up", 294, 26}, // face-up modes of the dealt piles
    WordFamily{"discard_deal", 320, 1},
    WordFamily{"reserve_deal", 321, 8},
    WordFamily{"reserve_face_up", 329, 8},
    WordFamily{"game_time", 340, 1},         // the chooser's description: 0 long .. 2 quick
    WordFamily{"difficulty", 341, 1},        // 0 easy .. 2 hard
    WordFamily{"chance_of_winning", 343, 1}, // 0 very high .. 4 very low
    WordFamily{"odds_wins", 344, 1},         // "about <wins> in <games>"; games 0 shows none
    WordFamily{"odds_games", 345, 1},
};

} // namespace

std::span<const WordFamily> wordFamilies() {
    return kFamilies;
}

std::optional<WordFamily> findWordFamily(std::string_view name) {
    const auto it = std::ranges::find(kFamilies, name, &WordFamily::name);
    if (it == kFamilies.end())
        return std::nullopt;
    return *it;
}

} // namespace gamescompiler
