#include "app/qt/program_icon.h"

#include <QString>

namespace kalvet::qt {

QIcon ProgramIcon() {
    // The sizes come from the build, which renders exactly these. addFile decodes each
    // picture at once, so the window asks for its icon only after its first paint.
    static constexpr int kSizes[] = {KALVET_ICON_SIZES};
    QIcon icon;
    for (const int size : kSizes) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/kalvet.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace kalvet::qt
