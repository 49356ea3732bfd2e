// Which host the stand-ins talk to: the one installed, else the null host.
#include "hosts/host.h"

#include <chrono>

#include "hosts/null_host.h"

namespace host {
namespace {

Host* installed = nullptr;

}  // namespace

double Host::PreciseMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(now).count();
}

Host& Current() {
    static NullHost fallback;
    return installed ? *installed : fallback;
}

void Install(Host* host) {
    installed = host;
}

}  // namespace host
