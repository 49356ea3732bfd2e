// Which host the stand-ins talk to: the one installed, else the null host.
#include "hosts/host.h"

#include "hosts/null_host.h"

namespace host {
namespace {

Host* installed = nullptr;

}  // namespace

Host& Current() {
    static NullHost fallback;
    return installed ? *installed : fallback;
}

void Install(Host* host) {
    installed = host;
}

}  // namespace host
