// A host installed for the life of a scope, so that a test that stops half-way (a failed
// assertion, an exception) never leaves a dead host installed for the next; and the host for
// tests that play the sound device themselves.
#pragma once

#include "hosts/host.h"
#include "hosts/null_host.h"
#include "platform/link/host_link.h"

namespace gametest {

class InstalledHost {
public:
    // Installs `host` (null: the null host), handing it the stand-ins' side of the seam.
    explicit InstalledHost(host::Host* host) : previous_(platform::InstallHost(host)) {}
    explicit InstalledHost(host::Host& host) : InstalledHost(&host) {}
    // Puts back the host that was installed before.
    ~InstalledHost() { platform::InstallHost(previous_); }
    InstalledHost(const InstalledHost&) = delete;
    InstalledHost& operator=(const InstalledHost&) = delete;

private:
    host::Host* previous_;
};

// The null host with a sound device nothing plays on its own: the sound stand-in makes its
// device, and the test pulls the mix itself (platform::Link().MixAudio).
class HandMixedHost : public host::NullHost {
public:
    bool HasSoundDevice() override { return true; }
};

}  // namespace gametest
