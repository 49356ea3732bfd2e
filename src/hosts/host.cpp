// Which host the stand-ins talk to: the one installed, else the null host.
#include "hosts/host.h"

#include <algorithm>
#include <chrono>

#include "hosts/null_host.h"

namespace host {
namespace {

Host* installed = nullptr;

class Nowhere final : public Platform {
public:
    void DeliverKey(int, int, bool, bool) override {}
    void DeliverClick(int, int, bool) override {}
    void DeliverClose() override {}
    void DeliverQuit(int) override {}
    void SetMixVolumes(float, float) override {}
    void MixAudio(std::int16_t* stereo, int frames, int) override {
        if (stereo && frames > 0) std::fill_n(stereo, static_cast<std::size_t>(frames) * 2, std::int16_t{0});
    }
};

}  // namespace

Platform& Unconnected() {
    static Nowhere nowhere;
    return nowhere;
}

double RealMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(now).count();
}

Host& Current() {
    static NullHost fallback;
    return installed ? *installed : fallback;
}

Host* Install(Host* host, Platform& platform) {
    Host* previous = installed;
    installed = host;
    if (host) host->Connect(platform);
    return previous;
}

}  // namespace host
