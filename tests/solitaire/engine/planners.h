#pragma once
// Small move planners for the scripted games: plain models of FreeCell and Klondike that find
// a winning line by a best-first search over distinct positions. They know nothing of the
// engine; the tests play what they plan through the engine's mouse handlers and compare the
// engine's table with the model after every move.

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <queue>
#include <string>
#include <unordered_set>
#include <vector>

namespace solitaire::testing {

inline int suitOf(int c) {
    return (c - 1) / 13;
}
inline int rankOf(int c) {
    return (c - 1) % 13 + 1;
}
inline bool redCard(int c) {
    return suitOf(c) <= 1;
}
inline bool buildsDown(int under, int moving) {
    return redCard(under) != redCard(moving) && rankOf(under) == rankOf(moving) + 1;
}

// Greedy best-first search over distinct positions: the position with the lowest estimate
// is expanded first. Model supplies moves, apply, won, key and estimate.
template <typename Model>
std::optional<std::vector<typename Model::Move>> planGame(const typename Model::State& start,
                                                          int nodeLimit) {
    using State = typename Model::State;
    using Move = typename Model::Move;
    struct Node {
        State state;
        int parent;
        Move move;
    };
    std::vector<Node> nodes{{start, -1, {}}};
    std::unordered_set<std::string> seen{Model::key(start)};
    using Entry = std::pair<int, int>; // estimate, node
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    open.push({Model::estimate(start), 0});
    while (!open.empty() && static_cast<int>(nodes.size()) < nodeLimit) {
        const int current = open.top().second;
        open.pop();
        if (Model::won(nodes[current].state)) {
            std::vector<Move> line;
            for (int n = current; nodes[n].parent >= 0; n = nodes[n].parent)
                line.push_back(nodes[n].move);
            std::ranges::reverse(line);
            return line;
        }
        for (const Move& m : Model::moves(nodes[current].state)) {
            State next = nodes[current].state;
            Model::apply(next, m);
            if (!seen.insert(Model::key(next)).second)
                continue;
            open.push({Model::estimate(next), static_cast<int>(nodes.size())});
            nodes.push_back({std::move(next), current, m});
        }
    }
    return std::nullopt;
}

// ---- FreeCell ----

struct FreeCellState {
    std::array<std::vector<int>, 8> cascades;
    std::array<int, 4> cells{}; // 0: empty
    std::array<int, 4> home{};  // top rank per suit
};

enum class Place { Cascade, Cell, Home };
struct FreeCellMove {
    Place from;
    int fromIndex;
    Place to;
    int toIndex;
    int card;
};

struct FreeCellModel {
    using State = FreeCellState;
    using Move = FreeCellMove;

    static void apply(State& s, const Move& m) {
        if (m.from == Place::Cascade)
            s.cascades[m.fromIndex].pop_back();
        else
            s.cells[m.fromIndex] = 0;
        if (m.to == Place::Cascade)
            s.cascades[m.toIndex].push_back(m.card);
        else if (m.to == Place::Cell)
            s.cells[m.toIndex] = m.card;
        else
            s.home[suitOf(m.card)] = rankOf(m.card);
    }
    static bool won(const State& s) {
        return std::ranges::all_of(s.home, [](int r) { return r == 13; });
    }
    static std::string key(const State& s) {
        std::vector<std::string> cols;
        for (const auto& c : s.cascades)
            cols.emplace_back(c.begin(), c.end());
        std::ranges::sort(cols);
        std::array<int, 4> cells = s.cells;
        std::ranges::sort(cells);
        std::string k;
        for (const auto& c : cols)
            k += c + '|';
        for (int c : cells)
            k += static_cast<char>(c);
        return k;
    }
    // Cards not home, cards covering the next card each suit needs, and occupied cells.
    static int estimate(const State& s) {
        int h = 0;
        for (int r : s.home)
            h += 3 * (13 - r);
        for (int suit = 0; suit < 4; ++suit) {
            const int next = suit * 13 + s.home[suit] + 1;
            for (const auto& c : s.cascades)
                for (std::size_t i = 0; i < c.size(); ++i)
                    if (c[i] == next)
                        h += static_cast<int>(c.size() - 1 - i);
        }
        for (int c : s.cells)
            h += c != 0 ? 1 : 0;
        return h;
    }
    static std::vector<Move> moves(const State& s) {
        std::vector<Move> out;
        auto homeTakes = [&s](int c) { return rankOf(c) == s.home[suitOf(c)] + 1; };
        const int freeCell = static_cast<int>(std::ranges::find(s.cells, 0) - s.cells.begin());
        int emptyCascade = -1;
        for (int i = 0; i < 8; ++i)
            if (s.cascades[i].empty() && emptyCascade < 0)
                emptyCascade = i;
        for (int i = 0; i < 4; ++i)
            if (s.cells[i] && homeTakes(s.cells[i]))
                out.push_back({Place::Cell, i, Place::Home, 0, s.cells[i]});
        for (int i = 0; i < 8; ++i)
            if (!s.cascades[i].empty() && homeTakes(s.cascades[i].back()))
                out.push_back({Place::Cascade, i, Place::Home, 0, s.cascades[i].back()});
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 8; ++j)
                if (s.cells[i] && !s.cascades[j].empty() &&
                    buildsDown(s.cascades[j].back(), s.cells[i]))
                    out.push_back({Place::Cell, i, Place::Cascade, j, s.cells[i]});
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j)
                if (i != j && !s.cascades[i].empty() && !s.cascades[j].empty() &&
                    buildsDown(s.cascades[j].back(), s.cascades[i].back()))
                    out.push_back({Place::Cascade, i, Place::Cascade, j, s.cascades[i].back()});
        if (freeCell < 4)
            for (int i = 0; i < 8; ++i)
                if (!s.cascades[i].empty())
                    out.push_back({Place::Cascade, i, Place::Cell, freeCell, s.cascades[i].back()});
        if (emptyCascade >= 0) {
            for (int i = 0; i < 8; ++i)
                if (s.cascades[i].size() > 1)
                    out.push_back(
                        {Place::Cascade, i, Place::Cascade, emptyCascade, s.cascades[i].back()});
            for (int i = 0; i < 4; ++i)
                if (s.cells[i])
                    out.push_back({Place::Cell, i, Place::Cascade, emptyCascade, s.cells[i]});
        }
        return out;
    }
};

// ---- Klondike ----

struct KlondikeState {
    std::array<std::vector<int>, 7> piles; // bottom first
    std::array<int, 7> down{};             // face-down cards at the bottom of each pile
    std::vector<int> stock;                // top last
    std::vector<int> waste;
    std::array<int, 4> home{};
};

enum class KlondikeAction { PileToHome, WasteToHome, PileToPile, WasteToPile, Stock };
struct KlondikeMove {
    KlondikeAction action;
    int from = 0;  // pile
    int index = 0; // PileToPile: position of the run's first card
    int to = 0;    // pile
};

struct KlondikeModel {
    using State = KlondikeState;
    using Move = KlondikeMove;

    // Plays the move; a face-down card it uncovers is turned (as the player then does). Returns
    // the pile whose card was turned.
    static std::optional<int> apply(State& s, const Move& m) {
        switch (m.action) {
        case KlondikeAction::PileToHome:
            s.home[suitOf(s.piles[m.from].back())]++;
            s.piles[m.from].pop_back();
            break;
        case KlondikeAction::WasteToHome:
            s.home[suitOf(s.waste.back())]++;
            s.waste.pop_back();
            break;
        case KlondikeAction::PileToPile: {
            auto& from = s.piles[m.from];
            s.piles[m.to].insert(s.piles[m.to].end(), from.begin() + m.index, from.end());
            from.resize(static_cast<std::size_t>(m.index));
            break;
        }
        case KlondikeAction::WasteToPile:
            s.piles[m.to].push_back(s.waste.back());
            s.waste.pop_back();
            break;
        case KlondikeAction::Stock:
            if (!s.stock.empty()) {
                s.waste.push_back(s.stock.back());
                s.stock.pop_back();
            } else {
                s.stock.assign(s.waste.rbegin(), s.waste.rend());
                s.waste.clear();
            }
            break;
        }
        for (int p = 0; p < 7; ++p)
            if (s.down[p] > 0 && static_cast<int>(s.piles[p].size()) == s.down[p]) {
                --s.down[p];
                return p;
            }
        return std::nullopt;
    }
    static bool won(const State& s) {
        return std::ranges::all_of(s.home, [](int r) { return r == 13; });
    }
    static std::string key(const State& s) {
        std::string k;
        for (int p = 0; p < 7; ++p)
            k += std::string(s.piles[p].begin(), s.piles[p].end()) +
                 static_cast<char>('a' + s.down[p]);
        k += '|' + std::string(s.stock.begin(), s.stock.end()) + '|' +
             std::string(s.waste.begin(), s.waste.end());
        return k;
    }
    // Cards not home and face-down cards weigh most.
    static int estimate(const State& s) {
        int h = 0;
        for (int r : s.home)
            h += 4 * (13 - r);
        for (int d : s.down)
            h += 5 * d;
        return h;
    }
    static std::vector<Move> moves(const State& s) {
        std::vector<Move> out;
        auto homeTakes = [&s](int c) { return rankOf(c) == s.home[suitOf(c)] + 1; };
        auto fits = [&s](int c, int to) {
            return s.piles[to].empty() ? rankOf(c) == 13 : buildsDown(s.piles[to].back(), c);
        };
        for (int p = 0; p < 7; ++p)
            if (static_cast<int>(s.piles[p].size()) > s.down[p] && homeTakes(s.piles[p].back()))
                out.push_back({KlondikeAction::PileToHome, p});
        if (!s.waste.empty() && homeTakes(s.waste.back()))
            out.push_back({KlondikeAction::WasteToHome});
        for (int p = 0; p < 7; ++p) {
            const int first = s.down[p];
            for (int i = first; i < static_cast<int>(s.piles[p].size()); ++i) {
                // A whole run that uncovers a card or a place, or a part that frees a card for
                // home.
                const bool whole = i == first && (first > 0 || rankOf(s.piles[p][i]) != 13);
                const bool freesHome = i > first && homeTakes(s.piles[p][i - 1]);
                if (!whole && !freesHome)
                    continue;
                for (int q = 0; q < 7; ++q)
                    if (q != p && fits(s.piles[p][i], q))
                        out.push_back({KlondikeAction::PileToPile, p, i, q});
            }
        }
        if (!s.waste.empty())
            for (int q = 0; q < 7; ++q)
                if (fits(s.waste.back(), q))
                    out.push_back({KlondikeAction::WasteToPile, 0, 0, q});
        if (!s.stock.empty() || s.waste.size() > 1)
            out.push_back({KlondikeAction::Stock});
        return out;
    }
};

} // namespace solitaire::testing
