// The platform call that only asks the host: the tick count of the frame clock.
#include "hosts/host.h"
#include "platform/windows.h"

DWORD GetTickCount() {
    return host::Current().Milliseconds();
}
