// zv_make_pictures --decks <carddecks dir> --resources <dir> --images <dir>
// Writes every picture Zevodadu asks for: resource bitmaps and cursors (later packed into the
// resource library) and the card backs and table backgrounds of the Images folder.

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "tools/pictures/pictures.h"

namespace pictures {

Output::Output(QString resourceDir, QString imagesDir)
    : resourceDir_(std::move(resourceDir)), imagesDir_(std::move(imagesDir)) {
    for (const QString& dir : {resourceDir_ + "/bitmaps", resourceDir_ + "/cursors", imagesDir_})
        if (!QDir().mkpath(dir))
            throw std::runtime_error("cannot create " + dir.toStdString());
}

namespace {
void save(const QImage& image, const QString& path, const char* format) {
    if (!image.save(path, format))
        throw std::runtime_error("cannot write " + path.toStdString());
}
} // namespace

void Output::resourceBitmap(const QString& name, const QImage& image) const {
    save(image.convertToFormat(QImage::Format_RGB32), resourceDir_ + "/bitmaps/" + name + ".bmp",
         "BMP");
}

void Output::resourceCursor(const QString& name, const QImage& image, QPoint hotSpot) const {
    QImage cursor = image.convertToFormat(QImage::Format_ARGB32);
    cursor.setText("HotSpot", QString("%1,%2").arg(hotSpot.x()).arg(hotSpot.y()));
    save(cursor, resourceDir_ + "/cursors/" + name + ".png", "PNG");
}

void Output::imageFile(const QString& name, const QImage& image) const {
    save(image.convertToFormat(QImage::Format_RGB32), imagesDir_ + "/" + name + ".bmp", "BMP");
}

} // namespace pictures

int main(int argc, char** argv) {
    // Fonts and painting need an application object; no display is involved.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption decks("decks", "folder of the SVG card decks", "dir");
    const QCommandLineOption resources("resources", "output folder of the resource pictures",
                                       "dir");
    const QCommandLineOption images("images", "output folder of the Images pictures", "dir");
    parser.addOptions({decks, resources, images});
    parser.process(app);
    if (!parser.isSet(decks) || !parser.isSet(resources) || !parser.isSet(images)) {
        std::fprintf(stderr, "usage: zv_make_pictures --decks DIR --resources DIR --images DIR\n");
        return 2;
    }
    try {
        const pictures::Output out(parser.value(resources), parser.value(images));
        pictures::makeFaceStrips(out, parser.value(decks));
        pictures::makeTablePictures(out);
        pictures::makeBacksAndBackgrounds(out);
        pictures::makeIcons(out);
        pictures::makeFormPictures(out, parser.value(decks));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv_make_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
