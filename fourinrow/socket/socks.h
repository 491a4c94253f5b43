#pragma once
// Connecting through a SOCKS 4, 4A or 5 proxy. Idle (every call passes straight through) while
// no SOCKS server is set; every close clears the server again.

#include "fourinrow/socket/wsocket.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace fourinrow::socket {

enum TSocksAuthentication : std::uint8_t { socksNoAuthentication, socksAuthenticateUsercode };

// Authentication states reported through OnSocksAuthState.
enum TSocksAuthState : std::uint8_t {
    socksAuthStart = 0,
    socksAuthSuccess = 1,
    socksAuthFailure = 2,
    socksAuthNotRequired = 3,
};

using TSocksErrorEvent =
    std::function<void(TCustomWSocket* Sender, std::int32_t Error, const std::string& Msg)>;
using TSocksAuthStateEvent = std::function<void(TCustomWSocket* Sender, TSocksAuthState AuthState)>;

class TCustomSocksWSocket : public TCustomWSocket {
public:
    TCustomSocksWSocket();

    const std::string& SocksLevel() const { return socksLevel_; }
    void SetSocksLevel(const std::string& value);
    const std::string& SocksServer() const { return socksServer_; }
    virtual void SetSocksServer(const std::string& value);
    const std::string& SocksPort() const { return socksPort_; }
    virtual void SetSocksPort(const std::string& value);
    const std::string& SocksUsercode() const { return socksUsercode_; }
    void SetSocksUsercode(const std::string& value) { socksUsercode_ = value; }
    const std::string& SocksPassword() const { return socksPassword_; }
    void SetSocksPassword(const std::string& value) { socksPassword_ = value; }
    TSocksAuthentication SocksAuthentication() const { return socksAuthentication_; }
    void SetSocksAuthentication(TSocksAuthentication value) { socksAuthentication_ = value; }
    // Where a SOCKS 5 server says it bound the connection.
    const std::string& SocksBoundAddr() const { return boundAddr_; }
    const std::string& SocksBoundPort() const { return boundPort_; }

    void Connect() override;
    void Listen() override;
    int GetRcvdCount() override;
    int DoRecv(void* buffer, int size, int flags) override;

    TSocksErrorEvent OnSocksError;
    TSessionConnected OnSocksConnected;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    void SetDefaults() override;
    bool TriggerDataAvailable(std::uint16_t error) override;
    void TriggerSessionConnected(std::uint16_t error) override;
    void TriggerSessionClosed(std::uint16_t error) override;
    virtual void TriggerSocksConnected(std::uint16_t error);
    virtual void TriggerSocksError(std::int32_t error, const std::string& message);
    void TriggerSocksAuthState(TSocksAuthState state);

    bool SocksNegotiating() const { return socksState_ != Idle; }

private:
    enum Negotiation : std::uint8_t { Idle, WaitMethodReply, WaitAuthReply, WaitConnectReply };

    void ApplySocksDefaults();
    void SendGreeting();
    void SendAuthentication();
    void SendConnectRequest();
    void HandleMethodReply();
    void HandleAuthReply();
    void HandleSocks4Reply();
    void HandleSocks5Reply();
    // Negotiation done: what arrived behind the reply is served first, then reported once.
    void FinishNegotiation(int replyLength);
    void SocksFail(std::int32_t error, const std::string& message);
    std::uint8_t ReplyByte(int index) const;
    bool Socks4() const { return !socksLevel_.empty() && socksLevel_[0] == '4'; }

    Negotiation socksState_ = Idle;
    std::string socksServer_;
    std::string socksLevel_ = "5";
    std::string socksPort_;
    bool socksServerAssigned_ = false;
    std::string socksUsercode_;
    std::string socksPassword_;
    TSocksAuthentication socksAuthentication_ = socksNoAuthentication;
    std::string boundAddr_;
    std::string boundPort_;
    // Room for the longest SOCKS 5 reply (a 255-character name) and bytes arriving behind it.
    std::array<char, 512> reply_{};
    int replyCount_ = 0;
    int behindCount_ = 0; // bytes behind the reply not yet read
    int behindPos_ = 0;
};

} // namespace fourinrow::socket
