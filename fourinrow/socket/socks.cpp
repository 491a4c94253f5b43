#include "fourinrow/socket/socks.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fourinrow::socket {

using namespace platform::winsock;

namespace {

constexpr char Socks4Version = 4;
constexpr char Socks5Version = 5;
constexpr char SocksConnectCommand = 1;
constexpr char MethodNone = 0;
constexpr char MethodUserPassword = 2;
constexpr char UserPasswordVersion = 1;
constexpr char AddressTypeIPv4 = 1;
constexpr char AddressTypeName = 3;
constexpr unsigned char Socks4Granted = 90;
constexpr int Socks4ReplyLength = 8;
constexpr std::size_t MaxFieldLength = 255; // a length byte cannot say more
// The authentication request is one block of 128 bytes: version, two lengths and the texts.
constexpr std::size_t MaxCredentialsLength = 125;

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void AppendCounted(std::string& packet, const std::string& text) {
    const std::size_t length = std::min(text.size(), MaxFieldLength);
    packet += static_cast<char>(length);
    packet.append(text, 0, length);
}

void AppendPort(std::string& packet, std::uint16_t port) {
    packet += static_cast<char>(port >> 8);
    packet += static_cast<char>(port & 0xFF);
}

std::string Socks5ReplyText(std::uint8_t code) {
    static const char* const texts[] = {
        "general SOCKS server failure", "connection not allowed by ruleset",
        "network unreachable",          "host unreachable",
        "connection refused",           "time to live expired",
        "command not supported",        "address type not supported",
    };
    return texts[code - 1];
}

} // namespace

TCustomSocksWSocket::TCustomSocksWSocket() {
    ApplySocksDefaults();
}

void TCustomSocksWSocket::SetDefaults() {
    TCustomWSocket::SetDefaults();
    ApplySocksDefaults();
}

void TCustomSocksWSocket::ApplySocksDefaults() {
    socksState_ = Idle;
    socksServer_.clear();
    socksPort_.clear();
    socksLevel_ = "5";
    behindCount_ = 0;
    behindPos_ = 0;
    socksServerAssigned_ = false;
}

// ---- properties ----

void TCustomSocksWSocket::SetSocksLevel(const std::string& value) {
    if (state_ != wsClosed) {
        RaiseException("Can't change socks level if not closed");
        return;
    }
    const std::string level = Upper(value);
    if (level != "4" && level != "4A" && level != "5") {
        RaiseException("Invalid socks level. Must be 4, 4A or 5.");
        return;
    }
    socksLevel_ = level;
}

void TCustomSocksWSocket::SetSocksServer(const std::string& value) {
    if (state_ != wsClosed) {
        RaiseException("Can't change socks server if not closed");
        return;
    }
    socksServer_ = Trim(value);
    socksServerAssigned_ = !socksServer_.empty();
}

void TCustomSocksWSocket::SetSocksPort(const std::string& value) {
    if (state_ != wsClosed) {
        RaiseException("Can't change socks port if not closed");
        return;
    }
    socksPort_ = Trim(value);
}

// ---- connecting ----

void TCustomSocksWSocket::Listen() {
    if (socksServerAssigned_) {
        RaiseException("listening is not supported thru socks server");
        return;
    }
    TCustomWSocket::Listen();
}

void TCustomSocksWSocket::Connect() {
    // A socket in use reports that below, without touching its live session.
    if (!socksServerAssigned_ || (hSocket_ != InvalidSocket && state_ != wsClosed)) {
        TCustomWSocket::Connect();
        return;
    }
    if (Lower(proto_) != "tcp") {
        RaiseException("tcp is the only protocol supported thru socks server");
        return;
    }
    try {
        // The connection goes to the proxy; the wanted port travels in the request.
        if (!portResolved_) {
            sin_.port =
                winsock::htons(static_cast<std::uint16_t>(WSocketResolvePort(socksPort_, proto_)));
            portResolved_ = true;
        }
        if (!addrResolved_) {
            sin_.address = WSocketResolveHost(socksServer_);
            addrResolved_ = true;
        }
        portNum_ = static_cast<std::uint16_t>(WSocketResolvePort(port_, proto_));
    } catch (const std::exception& e) {
        RaiseException(std::string("connect: ") + e.what());
        return;
    }
    TCustomWSocket::Connect();
    // Negotiation starts with the connection to the proxy; a connect that failed leaves none.
    if (state_ == wsConnecting) {
        socksState_ = WaitMethodReply;
        replyCount_ = 0;
    }
}

void TCustomSocksWSocket::TriggerSessionConnected(std::uint16_t error) {
    if (socksState_ != WaitMethodReply) {
        TCustomWSocket::TriggerSessionConnected(error);
        return;
    }
    TriggerSocksConnected(error);
    if (error != 0) {
        TCustomWSocket::TriggerSessionConnected(error);
        return;
    }
    if (Socks4())
        SendConnectRequest();
    else
        SendGreeting();
}

void TCustomSocksWSocket::SendGreeting() {
    const bool withPassword = socksAuthentication_ == socksAuthenticateUsercode;
    const char greeting[] = {Socks5Version, 1, withPassword ? MethodUserPassword : MethodNone};
    Send(greeting, sizeof greeting);
}

void TCustomSocksWSocket::SendAuthentication() {
    socksState_ = WaitAuthReply;
    replyCount_ = 0;
    TriggerSocksAuthState(socksAuthStart);
    std::string packet(1, UserPasswordVersion);
    // The user name first; the password gets the room that is left.
    const std::string user = socksUsercode_.substr(0, MaxCredentialsLength);
    AppendCounted(packet, user);
    AppendCounted(packet, socksPassword_.substr(0, MaxCredentialsLength - user.size()));
    SendStr(packet);
}

void TCustomSocksWSocket::SendConnectRequest() {
    socksState_ = WaitConnectReply;
    replyCount_ = 0;
    std::string packet;
    if (Socks4()) {
        const bool byName = socksLevel_ == "4A";
        // 4A sends the address 0.0.0.1 and lets the proxy resolve the name sent behind it.
        std::string address("\0\0\0\1", 4);
        if (!byName) {
            try {
                const std::uint32_t resolved = WSocketResolveHost(addr_); // network order
                address.assign(reinterpret_cast<const char*>(&resolved), sizeof resolved);
            } catch (const ESocketException& e) {
                TriggerSocksError(20017, std::string("ESocketException ") + e.what());
                DoClose(true, 20017);
                return;
            }
        }
        packet += Socks4Version;
        packet += SocksConnectCommand;
        AppendPort(packet, portNum_);
        packet += address;
        packet += socksUsercode_;
        packet += '\0';
        if (byName) {
            packet += addr_;
            packet += '\0';
        }
    } else {
        packet += Socks5Version;
        packet += SocksConnectCommand;
        packet += '\0';
        packet += AddressTypeName;
        AppendCounted(packet, addr_);
        AppendPort(packet, portNum_);
    }
    SendStr(packet);
}

// ---- replies ----

bool TCustomSocksWSocket::TriggerDataAvailable(std::uint16_t error) {
    if (socksState_ == Idle)
        return TCustomWSocket::TriggerDataAvailable(error);
    if (error != 0) {
        SocksFail(error, "data receive error");
        return true;
    }
    const int room = static_cast<int>(reply_.size()) - replyCount_;
    const int got = TCustomWSocket::DoRecv(reply_.data() + replyCount_, room, 0);
    if (got < 0) {
        const int code = winsock::WSAGetLastError();
        if (code != WSAEWOULDBLOCK)
            SocksFail(code, "data receive error");
        return true;
    }
    replyCount_ += got;
    if (got == 0)
        return true; // the peer closed; its close event follows
    switch (socksState_) {
    case WaitMethodReply:
        HandleMethodReply();
        break;
    case WaitAuthReply:
        HandleAuthReply();
        break;
    case WaitConnectReply:
        if (Socks4())
            HandleSocks4Reply();
        else
            HandleSocks5Reply();
        break;
    case Idle:
        break;
    }
    return true;
}

void TCustomSocksWSocket::HandleMethodReply() {
    if (Socks4()) {
        SocksFail(20001, "TWSocket logic error");
        return;
    }
    if (replyCount_ < 2)
        return;
    if (ReplyByte(0) != Socks5Version) {
        SocksFail(20002, "socks version error");
        return;
    }
    switch (ReplyByte(1)) {
    case MethodNone:
        if (socksAuthentication_ == socksAuthenticateUsercode)
            TriggerSocksAuthState(socksAuthNotRequired);
        SendConnectRequest();
        break;
    case MethodUserPassword:
        SendAuthentication();
        break;
    default:
        SocksFail(20003, "authentification method not acceptable");
    }
}

void TCustomSocksWSocket::HandleAuthReply() {
    if (ReplyByte(0) != UserPasswordVersion) {
        SocksFail(20002, "socks version error");
        return;
    }
    // The status byte may still be on its way.
    if (replyCount_ < 2)
        return;
    if (replyCount_ > 2) {
        SocksFail(20001, "too much data availaible");
        return;
    }
    if (ReplyByte(1) != 0) {
        SocksFail(20015, "socks authentication failed");
        return;
    }
    TriggerSocksAuthState(socksAuthSuccess);
    SendConnectRequest();
}

void TCustomSocksWSocket::HandleSocks4Reply() {
    if (replyCount_ < Socks4ReplyLength)
        return;
    if (ReplyByte(0) != 0) {
        SocksFail(20002, "socks version error");
        return;
    }
    switch (const std::uint8_t code = ReplyByte(1)) {
    case Socks4Granted:
        FinishNegotiation(Socks4ReplyLength);
        break;
    case 91:
        SocksFail(20016, "request rejected or failed");
        break;
    case 92:
        SocksFail(20008, "connection refused");
        break;
    case 93:
        SocksFail(20015, "authentification failed");
        break;
    default:
        SocksFail(20012, "unassigned error #" + std::to_string(code));
    }
}

void TCustomSocksWSocket::HandleSocks5Reply() {
    if (ReplyByte(0) != Socks5Version) {
        SocksFail(20002, "socks version error");
        return;
    }
    if (replyCount_ < 2)
        return;
    if (const std::uint8_t code = ReplyByte(1); code != 0) {
        if (code >= 1 && code <= 8)
            SocksFail(20003 + code, Socks5ReplyText(code));
        else
            SocksFail(20012, "unassigned error #" + std::to_string(code));
        return;
    }
    if (replyCount_ < 5)
        return;
    int length = 0;
    int portAt = 0;
    switch (ReplyByte(3)) {
    case AddressTypeIPv4:
        length = 10;
        portAt = 8;
        break;
    case AddressTypeName:
        length = 7 + ReplyByte(4);
        portAt = 5 + ReplyByte(4);
        break;
    default:
        SocksFail(20011, "address type not supported");
        return;
    }
    if (replyCount_ < length)
        return;
    if (ReplyByte(3) == AddressTypeIPv4) {
        std::uint32_t address = 0;
        std::memcpy(&address, reply_.data() + 4, sizeof address);
        boundAddr_ = winsock::inet_ntoa(address);
    } else {
        boundAddr_.assign(reply_.data() + 5, ReplyByte(4));
    }
    boundPort_ = std::to_string(ReplyByte(portAt) << 8 | ReplyByte(portAt + 1));
    FinishNegotiation(length);
}

void TCustomSocksWSocket::FinishNegotiation(int replyLength) {
    socksState_ = Idle;
    behindPos_ = replyLength;
    behindCount_ = replyCount_ - replyLength;
    TCustomWSocket::TriggerSessionConnected(0);
    TriggerDataAvailable(0);
}

void TCustomSocksWSocket::SocksFail(std::int32_t error, const std::string& message) {
    // A failure during authentication is reported as such once, here; the close that follows
    // is then no longer one during authentication.
    if (socksState_ == WaitAuthReply)
        TriggerSocksAuthState(socksAuthFailure);
    socksState_ = Idle;
    TriggerSocksError(error, message);
    TCustomWSocket::TriggerSessionConnected(static_cast<std::uint16_t>(error));
    DoClose(true, static_cast<std::uint16_t>(error));
}

void TCustomSocksWSocket::TriggerSessionClosed(std::uint16_t error) {
    if (socksState_ == WaitAuthReply)
        TriggerSocksAuthState(socksAuthFailure);
    TCustomWSocket::TriggerSessionClosed(error);
}

// ---- reading what arrived behind the reply ----

int TCustomSocksWSocket::GetRcvdCount() {
    if (behindCount_ > 0)
        return behindCount_;
    return TCustomWSocket::GetRcvdCount();
}

int TCustomSocksWSocket::DoRecv(void* buffer, int size, int flags) {
    if (behindCount_ <= 0)
        return TCustomWSocket::DoRecv(buffer, size, flags);
    const int served = std::clamp(size, 0, behindCount_);
    std::memcpy(buffer, reply_.data() + behindPos_, static_cast<std::size_t>(served));
    behindPos_ += served;
    behindCount_ -= served;
    return served;
}

std::uint8_t TCustomSocksWSocket::ReplyByte(int index) const {
    return static_cast<std::uint8_t>(reply_[static_cast<std::size_t>(index)]);
}

// ---- events ----

void TCustomSocksWSocket::TriggerSocksConnected(std::uint16_t error) {
    if (OnSocksConnected)
        OnSocksConnected(this, error);
}

void TCustomSocksWSocket::TriggerSocksError(std::int32_t error, const std::string& message) {
    if (OnSocksError)
        OnSocksError(this, error, message);
}

void TCustomSocksWSocket::TriggerSocksAuthState(TSocksAuthState state) {
    if (OnSocksAuthState)
        OnSocksAuthState(this, state);
}

} // namespace fourinrow::socket
