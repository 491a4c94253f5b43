#pragma once
// The asynchronous TCP/UDP socket of the network play. It never blocks on the network (except in
// name resolution): every socket runs in the platform's message-driven mode, the object owns a
// hidden message window, and network events arrive there on the UI thread and become the
// object's events. Sending goes through a queue of blocks (sendbuffer.h).

#include "fourinrow/socket/sendbuffer.h"
#include "fourinrow/socket/winsock.h"
#include "platform/winsock/message_window.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fourinrow::socket {

enum TSocketState : std::uint8_t {
    wsInvalidState,
    wsOpened,
    wsBound,
    wsConnecting,
    wsConnected,
    wsAccepting,
    wsListening,
    wsClosed,
};

enum TSocketSendFlags : std::uint8_t { wsSendNormal, wsSendUrgent };

enum TSocketLingerOnOff : std::uint8_t { wsLingerOff, wsLingerOn, wsLingerNoSet };

class TCustomWSocket;

// Error is 0 on success, else a Windows Sockets error code.
using TSocketEvent = std::function<void(TCustomWSocket* Sender, std::uint16_t Error)>;
using TDataAvailable = TSocketEvent;
using TDataSent = TSocketEvent;
using TSessionClosed = TSocketEvent;
using TSessionAvailable = TSocketEvent;
using TSessionConnected = TSocketEvent;
using TDnsLookupDone = TSocketEvent;
using TChangeState =
    std::function<void(TCustomWSocket* Sender, TSocketState OldState, TSocketState NewState)>;
using TBgExceptionEvent =
    std::function<void(TCustomWSocket* Sender, const std::exception& E, bool& CanClose)>;
using TNotifyEvent = std::function<void(TCustomWSocket* Sender)>;

// A time as seconds and microseconds, as the sockets interface writes times.
struct TimeValue {
    std::int32_t seconds = 0;
    std::int32_t microseconds = 0;
};

// Window messages of the hidden window.
constexpr std::uint32_t SocketEventMessage = 0x401;
constexpr std::uint32_t HostLookupMessage = 0x402;
constexpr std::uint32_t AddrLookupMessage = 0x403;

class TCustomWSocket {
public:
    TCustomWSocket();
    virtual ~TCustomWSocket();
    TCustomWSocket(const TCustomWSocket&) = delete;
    TCustomWSocket& operator=(const TCustomWSocket&) = delete;

    // Address, ports and protocol; writes are refused unless the socket is closed.
    const std::string& Addr() const { return addr_; }
    void SetAddr(const std::string& value);
    const std::string& Port() const { return port_; }
    virtual void SetPort(const std::string& value);
    const std::string& Proto() const { return proto_; }
    virtual void SetProto(const std::string& value);
    const std::string& LocalPort() const { return localPort_; }
    void SetLocalPort(const std::string& value);

    const std::string& DnsResult() const { return dnsResult_; }
    const std::vector<std::string>& DnsResultList() const { return dnsResultList_; }
    TSocketState State() const { return state_; }
    std::int32_t ReadCount() const { return readCount_; }
    std::int32_t RcvdCount() { return GetRcvdCount(); }
    std::int32_t LastError() const { return lastError_; }
    // The handle the last Accept returned (-1 when it failed).
    SocketHandle AcceptedHandle() const { return acceptedHandle_; }
    // Set when the object's own message loop found the program quitting.
    bool Terminated() const { return terminated_; }

    // Selects the pump that waits inside the object use: the application's own processing
    // (false) or the object's loop over the thread's messages (true, see ProcessOneMessage).
    bool MultiThreaded() const { return multiThreaded_; }
    void SetMultiThreaded(bool value) { multiThreaded_ = value; }
    std::int32_t FlushTimeout() const { return flushTimeout_; }
    void SetFlushTimeout(std::int32_t value) { flushTimeout_ = value; }
    TSocketSendFlags SendFlags() const;
    void SetSendFlags(TSocketSendFlags value);
    TSocketLingerOnOff LingerOnOff() const { return lingerOnOff_; }
    void SetLingerOnOff(TSocketLingerOnOff value) { lingerOnOff_ = value; }
    std::int32_t LingerTimeout() const { return lingerTimeout_; }
    void SetLingerTimeout(std::int32_t value) { lingerTimeout_ = value; }

    // Connections.
    virtual void Connect();
    virtual void Listen();
    virtual SocketHandle Accept();
    virtual void Dup(SocketHandle handle);
    virtual void Close();
    virtual void Abort();
    virtual void Shutdown(int how);
    virtual int Pause();
    virtual int Resume();
    virtual void MessagePump();

    // Times as the sockets interface writes them: set means not zero; the comparison answers
    // whether "a equals b" is what was wanted.
    virtual bool TimeValueIsSet(const TimeValue& value) const;
    virtual void ClearTimeValue(TimeValue& value) const;
    virtual bool CompareTimeValues(const TimeValue& a, const TimeValue& b, bool wantEqual) const;

    // Sending.
    virtual int Send(const void* data, int length);
    virtual int SendStr(const std::string& text);
    virtual int SendTo(const SocketAddressIn& destination, int destinationLength, const void* data,
                       int length);
    virtual void Flush();
    // Bytes sent by the program that the platform has not taken yet.
    std::size_t QueuedByteCount() const { return sendQueue_.UnsentBytes(); }

    // Receiving.
    virtual int Receive(void* buffer, int size);
    virtual std::string ReceiveStr();
    virtual int ReceiveFrom(void* buffer, int size, SocketAddressIn& from, int& fromLength);
    virtual int GetRcvdCount();
    virtual int DoRecv(void* buffer, int size, int flags);
    virtual int DoRecvFrom(void* buffer, int size, int flags, SocketAddressIn& from,
                           int& fromLength);
    virtual void PollUntilClosed();

    // Host lookup and addresses.
    virtual void DnsLookup(const std::string& host);
    virtual void ReverseDnsLookup(const std::string& address);
    virtual void CancelDnsLookup();
    virtual std::string GetPeerAddr();
    virtual int GetPeerName(SocketAddressIn& name, int nameLength);
    virtual int GetSockName(SocketAddressIn& name, int& nameLength);
    virtual std::string GetBoundPort();

    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TChangeState OnChangeState;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TNotifyEvent OnLineTooLong; // kept for the form; never fired
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    virtual void WndProc(const platform::WindowMessage& message);
    virtual void SetDefaults();
    virtual void DoClose(bool shutdownFirst, std::uint16_t error);
    // Both return false once they have reported a failure.
    virtual bool BindSocket();
    virtual int RawSend(const void* data, int length);
    virtual void RaiseException(const std::string& message);
    virtual void HandleBackgroundException(const std::exception& e);

    virtual bool TriggerDataAvailable(std::uint16_t error);
    virtual void TriggerSessionAvailable(std::uint16_t error);
    virtual void TriggerSessionConnected(std::uint16_t error);
    virtual void TriggerSessionClosed(std::uint16_t error);
    virtual void TriggerDataSent(std::uint16_t error);
    virtual void TriggerChangeState(TSocketState oldState, TSocketState newState);
    virtual void TriggerDnsLookupDone(std::uint16_t error);
    virtual void TriggerError();

    void ChangeState(TSocketState newState);
    bool ApplyLinger();
    // The object's own message loop: one pass over the thread's waiting messages, dispatching
    // them; false when none was waiting. Once the program is quitting nothing more is
    // dispatched here: Terminated is set and the main loop ends the program.
    bool ProcessOneMessage();
    void ProcessPendingMessages();
    void ClearSendQueue();
    void SocketErrorText(const std::string& operation);
    void TryToSend();
    // Posts a message to this object's own window, to be handled from the message loop.
    void PostToSelf(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // Property texts are stored without the blanks (and control characters) around them.
    static std::string Trim(const std::string& text);

    // Shared with the layers built on this class.
    SocketHandle hSocket_ = platform::winsock::InvalidSocket;
    SocketAddressIn sin_{};
    std::string addr_;
    std::string port_;
    std::string proto_;
    bool addrAssigned_ = false;
    bool addrResolved_ = false;
    bool portAssigned_ = false;
    bool portResolved_ = false;
    std::uint16_t portNum_ = 0;
    std::int32_t lastError_ = 0;
    TSocketState state_ = wsClosed;

private:
    // Addr, Port or Proto: the text and its two marks.
    struct Setting {
        std::string& text;
        bool& assigned;
        bool& resolved;
    };
    void AssignWhileClosed(Setting setting, const std::string& value, const char* name);
    void HandleSelectMessage(std::uintptr_t handle, std::intptr_t lParam);
    // Raises the data-available event while bytes wait, until the handlers have taken budget
    // bytes from the platform.
    void HandleReadEvent(std::uint16_t error, std::uint64_t budget);
    void HandleHostLookupDone(std::uintptr_t request, std::intptr_t lParam);
    void HandleAddrLookupDone(std::uintptr_t request, std::intptr_t lParam);
    bool StartLookup(const std::string& host); // the shared opening of both lookups
    void ResolveForConnection(bool withLocalPort);
    // Sets a socket-level option; false when the platform refused it.
    template <typename Value> bool SetOption(int option, const Value& value);
    bool AsyncSelect(std::int32_t events, const std::string& operation);
    void ReleaseUnusedHandle(const std::string& operation);

    std::unique_ptr<platform::MessageWindow> window_;
    std::vector<std::string> dnsResultList_;
    std::string dnsResult_;
    SendQueue sendQueue_;
    std::int32_t sendFlags_ = 0;
    std::vector<char> hostEntryBuffer_;
    AsyncHandle lookupHandle_ = 0;
    std::int32_t addrFamily_ = platform::winsock::AfInet;
    std::int32_t protoNum_ = platform::winsock::IpProtoTcp;
    bool protoAssigned_ = true;
    bool protoResolved_ = false;
    bool localPortResolved_ = false;
    std::string localPort_ = "0";
    std::uint16_t localPortNum_ = 0;
    std::int32_t socketType_ = platform::winsock::SockStream;
    TSocketLingerOnOff lingerOnOff_ = wsLingerOn;
    std::int32_t lingerTimeout_ = 0;
    bool allSent_ = true;
    std::int32_t readCount_ = 0;
    bool paused_ = false;
    bool closeInvoked_ = false;
    std::int32_t flushTimeout_ = 60;
    bool multiThreaded_ = false;
    bool terminated_ = false;
    SocketHandle acceptedHandle_ = platform::winsock::InvalidSocket;
    bool destroying_ = false;
    // Bytes taken from the platform by DoRecv; lets the read loop see a pass that read nothing
    // and how much one message has taken.
    std::uint64_t platformBytesRead_ = 0;
    // The connection for which a data-sent notice is waiting in the queue, if any.
    SocketHandle sentNoticeFor_ = platform::winsock::InvalidSocket;
};

} // namespace fourinrow::socket
