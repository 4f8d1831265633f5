// Writability by trying: CreateFileW for writing, nothing changed.
#include "platform/FileAccess.h"

#include <QDir>
#include <QUuid>
#include <windows.h>

namespace zx::platform {

bool mayWriteFile(const QString& file) {
    const std::wstring path = QDir::toNativeSeparators(file).toStdWString();
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

bool mayCreateInExistingFolder(const QString& folder) {
    const QString probe = QDir(folder).filePath(QStringLiteral("zx908hf-probe-") +
                                                QUuid::createUuid().toString(QUuid::Id128));
    const std::wstring path = QDir::toNativeSeparators(probe).toStdWString();
    const HANDLE handle = CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

} // namespace zx::platform
