// Draws kolvan32's tool bar pictures and window icon and writes them as a C++ source file of
// BMP images, so the program carries them as its bitmap resources. The drawing is fixed
// shapes only (no fonts), so every build writes the same bytes.
//
// Usage: kolvanpictures <output.cpp>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The pictures' transparent colour; the program masks it out (it is each picture's
// bottom-left pixel).
const QColor kTransparent(255, 0, 255);

struct Palette {
    QColor ink;    // outlines
    QColor main;   // the picture's colour
    QColor accent; // a second colour
};

const Palette kHot{QColor(0, 0, 0), QColor(0, 0, 160), QColor(220, 0, 0)};
const Palette kPlain{QColor(96, 96, 96), QColor(128, 128, 128), QColor(160, 160, 160)};

using Drawing = std::function<void(QPainter&, const Palette&)>;

void network(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(c.main);
    p.drawRect(1, 2, 5, 4);
    p.drawRect(9, 9, 5, 4);
    p.drawLine(3, 7, 3, 11);
    p.drawLine(3, 11, 8, 11);
    p.setPen(c.accent);
    p.drawLine(7, 4, 12, 4);
    p.drawLine(12, 4, 12, 8);
}

void newGame(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(c.main);
    p.drawRect(1, 4, 13, 10);
    p.setBrush(c.accent);
    p.drawEllipse(3, 8, 4, 4);
    p.drawEllipse(8, 8, 4, 4);
    p.setPen(c.accent);
    p.drawLine(7, 0, 7, 2);
    p.drawLine(4, 1, 10, 1);
}

void nextGame(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.main, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(2, 2, 11, 11, 30 * 16, 280 * 16);
    p.setPen(c.ink);
    p.setBrush(c.accent);
    p.drawPolygon(QPolygon({QPoint(10, 0), QPoint(15, 4), QPoint(10, 7)}));
}

void computerMove(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(c.main);
    p.drawRect(4, 0, 7, 6);
    p.drawPolygon(QPolygon({QPoint(1, 6), QPoint(14, 6), QPoint(7, 11)}));
    p.setBrush(c.accent);
    p.drawEllipse(4, 11, 7, 4);
}

void undo(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.main, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4, 6);
    path.cubicTo(10, 2, 15, 8, 10, 13);
    p.drawPath(path);
    p.setPen(c.ink);
    p.setBrush(c.accent);
    p.drawPolygon(QPolygon({QPoint(0, 6), QPoint(6, 1), QPoint(6, 10)}));
}

void stop(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(c.accent);
    p.drawPolygon(QPolygon({QPoint(5, 1), QPoint(10, 1), QPoint(14, 5), QPoint(14, 10),
                            QPoint(10, 14), QPoint(5, 14), QPoint(1, 10), QPoint(1, 5)}));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(4, 7, 11, 7);
    p.drawLine(4, 8, 11, 8);
}

void minimize(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(1, 1, 13, 10);
    p.setBrush(c.main);
    p.drawRect(1, 1, 13, 2);
    p.setBrush(c.accent);
    p.drawRect(4, 12, 7, 2);
}

void progress(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(0, 5, 15, 6);
    p.setBrush(c.main);
    p.setPen(Qt::NoPen);
    for (int x = 2; x < 10; x += 3)
        p.drawRect(x, 7, 2, 3);
}

void about(QPainter& p, const Palette& c) {
    p.setPen(c.ink);
    p.setBrush(c.main);
    p.drawEllipse(1, 1, 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(7, 3, 2, 2);
    p.drawRect(7, 6, 2, 6);
}

struct Picture {
    const char* name;
    Drawing draw;
};

// In the order of the tool bar's image lists.
const std::vector<Picture>& pictures() {
    static const std::vector<Picture> list = {
        {"NETWORK", network},   {"NEW", newGame},       {"OPTIONS", nextGame},
        {"MOVE", computerMove}, {"UNDO", undo},         {"STOP", stop},
        {"MINIMIZE", minimize}, {"PROGRESS", progress}, {"ABOUT", about},
    };
    return list;
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage toolbarPicture(const Drawing& draw, const Palette& palette) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(kTransparent);
    QPainter painter(&image);
    draw(painter, palette);
    painter.end();
    image.setPixelColor(0, 15, kTransparent); // the mask colour is taken from here
    return image;
}

// The window icon: a corner of the board with one disc of each colour.
QImage icon() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 128));
    QPainter painter(&image);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(2, 17, 13, 13);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(17, 17, 13, 13);
    painter.setBrush(QColor(0, 0, 0));
    painter.drawEllipse(2, 2, 13, 13);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(17, 2, 13, 13);
    return image;
}

void writeArray(std::ofstream& out, const std::string& name, const QByteArray& bytes) {
    out << "{\"" << name << "\", {";
    for (int i = 0; i < bytes.size(); ++i) {
        if (i % 24 == 0)
            out << "\n    ";
        out << static_cast<int>(static_cast<unsigned char>(bytes[i])) << ',';
    }
    out << "}},\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kolvanpictures <output.cpp>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Generated by tools/kolvanpictures: the program's bitmap resources.\n"
           "#include \"fourinrow/app/pictures.h\"\n\n"
           "#include <map>\n#include <string>\n#include <vector>\n\n"
           "namespace fourinrow::app {\n\n"
           "std::span<const unsigned char> BitmapResource(std::string_view name) {\n"
           "    static const std::map<std::string, std::vector<unsigned char>, std::less<>> "
           "resources = {\n";
    for (const Picture& picture : pictures()) {
        writeArray(out, std::string("O") + picture.name,
                   bmpBytes(toolbarPicture(picture.draw, kPlain)));
        writeArray(out, std::string("H") + picture.name,
                   bmpBytes(toolbarPicture(picture.draw, kHot)));
    }
    writeArray(out, "MAINICON", bmpBytes(icon()));
    out << "    };\n"
           "    const auto found = resources.find(name);\n"
           "    if (found == resources.end())\n"
           "        return {};\n"
           "    return found->second;\n"
           "}\n\n"
           "} // namespace fourinrow::app\n";
    return out ? 0 : 1;
}
