#pragma once
// Synchronous use of the asynchronous socket: run an operation, then pump messages until an
// event handler sets a flag. And TWSocket, the component the program places on its forms.

#include "fourinrow/socket/linemode.h"

#include <functional>

namespace fourinrow::socket {

// What a wait returns when it ends without its flag: the program is quitting.
constexpr int SyncWaitTimeout = 12001;

class TCustomSyncWSocket : public TCustomLineWSocket {
public:
    // Clears done, runs operation (when given), then waits for done, pumping messages; 0 once
    // done is set, SyncWaitTimeout when the program quits first. The wait has no time limit.
    virtual int RunAndWait(bool& done, const std::function<void()>& operation);
    virtual int WaitForDone(const bool& done);
};

class TWSocket : public TCustomSyncWSocket {};

} // namespace fourinrow::socket
