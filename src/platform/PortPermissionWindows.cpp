// Windows ports have no owner and group a user could be advised about: nothing is known.
#include "platform/PortPermission.h"

namespace zx::platform {

DeviceAccess deviceAccess(const QString&) {
    return {};
}

} // namespace zx::platform
