// Installing a host: it is handed the stand-ins' side of the door.
#include "platform/link/host_link.h"

namespace platform {

host::Platform& Link() {
    static HostLink link;
    return link;
}

host::Host* InstallHost(host::Host* host) {
    return host::Install(host, Link());
}

}  // namespace platform
