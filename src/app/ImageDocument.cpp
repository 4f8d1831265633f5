// Opening an image file as the document.
#include "app/ImageDocument.h"

#include "link/RadioImage.h"
#include "model/DataFile.h"
#include "text/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace zx::app {

bool isRadioImageFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() == qint64(link::RadioImage::kSize);
}

bool openRadioImage(model::Workspace& ws, const QString& path, text::Prompter& prompter) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.size() != qsizetype(link::RadioImage::kSize)) {
        prompter.inform(text::message(text::MessageKey::FileError, ws.state.language),
                        text::Icon::Error);
        return false;
    }
    link::RadioImage image;
    std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    model::loadTemplate(ws, model::newTemplatePath(ws));
    image.decode(ws);
    ws.state.currentFileName = model::kUntitledFileName;
    ws.state.untitled = true;
    return true;
}

} // namespace zx::app
