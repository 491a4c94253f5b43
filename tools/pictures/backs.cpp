#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

// ---- card backs -------------------------------------------------------------------------

// Draws a back's design into the card, framed by a white margin inside the outline.
QImage cardBack(const CardSize& size, const std::function<void(QPainter&, QRect)>& design) {
    QImage card = cardBase(size.width, size.height);
    const int margin = size.letter == 'L' ? 2 : 4;
    const QRect area(margin, margin, size.width - 2 * margin, size.height - 2 * margin);
    {
        QPainter p(&card);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(area);
        design(p, area);
    }
    finishCardShape(card);
    return card;
}

void lattice(QPainter& p, QRect a) {
    p.fillRect(a, QColor(0x1C3F9C));
    p.setPen(QPen(QColor(0x8FB0FF), 1));
    for (int d = -a.height(); d < a.width() + a.height(); d += 4) {
        p.drawLine(a.left() + d, a.top(), a.left() + d + a.height(), a.bottom() + 1);
        p.drawLine(a.left() + d, a.bottom() + 1, a.left() + d + a.height(), a.top());
    }
}

void plaiting(QPainter& p, QRect a) {
    p.fillRect(a, QColor(0xB01818));
    const int s = 6;
    for (int y = a.top(); y < a.bottom(); y += s)
        for (int x = a.left(); x < a.right(); x += s) {
            const bool across = ((x - a.left()) / s + (y - a.top()) / s) % 2 == 0;
            const QRect cell(x, y, s, s);
            p.fillRect(across ? cell.adjusted(0, 1, 0, -1) : cell.adjusted(1, 0, -1, 0),
                       QColor(0xF0D0C0));
        }
}

void boat(QPainter& p, QRect a) {
    QLinearGradient sky(a.topLeft(), a.bottomLeft());
    sky.setColorAt(0, QColor(0x80C0F0));
    sky.setColorAt(1, QColor(0xF0E0B0));
    p.fillRect(a, sky);
    const int sea = a.top() + a.height() * 2 / 3;
    p.fillRect(QRect(a.left(), sea, a.width(), a.bottom() - sea + 1), QColor(0x2060A0));
    const int cx = a.center().x();
    QPainterPath hull;
    hull.moveTo(cx - a.width() / 3, sea - 4);
    hull.lineTo(cx + a.width() / 3, sea - 4);
    hull.lineTo(cx + a.width() / 4, sea + 3);
    hull.lineTo(cx - a.width() / 4, sea + 3);
    hull.closeSubpath();
    p.fillPath(hull, QColor(0x603010));
    QPainterPath sail;
    sail.moveTo(cx, a.top() + a.height() / 6);
    sail.lineTo(cx, sea - 6);
    sail.lineTo(cx - a.width() / 4, sea - 6);
    sail.closeSubpath();
    p.fillPath(sail, QColor(0xFFFFFF));
    p.setPen(QPen(QColor(0x402010), 1.5));
    p.drawLine(cx, a.top() + a.height() / 6, cx, sea - 4);
}

void snowman(QPainter& p, QRect a) {
    p.fillRect(a, QColor(0x10204A));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFFFFFF));
    const int cx = a.center().x(), r = a.width() / 5;
    p.drawEllipse(QPoint(cx, a.bottom() - r - 4), r + 3, r + 3);
    p.drawEllipse(QPoint(cx, a.bottom() - 3 * r - 6), r, r);
    p.setBrush(QColor(0xF08020));
    p.drawEllipse(QPoint(cx + 2, a.bottom() - 3 * r - 6), 2, 1);
    p.setBrush(QColor(0xFFFFFF));
    for (int i = 0; i < 24; ++i) // snowflakes on a fixed scatter
        p.drawEllipse(QPoint(a.left() + (i * 37) % a.width(), a.top() + (i * 53) % a.height()), 1,
                      1);
}

void roses(QPainter& p, QRect a) {
    p.fillRect(a, QColor(0x203818));
    p.setPen(QPen(QColor(0x600010), 1));
    const int r = std::max(4, a.width() / 6);
    for (int y = a.top() + r; y < a.bottom() + r; y += 2 * r + 2)
        for (int x = a.left() + r + ((y / (2 * r + 2)) % 2) * r; x < a.right() + r;
             x += 2 * r + 2) {
            p.setBrush(QColor(0xC01028));
            p.drawEllipse(QPoint(x, y), r, r);
            p.setBrush(QColor(0xE83050));
            p.drawEllipse(QPoint(x, y), r / 2, r / 2);
        }
}

void tropicalFish(QPainter& p, QRect a) {
    QLinearGradient sea(a.topLeft(), a.bottomLeft());
    sea.setColorAt(0, QColor(0x30A0E0));
    sea.setColorAt(1, QColor(0x08306A));
    p.fillRect(a, sea);
    p.setPen(Qt::NoPen);
    const int len = a.width() / 3;
    for (int i = 0; i < 3; ++i) {
        const QPoint c(a.left() + a.width() * (1 + 2 * (i % 2)) / 4,
                       a.top() + a.height() * (1 + 2 * i) / 6);
        p.setBrush(QColor(i == 1 ? 0xF0D020 : 0xF06010));
        p.drawEllipse(c, len / 2, len / 3);
        QPainterPath tail;
        tail.moveTo(c + QPoint(len / 2 - 1, 0));
        tail.lineTo(c + QPoint(len / 2 + len / 3, -len / 3));
        tail.lineTo(c + QPoint(len / 2 + len / 3, len / 3));
        tail.closeSubpath();
        p.fillPath(tail, p.brush());
        p.setBrush(QColor(Qt::black));
        p.drawEllipse(c + QPoint(-len / 4, -1), 1, 1);
    }
}

// ---- table backgrounds ------------------------------------------------------------------

constexpr int kTile = 128;

// Value noise that wraps around the tile, so the texture repeats without a seam. The lattice
// comes from a fixed-seed linear congruential generator: same bytes on every build.
class TileNoise {
public:
    TileNoise(std::uint32_t seed, int cellsX, int cellsY)
        : cx_(cellsX), cy_(cellsY), v_(cellsX * cellsY) {
        for (double& v : v_) {
            seed = seed * 1664525u + 1013904223u;
            v = (seed >> 8) / double(1u << 24);
        }
    }
    double at(double x, double y) const { // x, y in tile pixels
        const double fx = x * cx_ / kTile, fy = y * cy_ / kTile;
        const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
        const double tx = smooth(fx - x0), ty = smooth(fy - y0);
        auto v = [&](int i, int j) { return v_[wrap(j, cy_) * cx_ + wrap(i, cx_)]; };
        const double top = v(x0, y0) + (v(x0 + 1, y0) - v(x0, y0)) * tx;
        const double bottom = v(x0, y0 + 1) + (v(x0 + 1, y0 + 1) - v(x0, y0 + 1)) * tx;
        return top + (bottom - top) * ty;
    }

private:
    static int wrap(int i, int n) { return ((i % n) + n) % n; }
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    int cx_, cy_;
    std::vector<double> v_;
};

// Four octaves of tile noise; stretchX > 1 gives streaks along x (grain, brushed metal).
class Fractal {
public:
    explicit Fractal(std::uint32_t seed, int stretchX = 1) {
        for (int octave = 0, cells = 4; octave < 4; ++octave, cells *= 2)
            octaves_.emplace_back(seed + octave, std::max(1, cells / stretchX), cells);
    }
    double at(double x, double y) const { // 0..1
        double sum = 0, weight = 0.5;
        for (const TileNoise& n : octaves_) {
            sum += weight * n.at(x, y);
            weight /= 2;
        }
        return sum / 0.9375;
    }

private:
    std::vector<TileNoise> octaves_;
};

QRgb shade(QColor base, double amount) { // amount -1..1 darkens or lightens
    const double f = 1.0 + amount;
    auto ch = [&](int c) { return std::clamp(int(c * f), 0, 255); };
    return qRgb(ch(base.red()), ch(base.green()), ch(base.blue()));
}

QImage texture(const std::function<QRgb(int, int)>& pixel) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            tile.setPixel(x, y, pixel(x, y));
    return tile;
}

QImage moquetteGeometric() { // few colours, for displays of 256 colours
    return texture([](int x, int y) {
        const int u = x % 32, v = y % 32;
        const int d = std::abs(u - 16) + std::abs(v - 16);
        return d < 10 ? qRgb(0, 128, 0) : d < 14 ? qRgb(0, 64, 0) : qRgb(0, 96, 0);
    });
}

QImage metalGold() {
    const Fractal noise(287, 4);
    return texture([&](int x, int y) {
        const double streak = noise.at(x, y);
        return shade(QColor(0xC8A040), (streak - 0.5) * 0.5);
    });
}

QImage moquette() {
    const Fractal noise(296);
    return texture([&](int x, int y) {
        const double fibre = noise.at(x, y);
        const bool knot = (x % 4 < 2) != (y % 4 < 2);
        return shade(QColor(0x7A1E2A), (fibre - 0.5) * 0.6 + (knot ? 0.08 : -0.08));
    });
}

QImage brickWall() {
    const Fractal noise(304);
    return texture([&](int x, int y) {
        constexpr int kBrickW = 32, kBrickH = 16;
        const int row = y / kBrickH;
        const int bx = (x + (row % 2) * kBrickW / 2) % kBrickW, by = y % kBrickH;
        const double grit = noise.at(x, y);
        if (bx < 2 || by < 2)
            return shade(QColor(0xB8B0A0), (grit - 0.5) * 0.3);
        const int brick = (row * 7 + (x + (row % 2) * kBrickW / 2) / kBrickW * 3) % 5;
        return shade(QColor(0xA0442A), (grit - 0.5) * 0.5 + (brick - 2) * 0.05);
    });
}

QImage parquet() {
    const Fractal noise(311, 8);
    return texture([&](int x, int y) {
        constexpr int kBlock = 32, kPlank = 8;
        const bool across = ((x / kBlock) + (y / kBlock)) % 2 == 0;
        const int along = across ? x : y, side = across ? y : x;
        const double grain = noise.at(across ? x : y, across ? y : x);
        const int plank = side / kPlank;
        if (side % kPlank == 0)
            return qRgb(0x50, 0x30, 0x18);
        const double ring = 0.15 * std::sin(along * 0.15 + grain * 12 + plank);
        return shade(QColor(0xB07840), ring + (grain - 0.5) * 0.3 + ((plank % 3) - 1) * 0.06);
    });
}

QImage meadow() {
    const Fractal noise(324);
    const TileNoise blades(3240, 64, 64);
    return texture([&](int x, int y) {
        const double felt = noise.at(x, y);
        const double blade = blades.at(x, y);
        return shade(QColor(0x2E7A28), (felt - 0.5) * 0.6 + (blade - 0.5) * 0.2);
    });
}

} // namespace

void makeBacksAndBackgrounds(const Output& out) {
    struct Back {
        const char* number;
        std::function<void(QPainter&, QRect)> design;
    };
    const Back backs[] = {{"001", boat},     {"003", snowman}, {"006", lattice},
                          {"011", plaiting}, {"014", roses},   {"019", tropicalFish}};
    for (const CardSize& size : kCardSizes)
        for (const Back& back : backs)
            out.imageFile(QString("D%1%2").arg(size.letter).arg(back.number),
                          cardBack(size, back.design));

    out.imageFile("B102", moquetteGeometric());
    out.imageFile("B287", metalGold());
    out.imageFile("B296", moquette());
    out.imageFile("B304", brickWall());
    out.imageFile("B311", parquet());
    out.imageFile("B324", meadow());
}

} // namespace pictures
