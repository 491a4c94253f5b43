#include <array>
#include <string_view>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

using Glyph = std::array<std::string_view, 7>;
using TallGlyph = std::array<std::string_view, 9>;
using SmallGlyph = std::array<std::string_view, 5>;

// clang-format off
constexpr Glyph kDigits[10] = {
  {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
  {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"},
  {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
  {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
  {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
  {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
  {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
  {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
  {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
  {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};
constexpr Glyph kAce   = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
constexpr Glyph kJack  = {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."};
constexpr Glyph kQueen = {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"};
constexpr Glyph kKing  = {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};

constexpr Glyph kSuits[4] = {
  {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."},
  {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."},
  {"..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.."},
  {"...#...", "..###..", ".#####.", "#######", "##.#.##", "...#...", "..###.."},
};

// The ranks of the corner index, five pixels wide so that the index fits the narrowest strip a
// fanned pile leaves of a card; the ten is condensed to that width.
constexpr TallGlyph kTallRanks[13] = {
  {"..#..", ".#.#.", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},
  {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
  {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
  {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."},
  {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
  {"..##.", ".#...", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
  {"#####", "....#", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#..."},
  {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
  {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "...#.", ".##.."},
  {"#.###", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.###"},
  {"..###", "...#.", "...#.", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."},
  {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"},
  {"#...#", "#..#.", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#..#.", "#...#"},
};
constexpr Glyph kCondensedTen = {"#.###", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.###"};

// The suit signs of the corner index.
constexpr SmallGlyph kSmallSuits[4] = {
  {".#.#.", "#####", "#####", ".###.", "..#.."},
  {"..#..", ".###.", "#####", ".###.", "..#.."},
  {".###.", ".###.", "#.#.#", "#####", "..#.."},
  {"..#..", ".###.", "#####", "#.#.#", "..#.."},
};
// clang-format on

template <std::size_t Rows> int glyphWidth(const std::array<std::string_view, Rows>& g) {
    return static_cast<int>(g[0].size());
}

template <std::size_t Rows>
void drawGlyph(QImage& image, const std::array<std::string_view, Rows>& g, int x, int y, int scale,
               QRgb colour) {
    for (int row = 0; row < static_cast<int>(Rows); ++row) {
        for (int col = 0; col < glyphWidth(g); ++col) {
            if (g[row][col] != '#')
                continue;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx) {
                    const int px = x + col * scale + dx, py = y + row * scale + dy;
                    if (image.rect().contains(px, py))
                        image.setPixel(px, py, colour);
                }
        }
    }
}

// The glyphs that spell a rank: one, or "1" and "0" for ten.
std::array<const Glyph*, 2> rankGlyphs(int rank) {
    switch (rank) {
    case 1:
        return {&kAce, nullptr};
    case 10:
        return {&kDigits[1], &kDigits[0]};
    case 11:
        return {&kJack, nullptr};
    case 12:
        return {&kQueen, nullptr};
    case 13:
        return {&kKing, nullptr};
    default:
        return {&kDigits[rank], nullptr};
    }
}

} // namespace

int rankTextWidth(int rank, int scale) {
    int width = 0;
    for (const Glyph* g : rankGlyphs(rank))
        if (g)
            width += (width ? scale : 0) + glyphWidth(*g) * scale;
    return width;
}

void drawRank(QImage& image, int rank, int x, int y, int scale, QRgb colour) {
    for (const Glyph* g : rankGlyphs(rank)) {
        if (!g)
            continue;
        drawGlyph(image, *g, x, y, scale, colour);
        x += (glyphWidth(*g) + 1) * scale;
    }
}

void drawSuit(QImage& image, Suit suit, int x, int y, int scale, QRgb colour) {
    drawGlyph(image, kSuits[static_cast<int>(suit)], x, y, scale, colour);
}

void drawIndexRank(QImage& image, int rank, int x, int y, int rows, QRgb colour) {
    if (rows == kTallIndexRows)
        drawGlyph(image, kTallRanks[rank - 1], x, y, 1, colour);
    else if (rank == 10)
        drawGlyph(image, kCondensedTen, x, y, 1, colour);
    else
        drawGlyph(image, *rankGlyphs(rank)[0], x, y, 1, colour);
}

void drawSmallSuit(QImage& image, Suit suit, int x, int y, QRgb colour) {
    drawGlyph(image, kSmallSuits[static_cast<int>(suit)], x, y, 1, colour);
}

bool isCornerPixel(int x, int y, int width, int height) {
    const int cx = x < 2 ? x : width - 1 - x; // distance from the nearer vertical edge
    const int cy = y < 2 ? y : height - 1 - y;
    return cx >= 0 && cy >= 0 && cx + cy <= 1;
}

void finishCardShape(QImage& card) {
    const int w = card.width(), h = card.height();
    for (int x = 2; x < w - 2; ++x) {
        card.setPixel(x, 0, kOutline);
        card.setPixel(x, h - 1, kOutline);
    }
    for (int y = 2; y < h - 2; ++y) {
        card.setPixel(0, y, kOutline);
        card.setPixel(w - 1, y, kOutline);
    }
    for (QPoint p : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        card.setPixel(p, kOutline);
    for (int y : {0, 1, h - 2, h - 1})
        for (int x : {0, 1, w - 2, w - 1})
            if (isCornerPixel(x, y, w, h))
                card.setPixel(x, y, kTableGreen);
}

QImage cardBase(int width, int height, QRgb inside) {
    QImage card(width, height, QImage::Format_RGB32);
    card.fill(inside);
    finishCardShape(card);
    return card;
}

QImage boxDownscale(const QImage& big, int factor) {
    QImage small(big.width() / factor, big.height() / factor, QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb c = big.pixel(x * factor + dx, y * factor + dy);
                    r += qRed(c), g += qGreen(c), b += qBlue(c);
                }
            const int n = factor * factor;
            small.setPixel(x, y, qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    return small;
}

} // namespace pictures
