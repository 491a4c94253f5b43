// Asynchronous selection: the UI thread's event loop watches each registered socket and posts
// one message per network event to the socket's window. An event that has been posted is not
// posted again until the call that consumes it (receive, accept, a send that would block)
// re-arms it, so a socket whose data waits unread costs nothing.

#include "platform/winsock/window_post.h"
#include "platform/winsock/wsock32_internal.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

namespace wsock32 {

namespace {

constexpr std::int32_t KnownEvents = FdRead | FdWrite | FdAccept | FdConnect | FdClose;

void OnReadable(Socket& socket) {
    if (socket.listening) {
        PostEvent(socket, FdAccept, 0);
        socket.awaitingAccept = true;
        Rearm(socket);
        return;
    }
    char byte;
    const ssize_t peeked = ::recv(socket.fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    if (peeked > 0 || socket.type == SockDgram) {
        PostEvent(socket, FdRead, 0);
        socket.awaitingRecv = true;
    } else {
        // End of the stream, or the peer reset it: reported once, after the data was read.
        socket.atEnd = true;
        if (!socket.closeReported)
            PostEvent(socket, FdClose, peeked == 0 ? 0 : FromErrno(errno));
        socket.closeReported = true;
    }
    Rearm(socket);
}

void OnWritable(Socket& socket) {
    if (socket.connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &error, &length);
        socket.connecting = false;
        socket.connected = error == 0;
        PostEvent(socket, FdConnect, FromErrno(error));
        if (error != 0) {
            Rearm(socket);
            return;
        }
    }
    if (socket.writeArmed) {
        PostEvent(socket, FdWrite, 0);
        socket.writeArmed = false;
    }
    Rearm(socket);
}

void Watch(Socket& socket, std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type,
           bool wanted) {
    if (!wanted) {
        if (notifier)
            notifier->setEnabled(false);
        return;
    }
    if (!notifier) {
        notifier = std::make_unique<QSocketNotifier>(socket.fd, type);
        Socket* watched = &socket;
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                         [watched, type] {
                             if (type == QSocketNotifier::Read)
                                 OnReadable(*watched);
                             else
                                 OnWritable(*watched);
                         });
    }
    notifier->setEnabled(true);
}

// Windows posts what is already the case during the registering call itself; doing the same
// keeps the order of messages independent of when the event loop next looks.
void ReportWhatIsReady(Socket& socket) {
    pollfd watched{socket.fd, POLLIN | POLLOUT, 0};
    if (::poll(&watched, 1, 0) != 1)
        return;
    const bool failed = watched.revents & (POLLERR | POLLHUP);
    if (socket.writeNotifier && socket.writeNotifier->isEnabled() &&
        (failed || (watched.revents & POLLOUT)))
        OnWritable(socket);
    if (socket.readNotifier && socket.readNotifier->isEnabled() &&
        (failed || (watched.revents & POLLIN)))
        OnReadable(socket);
}

} // namespace

bool AsyncSelectActive(const Socket& socket) {
    return socket.events != 0;
}

void PostEvent(const Socket& socket, std::int32_t event, int error) {
    if ((socket.events & event) && socket.window)
        platform::detail::PostToWindow(
            socket.window, socket.message, static_cast<std::uintptr_t>(socket.handle),
            MakeReply(static_cast<unsigned>(event), static_cast<unsigned>(error)));
}

void Rearm(Socket& socket) {
    const bool registered = AsyncSelectActive(socket) && socket.window;
    const bool open = socket.connected || socket.type == SockDgram;
    bool read = false;
    bool write = false;
    if (registered) {
        if (socket.listening)
            read = (socket.events & FdAccept) && !socket.awaitingAccept;
        else
            read = open && (socket.events & (FdRead | FdClose)) && !socket.awaitingRecv &&
                   !socket.atEnd;
        // A background connect is watched even when its outcome is not asked for.
        write = socket.connecting ||
                (open && !socket.listening && (socket.events & FdWrite) && socket.writeArmed);
    }
    Watch(socket, socket.readNotifier, QSocketNotifier::Read, read);
    Watch(socket, socket.writeNotifier, QSocketNotifier::Write, write);
}

int AsyncSelect(Socket& socket, WindowHandle window, unsigned message, std::int32_t events) {
    if (events & ~KnownEvents)
        return Fail(WSAEINVAL);
    if (events != 0 && (!window || !QCoreApplication::instance()))
        return Fail(WSAEINVAL);
    // The socket is non-blocking from now on, even when the events are cancelled.
    const int flags = ::fcntl(socket.fd, F_GETFL);
    if (::fcntl(socket.fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return FailWithErrno();
    socket.window = events != 0 ? reinterpret_cast<QObject*>(window) : nullptr;
    socket.message = message;
    socket.events = events;
    // A new registration reports again whatever is already the case.
    socket.awaitingRecv = false;
    socket.awaitingAccept = false;
    socket.writeArmed = true;
    socket.closeReported = false;
    socket.atEnd = false;
    Rearm(socket);
    ReportWhatIsReady(socket);
    return 0;
}

void InheritSelect(const Socket& listener, Socket& accepted) {
    if (!AsyncSelectActive(listener))
        return;
    accepted.window = listener.window;
    accepted.message = listener.message;
    accepted.events = listener.events;
    Rearm(accepted);
    ReportWhatIsReady(accepted);
}

void StopSelect(Socket& socket) {
    socket.readNotifier.reset();
    socket.writeNotifier.reset();
    socket.events = 0;
    socket.window = nullptr;
}

} // namespace wsock32

using namespace wsock32;

WSOCK32_EXPORT int wsock32_WSAAsyncSelect(SocketHandle s, WindowHandle window, unsigned message,
                                          std::int32_t events) {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    Socket* socket = Find(s);
    return socket ? AsyncSelect(*socket, window, message, events) : SocketError;
}
WSOCK32_CHECK(WSAAsyncSelect);
