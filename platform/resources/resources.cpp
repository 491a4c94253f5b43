#include "platform/resources/resources.h"

#include "platform/app/cursor_registry.h"
#include "platform/app/qtstring.h"
#include "platform/files/paths.h"
#include "platform/gdi/qimage.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QResource>

#include <map>

namespace platform::resources {
namespace {

// Each library is mapped under a resource root of its own, so two libraries (or two loads of
// one) never shadow each other's pictures.
struct LoadedLibrary {
    QString file;
    QString root;
};

std::map<LibraryHandle, LoadedLibrary>& libraries() {
    static std::map<LibraryHandle, LoadedLibrary> loaded;
    return loaded;
}

LibraryHandle nextHandle = 0x100;

// ":/<root>/<kind>/<NAME>" of a loaded library, empty when the handle is unknown.
QString resourcePath(LibraryHandle library, const char* kind, const std::string& name) {
    const auto found = libraries().find(library);
    if (found == libraries().end())
        return {};
    return ":" + found->second.root + "/" + kind + "/" + toQString(name).toUpper();
}

} // namespace

LibraryHandle loadLibrary(const std::string& path) {
    const QString file = toQString(files::resolvePath(path));
    if (!files::fileExists(path))
        return 0;
    const LibraryHandle handle = nextHandle++;
    const QString root = QString("/zvlib%1").arg(handle);
    if (!QResource::registerResource(file, root))
        return 0;
    libraries()[handle] = {file, root};
    return handle;
}

void freeLibrary(LibraryHandle library) {
    const auto found = libraries().find(library);
    if (found == libraries().end())
        return;
    QResource::unregisterResource(found->second.file, found->second.root);
    libraries().erase(found);
}

gdi::Bitmap loadBitmap(LibraryHandle library, const std::string& name) {
    gdi::Bitmap bitmap;
    const QString path = resourcePath(library, "bitmaps", name);
    QImage image;
    if (!path.isEmpty() && image.load(path))
        gdi::qImage(bitmap) = image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

app::Cursor loadCursor(LibraryHandle library, const std::string& name) {
    const QString path = resourcePath(library, "cursors", name);
    const QImage image = path.isEmpty() ? QImage() : QImage(path);
    if (image.isNull())
        return {};
    // The picture carries its hot spot as the text "x,y".
    const QStringList hot = image.text("HotSpot").split(',');
    const int hotX = hot.size() == 2 ? hot[0].toInt() : 0;
    const int hotY = hot.size() == 2 ? hot[1].toInt() : 0;
    const std::string registered = fromQString(toQString(name).toUpper());
    // A pixmap needs the application object; without one (tools, engine tests) the cursor is
    // known by name only and shows as the arrow.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        app::registerQtCursor(registered, QCursor(QPixmap::fromImage(image), hotX, hotY));
    return app::Cursor::custom(registered);
}

} // namespace platform::resources
