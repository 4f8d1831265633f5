// Opening an image file as the document.
#include "app/ImageDocument.h"

#include "model/DataFile.h"
#include "model/FileErrors.h"
#include "text/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace zx::app {

bool isRadioImageFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() == qint64(link::RadioImage::kSize);
}

std::optional<link::RadioImage> readRadioImage(const QString& path, const model::Workspace& ws,
                                               text::Prompter& prompter) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.size() != qsizetype(link::RadioImage::kSize)) {
        const int language = ws.state.language;
        const int error = file.error() == QFileDevice::PermissionsError ? EACCES : 0;
        prompter.inform(
            model::fileErrorWithCause(
                model::readFailureCause(error, path.toStdString(), language),
                language),
            text::Icon::Error);
        return std::nullopt;
    }
    link::RadioImage image;
    std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    return image;
}

void adoptRadioImage(model::Workspace& ws, const link::RadioImage& image) {
    model::loadTemplate(ws, model::newTemplatePath(ws));
    image.decode(ws);
    ws.state.currentFileName = model::kUntitledFileName;
    ws.state.untitled = true;
}

} // namespace zx::app
