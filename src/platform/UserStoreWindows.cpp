// The store in the registry: HKEY_CURRENT_USER\Software\<title>.
#include "platform/UserStore.h"

namespace zx::platform {

UserStore::UserStore(const QString& programTitle) {
    path_ = QStringLiteral("HKEY_CURRENT_USER\\Software\\") + programTitle;
}

} // namespace zx::platform
