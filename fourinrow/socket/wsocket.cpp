#include "fourinrow/socket/wsocket.h"

#include "platform/app/application.h"
#include "platform/app/clock.h"

#include <array>
#include <cstring>
#include <limits>

namespace fourinrow::socket {

using namespace platform::winsock;

namespace {

// The events each kind of socket registers for.
constexpr std::int32_t ConnectEvents = FdRead | FdWrite | FdAccept | FdConnect | FdClose;
constexpr std::int32_t ListenEvents = FdRead | FdWrite | FdAccept | FdClose;
constexpr std::int32_t AdoptedEvents = FdRead | FdWrite | FdConnect | FdClose;

constexpr int ListenBacklog = 5;
constexpr std::size_t HostEntryBufferSize = 1025;
constexpr int DropChunkSize = 1024;
// What one data-arrived message may take from the platform before the read loop gives the
// event loop back, so that a peer that never stops sending cannot keep the program from its
// other work. Every receive re-arms the platform's notice, so the rest is announced again.
constexpr std::uint64_t ReadBudgetPerMessage = 64 * 1024;

std::uint16_t EventFlags(std::intptr_t lParam) {
    return static_cast<std::uint16_t>(ReplyLow(lParam));
}
std::uint16_t EventError(std::intptr_t lParam) {
    return static_cast<std::uint16_t>(ReplyError(lParam));
}

// Lookup answers: the host entry is built at the start of the lookup's buffer.
std::vector<std::string> HostEntryAddresses(const char* buffer) {
    const auto* entry = reinterpret_cast<const HostEntry*>(buffer);
    std::vector<std::string> addresses;
    for (char** item = entry->addressList; item && *item; ++item) {
        std::uint32_t address = 0;
        std::memcpy(&address, *item, sizeof address);
        addresses.emplace_back(winsock::inet_ntoa(address));
    }
    return addresses;
}

std::string HostEntryName(const char* buffer) {
    const auto* entry = reinterpret_cast<const HostEntry*>(buffer);
    return entry->name ? entry->name : "";
}

} // namespace

TCustomWSocket::TCustomWSocket()
    : window_(std::make_unique<platform::MessageWindow>(
          [this](const platform::WindowMessage& message) { WndProc(message); })),
      hostEntryBuffer_(HostEntryBufferSize) {
    TCustomWSocket::SetDefaults();
    AddSocketObject();
}

TCustomWSocket::~TCustomWSocket() {
    destroying_ = true;
    // Messages that reach the window from here on would find the object half destroyed.
    window_->setHandler({});
    try {
        CancelDnsLookup();
    } catch (const std::exception&) {
    }
    // Nothing may escape a destructor; a failing close has nobody left to report to.
    try {
        if (state_ != wsClosed)
            Close();
    } catch (const std::exception&) {
    }
    ReleaseSocketObject();
    ClearSendQueue();
}

// ---- properties ----

void TCustomWSocket::AssignWhileClosed(Setting setting, const std::string& value,
                                       const char* name) {
    // Writing the current text again is always accepted, even while open.
    if (setting.assigned && value == setting.text)
        return;
    if (state_ != wsClosed) {
        RaiseException(std::string("Cannot change ") + name + " if not closed");
        return;
    }
    setting.text = Trim(value);
    setting.assigned = !setting.text.empty();
    setting.resolved = false;
}

void TCustomWSocket::SetAddr(const std::string& value) {
    AssignWhileClosed({addr_, addrAssigned_, addrResolved_}, value, "Addr");
}

void TCustomWSocket::SetPort(const std::string& value) {
    AssignWhileClosed({port_, portAssigned_, portResolved_}, value, "Port");
}

void TCustomWSocket::SetProto(const std::string& value) {
    AssignWhileClosed({proto_, protoAssigned_, protoResolved_}, value, "Proto");
}

void TCustomWSocket::SetLocalPort(const std::string& value) {
    if (state_ != wsClosed) {
        RaiseException("Cannot change LocalPort if not closed");
        return;
    }
    localPort_ = value;
    localPortResolved_ = false;
}

TSocketSendFlags TCustomWSocket::SendFlags() const {
    return sendFlags_ == MsgOob ? wsSendUrgent : wsSendNormal;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags value) {
    switch (value) {
    case wsSendNormal:
        sendFlags_ = 0;
        break;
    case wsSendUrgent:
        sendFlags_ = MsgOob;
        break;
    default:
        RaiseException("Invalid SendFlags");
    }
}

// ---- state and errors ----

std::string TCustomWSocket::Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

void TCustomWSocket::SetDefaults() {
    sin_ = SocketAddressIn{};
    sin_.family = AfInet;
    addrFamily_ = AfInet;
    addrAssigned_ = false;
    addrResolved_ = false;
    portAssigned_ = false;
    portResolved_ = false;
    protoAssigned_ = true;
    protoResolved_ = false;
    protoNum_ = IpProtoTcp;
    proto_ = "tcp";
    localPortResolved_ = false;
    socketType_ = SockStream;
    localPort_ = "0";
    lingerOnOff_ = wsLingerOn;
    lingerTimeout_ = 0;
    hSocket_ = InvalidSocket;
    state_ = wsClosed;
    allSent_ = true;
    paused_ = false;
    readCount_ = 0;
    closeInvoked_ = false;
    flushTimeout_ = 60;
}

void TCustomWSocket::ChangeState(TSocketState newState) {
    const TSocketState oldState = state_;
    state_ = newState;
    TriggerChangeState(oldState, newState);
}

void TCustomWSocket::RaiseException(const std::string& message) {
    if (OnError)
        TriggerError();
    else
        throw ESocketException(message);
}

void TCustomWSocket::SocketErrorText(const std::string& operation) {
    const int code = winsock::WSAGetLastError();
    const std::string text = "Error " + std::to_string(code) + " in function " + operation +
                             "\r\n" + WSocketErrorDesc(code);
    if (code == WSAECONNRESET || code == WSAENOTCONN) {
        if (hSocket_ != InvalidSocket)
            winsock::closesocket(hSocket_);
        hSocket_ = InvalidSocket;
        ChangeState(wsClosed);
    }
    lastError_ = code;
    RaiseException(text);
}

void TCustomWSocket::HandleBackgroundException(const std::exception& e) {
    bool canClose = true;
    if (OnBgException) {
        try {
            OnBgException(this, e, canClose);
        } catch (const std::exception&) {
        }
    }
    if (canClose) {
        try {
            Abort();
        } catch (const std::exception&) {
        }
    }
}

// ---- the hidden window ----

void TCustomWSocket::PostToSelf(std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    platform::postMessage(window_->handle(), message, wParam, lParam);
}

void TCustomWSocket::WndProc(const platform::WindowMessage& message) {
    try {
        switch (message.message) {
        case SocketEventMessage:
            HandleSelectMessage(message.wParam, message.lParam);
            break;
        case HostLookupMessage:
            HandleHostLookupDone(message.wParam, message.lParam);
            break;
        case AddrLookupMessage:
            HandleAddrLookupDone(message.wParam, message.lParam);
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        HandleBackgroundException(e);
    }
}

void TCustomWSocket::HandleSelectMessage(std::uintptr_t handle, std::intptr_t lParam) {
    const std::uint16_t events = EventFlags(lParam);
    const std::uint16_t error = EventError(lParam);
    // Room to send on the connection of the waiting notice: the next send may post one again.
    if ((events & FdWrite) && handle == static_cast<std::uintptr_t>(sentNoticeFor_))
        sentNoticeFor_ = InvalidSocket;
    if (hSocket_ == InvalidSocket || handle != static_cast<std::uintptr_t>(hSocket_) || paused_)
        return;
    if (events & FdConnect) {
        ChangeState(wsConnected);
        TriggerSessionConnected(error);
        if (error != 0 && state_ != wsClosed)
            Close();
    }
    if (events & FdRead)
        HandleReadEvent(error, ReadBudgetPerMessage);
    if (events & FdWrite) {
        TryToSend();
        if (allSent_)
            TriggerDataSent(error);
    }
    if (events & FdAccept)
        TriggerSessionAvailable(error);
    if ((events & FdClose) && state_ != wsConnecting) {
        // What is still waiting is delivered before the close is reported; nothing more can
        // arrive, so all of it.
        HandleReadEvent(0, std::numeric_limits<std::uint64_t>::max());
        if (OnSessionClosed && !closeInvoked_) {
            closeInvoked_ = true;
            TriggerSessionClosed(error);
        }
        if (state_ != wsClosed)
            Close();
    }
}

template <typename Value> bool TCustomWSocket::SetOption(int option, const Value& value) {
    return winsock::setsockopt(hSocket_, SolSocket, option, reinterpret_cast<const char*>(&value),
                               sizeof value) == 0;
}

bool TCustomWSocket::AsyncSelect(std::int32_t events, const std::string& operation) {
    if (winsock::WSAAsyncSelect(hSocket_, window_->handle(), SocketEventMessage, events) == 0)
        return true;
    SocketErrorText(operation);
    return false;
}

// ---- connecting, listening, accepting ----

void TCustomWSocket::ResolveForConnection(bool withLocalPort) {
    if (!protoResolved_) {
        protoNum_ = WSocketResolveProto(proto_);
        socketType_ = protoNum_ == IpProtoUdp ? SockDgram : SockStream;
        protoResolved_ = true;
    }
    if (!portResolved_) {
        portNum_ = static_cast<std::uint16_t>(WSocketResolvePort(port_, proto_));
        sin_.port = winsock::htons(portNum_);
        portResolved_ = true;
    }
    if (withLocalPort && !localPortResolved_) {
        localPortNum_ = static_cast<std::uint16_t>(WSocketResolvePort(localPort_, proto_));
        localPortResolved_ = true;
    }
    if (!addrResolved_) {
        sin_.address = WSocketResolveHost(addr_);
        addrResolved_ = true;
    }
}

void TCustomWSocket::Connect() {
    if (hSocket_ != InvalidSocket && state_ != wsClosed) {
        RaiseException("Connect: Socket already in use");
        return;
    }
    if (!portAssigned_) {
        RaiseException("Connect: No Port Specified");
        return;
    }
    if (!addrAssigned_) {
        RaiseException("Connect: No IP Address Specified");
        return;
    }
    if (!protoAssigned_) {
        RaiseException("Connect: No Protocol Specified");
        return;
    }
    try {
        ResolveForConnection(true);
    } catch (const std::exception& e) {
        RaiseException(std::string("connect: ") + e.what());
        return;
    }
    ClearSendQueue();
    hSocket_ = winsock::socket(addrFamily_, socketType_, protoNum_);
    if (hSocket_ == InvalidSocket) {
        SocketErrorText("Connect (socket)");
        return;
    }
    ChangeState(wsOpened);
    if (socketType_ == SockDgram) {
        if (!BindSocket())
            return;
        if (sin_.address == InaddrNone) {
            if (!SetOption(SoBroadcast, std::int32_t{1})) {
                SocketErrorText("setsockopt(SO_BROADCAST)");
                return;
            }
        }
    } else {
        if (localPortNum_ != 0 && !BindSocket())
            return;
        if (!ApplyLinger())
            return;
        if (!SetOption(SoKeepAlive, std::int32_t{-1})) {
            SocketErrorText("setsockopt(SO_KEEPALIVE)");
            return;
        }
        if (!SetOption(SoReuseAddr, std::int32_t{-1})) {
            SocketErrorText("setsockopt(SO_REUSEADDR)");
            return;
        }
    }
    if (!AsyncSelect(ConnectEvents, "WSAAsyncSelect"))
        return;
    if (socketType_ == SockDgram) {
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
        return;
    }
    if (winsock::connect(hSocket_, &sin_, sizeof sin_) == 0 ||
        winsock::WSAGetLastError() == WSAEWOULDBLOCK) {
        ChangeState(wsConnecting);
        return;
    }
    lastError_ = winsock::WSAGetLastError();
    SocketErrorText("Connect");
}

void TCustomWSocket::Listen() {
    const auto missing = [this](const char* operation) {
        winsock::WSASetLastError(WSAEINVAL);
        SocketErrorText(operation);
    };
    if (!portAssigned_)
        return missing("listen: port not assigned");
    if (!protoAssigned_)
        return missing("listen: protocol not assigned");
    if (!addrAssigned_)
        return missing("listen: address not assigned");
    try {
        ResolveForConnection(false);
    } catch (const std::exception& e) {
        RaiseException(std::string("listen: ") + e.what());
        return;
    }
    ClearSendQueue();
    hSocket_ = winsock::socket(addrFamily_, socketType_, protoNum_);
    if (hSocket_ == InvalidSocket) {
        SocketErrorText("socket");
        return;
    }
    // The port of the last session may still be in TIME_WAIT; listening again on it at once
    // must not fail.
    if (socketType_ == SockStream && !SetOption(SoReuseAddr, std::int32_t{1})) {
        ReleaseUnusedHandle("setsockopt(SO_REUSEADDR)");
        return;
    }
    if (winsock::bind(hSocket_, &sin_, sizeof sin_) != 0) {
        ReleaseUnusedHandle("Bind");
        return;
    }
    ChangeState(wsBound);
    if (socketType_ == SockDgram) {
        ChangeState(wsListening);
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
    } else {
        if (winsock::listen(hSocket_, ListenBacklog) != 0) {
            SocketErrorText("Listen");
            return;
        }
        ChangeState(wsListening);
    }
    AsyncSelect(ListenEvents, "WSAASyncSelect");
}

void TCustomWSocket::ReleaseUnusedHandle(const std::string& operation) {
    // The state is still closed, so a later close would not free the handle: free it here,
    // keeping the error code for the report.
    const int code = winsock::WSAGetLastError();
    winsock::closesocket(hSocket_);
    hSocket_ = InvalidSocket;
    winsock::WSASetLastError(code);
    SocketErrorText(operation);
}

SocketHandle TCustomWSocket::Accept() {
    if (state_ != wsListening) {
        winsock::WSASetLastError(WSAEINVAL);
        SocketErrorText("not a listening socket");
        return InvalidSocket;
    }
    std::int32_t length = sizeof sin_;
    acceptedHandle_ = winsock::accept(hSocket_, &sin_, &length);
    if (acceptedHandle_ == InvalidSocket)
        SocketErrorText("Accept");
    return acceptedHandle_;
}

void TCustomWSocket::Dup(SocketHandle handle) {
    if (handle == 0 || handle == InvalidSocket) {
        winsock::WSASetLastError(WSAEINVAL);
        SocketErrorText("Dup");
        return;
    }
    if (state_ != wsClosed) {
        const int result = winsock::closesocket(hSocket_);
        hSocket_ = InvalidSocket;
        if (result != 0) {
            SocketErrorText("Dup (closesocket)");
            return;
        }
        ChangeState(wsClosed);
    }
    // Bytes an earlier connection left unsent are not for this peer.
    ClearSendQueue();
    hSocket_ = handle;
    if (!ApplyLinger())
        return;
    if (AsyncSelect(AdoptedEvents, "WSAAsyncSelect"))
        ChangeState(wsConnected);
}

bool TCustomWSocket::ApplyLinger() {
    if (lingerOnOff_ == wsLingerNoSet)
        return true;
    if (hSocket_ == InvalidSocket) {
        RaiseException("Cannot set linger option at this time");
        return false;
    }
    const Linger linger{static_cast<std::uint16_t>(lingerOnOff_ == wsLingerOn ? 1 : 0),
                        static_cast<std::uint16_t>(lingerTimeout_ & 0xFFFF)};
    if (SetOption(SoLinger, linger))
        return true;
    SocketErrorText("setsockopt(SO_LINGER)");
    return false;
}

bool TCustomWSocket::BindSocket() {
    SocketAddressIn local{};
    local.family = AfInet;
    local.address = 0;
    local.port = winsock::htons(localPortNum_);
    if (winsock::bind(hSocket_, &local, sizeof local) != 0) {
        RaiseException("winsock.bind failed, error #" + std::to_string(winsock::WSAGetLastError()));
        return false;
    }
    std::int32_t length = sizeof local;
    if (winsock::getsockname(hSocket_, &local, &length) != 0) {
        RaiseException("winsock.getsockname failed, error #" +
                       std::to_string(winsock::WSAGetLastError()));
        return false;
    }
    localPortNum_ = winsock::ntohs(local.port);
    localPort_ = std::to_string(localPortNum_);
    return true;
}

// ---- closing ----

void TCustomWSocket::DoClose(bool shutdownFirst, std::uint16_t error) {
    if (hSocket_ == InvalidSocket) {
        if (state_ != wsClosed) {
            ChangeState(wsClosed);
            SetDefaults();
        }
        return;
    }
    if (state_ == wsClosed)
        return;
    if (shutdownFirst)
        Shutdown(SdSend);
    const SocketHandle handle = hSocket_;
    hSocket_ = InvalidSocket;
    while (winsock::closesocket(handle) != 0) {
        lastError_ = winsock::WSAGetLastError();
        if (lastError_ == WSAEWOULDBLOCK) {
            MessagePump();
            continue;
        }
        if (lastError_ == WSANOTINITIALISED)
            break;
        SocketErrorText("Disconnect (closesocket)");
        return;
    }
    ChangeState(wsClosed);
    if (!destroying_ && !closeInvoked_ && OnSessionClosed) {
        closeInvoked_ = true;
        TriggerSessionClosed(error);
    }
    try {
        SetDefaults();
    } catch (const std::exception&) {
    }
}

void TCustomWSocket::Close() {
    DoClose(true, 0);
}

void TCustomWSocket::Abort() {
    CancelDnsLookup();
    ClearSendQueue();
    if (state_ == wsConnected && protoNum_ == IpProtoTcp) {
        lingerOnOff_ = wsLingerOff;
        ApplyLinger();
    }
    DoClose(false, 0);
}

void TCustomWSocket::Shutdown(int how) {
    if (hSocket_ != InvalidSocket)
        winsock::shutdown(hSocket_, how);
}

int TCustomWSocket::Pause() {
    paused_ = true;
    return winsock::WSAAsyncSelect(hSocket_, window_->handle(), 0, 0);
}

int TCustomWSocket::Resume() {
    paused_ = false;
    return winsock::WSAAsyncSelect(hSocket_, window_->handle(), SocketEventMessage, ConnectEvents);
}

void TCustomWSocket::MessagePump() {
    if (multiThreaded_)
        ProcessPendingMessages();
    else
        platform::app::processMessages();
}

bool TCustomWSocket::ProcessOneMessage() {
    if (platform::app::applicationTerminating()) {
        terminated_ = true;
        return false;
    }
    return platform::app::processOnePass();
}

void TCustomWSocket::ProcessPendingMessages() {
    while (ProcessOneMessage()) {
    }
}

bool TCustomWSocket::TimeValueIsSet(const TimeValue& value) const {
    return value.seconds != 0 || value.microseconds != 0;
}

void TCustomWSocket::ClearTimeValue(TimeValue& value) const {
    value = TimeValue{};
}

bool TCustomWSocket::CompareTimeValues(const TimeValue& a, const TimeValue& b,
                                       bool wantEqual) const {
    const bool equal = a.seconds == b.seconds && a.microseconds == b.microseconds;
    return equal == wantEqual;
}

// ---- sending ----

void TCustomWSocket::ClearSendQueue() {
    sendQueue_.Clear();
}

int TCustomWSocket::Send(const void* data, int length) {
    if (state_ != wsConnected) {
        winsock::WSASetLastError(WSAENOTCONN);
        SocketErrorText("Send");
        return -1;
    }
    allSent_ = false;
    int result = 0;
    if (length > 0) {
        sendQueue_.Put(data, length);
        result = length;
    }
    TryToSend();
    // OnDataSent comes from the message loop, never from inside Send. One notice waiting in
    // the queue stands for every send until it is handled, so a program that sends many lines
    // in one turn does not queue a message for each.
    if (allSent_ && hSocket_ != InvalidSocket && sentNoticeFor_ != hSocket_) {
        sentNoticeFor_ = hSocket_;
        PostToSelf(SocketEventMessage, static_cast<std::uintptr_t>(hSocket_), FdWrite);
    }
    return result;
}

int TCustomWSocket::SendStr(const std::string& text) {
    return Send(text.data(), static_cast<int>(text.size()));
}

int TCustomWSocket::SendTo(const SocketAddressIn& destination, int destinationLength,
                           const void* data, int length) {
    const SocketAddressIn copy = destination;
    return winsock::sendto(hSocket_, static_cast<const char*>(data), length, sendFlags_, &copy,
                           destinationLength);
}

int TCustomWSocket::RawSend(const void* data, int length) {
    if (socketType_ == SockDgram)
        return winsock::sendto(hSocket_, static_cast<const char*>(data), length, sendFlags_, &sin_,
                               sizeof sin_);
    return winsock::send(hSocket_, static_cast<const char*>(data), length, sendFlags_);
}

void TCustomWSocket::TryToSend() {
    if (hSocket_ == InvalidSocket)
        return;
    // An empty queue counts as sent, so a send of nothing cannot leave Flush waiting forever.
    if (sendQueue_.Empty()) {
        allSent_ = true;
        return;
    }
    for (;;) {
        TBuffer& block = sendQueue_.Front();
        int length = 0;
        const char* data = block.Peek(length);
        if (length <= 0) {
            if (sendQueue_.BlockCount() == 1) {
                allSent_ = true;
                return;
            }
            sendQueue_.PopFront();
            continue;
        }
        const int sent = RawSend(data, length);
        if (sent == 0)
            return;
        if (sent < 0) {
            const int error = winsock::WSAGetLastError();
            if (error == WSAECONNRESET || error == WSAENOTSOCK || error == WSAENOTCONN ||
                error == WSAEINVAL) {
                closeInvoked_ = true;
                Close();
                TriggerSessionClosed(static_cast<std::uint16_t>(error));
            } else if (error != WSAEWOULDBLOCK) {
                SocketErrorText("TryToSend failed");
            }
            return;
        }
        block.Remove(sent);
        if (sent < length)
            return;
    }
}

void TCustomWSocket::Flush() {
    while (hSocket_ != InvalidSocket && !allSent_) {
        TryToSend();
        MessagePump();
    }
}

// ---- receiving ----

void TCustomWSocket::HandleReadEvent(std::uint16_t error, std::uint64_t budget) {
    const std::uint64_t readAtStart = platformBytesRead_;
    try {
        for (;;) {
            lastError_ = 0;
            const std::uint64_t readBefore = platformBytesRead_;
            if (!TriggerDataAvailable(error)) {
                std::array<char, DropChunkSize> scratch;
                if (DoRecv(scratch.data(), DropChunkSize, 0) < 0) {
                    lastError_ = winsock::WSAGetLastError();
                    if (lastError_ == WSAEWOULDBLOCK) {
                        lastError_ = 0;
                        break;
                    }
                }
            }
            if (lastError_ != 0 || hSocket_ == InvalidSocket)
                break;
            std::uint32_t waiting = 0;
            if (winsock::ioctlsocket(hSocket_, FionRead, &waiting) != 0) {
                lastError_ = winsock::WSAGetLastError();
                break;
            }
            // A handler that read nothing is not called again at once: the bytes wait for
            // the next notification instead of spinning here. Neither is one whose peer has
            // already sent the budget's worth in this message.
            if (waiting == 0 || platformBytesRead_ == readBefore ||
                platformBytesRead_ - readAtStart >= budget)
                break;
        }
    } catch (const std::exception&) {
    }
}

int TCustomWSocket::DoRecv(void* buffer, int size, int flags) {
    const int result = winsock::recv(hSocket_, static_cast<char*>(buffer), size, flags);
    if (result > 0)
        platformBytesRead_ += static_cast<std::uint64_t>(result);
    return result;
}

int TCustomWSocket::DoRecvFrom(void* buffer, int size, int flags, SocketAddressIn& from,
                               int& fromLength) {
    const int result =
        winsock::recvfrom(hSocket_, static_cast<char*>(buffer), size, flags, &from, &fromLength);
    if (result > 0)
        platformBytesRead_ += static_cast<std::uint64_t>(result);
    return result;
}

int TCustomWSocket::Receive(void* buffer, int size) {
    const int result = DoRecv(buffer, size, 0);
    if (result < 0)
        lastError_ = winsock::WSAGetLastError();
    else
        readCount_ += result;
    return result;
}

int TCustomWSocket::ReceiveFrom(void* buffer, int size, SocketAddressIn& from, int& fromLength) {
    const int result = DoRecvFrom(buffer, size, 0, from, fromLength);
    if (result < 0)
        lastError_ = winsock::WSAGetLastError();
    else
        readCount_ += result;
    return result;
}

std::string TCustomWSocket::ReceiveStr() {
    const int waiting = GetRcvdCount();
    if (waiting <= 0)
        return {};
    std::string text(static_cast<std::size_t>(waiting), '\0');
    const int got = DoRecv(text.data(), waiting, 0);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

int TCustomWSocket::GetRcvdCount() {
    std::uint32_t waiting = 0;
    if (winsock::ioctlsocket(hSocket_, FionRead, &waiting) != 0) {
        SocketErrorText("ioctlSocket");
        return -1;
    }
    return static_cast<int>(waiting);
}

void TCustomWSocket::PollUntilClosed() {
    while (hSocket_ != InvalidSocket && state_ != wsClosed) {
        MessagePump();
        if (hSocket_ == InvalidSocket)
            break;
        std::uint32_t waiting = 0;
        if (winsock::ioctlsocket(hSocket_, FionRead, &waiting) != 0)
            break;
        if (waiting > 0)
            TriggerDataAvailable(0);
        char none = 0;
        if (DoRecv(&none, 0, 0) < 1) {
            lastError_ = winsock::WSAGetLastError();
            if (lastError_ != WSAEWOULDBLOCK)
                break;
        }
        MessagePump();
    }
}

// ---- host lookup and addresses ----

bool TCustomWSocket::StartLookup(const std::string& host) {
    if (host.empty()) {
        RaiseException("DNS lookup: invalid host name.");
        TriggerDnsLookupDone(WSAEINVAL);
        return false;
    }
    if (lookupHandle_ != 0) {
        winsock::WSACancelAsyncRequest(lookupHandle_);
        // Forgotten at once, so a later cancel does not report a finished request.
        lookupHandle_ = 0;
    }
    dnsResult_.clear();
    dnsResultList_.clear();
    return true;
}

void TCustomWSocket::DnsLookup(const std::string& host) {
    if (!StartLookup(host))
        return;
    const std::uint32_t address = winsock::inet_addr(host.c_str());
    if (address != InaddrNone) {
        dnsResult_ = winsock::inet_ntoa(address);
        TriggerDnsLookupDone(0);
        return;
    }
    lookupHandle_ = winsock::WSAAsyncGetHostByName(window_->handle(), HostLookupMessage,
                                                   host.c_str(), hostEntryBuffer_.data(),
                                                   static_cast<int>(hostEntryBuffer_.size()));
    if (lookupHandle_ == 0)
        RaiseException(host + ": can't start DNS lookup, error #" +
                       std::to_string(winsock::WSAGetLastError()));
}

void TCustomWSocket::ReverseDnsLookup(const std::string& address) {
    if (!StartLookup(address))
        return;
    const std::uint32_t binary = winsock::inet_addr(address.c_str());
    lookupHandle_ = winsock::WSAAsyncGetHostByAddr(
        window_->handle(), AddrLookupMessage, reinterpret_cast<const char*>(&binary), sizeof binary,
        AfInet, hostEntryBuffer_.data(), static_cast<int>(hostEntryBuffer_.size()));
    if (lookupHandle_ == 0)
        RaiseException(address + ": can't start DNS lookup, error #" +
                       std::to_string(winsock::WSAGetLastError()));
}

void TCustomWSocket::HandleHostLookupDone(std::uintptr_t request, std::intptr_t lParam) {
    if (lookupHandle_ == 0 || request != lookupHandle_)
        return;
    lookupHandle_ = 0;
    const std::uint16_t error = EventError(lParam);
    if (error == 0) {
        dnsResultList_ = HostEntryAddresses(hostEntryBuffer_.data());
        if (!dnsResultList_.empty())
            dnsResult_ = dnsResultList_.front();
    }
    TriggerDnsLookupDone(error);
}

void TCustomWSocket::HandleAddrLookupDone(std::uintptr_t request, std::intptr_t lParam) {
    if (lookupHandle_ == 0 || request != lookupHandle_)
        return;
    lookupHandle_ = 0;
    const std::uint16_t error = EventError(lParam);
    if (error == 0) {
        dnsResult_ = HostEntryName(hostEntryBuffer_.data());
        dnsResultList_ = {dnsResult_};
    }
    TriggerDnsLookupDone(error);
}

void TCustomWSocket::CancelDnsLookup() {
    if (lookupHandle_ == 0)
        return;
    const int result = winsock::WSACancelAsyncRequest(lookupHandle_);
    lookupHandle_ = 0;
    if (result != 0) {
        SocketErrorText("WSACancelAsyncRequest");
        return;
    }
    if (!destroying_)
        TriggerDnsLookupDone(WSAEINTR);
}

std::string TCustomWSocket::GetPeerAddr() {
    if (state_ != wsConnected)
        return "error";
    SocketAddressIn peer{};
    std::int32_t length = sizeof peer;
    if (winsock::getpeername(hSocket_, &peer, &length) != 0) {
        SocketErrorText("GetPeerName");
        return "error";
    }
    return winsock::inet_ntoa(peer.address);
}

int TCustomWSocket::GetPeerName(SocketAddressIn& name, int nameLength) {
    if (state_ != wsConnected)
        return -1;
    return winsock::getpeername(hSocket_, &name, &nameLength);
}

int TCustomWSocket::GetSockName(SocketAddressIn& name, int& nameLength) {
    return winsock::getsockname(hSocket_, &name, &nameLength);
}

std::string TCustomWSocket::GetBoundPort() {
    if (state_ != wsBound && state_ != wsConnected && state_ != wsListening)
        return "error";
    SocketAddressIn local{};
    std::int32_t length = sizeof local;
    if (winsock::getsockname(hSocket_, &local, &length) != 0)
        return "error";
    return std::to_string(winsock::ntohs(local.port));
}

// ---- events ----

bool TCustomWSocket::TriggerDataAvailable(std::uint16_t error) {
    if (!OnDataAvailable)
        return false;
    OnDataAvailable(this, error);
    return true;
}

void TCustomWSocket::TriggerSessionAvailable(std::uint16_t error) {
    if (OnSessionAvailable)
        OnSessionAvailable(this, error);
}

void TCustomWSocket::TriggerSessionConnected(std::uint16_t error) {
    if (OnSessionConnected)
        OnSessionConnected(this, error);
}

void TCustomWSocket::TriggerSessionClosed(std::uint16_t error) {
    if (OnSessionClosed)
        OnSessionClosed(this, error);
}

void TCustomWSocket::TriggerDataSent(std::uint16_t error) {
    if (OnDataSent)
        OnDataSent(this, error);
}

void TCustomWSocket::TriggerChangeState(TSocketState oldState, TSocketState newState) {
    if (OnChangeState)
        OnChangeState(this, oldState, newState);
}

void TCustomWSocket::TriggerDnsLookupDone(std::uint16_t error) {
    if (OnDnsLookupDone)
        OnDnsLookupDone(this, error);
}

void TCustomWSocket::TriggerError() {
    if (OnError)
        OnError(this);
}

} // namespace fourinrow::socket
