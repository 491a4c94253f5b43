#include "fourinrow/socket/syncwait.h"

#include "platform/app/clock.h"

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
        MessagePump();
        std::this_thread::yield();
    }
    return 0;
}

} // namespace fourinrow::socket
