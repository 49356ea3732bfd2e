// The game on the null host and nothing else: linked only with the game's libraries and the
// stand-ins, so game code that reaches into the SDL or headless host fails to link. Runs a
// few passes of the real main loop, then quits; exits 0 when the game shut down cleanly.
#include <cstdio>

#include "hosts/null_host.h"
#include "platform/windows.h"
#include "support/installed_host.h"

struct PlatformInstance {
    int unused;
};

namespace {

// The null host with an end: it asks the game to quit once enough passes have run.
class FewPassesHost : public host::NullHost {
public:
    void Connect(host::Platform& platform) override { platform_ = &platform; }
    void PumpInput() override {
        if (++passes_ > kPasses) platform_->DeliverQuit(0);
    }
    int Passes() const { return passes_; }

private:
    static constexpr int kPasses = 3;
    host::Platform* platform_ = &host::Unconnected();
    int passes_ = 0;
};

}  // namespace

int main() {
    FewPassesHost nullHost;
    int code = 0;
    {
        gametest::InstalledHost installed(nullHost);
        PlatformInstance instance{0};
        char commandLine[1] = {'\0'};
        code = WinMain(&instance, nullptr, commandLine, SW_SHOW);
    }
    std::printf("the game ran %d passes on the null host and returned %d\n", nullHost.Passes() - 1, code);
    return code == 0 && nullHost.Passes() > 1 ? 0 : 1;
}
