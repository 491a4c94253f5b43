#pragma once
// Interface of "wsock32.dll", our own Windows Sockets 1.1 library over POSIX sockets. The
// library is loaded at run time; every call is exported as ExportPrefix + its Winsock name
// (e.g. "wsock32_connect") so that none can clash with the C library's socket calls. The
// records, constants and call types below are the contract between the library and its users.

#include "platform/winsock/message_window.h"

#include <cstdint>
#include <string_view>

namespace platform::winsock {

inline constexpr std::string_view LibraryFileName = "wsock32.dll";
inline constexpr std::string_view ExportPrefix = "wsock32_";

// Socket handles are the library's own numbers: never 0, and not handed out twice while
// the library stays loaded.
using SocketHandle = std::int32_t;
inline constexpr SocketHandle InvalidSocket = -1;
inline constexpr int SocketError = -1;

// Handle of an asynchronous host lookup; 0 = the request could not be started.
using AsyncHandle = std::uint32_t;

inline constexpr std::uint16_t Version11 = 0x0101;

// Address families, socket types, protocols.
inline constexpr int AfInet = 2;
inline constexpr int SockStream = 1;
inline constexpr int SockDgram = 2;
inline constexpr int IpProtoTcp = 6;
inline constexpr int IpProtoUdp = 17;

inline constexpr std::uint32_t InaddrAny = 0;
inline constexpr std::uint32_t InaddrNone = 0xFFFFFFFF;

// Socket options: level and names as Windows Sockets numbers them.
inline constexpr int SolSocket = 0xFFFF;
inline constexpr int SoDebug = 0x0001;
inline constexpr int SoReuseAddr = 0x0004;
inline constexpr int SoKeepAlive = 0x0008;
inline constexpr int SoDontRoute = 0x0010;
inline constexpr int SoBroadcast = 0x0020;
inline constexpr int SoLinger = 0x0080;
inline constexpr int SoOobInline = 0x0100;
inline constexpr int SoDontLinger = ~SoLinger;
inline constexpr int SoSndBuf = 0x1001;
inline constexpr int SoRcvBuf = 0x1002;
inline constexpr int TcpNoDelay = 0x0001; // at level IpProtoTcp

// ioctlsocket commands.
inline constexpr std::uint32_t FionRead = 0x4004667F;
inline constexpr std::uint32_t FionBio = 0x8004667E;

// send/recv flags.
inline constexpr int MsgOob = 0x1;
inline constexpr int MsgPeek = 0x2;
inline constexpr int MsgDontRoute = 0x4;

// shutdown directions.
inline constexpr int SdReceive = 0;
inline constexpr int SdSend = 1;
inline constexpr int SdBoth = 2;

// Network events of WSAAsyncSelect. A message carries the socket handle in wParam and
// MakeReply(event, error) in lParam. (Out-of-band notification is not offered.)
inline constexpr std::int32_t FdRead = 0x01;
inline constexpr std::int32_t FdWrite = 0x02;
inline constexpr std::int32_t FdAccept = 0x08;
inline constexpr std::int32_t FdConnect = 0x10;
inline constexpr std::int32_t FdClose = 0x20;

// lParam layout of select and lookup answers: low 16 bits event (or needed buffer length),
// high 16 bits error code.
constexpr std::intptr_t MakeReply(unsigned low, unsigned error) {
    return static_cast<std::intptr_t>(((error & 0xFFFFu) << 16) | (low & 0xFFFFu));
}
constexpr unsigned ReplyLow(std::intptr_t lParam) {
    return static_cast<unsigned>(lParam) & 0xFFFFu;
}
constexpr unsigned ReplyError(std::intptr_t lParam) {
    return (static_cast<unsigned>(lParam) >> 16) & 0xFFFFu;
}

// Error codes.
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEBADF = 10009;
inline constexpr int WSAEACCES = 10013;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEDESTADDRREQ = 10039;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEPFNOSUPPORT = 10046;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETOOMANYREFS = 10059;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAELOOP = 10062;
inline constexpr int WSAENAMETOOLONG = 10063;
inline constexpr int WSAEHOSTDOWN = 10064;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAENOTEMPTY = 10066;
inline constexpr int WSAEPROCLIM = 10067;
inline constexpr int WSAEUSERS = 10068;
inline constexpr int WSAEDQUOT = 10069;
inline constexpr int WSAESTALE = 10070;
inline constexpr int WSAEREMOTE = 10071;
inline constexpr int WSASYSNOTREADY = 10091;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAHOST_NOT_FOUND = 11001;
inline constexpr int WSATRY_AGAIN = 11002;
inline constexpr int WSANO_RECOVERY = 11003;
inline constexpr int WSANO_DATA = 11004;

// IPv4 socket address: family in host order, port and address in network order.
struct SocketAddressIn {
    std::uint16_t family = AfInet;
    std::uint16_t port = 0;
    std::uint32_t address = 0;
    std::uint8_t zero[8] = {};
};
static_assert(sizeof(SocketAddressIn) == 16);

struct Linger {
    std::uint16_t onOff = 0;
    std::uint16_t seconds = 0;
};
static_assert(sizeof(Linger) == 4);

struct StartupData {
    std::uint16_t version = 0;
    std::uint16_t highVersion = 0;
    char description[257] = {};
    char systemStatus[129] = {};
    std::uint16_t maxSockets = 0;
    std::uint16_t maxUdpDatagram = 0;
    char* vendorInfo = nullptr;
};

// Host entry: addressList holds pointers to 4-byte addresses in network order, ending with
// nullptr. Asynchronous lookups build it at the start of the caller's buffer, which must be
// aligned for HostEntry and at least MaxHostEntrySize bytes to hold any answer.
struct HostEntry {
    char* name;
    char** aliases;
    std::int16_t addressType;
    std::int16_t addressLength;
    char** addressList;
};
inline constexpr int MaxHostEntrySize = 1024;

struct ServiceEntry {
    char* name;
    char** aliases;
    std::int16_t port; // network order
    char* protocol;
};

struct ProtocolEntry {
    char* name;
    char** aliases;
    std::int16_t number;
};

// The library's calls. Data returned by pointer (entries, inet_ntoa's text) belongs to the
// calling thread and stays valid until that thread's next call of the same kind.
namespace calls {
using WSAStartup = int(std::uint16_t version, StartupData* data);
using WSACleanup = int();
using WSASetLastError = void(int error);
using WSAGetLastError = int();
using WSACancelAsyncRequest = int(AsyncHandle request);
using WSAAsyncGetHostByName = AsyncHandle(WindowHandle window, unsigned message, const char* name,
                                          char* buffer, int bufferLength);
using WSAAsyncGetHostByAddr = AsyncHandle(WindowHandle window, unsigned message,
                                          const char* address, int length, int type, char* buffer,
                                          int bufferLength);
using WSAAsyncSelect = int(SocketHandle s, WindowHandle window, unsigned message,
                           std::int32_t events);
using getservbyname = ServiceEntry*(const char* name, const char* protocol);
using getprotobyname = ProtocolEntry*(const char* name);
using gethostbyname = HostEntry*(const char* name);
using gethostname = int(char* name, int nameLength);
using socket = SocketHandle(int family, int type, int protocol);
using shutdown = int(SocketHandle s, int how);
using setsockopt = int(SocketHandle s, int level, int option, const char* value, int length);
using sendto = int(SocketHandle s, const char* data, int length, int flags,
                   const SocketAddressIn* to, int toLength);
using send = int(SocketHandle s, const char* data, int length, int flags);
using ntohs = std::uint16_t(std::uint16_t value);
using listen = int(SocketHandle s, int backlog);
using ioctlsocket = int(SocketHandle s, std::uint32_t command, std::uint32_t* argument);
using inet_ntoa = char*(std::uint32_t address);
using inet_addr = std::uint32_t(const char* text);
using htons = std::uint16_t(std::uint16_t value);
using getsockname = int(SocketHandle s, SocketAddressIn* name, int* nameLength);
using getpeername = int(SocketHandle s, SocketAddressIn* name, int* nameLength);
using connect = int(SocketHandle s, const SocketAddressIn* name, int nameLength);
using closesocket = int(SocketHandle s);
using bind = int(SocketHandle s, const SocketAddressIn* name, int nameLength);
using accept = SocketHandle(SocketHandle s, SocketAddressIn* address, int* addressLength);
using recv = int(SocketHandle s, char* buffer, int length, int flags);
using recvfrom = int(SocketHandle s, char* buffer, int length, int flags, SocketAddressIn* from,
                     int* fromLength);
} // namespace calls

} // namespace platform::winsock
