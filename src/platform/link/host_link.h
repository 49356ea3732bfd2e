// The stand-ins' side of the door to the host (hosts/host.h): what a host may tell them,
// and the installing of a host, which hands it that side.
#pragma once

#include <cstdint>

#include "hosts/host.h"

namespace platform {

// The one implementation of host::Platform. Its calls are defined beside the state they
// change: the deliveries with the window and its queue (win32_window.cpp), the volumes and
// the mix with the mixer (audio_mixer.cpp).
class HostLink final : public host::Platform {
public:
    void DeliverKey(int virtualKey, int scanCode, bool down, bool repeat) override;
    void DeliverClick(int x, int y, bool doubleClick) override;
    void DeliverClose() override;
    void DeliverQuit(int exitCode) override;
    void SetMixVolumes(float music, float effects) override;
    void MixAudio(std::int16_t* stereo, int frames, int rate) override;
};

// The link every installed host is handed. Code that stands in for a host without being
// one (tests, fuzzers, the benchmarks) calls it directly: to pull the mix, for instance.
host::Platform& Link();

// Makes `host` the one every platform call talks to and hands it Link(); null puts the
// null host back. Gives the host installed before (null for the null host), so that
// whoever installs a host for a while can put the earlier one back. The host must stay
// alive while it is installed.
host::Host* InstallHost(host::Host* host);

}  // namespace platform
