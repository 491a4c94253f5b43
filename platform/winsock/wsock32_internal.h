#pragma once
// Inside "wsock32.dll": the socket table and the parts that the exported calls share.

#include "platform/winsock/wsock32.h"

#include <QPointer>
#include <QSocketNotifier>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

// Only the calls are exported; everything else in the library stays hidden.
#define WSOCK32_EXPORT extern "C" __attribute__((visibility("default")))

// Checks that an exported call has exactly the type its users bind it with.
#define WSOCK32_CHECK(call) static_assert(std::is_same_v<decltype(wsock32_##call), calls::call>)

namespace wsock32 {

using namespace platform::winsock;
using platform::WindowHandle;

// ---- errors (wsock32_errors.cpp)
int FromErrno(int error);
int FromAddrInfo(int error);
void SetLastError(int error);
int LastError();
// Records the error for WSAGetLastError and returns SocketError.
int Fail(int error);
int FailWithErrno();

// ---- start-up count (wsock32_sockets.cpp)
bool Started();

// ---- sockets (wsock32_sockets.cpp)
struct Socket {
    SocketHandle handle = InvalidSocket;
    int fd = -1;
    int type = SockStream;
    bool bound = false;
    bool listening = false;
    bool connecting = false; // a background connect has not finished yet
    bool connected = false;

    // Asynchronous selection: where the events go and which of them may be posted now. Each
    // event is posted once and re-armed by the call that consumes it, as Windows does.
    QPointer<QObject> window;
    unsigned message = 0;
    std::int32_t events = 0;
    bool awaitingRecv = false;   // FD_READ posted (or due); a receive re-arms it
    bool awaitingAccept = false; // FD_ACCEPT posted; an accept re-arms it
    bool writeArmed = true;      // FD_WRITE may be posted when there is room to send
    bool closeReported = false;
    bool atEnd = false;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
};

// The open socket of a handle, or nullptr after recording WSAENOTSOCK.
Socket* Find(SocketHandle handle);

// ---- asynchronous selection (wsock32_select.cpp)
int AsyncSelect(Socket& socket, WindowHandle window, unsigned message, std::int32_t events);
// An accepted socket carries on with its listener's registration.
void InheritSelect(const Socket& listener, Socket& accepted);
// Brings the socket's watches in line with its state; called after every change of state.
void Rearm(Socket& socket);
// Posts a network event to the registered window, when the event was asked for.
void PostEvent(const Socket& socket, std::int32_t event, int error);
void StopSelect(Socket& socket);
bool AsyncSelectActive(const Socket& socket);

// ---- names and lookups (wsock32_lookup.cpp)
struct HostAnswer {
    std::string name;
    std::vector<std::uint32_t> addresses; // network order
};
void CancelAllLookups();

} // namespace wsock32
