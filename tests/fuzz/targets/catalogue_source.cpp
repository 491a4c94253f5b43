// The catalogue compiler's source reader (one game's source, tools/gamescompiler). A source
// is either refused with CatalogueError or compiled into a GAMES.DAT whose game list line
// and matrix column the program reads back as the source gave them.
#include "fuzz_support.h"

#include "tools/gamescompiler/catalogue.h"

#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/utils.h"

#include <sstream>

using namespace gamescompiler;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    GameSource game;
    try {
        game = parseGameSource("fuzz.game", in);
    } catch (const CatalogueError&) {
        return 0;
    }
    ZV_FUZZ_CHECK(game.id >= 0 && game.id <= solitaire::kLastGameId, std::to_string(game.id));
    const std::vector<std::string> lines = buildGamesFile({game});

    solitaire::StringList list;
    solitaire::fnSectionLines(list, lines, solitaire::kGameListHeader);
    ZV_FUZZ_CHECK(list.size() == 1, "game list");
    const std::string entry = solitaire::fnScrambleText(list.front());
    ZV_FUZZ_CHECK(solitaire::fnTryStrToInt(entry.substr(4, 3)) == game.id, entry);
    ZV_FUZZ_CHECK(solitaire::fnTryStrToInt(entry.substr(0, 3)) == game.category, entry);
    ZV_FUZZ_CHECK(entry.size() > 10 && entry[7] == static_cast<char>('0' + game.edition), entry);
    ZV_FUZZ_CHECK(solitaire::fnTrimRight(entry.substr(10)) == game.name, entry);

    solitaire::GameDefinition read{};
    solitaire::fnApplyGameColumn(lines, game.id, read);
    read[0] = game.definition[0]; // word 0 has no line
    ZV_FUZZ_CHECK(read == game.definition, "definition read back differs");
    return 0;
}
