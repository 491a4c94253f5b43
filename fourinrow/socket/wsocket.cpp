#include "fourinrow/socket/wsocket.h"

#include "platform/app/app.h"

#include <array>

namespace fourinrow::socket {

namespace {

// The events each kind of socket registers for.
constexpr std::int32_t ConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
constexpr std::int32_t ListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
constexpr std::int32_t AdoptedEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;

constexpr int ListenBacklog = 5;
constexpr std::size_t HostEntryBufferSize = 1025;
constexpr int DropChunkSize = 1024;

std::string Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::uint16_t EventFlags(std::intptr_t lParam) { return static_cast<std::uint16_t>(lParam & 0xFFFF); }
std::uint16_t EventError(std::intptr_t lParam) {
    return static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF);
}

} // namespace

TCustomWSocket::TCustomWSocket()
    : window_(std::make_unique<MessageWindow>([this](TMessage& message) { WndProc(message); })),
      hostEntryBuffer_(HostEntryBufferSize) {
    TCustomWSocket::SetDefaults();
    SocketObjectCreated();
}

TCustomWSocket::~TCustomWSocket() {
    destroying_ = true;
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
    SocketObjectDestroyed();
    ClearSendQueue();
}

// ---- properties ----

void TCustomWSocket::SetAddr(const std::string& value) {
    if (addrAssigned_ && value == addr_)
        return;
    if (state_ != wsClosed) {
        RaiseException("Cannot change Addr if not closed");
        return;
    }
    addr_ = Trim(value);
    addrAssigned_ = !addr_.empty();
    addrResolved_ = false;
}

void TCustomWSocket::SetPort(const std::string& value) {
    if (portAssigned_ && value == port_)
        return;
    if (state_ != wsClosed) {
        RaiseException("Cannot change Port if not closed");
        return;
    }
    port_ = Trim(value);
    portAssigned_ = !port_.empty();
    portResolved_ = false;
}

void TCustomWSocket::SetProto(const std::string& value) {
    if (protoAssigned_ && value == proto_)
        return;
    if (state_ != wsClosed) {
        RaiseException("Cannot change Proto if not closed");
        return;
    }
    proto_ = Trim(value);
    protoAssigned_ = !proto_.empty();
    protoResolved_ = false;
}

void TCustomWSocket::SetLocalPort(const std::string& value) {
    if (state_ != wsClosed) {
        RaiseException("Cannot change LocalPort if not closed");
        return;
    }
    localPort_ = value;
    localPortResolved_ = false;
}

TSocketSendFlags TCustomWSocket::SendFlags() {
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

void TCustomWSocket::SetDefaults() {
    sin_ = TSockAddrIn{};
    sin_.sin_family = AfInet;
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
    const int code = WSAGetLastError();
    const std::string text = "Error " + std::to_string(code) + " in function " + operation +
                             "\r\n" + WSocketErrorDesc(code);
    if (code == WSAECONNRESET || code == WSAENOTCONN) {
        if (hSocket_ != InvalidSocket)
            closesocket(hSocket_);
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
    window_->Post(message, wParam, lParam);
}

void TCustomWSocket::WndProc(TMessage& message) {
    try {
        switch (message.Msg) {
        case SocketEventMessage:
            HandleSelectMessage(message.WParam, message.LParam);
            break;
        case HostLookupMessage:
            HandleHostLookupDone(message.WParam, message.LParam);
            break;
        case AddrLookupMessage:
            HandleAddrLookupDone(message.WParam, message.LParam);
            break;
        default:
            message.Result = 0;
        }
    } catch (const std::exception& e) {
        HandleBackgroundException(e);
    }
}

void TCustomWSocket::HandleSelectMessage(std::uintptr_t handle, std::intptr_t lParam) {
    if (hSocket_ == InvalidSocket || handle != static_cast<std::uintptr_t>(hSocket_) || paused_)
        return;
    const std::uint16_t events = EventFlags(lParam);
    const std::uint16_t error = EventError(lParam);
    if (events & FD_CONNECT) {
        ChangeState(wsConnected);
        TriggerSessionConnected(error);
        if (error != 0 && state_ != wsClosed)
            Close();
    }
    if (events & FD_READ)
        HandleReadEvent(error);
    if (events & FD_WRITE) {
        TryToSend();
        if (allSent_)
            TriggerDataSent(error);
    }
    if (events & FD_ACCEPT)
        TriggerSessionAvailable(error);
    if ((events & FD_CLOSE) && state_ != wsConnecting) {
        // What is still waiting is delivered before the close is reported.
        HandleReadEvent(0);
        if (OnSessionClosed && !closeInvoked_) {
            closeInvoked_ = true;
            TriggerSessionClosed(error);
        }
        if (state_ != wsClosed)
            Close();
    }
}

bool TCustomWSocket::AsyncSelect(std::int32_t events, const std::string& operation) {
    if (WSAAsyncSelect(hSocket_, window_->Handle(), SocketEventMessage, events) == 0)
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
        sin_.sin_port = htons(portNum_);
        portResolved_ = true;
    }
    if (withLocalPort && !localPortResolved_) {
        localPortNum_ = static_cast<std::uint16_t>(WSocketResolvePort(localPort_, proto_));
        localPortResolved_ = true;
    }
    if (!addrResolved_) {
        sin_.sin_addr = WSocketResolveHost(addr_);
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
    hSocket_ = socket(addrFamily_, socketType_, protoNum_);
    if (hSocket_ == InvalidSocket) {
        SocketErrorText("Connect (socket)");
        return;
    }
    ChangeState(wsOpened);
    if (socketType_ == SockDgram) {
        BindSocket();
        if (sin_.sin_addr == InaddrBroadcast) {
            const std::int32_t on = 1;
            if (setsockopt(hSocket_, SolSocket, SoBroadcast, &on, sizeof on) != 0) {
                SocketErrorText("setsockopt(SO_BROADCAST)");
                return;
            }
        }
    } else {
        if (localPortNum_ != 0)
            BindSocket();
        ApplyLinger();
        const std::int32_t on = -1;
        if (setsockopt(hSocket_, SolSocket, SoKeepAlive, &on, sizeof on) != 0) {
            SocketErrorText("setsockopt(SO_KEEPALIVE)");
            return;
        }
        if (setsockopt(hSocket_, SolSocket, SoReuseAddr, &on, sizeof on) != 0) {
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
    if (connect(hSocket_, &sin_, sizeof sin_) == 0 || WSAGetLastError() == WSAEWOULDBLOCK) {
        ChangeState(wsConnecting);
        return;
    }
    lastError_ = WSAGetLastError();
    SocketErrorText("Connect");
}

void TCustomWSocket::Listen() {
    const auto missing = [this](const char* operation) {
        WSASetLastError(WSAEINVAL);
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
    hSocket_ = socket(addrFamily_, socketType_, protoNum_);
    if (hSocket_ == InvalidSocket) {
        SocketErrorText("socket");
        return;
    }
    // The port of the last session may still be in TIME_WAIT; listening again on it at once
    // must not fail.
    const std::int32_t on = 1;
    if (socketType_ == SockStream &&
        setsockopt(hSocket_, SolSocket, SoReuseAddr, &on, sizeof on) != 0) {
        ReleaseUnusedHandle("setsockopt(SO_REUSEADDR)");
        return;
    }
    if (bind(hSocket_, &sin_, sizeof sin_) != 0) {
        ReleaseUnusedHandle("Bind");
        return;
    }
    ChangeState(wsBound);
    if (socketType_ == SockDgram) {
        ChangeState(wsListening);
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
    } else {
        if (listen(hSocket_, ListenBacklog) != 0) {
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
    const int code = WSAGetLastError();
    closesocket(hSocket_);
    hSocket_ = InvalidSocket;
    WSASetLastError(code);
    SocketErrorText(operation);
}

TSocket TCustomWSocket::Accept() {
    if (state_ != wsListening) {
        WSASetLastError(WSAEINVAL);
        SocketErrorText("not a listening socket");
        return InvalidSocket;
    }
    std::int32_t length = sizeof sin_;
    acceptedHandle_ = accept(hSocket_, &sin_, &length);
    if (acceptedHandle_ == InvalidSocket) {
        SocketErrorText("Accept");
        return InvalidSocket;
    }
    return acceptedHandle_;
}

void TCustomWSocket::Dup(TSocket handle) {
    if (handle == 0 || handle == InvalidSocket) {
        WSASetLastError(WSAEINVAL);
        SocketErrorText("Dup");
        return;
    }
    if (state_ != wsClosed) {
        const int result = closesocket(hSocket_);
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
    ApplyLinger();
    if (AsyncSelect(AdoptedEvents, "WSAAsyncSelect"))
        ChangeState(wsConnected);
}

void TCustomWSocket::ApplyLinger() {
    if (lingerOnOff_ == wsLingerNoSet)
        return;
    if (hSocket_ == InvalidSocket) {
        RaiseException("Cannot set linger option at this time");
        return;
    }
    const TLinger linger{static_cast<std::uint16_t>(lingerOnOff_ == wsLingerOn ? 1 : 0),
                         static_cast<std::uint16_t>(lingerTimeout_ & 0xFFFF)};
    if (setsockopt(hSocket_, SolSocket, SoLinger, &linger, sizeof linger) != 0)
        SocketErrorText("setsockopt(SO_LINGER)");
}

void TCustomWSocket::BindSocket() {
    TSockAddrIn local{};
    local.sin_family = AfInet;
    local.sin_addr = 0;
    local.sin_port = htons(localPortNum_);
    if (bind(hSocket_, &local, sizeof local) != 0) {
        RaiseException("winsock.bind failed, error #" + std::to_string(WSAGetLastError()));
        return;
    }
    std::int32_t length = sizeof local;
    if (getsockname(hSocket_, &local, &length) != 0) {
        RaiseException("winsock.getsockname failed, error #" + std::to_string(WSAGetLastError()));
        return;
    }
    localPortNum_ = ntohs(local.sin_port);
    localPort_ = std::to_string(localPortNum_);
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
    const TSocket handle = hSocket_;
    hSocket_ = InvalidSocket;
    while (closesocket(handle) != 0) {
        lastError_ = WSAGetLastError();
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

void TCustomWSocket::Close() { DoClose(true, 0); }

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
        shutdown(hSocket_, how);
}

int TCustomWSocket::Pause() {
    paused_ = true;
    return WSAAsyncSelect(hSocket_, window_->Handle(), 0, 0);
}

int TCustomWSocket::Resume() {
    paused_ = false;
    return WSAAsyncSelect(hSocket_, window_->Handle(), SocketEventMessage, ConnectEvents);
}

void TCustomWSocket::MessagePump() {
    if (multiThreaded_)
        ProcessPendingMessages();
    else
        platform::app::processMessages();
}

// ---- sending ----

void TCustomWSocket::PutDataInSendBuffer(const void* data, int length) {
    sendQueue_.Put(data, length);
}

void TCustomWSocket::ClearSendQueue() { sendQueue_.Clear(); }

int TCustomWSocket::Send(const void* data, int length) {
    if (state_ != wsConnected) {
        WSASetLastError(WSAENOTCONN);
        SocketErrorText("Send");
        return -1;
    }
    allSent_ = false;
    int result = 0;
    if (length > 0) {
        PutDataInSendBuffer(data, length);
        result = length;
    }
    TryToSend();
    // OnDataSent comes from the message loop, never from inside Send.
    if (allSent_ && hSocket_ != InvalidSocket)
        PostToSelf(SocketEventMessage, static_cast<std::uintptr_t>(hSocket_), FD_WRITE);
    return result;
}

int TCustomWSocket::SendStr(const std::string& text) {
    return Send(text.data(), static_cast<int>(text.size()));
}

int TCustomWSocket::SendTo(const TSockAddrIn& destination, int destinationLength,
                           const void* data, int length) {
    const TSockAddrIn copy = destination;
    return sendto(hSocket_, data, length, sendFlags_, &copy, destinationLength);
}

int TCustomWSocket::RawSend(const void* data, int length) {
    if (socketType_ == SockDgram)
        return sendto(hSocket_, data, length, sendFlags_, &sin_, sizeof sin_);
    return send(hSocket_, data, length, sendFlags_);
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
            const int error = WSAGetLastError();
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

void TCustomWSocket::HandleReadEvent(std::uint16_t error) {
    try {
        for (;;) {
            lastError_ = 0;
            const std::uint64_t readBefore = platformBytesRead_;
            if (!TriggerDataAvailable(error)) {
                std::array<char, DropChunkSize> scratch;
                if (DoRecv(scratch.data(), DropChunkSize, 0) < 0) {
                    lastError_ = WSAGetLastError();
                    if (lastError_ == WSAEWOULDBLOCK) {
                        lastError_ = 0;
                        break;
                    }
                }
            }
            if (lastError_ != 0 || hSocket_ == InvalidSocket)
                break;
            std::uint32_t waiting = 0;
            if (ioctlsocket(hSocket_, Fionread, &waiting) != 0) {
                lastError_ = WSAGetLastError();
                break;
            }
            // A handler that read nothing is not called again at once: the bytes wait for
            // the next notification instead of spinning here.
            if (waiting == 0 || platformBytesRead_ == readBefore)
                break;
        }
    } catch (const std::exception&) {
    }
}

int TCustomWSocket::DoRecv(void* buffer, int size, int flags) {
    const int result = recv(hSocket_, buffer, size, flags);
    if (result > 0)
        platformBytesRead_ += static_cast<std::uint64_t>(result);
    return result;
}

int TCustomWSocket::DoRecvFrom(void* buffer, int size, int flags, TSockAddrIn& from,
                               int& fromLength) {
    const int result = recvfrom(hSocket_, buffer, size, flags, &from, &fromLength);
    if (result > 0)
        platformBytesRead_ += static_cast<std::uint64_t>(result);
    return result;
}

int TCustomWSocket::Receive(void* buffer, int size) {
    const int result = DoRecv(buffer, size, 0);
    if (result < 0)
        lastError_ = WSAGetLastError();
    else
        readCount_ += result;
    return result;
}

int TCustomWSocket::ReceiveFrom(void* buffer, int size, TSockAddrIn& from, int& fromLength) {
    const int result = DoRecvFrom(buffer, size, 0, from, fromLength);
    if (result < 0)
        lastError_ = WSAGetLastError();
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
    if (ioctlsocket(hSocket_, Fionread, &waiting) != 0) {
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
        if (ioctlsocket(hSocket_, Fionread, &waiting) != 0)
            break;
        if (waiting > 0)
            TriggerDataAvailable(0);
        char none = 0;
        if (DoRecv(&none, 0, 0) < 1) {
            lastError_ = WSAGetLastError();
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
        WSACancelAsyncRequest(lookupHandle_);
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
    const std::uint32_t address = inet_addr(host.c_str());
    if (address != InaddrNone) {
        dnsResult_ = inet_ntoa(address);
        TriggerDnsLookupDone(0);
        return;
    }
    lookupHandle_ = WSAAsyncGetHostByName(window_->Handle(), HostLookupMessage, host.c_str(),
                                          hostEntryBuffer_.data(),
                                          static_cast<int>(hostEntryBuffer_.size()));
    if (lookupHandle_ == 0)
        RaiseException(host + ": can't start DNS lookup, error #" +
                       std::to_string(WSAGetLastError()));
}

void TCustomWSocket::ReverseDnsLookup(const std::string& address) {
    if (!StartLookup(address))
        return;
    const std::uint32_t binary = inet_addr(address.c_str());
    lookupHandle_ = WSAAsyncGetHostByAddr(window_->Handle(), AddrLookupMessage, &binary,
                                          sizeof binary, AfInet, hostEntryBuffer_.data(),
                                          static_cast<int>(hostEntryBuffer_.size()));
    if (lookupHandle_ == 0)
        RaiseException(address + ": can't start DNS lookup, error #" +
                       std::to_string(WSAGetLastError()));
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
    const int result = WSACancelAsyncRequest(lookupHandle_);
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
    TSockAddrIn peer{};
    std::int32_t length = sizeof peer;
    if (getpeername(hSocket_, &peer, &length) != 0) {
        SocketErrorText("GetPeerName");
        return "error";
    }
    return inet_ntoa(peer.sin_addr);
}

int TCustomWSocket::GetPeerName(TSockAddrIn& name, int nameLength) {
    if (state_ != wsConnected)
        return -1;
    return getpeername(hSocket_, &name, &nameLength);
}

int TCustomWSocket::GetSockName(TSockAddrIn& name, int& nameLength) {
    return getsockname(hSocket_, &name, &nameLength);
}

std::string TCustomWSocket::GetBoundPort() {
    if (state_ != wsBound && state_ != wsConnected && state_ != wsListening)
        return "error";
    TSockAddrIn local{};
    std::int32_t length = sizeof local;
    if (getsockname(hSocket_, &local, &length) != 0)
        return "error";
    return std::to_string(ntohs(local.sin_port));
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
