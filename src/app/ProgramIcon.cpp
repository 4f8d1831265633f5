// The program's icon from the built-in PNG sizes.
#include "app/ProgramIcon.h"

namespace zx::app {

QIcon programIcon() {
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/zx908hf.png").arg(size),
                          QSize(size, size));
        return sizes;
    }();
    return icon;
}

} // namespace zx::app
