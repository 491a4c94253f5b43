#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

// Everything here is drawn at four times the size and averaged down, like the card faces.
constexpr int kFactor = 4;

QImage supersampled(int width, int height, QRgb background,
                    const std::function<void(QPainter&)>& draw) {
    QImage big(width * kFactor, height * kFactor, QImage::Format_RGB32);
    big.fill(background);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(kFactor, kFactor);
        draw(p);
    }
    return boxDownscale(big, kFactor);
}

constexpr QRgb kFeltLight = 0xFF1E8A3C;
constexpr QRgb kFeltDark = 0xFF0A4A1E;
constexpr QRgb kTitleGreen = 0xFF0B5A24;
constexpr QRgb kGold = 0xFFC9A23A;

struct FannedCard {
    int rank;
    Suit suit;
};

// Cards spread like a hand, turning about a point below their centres. Each card casts a soft
// shadow on what lies beneath it.
void drawFan(QPainter& p, QSvgRenderer& deck, const std::vector<FannedCard>& cards,
             QPointF pivot, double spreadDegrees, QSizeF card, double lift) {
    const int n = static_cast<int>(cards.size());
    for (int i = 0; i < n; ++i) {
        const double angle = n == 1 ? 0 : -spreadDegrees / 2 + spreadDegrees * i / (n - 1);
        p.save();
        p.translate(pivot);
        p.rotate(angle);
        const QRectF place(-card.width() / 2, -lift - card.height(), card.width(), card.height());
        p.setPen(Qt::NoPen);
        for (int blur = 3; blur >= 1; --blur) {
            p.setBrush(QColor(0, 0, 0, 28));
            p.drawRoundedRect(place.translated(1.5, 1.5).adjusted(-blur, -blur, blur, blur),
                              4 + blur, 4 + blur);
        }
        const QString id = faceElementId(cards[i].rank, cards[i].suit);
        if (!deck.elementExists(id))
            throw std::runtime_error("deck lacks element " + id.toStdString());
        deck.render(&p, id, place);
        p.restore();
    }
}

void drawCentredText(QPainter& p, const QString& text, const QFont& font, QRgb colour,
                     QRectF box) {
    p.setFont(font);
    p.setPen(QColor::fromRgb(colour));
    p.drawText(box, Qt::AlignCenter, text);
}

QFont font(const char* family, int pixelSize, bool bold) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The program's picture: a hand of cards on a felt oval above the title, on white so that it
// sits seamlessly on the splash window's white panel and the game chooser's white page.
QImage programPicture(QSvgRenderer& deck) {
    return supersampled(300, 185, kWhite, [&](QPainter& p) {
        QRadialGradient felt(QPointF(150, 70), 125);
        felt.setColorAt(0, QColor::fromRgb(kFeltLight));
        felt.setColorAt(1, QColor::fromRgb(kFeltDark));
        p.setPen(QPen(QColor::fromRgb(kGold), 1.5));
        p.setBrush(felt);
        p.drawEllipse(QRectF(30, 6, 240, 124));
        drawFan(p, deck,
                {{10, Suit::Spades},
                 {11, Suit::Hearts},
                 {12, Suit::Clubs},
                 {13, Suit::Diamonds},
                 {1, Suit::Spades}},
                QPointF(150, 150), 44, QSizeF(57, 78), 50);
        QFont title = font("DejaVu Serif", 34, true);
        title.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        drawCentredText(p, "Brindlewood", title, 0xFFB0C8B4, QRectF(1.2, 125.2, 300, 40));
        drawCentredText(p, "Brindlewood", title, kTitleGreen, QRectF(0, 124, 300, 40));
        QFont subtitle = font("DejaVu Sans", 10, false);
        subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 3);
        drawCentredText(p, "SOLITAIRE COLLECTION", subtitle, 0xFF505850,
                        QRectF(0, 163, 300, 16));
    });
}

// The about box's picture: three aces on a framed square of felt.
QImage aboutPicture(QSvgRenderer& deck) {
    return supersampled(96, 96, kWhite, [&](QPainter& p) {
        QLinearGradient felt(QPointF(0, 0), QPointF(96, 96));
        felt.setColorAt(0, QColor::fromRgb(kFeltLight));
        felt.setColorAt(1, QColor::fromRgb(kFeltDark));
        p.setPen(QPen(QColor::fromRgb(kGold), 1.5));
        p.setBrush(felt);
        p.drawRoundedRect(QRectF(0.75, 0.75, 94.5, 94.5), 8, 8);
        drawFan(p, deck, {{1, Suit::Hearts}, {1, Suit::Spades}, {1, Suit::Diamonds}},
                QPointF(48, 100), 40, QSizeF(42, 58), 22);
    });
}

// ---- advice icons -------------------------------------------------------------------------

// The advice pictures are 64 x 64 monitors; outside the monitor's outline every pixel is this
// key colour (0x800000 here, the program's 0x000080), which the advice box shows as
// transparent. The outline is whole pixels, so no edge pixel is a blend with the key.
constexpr int kIconSize = 64;
constexpr QRgb kIconKey = 0xFF800000;
constexpr QRgb kCase = 0xFFB8BCC4;
constexpr QRgb kCaseLine = 0xFF303438;

// Sets every pixel outside the picture's parts to the key colour.
void keyOutside(QImage& icon, std::initializer_list<QRect> parts) {
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (std::none_of(parts.begin(), parts.end(),
                             [&](const QRect& part) { return part.contains(x, y); }))
                icon.setPixel(x, y, kIconKey);
}

const QRect kBody(4, 5, 56, 42), kScreen(9, 10, 46, 31), kNeck(27, 47, 10, 5),
    kFoot(16, 52, 32, 6);

QImage monitor(const std::function<void(QPainter&)>& drawScreen) {
    QImage icon = supersampled(kIconSize, kIconSize, kCaseLine, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        for (const QRect& part : {kBody, kNeck, kFoot}) {
            QLinearGradient shade(part.topLeft(), part.bottomLeft());
            shade.setColorAt(0, QColor(0xE4E6EA));
            shade.setColorAt(1, QColor::fromRgb(kCase));
            p.setBrush(shade);
            p.drawRect(QRectF(part).adjusted(1, 1, -1, -1));
        }
        p.fillRect(kScreen.adjusted(-1, -1, 1, 1), QColor::fromRgb(kCaseLine));
        p.setClipRect(kScreen);
        drawScreen(p);
        p.setClipping(false);
        p.setBrush(QColor(0x30C040));
        p.drawEllipse(QRectF(53, 42.5, 3, 3)); // power light
    });
    keyOutside(icon, {kBody, kNeck, kFoot});
    return icon;
}

// Many colours: a colour wheel glowing on the screen.
QImage colourIcon() {
    return monitor([](QPainter& p) {
        p.fillRect(kScreen, QColor(0x101820));
        const QPointF centre = QRectF(kScreen).center();
        QConicalGradient wheel(centre, 90);
        const QRgb hues[] = {0xFFFF2020, 0xFFFFD020, 0xFF30D030, 0xFF20D0FF,
                             0xFF3040FF, 0xFFE020E0, 0xFFFF2020};
        for (int i = 0; i < 7; ++i)
            wheel.setColorAt(i / 6.0, QColor::fromRgb(hues[i]));
        p.setBrush(wheel);
        p.drawEllipse(centre, 13, 13);
        QRadialGradient white(centre, 13);
        white.setColorAt(0, QColor(255, 255, 255, 230));
        white.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(white);
        p.drawEllipse(centre, 13, 13);
    });
}

void drawArrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(QColor(Qt::white), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    for (const QPointF tip : {from, to}) {
        const QPointF back = tip == from ? along : -along;
        p.drawLine(tip, tip + back * 3.5 + across * 3);
        p.drawLine(tip, tip + back * 3.5 - across * 3);
    }
}

// A screen size: a blue screen with arrows to its edges and the size written on it.
QImage screenSizeIcon() {
    return monitor([](QPainter& p) {
        QLinearGradient blue(kScreen.topLeft(), kScreen.bottomLeft());
        blue.setColorAt(0, QColor(0x2A60C8));
        blue.setColorAt(1, QColor(0x123478));
        p.fillRect(kScreen, blue);
        const QRectF s = QRectF(kScreen).adjusted(2, 2, -2, -2);
        drawArrow(p, QPointF(s.left(), s.top() + 4), QPointF(s.right(), s.top() + 4));
        drawArrow(p, QPointF(s.left() + 4, s.top() + 8), QPointF(s.left() + 4, s.bottom()));
        drawCentredText(p, "640x480", font("DejaVu Sans", 8, true), kWhite,
                        QRectF(kScreen.left() + 8, kScreen.top() + 12, kScreen.width() - 8, 14));
    });
}

// The newsletter boxes' picture, 48 x 48 on the same key colour: an ace standing in an open
// envelope, with a felt stamp on the envelope's front.
QImage newsletterPicture(QSvgRenderer& deck) {
    const QRect envelope(2, 20, 44, 26), card(13, 3, 22, 30);
    QImage icon = supersampled(48, 48, kCaseLine, [&](QPainter& p) {
        const QRectF cardPlace(card);
        drawFan(p, deck, {{1, Suit::Hearts}},
                QPointF(cardPlace.center().x(), cardPlace.bottom()), 0, cardPlace.size(), 0);
        const QRectF paper = QRectF(envelope).adjusted(1, 1, -1, -1);
        QLinearGradient shade(paper.topLeft(), paper.bottomLeft());
        shade.setColorAt(0, QColor(0xFAF5E6));
        shade.setColorAt(1, QColor(0xE2D8BE));
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawRect(paper);
        // The folded side and bottom flaps meet below the middle of the front.
        const QPointF meet(paper.center().x(), paper.top() + paper.height() * 0.45);
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawPolygon(QPolygonF{paper.topLeft(), meet, paper.bottomLeft()});
        p.drawPolygon(QPolygonF{paper.topRight(), meet, paper.bottomRight()});
        p.setPen(QPen(QColor(0x9A8E70), 0.8));
        p.drawLine(paper.bottomLeft(), meet);
        p.drawLine(meet, paper.bottomRight());
        // The air-mail border: red and blue slanted bars round the front's edge.
        QPainterPath border;
        border.addRect(paper);
        border.addRect(paper.adjusted(2, 2, -2, -2));
        p.save();
        p.setClipPath(border);
        p.setPen(Qt::NoPen);
        constexpr double kBar = 2.5;
        for (int i = 0; paper.left() + i * kBar * 2 - paper.height() < paper.right(); ++i) {
            const double x = paper.left() + i * kBar * 2;
            p.setBrush(QColor(i % 2 ? 0x2444B0 : 0xD02828));
            p.drawPolygon(QPolygonF{{x, paper.top()},
                                    {x + kBar, paper.top()},
                                    {x + kBar - paper.height(), paper.bottom()},
                                    {x - paper.height(), paper.bottom()}});
        }
        p.restore();
        const QRectF stamp(paper.right() - 11, paper.top() + 3, 8, 9);
        QLinearGradient felt(stamp.topLeft(), stamp.bottomRight());
        felt.setColorAt(0, QColor::fromRgb(kFeltLight));
        felt.setColorAt(1, QColor::fromRgb(kFeltDark));
        p.setPen(QPen(QColor::fromRgb(kGold), 0.8));
        p.setBrush(felt);
        p.drawRect(stamp);
    });
    keyOutside(icon, {envelope, card});
    return icon;
}

} // namespace

void makeFormPictures(const Output& out, const QString& deckDir) {
    QSvgRenderer deck(standardDeckPath(deckDir));
    if (!deck.isValid())
        throw std::runtime_error("cannot read deck " + standardDeckPath(deckDir).toStdString());
    out.resourceBitmap("IMG_ZEVODADU", programPicture(deck));
    out.resourceBitmap("IMG_ABOUT", aboutPicture(deck));
    out.resourceBitmap("IMG_ADVICE_COLOR", colourIcon());
    out.resourceBitmap("IMG_ADVICE_640X480", screenSizeIcon());
    out.resourceBitmap("IMG_NEWSLETTER", newsletterPicture(deck));
}

} // namespace pictures
