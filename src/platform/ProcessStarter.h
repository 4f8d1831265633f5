// Starting another executable on its own, independent of this process (used to hand a data
// file to another installed version of the program).
#pragma once

#include <QString>
#include <QStringList>

namespace zx::platform {

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the program detached from this process; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

// The real starter: QProcess::startDetached with the program's own folder as working folder.
class DetachedProcessStarter : public ProcessStarter {
public:
    bool start(const QString& program, const QStringList& arguments) override;
};

} // namespace zx::platform
