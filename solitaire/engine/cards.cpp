#include "solitaire/engine/cards.h"

#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include <array>

namespace solitaire {

namespace {

// The second deck repeats the first.
int reduced(int code) {
    return code > 52 ? code - 52 : code;
}

} // namespace

int CardSuit(int code) {
    const int c = reduced(code);
    return c < 1 || c > 52 ? -1 : (c - 1) / 13;
}

int CardRank(int code) {
    const int c = reduced(code);
    return c < 1 || c > 52 ? -1 : (c - 1) % 13 + 1;
}

bool IsRedCard(int code) {
    return code <= 26 || (code >= 53 && code <= 78);
}

bool IsFaceCard(int code) {
    return code >= 1 && code <= 104 && CardRank(code) >= 11;
}

int PrevRank(int rank) {
    return rank == 1 ? 13 : rank - 1;
}

int NextRank(int rank) {
    return rank == 13 ? 1 : rank + 1;
}

int CodeAt(std::string_view codes, std::size_t offset) {
    if (offset >= codes.size())
        return -1;
    const std::string_view code = codes.substr(offset, 3);
    int value = 0;
    for (const char c : code) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool RanksAllDistinct(std::string_view codes) {
    std::array<bool, 14> seen{};
    for (std::size_t offset = 0; offset + 3 <= codes.size(); offset += 3) {
        const int code = CodeAt(codes, offset);
        const int rank = code < 0 ? -1 : CardRank(code);
        if (rank <= 0)
            continue;
        if (seen[static_cast<std::size_t>(rank)])
            return false;
        seen[static_cast<std::size_t>(rank)] = true;
    }
    return true;
}

bool CodeListContains(std::string_view codeText, std::string_view codes) {
    const auto wanted = fnTryStrToInt(codeText);
    if (!wanted)
        return false;
    // Read while the position is below the length, so a trailing fragment takes part.
    for (std::size_t offset = 0; offset + 1 < codes.size(); offset += 3) {
        if (CodeAt(codes, offset) == *wanted)
            return true;
    }
    return false;
}

void DropLastListItem(std::string& list) {
    // The comma closing the last item itself is not looked at.
    const std::size_t comma =
        list.size() < 2 ? std::string::npos : list.rfind(',', list.size() - 2);
    if (comma == std::string::npos)
        list.clear();
    else
        list.resize(comma + 1);
}

void DropPreviousListItem(std::string& list) {
    if (list.empty())
        return; // no item to keep: an empty log must not gain an empty item
    const std::string last = LastListItem(list);
    DropLastListItem(list);
    DropLastListItem(list);
    list += last + ",";
}

std::string LastListItem(std::string_view list) {
    if (list.ends_with(','))
        list.remove_suffix(1);
    const std::size_t comma = list.rfind(',');
    return std::string(comma == std::string_view::npos ? list : list.substr(comma + 1));
}

int CountCodeInList(std::string_view list, int code) {
    int count = 0;
    std::size_t start = 0;
    for (std::size_t comma = list.find(','); comma != std::string_view::npos;
         start = comma + 1, comma = list.find(',', start)) {
        const std::string_view item = list.substr(start, comma - start);
        for (std::size_t offset = 0; offset + 3 <= item.size(); offset += 3)
            count += CodeAt(item, offset) == code;
    }
    return count;
}

void fnReplaceLastLogItem(int code) {
    std::string& log = sharedObjects.MovedCardsLog;
    DropLastListItem(log);
    log += fnIntZeroPad(code, 3) + ",";
}

} // namespace solitaire
