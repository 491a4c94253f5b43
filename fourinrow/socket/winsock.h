#pragma once
// The socket component's road to the network: "wsock32.dll" is loaded from the program's folder
// at the first call of any kind, each call is bound by name on its first use, and the library
// is unloaded again when the last socket object goes. Failures raise ESocketException.
// UI thread only.

#include "fourinrow/socket/esocketexception.h"
#include "platform/winsock/wsock32.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fourinrow::socket {

using platform::WindowHandle;
using platform::winsock::AsyncHandle;
using platform::winsock::HostEntry;
using platform::winsock::Linger;
using platform::winsock::ProtocolEntry;
using platform::winsock::ServiceEntry;
using platform::winsock::SocketAddressIn;
using platform::winsock::SocketHandle;
using platform::winsock::StartupData;

// Returns the address of the named call, loading and starting the library first when needed.
// An empty name only loads the library and returns nullptr.
void* LoadWinsock(const std::string& procName);
// Cleans up and frees the library; the next call of any kind loads it again. Harmless when
// not loaded.
void UnloadWinsock();

// The process-wide count of socket objects: the constructor adds one, the destructor takes it
// away again, and the last one to go unloads the library.
void AddSocketObject();
void ReleaseSocketObject();

// One wrapper per call of the library, with its arguments.
namespace winsock {
int WSAStartup(std::uint16_t version, StartupData* data);
int WSACleanup();
void WSASetLastError(int error);
int WSAGetLastError();
int WSACancelAsyncRequest(AsyncHandle request);
AsyncHandle WSAAsyncGetHostByName(WindowHandle window, unsigned message, const char* name,
                                  char* buffer, int bufferLength);
AsyncHandle WSAAsyncGetHostByAddr(WindowHandle window, unsigned message, const char* address,
                                  int length, int type, char* buffer, int bufferLength);
int WSAAsyncSelect(SocketHandle s, WindowHandle window, unsigned message, std::int32_t events);
ServiceEntry* getservbyname(const char* name, const char* protocol);
ProtocolEntry* getprotobyname(const char* name);
HostEntry* gethostbyname(const char* name);
int gethostname(char* name, int nameLength);
SocketHandle socket(int family, int type, int protocol);
int shutdown(SocketHandle s, int how);
int setsockopt(SocketHandle s, int level, int option, const char* value, int length);
int sendto(SocketHandle s, const char* data, int length, int flags, const SocketAddressIn* to,
           int toLength);
int send(SocketHandle s, const char* data, int length, int flags);
std::uint16_t ntohs(std::uint16_t value);
int listen(SocketHandle s, int backlog);
int ioctlsocket(SocketHandle s, std::uint32_t command, std::uint32_t* argument);
char* inet_ntoa(std::uint32_t address);
std::uint32_t inet_addr(const char* text);
std::uint16_t htons(std::uint16_t value);
int getsockname(SocketHandle s, SocketAddressIn* name, int* nameLength);
int getpeername(SocketHandle s, SocketAddressIn* name, int* nameLength);
int connect(SocketHandle s, const SocketAddressIn* name, int nameLength);
int closesocket(SocketHandle s);
int bind(SocketHandle s, const SocketAddressIn* name, int nameLength);
SocketHandle accept(SocketHandle s, SocketAddressIn* address, int* addressLength);
int recv(SocketHandle s, char* buffer, int length, int flags);
int recvfrom(SocketHandle s, char* buffer, int length, int flags, SocketAddressIn* from,
             int* fromLength);
} // namespace winsock

// IPv4 address in network byte order of a dotted address or a host name.
std::uint32_t WSocketResolveHost(const std::string& host);
// Port number in host byte order of a decimal text or a service name.
std::uint16_t WSocketResolvePort(const std::string& port, const std::string& proto);
// Protocol number of a decimal text or a protocol name.
int WSocketResolveProto(const std::string& proto);

std::string WSocketErrorDesc(int errorCode);

// This host's addresses in dotted form; the same list object every time, refilled by each call.
const std::vector<std::string>& LocalIPList();
std::string LocalHostName();

// Skips leading blanks, then reads decimal digits up to the first non-digit (0 when there is
// none). Wraps around modulo 2^32 instead of overflowing.
std::uint32_t ParseDecimal(std::string_view text);
bool IsDigitChar(char c);

} // namespace fourinrow::socket
