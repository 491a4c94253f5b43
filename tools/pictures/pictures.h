#pragma once
// Build-time generator of every picture Zevodadu asks for by name: the named bitmaps and
// cursors of the resource library and the picture files of the Images folder.

#include <QImage>
#include <QPoint>
#include <QString>

namespace pictures {

struct CardSize {
    char letter;
    int width;
    int height;
};
inline constexpr CardSize kCardSizes[] = {{'B', 71, 96}, {'M', 59, 80}, {'L', 25, 32}};

// Picture colours are given as 0xRRGGBB (Qt's order); the program's own colour values are
// 0x00BBGGRR and are converted where they matter (transparent keys, default green).
inline constexpr QRgb kTableGreen = 0xFF006000; // the default table green, same in both orders
inline constexpr QRgb kOutline = 0xFF202020;
inline constexpr QRgb kRed = 0xFFCC0000;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;

// Where the pictures go. Resource bitmaps become <resources>/bitmaps/NAME.bmp, cursors
// <resources>/cursors/NAME.png (hot spot in the PNG text "HotSpot" as "x,y"), picture files
// <images>/NAME.bmp. Every file is written in a fixed format without dates, so the same
// inputs always give the same bytes.
class Output {
public:
    Output(QString resourceDir, QString imagesDir);
    void resourceBitmap(const QString& name, const QImage& image) const;
    void resourceCursor(const QString& name, const QImage& image, QPoint hotSpot) const;
    void imageFile(const QString& name, const QImage& image) const;

private:
    QString resourceDir_;
    QString imagesDir_;
};

// A card-shaped picture: a full rectangle whose three pixels at each corner (the corner and its
// two neighbours, which the table restores from the background) are table green, with a
// one-pixel outline that cuts diagonally across each corner. `inside` fills the rest.
QImage cardBase(int width, int height, QRgb inside = kWhite);
// Re-applies the outline and the corner pixels over whatever was drawn into a card picture.
void finishCardShape(QImage& card);
bool isCornerPixel(int x, int y, int width, int height);

// Our own pixel font: ranks "A", "2".."10", "J", "Q", "K" (5x7 per character) and the four
// suit signs (7x7), drawn at an integer scale so that they stay crisp at every size.
enum class Suit { Hearts, Diamonds, Clubs, Spades };
int rankTextWidth(int rank, int scale);
void drawRank(QImage& image, int rank, int x, int y, int scale, QRgb colour);
void drawSuit(QImage& image, Suit suit, int x, int y, int scale, QRgb colour);
inline constexpr int kGlyphHeight = 7;
inline constexpr int kSuitSize = 7;
// The corner index of the large faces: a rank five pixels wide and seven or nine rows tall
// (the ten condensed to that width), and suit signs five pixels square.
inline constexpr int kTallIndexRows = 9;
void drawIndexRank(QImage& image, int rank, int x, int y, int rows, QRgb colour);
void drawSmallSuit(QImage& image, Suit suit, int x, int y, QRgb colour);

// Averages each factor x factor block into one pixel: the smoothing of every picture drawn
// large, done by our own code because Qt's smooth scaling is not reproducible.
QImage boxDownscale(const QImage& big, int factor);

// The vector deck the large card faces come from, and the element id of one of its faces
// (rank 1 = ace .. 13 = king).
QString standardDeckPath(const QString& deckDir);
QString faceElementId(int rank, Suit suit);

void makeFaceStrips(const Output& out, const QString& deckDir);
void makeTablePictures(const Output& out);
void makeBacksAndBackgrounds(const Output& out);
void makeIcons(const Output& out);
// The pictures of the splash window (also the game chooser's), the about box and the advice box.
void makeFormPictures(const Output& out, const QString& deckDir);

} // namespace pictures
