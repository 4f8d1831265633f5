// Detached start of another executable.
#include "platform/ProcessStarter.h"

#include <QFileInfo>
#include <QProcess>

namespace zx::platform {

bool DetachedProcessStarter::start(const QString& program, const QStringList& arguments) {
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(program, arguments, info.absolutePath());
}

} // namespace zx::platform
