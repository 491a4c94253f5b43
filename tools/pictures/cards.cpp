#include <QPainter>
#include <QSvgRenderer>
#include <stdexcept>

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
// our card shape shows at the edges.
struct DeckSource {
    const char* number;
    const char* svgFile;
    double overscan;
};
constexpr DeckSource kDecks[] = {{"001", "svg-standard/standard.svgz", 1.5},
                                 {"003", "svg-nicu-white/white.svgz", 3.0}};

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
                    const QImage face = size.letter == 'L'
                                            ? drawSmallFace(rank, suit, size.width, size.height)
                                            : renderFace(deck, elementId(rank, suit), size.width,
                                                         size.height, source.overscan);
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
