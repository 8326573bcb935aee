#include "app/qt/program_icon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace kalvet::qt {

QIcon ProgramIcon() {
    // The sizes come from the build, which renders exactly these. Each picture is decoded
    // here, so the window asks for its icon only after its first paint.
    static constexpr int kSizes[] = {KALVET_ICON_SIZES};
    QIcon icon;
    for (const int size : kSizes) {
        // Read as PNG by name. Left to guess the format, as QIcon::addFile leaves it, the
        // reader first loads every image-format plugin installed (GIF, ICO, JPEG, and the
        // JPEG library with it) to ask each whether it reads the file.
        QImageReader reader(QStringLiteral(":/icons/%1x%1/kalvet.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        // Kept as read, straight alpha, which is what the window manager is sent: Qt's
        // premultiplied form would be converted back, a copy of each picture, when the
        // icon is set.
        icon.addPixmap(QPixmap::fromImage(reader.read(), Qt::NoFormatConversion));
    }
    return icon;
}

}  // namespace kalvet::qt
