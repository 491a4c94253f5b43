#include "tools/gamescompiler/catalogue.h"

#include "solitaire/engine/utils.h"
#include "tools/gamescompiler/word_names.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <string_view>

namespace gamescompiler {

using solitaire::GameDefinition;

namespace {

constexpr int kLastStoredWord = solitaire::kGameDefinitionWords - 1;

std::string_view trim(std::string_view text) {
    constexpr std::string_view blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::optional<long long> parseInteger(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

class SourceReader {
public:
    explicit SourceReader(const std::string& file) { game_.file = file; }

    void readLine(int lineNumber, std::string_view raw) {
        line_ = lineNumber;
        std::string_view text = raw.substr(0, raw.find('#'));
        text = trim(text);
        if (text.empty())
            return;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos)
            fail("expected \"name = value\"");
        const std::string_view key = trim(text.substr(0, equals));
        const std::string_view value = trim(text.substr(equals + 1));
        if (key == "name")
            readName(value);
        else if (key == "id")
            game_.id = readHeaderNumber(key, value, 0, solitaire::kLastGameId, game_.idLine);
        else if (key == "category")
            game_.category = readHeaderNumber(key, value, 0, 999, categoryLine_);
        else if (key == "edition")
            game_.edition = readHeaderNumber(key, value, 0, 9, editionLine_);
        else
            readWords(key, value);
    }

    GameSource finish(int lastLine) {
        line_ = std::max(lastLine, 1);
        if (game_.idLine == 0)
            fail("no id");
        if (game_.nameLine == 0)
            fail("no name");
        if (categoryLine_ == 0)
            fail("no category");
        if (editionLine_ == 0)
            fail("no edition");
        checkDeal();
        return game_;
    }

private:
    [[noreturn]] void fail(const std::string& text) const {
        throw CatalogueError(game_.file, line_, text);
    }

    void readName(std::string_view value) {
        if (game_.nameLine != 0)
            fail("name set twice");
        if (value.empty())
            fail("empty name");
        if (value.size() > static_cast<std::size_t>(solitaire::kGameListNameWidth))
            fail("name longer than " + std::to_string(solitaire::kGameListNameWidth) +
                 " characters");
        if (!std::ranges::all_of(value, [](char c) { return c >= ' ' && c <= '~'; }))
            fail("name holds a character other than printable ASCII");
        game_.name = value;
        game_.nameLine = line_;
    }

    int readHeaderNumber(std::string_view key, std::string_view value, int low, int high,
                         int& seenLine) {
        const std::string name(key);
        if (seenLine != 0)
            fail(name + " set twice");
        const auto number = parseInteger(value);
        if (!number)
            fail(name + " \"" + std::string(value) + "\" is not a number");
        if (*number < low || *number > high)
            fail(name + " " + std::to_string(*number) + " outside " + std::to_string(low) + ".." +
                 std::to_string(high));
        seenLine = line_;
        return static_cast<int>(*number);
    }

    void readWords(std::string_view key, std::string_view values) {
        const auto family = findWordFamily(key);
        if (!family)
            fail("unknown word name \"" + std::string(key) + "\"");
        int member = 0;
        std::size_t position = 0;
        while ((position = values.find_first_not_of(" \t", position)) != std::string_view::npos) {
            const auto end = std::min(values.find_first_of(" \t", position), values.size());
            const std::string_view token = values.substr(position, end - position);
            position = end;
            if (member == family->count)
                fail(std::string(key) + " has " + std::to_string(family->count) +
                     (family->count == 1 ? " word" : " words") + ", more values given");
            setWord(family->first + member, token);
            ++member;
        }
        if (member == 0)
            fail(std::string(key) + " without a value");
    }

    void setWord(int word, std::string_view token) {
        const auto number = parseInteger(token);
        if (!number)
            fail("\"" + std::string(token) + "\" is not a number");
        if (*number < std::numeric_limits<std::int16_t>::min() ||
            *number > std::numeric_limits<std::int16_t>::max())
            fail("value " + std::string(token) + " outside 16 bits");
        if (game_.wordLines[static_cast<std::size_t>(word)] != 0)
            fail("word " + std::to_string(word) + " set twice (first on line " +
                 std::to_string(game_.wordLines[static_cast<std::size_t>(word)]) + ")");
        game_.definition[word] = static_cast<std::int16_t>(*number);
        game_.wordLines[static_cast<std::size_t>(word)] = line_;
    }

    void checkDeal() {
        constexpr int cardsInPlay = 265;
        const int dealt = cardsDealt(game_.definition);
        const int inPlay = game_.definition[cardsInPlay];
        if (dealt <= inPlay)
            return;
        if (const int line = game_.wordLines[cardsInPlay]; line != 0)
            line_ = line;
        fail("deals " + std::to_string(dealt) + " cards but has " + std::to_string(inPlay) +
             " in play");
    }

    GameSource game_;
    int line_ = 0;
    int categoryLine_ = 0;
    int editionLine_ = 0;
};

std::string zeroPad(int value, int width) {
    return solitaire::fnIntZeroPad(value, width);
}

std::string gameListLine(const GameSource& game) {
    const std::string plain = zeroPad(game.category, 3) + " " + zeroPad(game.id, 3) +
                              std::to_string(game.edition) + "  " +
                              solitaire::fnPadRight(game.name, solitaire::kGameListNameWidth);
    return solitaire::fnScrambleText(plain);
}

std::string matrixLine(int word, const std::vector<const GameSource*>& byId) {
    // Label, then blanks up to the first cell, then one cell per id separated by a blank.
    std::string body(
        static_cast<std::size_t>(solitaire::fnGameCellColumn(0) - 1 - solitaire::kGameLabelWidth),
        ' ');
    for (std::size_t id = 0; id < byId.size(); ++id) {
        if (id > 0)
            body += ' ';
        const int value = byId[id] ? byId[id]->definition[word] : 0;
        body += solitaire::fnPadRight(std::to_string(value), solitaire::kGameCellWidth);
    }
    return zeroPad(word, solitaire::kGameLabelWidth) + solitaire::fnScrambleText(body);
}

} // namespace

CatalogueError::CatalogueError(const std::string& file, int line, const std::string& text)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + text) {}

GameSource parseGameSource(const std::string& file, std::istream& in) {
    SourceReader reader(file);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw))
        reader.readLine(++lineNumber, raw);
    return reader.finish(lineNumber);
}

GameSource readGameSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CatalogueError(path, 0, "cannot be read");
    return parseGameSource(path, in);
}

int cardsDealt(const GameDefinition& definition) {
    // Start cards: one per foundation in use unless its code deals none (0, 92, 96).
    int dealt = 0;
    const int foundations = std::clamp<int>(definition[261], 0, 16);
    for (int j = 0; j < foundations; ++j) {
        const int code = definition[84 + j];
        if (code != 0 && code != 92 && code != 96)
            ++dealt;
    }
    if (definition[246] != 0)
        ++dealt; // discard pile start card
    for (int p = 0; p < 26; ++p) {
        const int count = definition[268 + p];
        dealt += count > 1000 ? 1 : std::max(count, 0); // above 1000: one card of a rank
    }
    for (const int word : {266, 267, 320, 321, 322, 323, 324, 325, 326, 327, 328})
        dealt += std::max<int>(definition[word], 0);
    if (definition[1] == 1)
        ++dealt; // a card to foundation 1 that sets the bases
    if (definition[10] == 1)
        ++dealt; // a card to foundation 1 after the deal
    return dealt;
}

std::vector<std::string> buildGamesFile(const std::vector<GameSource>& games) {
    std::map<int, const GameSource*> byIdMap;
    for (const GameSource& game : games) {
        const auto [it, inserted] = byIdMap.emplace(game.id, &game);
        if (!inserted)
            throw CatalogueError(game.file, game.idLine,
                                 "game id " + std::to_string(game.id) + " is also used by " +
                                     it->second->file);
    }
    std::vector<const GameSource*> byId(byIdMap.empty() ? 0 : byIdMap.rbegin()->first + 1);
    for (const auto& [id, game] : byIdMap)
        byId[static_cast<std::size_t>(id)] = game;

    std::vector<std::string> lines{std::string(solitaire::kGameListHeader)};
    for (const auto& [id, game] : byIdMap)
        lines.push_back(gameListLine(*game));
    lines.emplace_back(solitaire::kGameMatrixHeader);
    for (int word = 1; word <= kLastStoredWord; ++word)
        lines.push_back(matrixLine(word, byId));
    return lines;
}

} // namespace gamescompiler
