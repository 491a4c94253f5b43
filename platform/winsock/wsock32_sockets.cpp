// The socket calls: handles of the library's own over POSIX descriptors, with Windows Sockets
// 1.1 argument checks, options and error codes.

#include "platform/winsock/wsock32_internal.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace wsock32 {

namespace {

int gStartups = 0;
// Handles count up and are not handed out again while the library is loaded, so a message
// still queued for a closed socket can never be taken for a newer one. (Unloading needs the
// last socket object gone, and the windows holding such messages go with those objects.)
SocketHandle gLastHandle = 0;
using SocketTable = std::map<SocketHandle, std::unique_ptr<Socket>>;
// Lives from the first start-up to the last cleanup, which frees it: a program may clean up
// from its own static destructors at exit, after a static table would have been destroyed.
SocketTable* gTable = nullptr;

SocketHandle NextHandle() {
    do
        gLastHandle = gLastHandle == INT_MAX ? 1 : gLastHandle + 1;
    while (gTable->contains(gLastHandle));
    return gLastHandle;
}

void CloseSocket(std::unique_ptr<Socket> socket) {
    StopSelect(*socket);
    // Never retried: after close the descriptor number may already belong to someone else.
    ::close(socket->fd);
}

bool ToPosix(const SocketAddressIn* address, int length, sockaddr_in& out, int& error) {
    if (!address || length < static_cast<int>(sizeof(SocketAddressIn))) {
        error = WSAEFAULT;
        return false;
    }
    if (address->family != AfInet) {
        error = WSAEAFNOSUPPORT;
        return false;
    }
    out = sockaddr_in{};
    out.sin_family = AF_INET;
    out.sin_port = address->port;
    out.sin_addr.s_addr = address->address;
    return true;
}

// Writes an address back into the caller's record; false (WSAEFAULT) when it cannot hold one.
bool FromPosix(const sockaddr_in& address, SocketAddressIn* out, int* length) {
    if (!out || !length || *length < static_cast<int>(sizeof(SocketAddressIn)))
        return false;
    *out = SocketAddressIn{};
    out->family = AfInet;
    out->port = address.sin_port;
    out->address = address.sin_addr.s_addr;
    *length = sizeof(SocketAddressIn);
    return true;
}

bool ToPosixFlags(int flags, int& out) {
    if (flags & ~(MsgOob | MsgPeek | MsgDontRoute))
        return false;
    out = MSG_NOSIGNAL;
    if (flags & MsgOob)
        out |= MSG_OOB;
    if (flags & MsgPeek)
        out |= MSG_PEEK;
    if (flags & MsgDontRoute)
        out |= MSG_DONTROUTE;
    return true;
}

// Option names of Windows Sockets and their POSIX counterparts, all taking an int.
struct IntOption {
    int level, option, posixLevel, posixOption;
};
constexpr IntOption IntOptions[] = {
    {SolSocket, SoDebug, SOL_SOCKET, SO_DEBUG},
    {SolSocket, SoReuseAddr, SOL_SOCKET, SO_REUSEADDR},
    {SolSocket, SoKeepAlive, SOL_SOCKET, SO_KEEPALIVE},
    {SolSocket, SoDontRoute, SOL_SOCKET, SO_DONTROUTE},
    {SolSocket, SoBroadcast, SOL_SOCKET, SO_BROADCAST},
    {SolSocket, SoOobInline, SOL_SOCKET, SO_OOBINLINE},
    {SolSocket, SoSndBuf, SOL_SOCKET, SO_SNDBUF},
    {SolSocket, SoRcvBuf, SOL_SOCKET, SO_RCVBUF},
    {IpProtoTcp, TcpNoDelay, IPPROTO_TCP, TCP_NODELAY},
};

int SetLinger(const Socket& socket, bool on, int seconds) {
    const ::linger value{on ? 1 : 0, seconds};
    return ::setsockopt(socket.fd, SOL_SOCKET, SO_LINGER, &value, sizeof value) == 0
               ? 0
               : FailWithErrno();
}

int Transfer(Socket& socket, char* data, int length, int flags, const sockaddr_in* to,
             sockaddr_in* from, bool sending) {
    if (length < 0 || (length > 0 && !data))
        return Fail(WSAEFAULT);
    int posixFlags = 0;
    if (!ToPosixFlags(flags, posixFlags))
        return Fail(WSAEOPNOTSUPP);
    ssize_t result;
    if (sending) {
        // A stream socket sends to its peer whatever address is given.
        const bool addressed = to && socket.type == SockDgram;
        result = ::sendto(socket.fd, data, static_cast<std::size_t>(length), posixFlags,
                          addressed ? reinterpret_cast<const sockaddr*>(to) : nullptr,
                          addressed ? sizeof *to : 0);
        // Room to send is reported again once the buffer has drained.
        if (result < length) {
            socket.writeArmed = true;
            Rearm(socket);
        }
    } else {
        iovec part{data, static_cast<std::size_t>(length)};
        msghdr message{};
        message.msg_name = from;
        message.msg_namelen = from ? sizeof *from : 0;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        result = ::recvmsg(socket.fd, &message, posixFlags);
        socket.awaitingRecv = false;
        Rearm(socket);
        if (result >= 0 && (message.msg_flags & MSG_TRUNC))
            return Fail(WSAEMSGSIZE);
    }
    return result < 0 ? FailWithErrno() : static_cast<int>(result);
}

// The socket of a call that needs a started library: null (with the error set) before start-up
// or for a handle that names no socket.
Socket* FindStarted(SocketHandle handle) {
    if (!Started()) {
        SetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    return Find(handle);
}

int AddressQuery(SocketHandle s, SocketAddressIn* name, int* nameLength, bool peer) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (!peer && !socket->bound && !socket->connected)
        return Fail(WSAEINVAL);
    sockaddr_in address{};
    socklen_t length = sizeof address;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    const int result =
        peer ? ::getpeername(socket->fd, raw, &length) : ::getsockname(socket->fd, raw, &length);
    if (result != 0)
        return FailWithErrno();
    return FromPosix(address, name, nameLength) ? 0 : Fail(WSAEFAULT);
}

} // namespace

bool Started() {
    return gStartups > 0;
}

Socket* Find(SocketHandle handle) {
    const auto found = gTable->find(handle);
    if (found == gTable->end()) {
        SetLastError(WSAENOTSOCK);
        return nullptr;
    }
    return found->second.get();
}

} // namespace wsock32

using namespace wsock32;

WSOCK32_EXPORT int wsock32_WSAStartup(std::uint16_t version, StartupData* data) {
    const unsigned major = version & 0xFFu;
    const unsigned minor = version >> 8;
    if (major < 1)
        return WSAVERNOTSUPPORTED;
    if (!data)
        return WSAEFAULT;
    *data = StartupData{};
    data->version = (major == 1 && minor == 0) ? version : Version11;
    data->highVersion = Version11;
    std::strcpy(data->description, "Windows Sockets 1.1 over POSIX sockets");
    std::strcpy(data->systemStatus, "Running");
    data->maxSockets = 0x7FFF;
    data->maxUdpDatagram = 65467;
    if (gStartups++ == 0)
        gTable = new SocketTable;
    return 0;
}
WSOCK32_CHECK(WSAStartup);

WSOCK32_EXPORT int wsock32_WSACleanup() {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    if (--gStartups == 0) {
        CancelAllLookups();
        for (auto& [handle, socket] : *gTable)
            CloseSocket(std::move(socket));
        delete std::exchange(gTable, nullptr);
    }
    return 0;
}
WSOCK32_CHECK(WSACleanup);

WSOCK32_EXPORT void wsock32_WSASetLastError(int error) {
    SetLastError(error);
}
WSOCK32_CHECK(WSASetLastError);

WSOCK32_EXPORT int wsock32_WSAGetLastError() {
    return LastError();
}
WSOCK32_CHECK(WSAGetLastError);

WSOCK32_EXPORT SocketHandle wsock32_socket(int family, int type, int protocol) {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    if (family != AfInet)
        return Fail(WSAEAFNOSUPPORT);
    if (type != SockStream && type != SockDgram)
        return Fail(WSAESOCKTNOSUPPORT);
    const int fd =
        ::socket(AF_INET, (type == SockStream ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, protocol);
    if (fd < 0)
        return FailWithErrno();
    if (type == SockStream) {
        // Windows lets a new listener bind a port whose old connections are still in
        // TIME_WAIT; Linux needs SO_REUSEADDR for that. Two listeners still cannot share one.
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    auto socket = std::make_unique<Socket>();
    socket->handle = NextHandle();
    socket->fd = fd;
    socket->type = type;
    const SocketHandle handle = socket->handle;
    gTable->emplace(handle, std::move(socket));
    return handle;
}
WSOCK32_CHECK(socket);

WSOCK32_EXPORT int wsock32_closesocket(SocketHandle s) {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    const auto found = gTable->find(s);
    if (found == gTable->end())
        return Fail(WSAENOTSOCK);
    auto socket = std::move(found->second);
    gTable->erase(found);
    CloseSocket(std::move(socket));
    return 0;
}
WSOCK32_CHECK(closesocket);

WSOCK32_EXPORT int wsock32_bind(SocketHandle s, const SocketAddressIn* name, int nameLength) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    sockaddr_in address;
    int error = 0;
    if (!ToPosix(name, nameLength, address, error))
        return Fail(error);
    if (::bind(socket->fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return FailWithErrno();
    socket->bound = true;
    Rearm(*socket);
    return 0;
}
WSOCK32_CHECK(bind);

WSOCK32_EXPORT int wsock32_listen(SocketHandle s, int backlog) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (socket->type != SockStream)
        return Fail(WSAEOPNOTSUPP);
    if (socket->connected || socket->connecting)
        return Fail(WSAEISCONN);
    if (!socket->bound)
        return Fail(WSAEINVAL);
    // Windows Sockets 1.1 allows backlogs of 1 to 5.
    const int queue = backlog < 1 ? 1 : backlog > 5 ? 5 : backlog;
    if (::listen(socket->fd, queue) != 0)
        return FailWithErrno();
    socket->listening = true;
    Rearm(*socket);
    return 0;
}
WSOCK32_CHECK(listen);

WSOCK32_EXPORT SocketHandle wsock32_accept(SocketHandle s, SocketAddressIn* address,
                                           int* addressLength) {
    Socket* listener = FindStarted(s);
    if (!listener)
        return SocketError;
    if (!listener->listening)
        return Fail(WSAEINVAL);
    if (address && (!addressLength || *addressLength < static_cast<int>(sizeof(SocketAddressIn))))
        return Fail(WSAEFAULT);
    sockaddr_in peer{};
    socklen_t peerLength = sizeof peer;
    const int fd = ::accept4(listener->fd, reinterpret_cast<sockaddr*>(&peer), &peerLength,
                             SOCK_CLOEXEC | (AsyncSelectActive(*listener) ? SOCK_NONBLOCK : 0));
    listener->awaitingAccept = false;
    Rearm(*listener);
    if (fd < 0)
        return FailWithErrno();
    if (address)
        FromPosix(peer, address, addressLength);
    auto socket = std::make_unique<Socket>();
    socket->handle = NextHandle();
    socket->fd = fd;
    socket->bound = true;
    socket->connected = true;
    Socket& accepted = *socket;
    gTable->emplace(accepted.handle, std::move(socket));
    InheritSelect(*listener, accepted);
    return accepted.handle;
}
WSOCK32_CHECK(accept);

WSOCK32_EXPORT int wsock32_connect(SocketHandle s, const SocketAddressIn* name, int nameLength) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    sockaddr_in address;
    int error = 0;
    if (!ToPosix(name, nameLength, address, error))
        return Fail(error);
    if (socket->listening)
        return Fail(WSAEINVAL);
    if (socket->connecting)
        return Fail(WSAEALREADY);
    if (socket->connected && socket->type == SockStream)
        return Fail(WSAEISCONN);
    const bool background = AsyncSelectActive(*socket);
    if (::connect(socket->fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        socket->bound = socket->connected = true;
        if (background && socket->type == SockStream)
            PostEvent(*socket, FdConnect, 0);
        Rearm(*socket);
        return 0;
    }
    const int failure = errno;
    if (background && socket->type == SockStream) {
        switch (failure) {
        case EINPROGRESS:
            socket->bound = socket->connecting = true;
            Rearm(*socket);
            return Fail(WSAEWOULDBLOCK);
        case ECONNREFUSED:
        case ENETUNREACH:
        case EHOSTUNREACH:
        case ETIMEDOUT:
            // Windows reports the outcome of a background connect only by FD_CONNECT.
            PostEvent(*socket, FdConnect, FromErrno(failure));
            return Fail(WSAEWOULDBLOCK);
        default:
            break;
        }
    }
    return Fail(FromErrno(failure));
}
WSOCK32_CHECK(connect);

WSOCK32_EXPORT int wsock32_shutdown(SocketHandle s, int how) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    static constexpr int directions[] = {SHUT_RD, SHUT_WR, SHUT_RDWR};
    if (how < SdReceive || how > SdBoth)
        return Fail(WSAEINVAL);
    return ::shutdown(socket->fd, directions[how]) == 0 ? 0 : FailWithErrno();
}
WSOCK32_CHECK(shutdown);

WSOCK32_EXPORT int wsock32_setsockopt(SocketHandle s, int level, int option, const char* value,
                                      int length) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (level != SolSocket && level != IpProtoTcp)
        return Fail(WSAEINVAL);
    if (level == SolSocket && option == SoLinger) {
        if (!value || length < static_cast<int>(sizeof(Linger)))
            return Fail(WSAEFAULT);
        Linger linger;
        std::memcpy(&linger, value, sizeof linger);
        return SetLinger(*socket, linger.onOff != 0, linger.seconds);
    }
    if (!value || length < static_cast<int>(sizeof(int)))
        return Fail(WSAEFAULT);
    int number;
    std::memcpy(&number, value, sizeof number);
    if (level == SolSocket && option == SoDontLinger)
        return SetLinger(*socket, number == 0, 0);
    for (const IntOption& known : IntOptions) {
        if (known.level != level || known.option != option)
            continue;
        // Switches are on for any non-zero value (callers pass -1 as well as 1).
        const bool isSize = option == SoSndBuf || option == SoRcvBuf;
        const int posixValue = isSize ? number : (number != 0 ? 1 : 0);
        return ::setsockopt(socket->fd, known.posixLevel, known.posixOption, &posixValue,
                            sizeof posixValue) == 0
                   ? 0
                   : FailWithErrno();
    }
    return Fail(WSAENOPROTOOPT);
}
WSOCK32_CHECK(setsockopt);

WSOCK32_EXPORT int wsock32_ioctlsocket(SocketHandle s, std::uint32_t command,
                                       std::uint32_t* argument) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (!argument)
        return Fail(WSAEFAULT);
    if (command == FionRead) {
        int waiting = 0;
        if (socket->listening) {
            *argument = 0;
            return 0;
        }
        if (::ioctl(socket->fd, FIONREAD, &waiting) != 0)
            return FailWithErrno();
        *argument = static_cast<std::uint32_t>(waiting);
        return 0;
    }
    if (command == FionBio) {
        // A socket under asynchronous selection stays non-blocking.
        if (*argument == 0 && AsyncSelectActive(*socket))
            return Fail(WSAEINVAL);
        const int flags = ::fcntl(socket->fd, F_GETFL);
        const int wanted = *argument ? flags | O_NONBLOCK : flags & ~O_NONBLOCK;
        return ::fcntl(socket->fd, F_SETFL, wanted) == 0 ? 0 : FailWithErrno();
    }
    return Fail(WSAEINVAL);
}
WSOCK32_CHECK(ioctlsocket);

WSOCK32_EXPORT int wsock32_send(SocketHandle s, const char* data, int length, int flags) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (socket->type == SockStream && !socket->connected)
        return Fail(WSAENOTCONN);
    return Transfer(*socket, const_cast<char*>(data), length, flags, nullptr, nullptr, true);
}
WSOCK32_CHECK(send);

WSOCK32_EXPORT int wsock32_sendto(SocketHandle s, const char* data, int length, int flags,
                                  const SocketAddressIn* to, int toLength) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (socket->type == SockStream) {
        if (!socket->connected)
            return Fail(WSAENOTCONN);
        return Transfer(*socket, const_cast<char*>(data), length, flags, nullptr, nullptr, true);
    }
    sockaddr_in address;
    int error = 0;
    if (!ToPosix(to, toLength, address, error))
        return Fail(error);
    return Transfer(*socket, const_cast<char*>(data), length, flags, &address, nullptr, true);
}
WSOCK32_CHECK(sendto);

WSOCK32_EXPORT int wsock32_recv(SocketHandle s, char* buffer, int length, int flags) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (socket->type == SockStream && !socket->connected)
        return Fail(WSAENOTCONN);
    return Transfer(*socket, buffer, length, flags, nullptr, nullptr, false);
}
WSOCK32_CHECK(recv);

WSOCK32_EXPORT int wsock32_recvfrom(SocketHandle s, char* buffer, int length, int flags,
                                    SocketAddressIn* from, int* fromLength) {
    Socket* socket = FindStarted(s);
    if (!socket)
        return SocketError;
    if (socket->type == SockStream) {
        if (!socket->connected)
            return Fail(WSAENOTCONN);
        return Transfer(*socket, buffer, length, flags, nullptr, nullptr, false);
    }
    if (from && (!fromLength || *fromLength < static_cast<int>(sizeof(SocketAddressIn))))
        return Fail(WSAEFAULT);
    sockaddr_in sender{};
    const int result = Transfer(*socket, buffer, length, flags, nullptr, &sender, false);
    if (result >= 0 && from)
        FromPosix(sender, from, fromLength);
    return result;
}
WSOCK32_CHECK(recvfrom);

WSOCK32_EXPORT int wsock32_getsockname(SocketHandle s, SocketAddressIn* name, int* nameLength) {
    return AddressQuery(s, name, nameLength, false);
}
WSOCK32_CHECK(getsockname);

WSOCK32_EXPORT int wsock32_getpeername(SocketHandle s, SocketAddressIn* name, int* nameLength) {
    return AddressQuery(s, name, nameLength, true);
}
WSOCK32_CHECK(getpeername);

WSOCK32_EXPORT std::uint16_t wsock32_htons(std::uint16_t value) {
    return ::htons(value);
}
WSOCK32_CHECK(htons);

WSOCK32_EXPORT std::uint16_t wsock32_ntohs(std::uint16_t value) {
    return ::ntohs(value);
}
WSOCK32_CHECK(ntohs);

WSOCK32_EXPORT std::uint32_t wsock32_inet_addr(const char* text) {
    in_addr address{};
    return text && ::inet_aton(text, &address) ? address.s_addr : InaddrNone;
}
WSOCK32_CHECK(inet_addr);

WSOCK32_EXPORT char* wsock32_inet_ntoa(std::uint32_t address) {
    thread_local char text[INET_ADDRSTRLEN];
    in_addr value{};
    value.s_addr = address;
    return ::inet_ntop(AF_INET, &value, text, sizeof text) ? text : nullptr;
}
WSOCK32_CHECK(inet_ntoa);
