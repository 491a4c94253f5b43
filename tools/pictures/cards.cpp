#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

constexpr int kFacesPerRow = 5;
constexpr int kStripRows = 3;

struct SuitInfo {
    Suit suit;
    char letter;     // the strip name's last letter
    const char* svg; // the decks' element-id suffix
    bool red;
};
constexpr SuitInfo kSuits[] = {{Suit::Hearts, 'H', "heart", true},
                               {Suit::Diamonds, 'D', "diamond", true},
                               {Suit::Clubs, 'C', "club", false},
                               {Suit::Spades, 'S', "spade", false}};

// A face design number and the vector deck its large and medium faces come from. The overscan
// (in card pixels) pushes the deck's own border and rounded corners out of the picture, so only
// our card shape shows at the edges. The deck's own corner indexes fill a box of each corner,
// given as parts of the card's width and height; ours takes their place.
struct DeckSource {
    const char* number;
    const char* svgFile;
    double overscan;
    double indexWidth, indexHeight;
};
constexpr DeckSource kDecks[] = {{"001", "svg-standard/standard.svgz", 1.5, 0.15, 0.30},
                                 {"003", "svg-nicu-white/white.svgz", 3.0, 0.23, 0.44}};

// Where the corner index lies on a large face: the rank with a suit sign under it. A covered
// card of a fanned pile shows only a strip along its top, as deep as the vertical step (18
// pixels at size B, 14 at M), or along its left edge, as wide as the horizontal step (12 at B,
// 10 at M; the short fixed step 7 at B): the whole index lies inside each of them. (The short
// fixed step of M and every step of L, 5 and 3 pixels, leave no room for a rank.)
struct CornerIndex {
    char letter;
    int rankRows;
    QPoint rank;
    QPoint sign;
};
constexpr CornerIndex kCornerIndexes[] = {{'B', kTallIndexRows, {2, 2}, {2, 12}},
                                          {'M', kGlyphHeight, {2, 2}, {2, 9}}};

QString elementId(int rank, const SuitInfo& suit) {
    static const char* const names[] = {"",  "1", "2", "3",  "4",    "5",     "6",
                                        "7", "8", "9", "10", "jack", "queen", "king"};
    return QString("%1_%2").arg(names[rank], suit.svg);
}

const SuitInfo& suitInfo(Suit suit) {
    for (const SuitInfo& info : kSuits)
        if (info.suit == suit)
            return info;
    throw std::logic_error("unknown suit");
}

// The deck is drawn at four times the size and averaged down. Qt's smooth scaling of the
// decks' embedded raster pictures is not reproducible (a few edge pixels vary from run to
// run), so pictures are sampled plainly and the averaging does the smoothing.
QImage renderFace(QSvgRenderer& deck, const QString& id, int w, int h, double overscan) {
    if (!deck.elementExists(id))
        throw std::runtime_error("deck lacks element " + id.toStdString());
    constexpr int kFactor = 4;
    QImage face(w * kFactor, h * kFactor, QImage::Format_RGB32);
    face.fill(kWhite);
    {
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kFactor, kFactor);
        p.setClipRect(1, 1, w - 2, h - 2);
        deck.render(&p, id, QRectF(-overscan, -overscan, w + 2 * overscan, h + 2 * overscan));
    }
    QImage card = boxDownscale(face, kFactor);
    finishCardShape(card);
    return card;
}

const CornerIndex& cornerIndex(char letter) {
    for (const CornerIndex& index : kCornerIndexes)
        if (index.letter == letter)
            return index;
    throw std::logic_error("no corner index for this size");
}

// Wipes the deck's corner indexes off a face: every patch of ink that starts inside a corner's
// index box and stays within it (give or take a few pixels for a serif) turns white, with its
// smoothed rim; the pips and pictures that reach beyond the box stay.
void eraseDeckIndexes(QImage& card, const DeckSource& deck) {
    const int w = card.width(), h = card.height();
    const QRect box(1, 1, static_cast<int>(deck.indexWidth * w),
                    static_cast<int>(deck.indexHeight * h));
    const QRect corners[] = {
        box, QRect(w - 1 - box.right(), h - 1 - box.bottom(), box.width(), box.height())};
    constexpr int kSlack = 3;
    auto inked = [&](int x, int y) {
        const QRgb c = card.pixel(x, y);
        return std::min({qRed(c), qGreen(c), qBlue(c)}) < 200;
    };
    // Patches of ink, 8-connected, inside the outline.
    std::vector<int> patch(static_cast<std::size_t>(w * h), -1);
    std::vector<QRect> bounds;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            if (!inked(x, y) || patch[static_cast<std::size_t>(y * w + x)] >= 0)
                continue;
            const int id = static_cast<int>(bounds.size());
            QRect extent(x, y, 1, 1);
            std::vector<QPoint> open{{x, y}};
            patch[static_cast<std::size_t>(y * w + x)] = id;
            while (!open.empty()) {
                const QPoint p = open.back();
                open.pop_back();
                extent = extent.united(QRect(p, QSize(1, 1)));
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx, ny = p.y() + dy;
                        if (nx < 1 || ny < 1 || nx >= w - 1 || ny >= h - 1 || !inked(nx, ny))
                            continue;
                        int& mark = patch[static_cast<std::size_t>(ny * w + nx)];
                        if (mark < 0) {
                            mark = id;
                            open.emplace_back(nx, ny);
                        }
                    }
            }
            bounds.push_back(extent);
        }
    std::vector<bool> wiped(bounds.size());
    for (std::size_t id = 0; id < bounds.size(); ++id)
        for (const QRect& corner : corners)
            if (corner.intersects(bounds[id]) &&
                corner.adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(bounds[id]))
                wiped[id] = true;
    // A wiped patch takes its rim with it: the pale pixels next to it that belong to no patch
    // that stays.
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            bool nearWiped = false, kept = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int id = patch[static_cast<std::size_t>((y + dy) * w + x + dx)];
                    if (id < 0)
                        continue;
                    if (wiped[static_cast<std::size_t>(id)])
                        nearWiped = true;
                    else if (dx == 0 && dy == 0)
                        kept = true;
                }
            if (nearWiped && !kept)
                card.setPixel(x, y, kWhite);
        }
}

// Our corner index in place of the deck's, at the top left and turned round at the bottom
// right.
void putCornerIndex(QImage& card, int rank, const SuitInfo& suit, char sizeLetter,
                    const DeckSource& deck) {
    const CornerIndex& layout = cornerIndex(sizeLetter);
    const QRgb ink = suit.red ? kRed : kBlack;
    QImage index(card.width(), card.height(), QImage::Format_ARGB32);
    index.fill(Qt::transparent);
    drawIndexRank(index, rank, layout.rank.x(), layout.rank.y(), layout.rankRows, ink);
    drawSmallSuit(index, suit.suit, layout.sign.x(), layout.sign.y(), ink);
    eraseDeckIndexes(card, deck);
    {
        QPainter p(&card);
        p.drawImage(0, 0, index);
        p.drawImage(0, 0, index.mirrored(true, true));
    }
    finishCardShape(card);
}

// The small size is our own: a vector deck is a blur at 25 x 32. Rank and suit sign at the
// top, a large sign in the middle.
QImage drawSmallFace(int rank, const SuitInfo& suit, int w, int h) {
    QImage card = cardBase(w, h);
    const QRgb ink = suit.red ? kRed : kBlack;
    drawRank(card, rank, 2, 2, 1, ink);
    drawSuit(card, suit.suit, w - 2 - kSuitSize, 2, 1, ink);
    const int big = 2 * kSuitSize;
    drawSuit(card, suit.suit, (w - big) / 2, h - 3 - big, 2, ink);
    return card;
}

} // namespace

QString faceElementId(int rank, Suit suit) {
    return elementId(rank, suitInfo(suit));
}

QString standardDeckPath(const QString& deckDir) {
    return deckDir + "/" + kDecks[0].svgFile;
}

void makeFaceStrips(const Output& out, const QString& deckDir) {
    for (const DeckSource& source : kDecks) {
        QSvgRenderer deck(deckDir + "/" + source.svgFile);
        if (!deck.isValid())
            throw std::runtime_error(std::string("cannot read deck ") + source.svgFile);
        for (const CardSize& size : kCardSizes) {
            for (const SuitInfo& suit : kSuits) {
                QImage strip(kFacesPerRow * size.width, kStripRows * size.height,
                             QImage::Format_RGB32);
                strip.fill(kTableGreen);
                QPainter p(&strip);
                for (int k = 0; k < 13; ++k) {
                    const int rank = k + 1;
                    QImage face;
                    if (size.letter == 'L') {
                        face = drawSmallFace(rank, suit, size.width, size.height);
                    } else {
                        face = renderFace(deck, elementId(rank, suit), size.width, size.height,
                                          source.overscan);
                        putCornerIndex(face, rank, suit, size.letter, source);
                    }
                    p.drawImage((k % kFacesPerRow) * size.width, (k / kFacesPerRow) * size.height,
                                face);
                }
                p.end();
                out.resourceBitmap(
                    QString("C%1%2%3").arg(size.letter).arg(source.number).arg(suit.letter), strip);
            }
        }
    }
}

} // namespace pictures
