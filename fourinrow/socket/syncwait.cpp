#include "fourinrow/socket/syncwait.h"

#include "platform/app/application.h"

#include <thread>

namespace fourinrow::socket {

int TCustomSyncWSocket::RunAndWait(bool& done, const std::function<void()>& operation) {
    done = false;
    if (operation)
        operation();
    return WaitForDone(done);
}

int TCustomSyncWSocket::WaitForDone(const bool& done) {
    while (!done) {
        // Nothing would set the flag once the program is on its way out.
        if (platform::app::applicationTerminating() || Terminated())
            return SyncWaitTimeout;
        MessagePump();
        std::this_thread::yield();
    }
    return 0;
}

} // namespace fourinrow::socket
