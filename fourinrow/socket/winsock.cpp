#include "fourinrow/socket/winsock.h"

#include "platform/winsock/library.h"

#include <cstring>
#include <utility>

namespace fourinrow::socket {

namespace ws = platform::winsock;
namespace calls = platform::winsock::calls;

namespace {

// Plain, trivially destructible state: the unit's shutdown below runs during static
// destruction and must still find it.
platform::LibraryHandle gLibrary = nullptr;
StartupData gStartupData;
int gSocketObjects = 0;

const std::string& LibraryName() {
    static const std::string name(ws::LibraryFileName);
    return name;
}

// One cell per bound call, resolved on the call's first use and cleared when the library is
// unloaded. The cells chain themselves into a list so that unloading can find them all.
class EntryCell {
public:
    explicit EntryCell(const char* name) : name_(name), next_(first_) { first_ = this; }

    template <typename Call> Call* Get() {
        if (!address_)
            address_ = LoadWinsock(name_);
        return reinterpret_cast<Call*>(address_);
    }

    static void ClearAll() {
        for (EntryCell* cell = first_; cell; cell = cell->next_)
            cell->address_ = nullptr;
    }

private:
    static inline EntryCell* first_ = nullptr;
    const char* name_;
    EntryCell* next_;
    void* address_ = nullptr;
};

struct UnitShutdown {
    ~UnitShutdown() { UnloadWinsock(); }
} gUnitShutdown;

// Blanks and control characters, as the run-time library's Trim removes them.
std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

std::uint32_t AddressAt(const char* bytes) {
    std::uint32_t address;
    std::memcpy(&address, bytes, sizeof address);
    return address;
}

} // namespace

void* LoadWinsock(const std::string& procName) {
    if (!gLibrary) {
        int error = 0;
        gLibrary = platform::loadLibrary(LibraryName(), error);
        if (!gLibrary)
            throw ESocketException("Unable to load " + LibraryName() + " Error #" +
                                   std::to_string(error));
        // A failed start leaves the library loaded; the next call tries to start it again
        // only after an unload.
        const int result = winsock::WSAStartup(ws::Version11, &gStartupData);
        if (result != 0)
            throw ESocketException(LibraryName() + ": WSAStartup error #" + std::to_string(result));
    }
    if (procName.empty())
        return nullptr;
    int error = 0;
    void* address =
        platform::librarySymbol(gLibrary, std::string(ws::ExportPrefix) + procName, error);
    if (!address)
        throw ESocketException("Procedure " + procName + " not found in " + "wsock32.dll" +
                               " Error #" + std::to_string(error));
    return address;
}

void UnloadWinsock() {
    if (!gLibrary)
        return;
    try {
        winsock::WSACleanup();
    } catch (const ESocketException&) {
        // A library without a cleanup call is unloaded all the same.
    }
    platform::freeLibrary(std::exchange(gLibrary, nullptr));
    EntryCell::ClearAll();
}

void AddSocketObject() {
    ++gSocketObjects;
}

void ReleaseSocketObject() {
    if (--gSocketObjects <= 0) {
        UnloadWinsock();
        gSocketObjects = 0;
    }
}

namespace winsock {

int WSAStartup(std::uint16_t version, StartupData* data) {
    static EntryCell cell("WSAStartup");
    return cell.Get<calls::WSAStartup>()(version, data);
}

int WSACleanup() {
    static EntryCell cell("WSACleanup");
    return cell.Get<calls::WSACleanup>()();
}

void WSASetLastError(int error) {
    static EntryCell cell("WSASetLastError");
    cell.Get<calls::WSASetLastError>()(error);
}

int WSAGetLastError() {
    static EntryCell cell("WSAGetLastError");
    return cell.Get<calls::WSAGetLastError>()();
}

int WSACancelAsyncRequest(AsyncHandle request) {
    static EntryCell cell("WSACancelAsyncRequest");
    return cell.Get<calls::WSACancelAsyncRequest>()(request);
}

AsyncHandle WSAAsyncGetHostByName(WindowHandle window, unsigned message, const char* name,
                                  char* buffer, int bufferLength) {
    static EntryCell cell("WSAAsyncGetHostByName");
    return cell.Get<calls::WSAAsyncGetHostByName>()(window, message, name, buffer, bufferLength);
}

AsyncHandle WSAAsyncGetHostByAddr(WindowHandle window, unsigned message, const char* address,
                                  int length, int type, char* buffer, int bufferLength) {
    static EntryCell cell("WSAAsyncGetHostByAddr");
    return cell.Get<calls::WSAAsyncGetHostByAddr>()(window, message, address, length, type, buffer,
                                                    bufferLength);
}

int WSAAsyncSelect(SocketHandle s, WindowHandle window, unsigned message, std::int32_t events) {
    static EntryCell cell("WSAAsyncSelect");
    return cell.Get<calls::WSAAsyncSelect>()(s, window, message, events);
}

ServiceEntry* getservbyname(const char* name, const char* protocol) {
    static EntryCell cell("getservbyname");
    return cell.Get<calls::getservbyname>()(name, protocol);
}

ProtocolEntry* getprotobyname(const char* name) {
    static EntryCell cell("getprotobyname");
    return cell.Get<calls::getprotobyname>()(name);
}

HostEntry* gethostbyname(const char* name) {
    static EntryCell cell("gethostbyname");
    return cell.Get<calls::gethostbyname>()(name);
}

int gethostname(char* name, int nameLength) {
    static EntryCell cell("gethostname");
    return cell.Get<calls::gethostname>()(name, nameLength);
}

SocketHandle socket(int family, int type, int protocol) {
    static EntryCell cell("socket");
    return cell.Get<calls::socket>()(family, type, protocol);
}

int shutdown(SocketHandle s, int how) {
    static EntryCell cell("shutdown");
    return cell.Get<calls::shutdown>()(s, how);
}

int setsockopt(SocketHandle s, int level, int option, const char* value, int length) {
    static EntryCell cell("setsockopt");
    return cell.Get<calls::setsockopt>()(s, level, option, value, length);
}

int sendto(SocketHandle s, const char* data, int length, int flags, const SocketAddressIn* to,
           int toLength) {
    static EntryCell cell("sendto");
    return cell.Get<calls::sendto>()(s, data, length, flags, to, toLength);
}

int send(SocketHandle s, const char* data, int length, int flags) {
    static EntryCell cell("send");
    return cell.Get<calls::send>()(s, data, length, flags);
}

std::uint16_t ntohs(std::uint16_t value) {
    static EntryCell cell("ntohs");
    return cell.Get<calls::ntohs>()(value);
}

int listen(SocketHandle s, int backlog) {
    static EntryCell cell("listen");
    return cell.Get<calls::listen>()(s, backlog);
}

int ioctlsocket(SocketHandle s, std::uint32_t command, std::uint32_t* argument) {
    static EntryCell cell("ioctlsocket");
    return cell.Get<calls::ioctlsocket>()(s, command, argument);
}

char* inet_ntoa(std::uint32_t address) {
    static EntryCell cell("inet_ntoa");
    return cell.Get<calls::inet_ntoa>()(address);
}

std::uint32_t inet_addr(const char* text) {
    static EntryCell cell("inet_addr");
    return cell.Get<calls::inet_addr>()(text);
}

std::uint16_t htons(std::uint16_t value) {
    static EntryCell cell("htons");
    return cell.Get<calls::htons>()(value);
}

int getsockname(SocketHandle s, SocketAddressIn* name, int* nameLength) {
    static EntryCell cell("getsockname");
    return cell.Get<calls::getsockname>()(s, name, nameLength);
}

int getpeername(SocketHandle s, SocketAddressIn* name, int* nameLength) {
    static EntryCell cell("getpeername");
    return cell.Get<calls::getpeername>()(s, name, nameLength);
}

int connect(SocketHandle s, const SocketAddressIn* name, int nameLength) {
    static EntryCell cell("connect");
    return cell.Get<calls::connect>()(s, name, nameLength);
}

int closesocket(SocketHandle s) {
    static EntryCell cell("closesocket");
    return cell.Get<calls::closesocket>()(s);
}

int bind(SocketHandle s, const SocketAddressIn* name, int nameLength) {
    static EntryCell cell("bind");
    return cell.Get<calls::bind>()(s, name, nameLength);
}

SocketHandle accept(SocketHandle s, SocketAddressIn* address, int* addressLength) {
    static EntryCell cell("accept");
    return cell.Get<calls::accept>()(s, address, addressLength);
}

int recv(SocketHandle s, char* buffer, int length, int flags) {
    static EntryCell cell("recv");
    return cell.Get<calls::recv>()(s, buffer, length, flags);
}

int recvfrom(SocketHandle s, char* buffer, int length, int flags, SocketAddressIn* from,
             int* fromLength) {
    static EntryCell cell("recvfrom");
    return cell.Get<calls::recvfrom>()(s, buffer, length, flags, from, fromLength);
}

} // namespace winsock

std::uint32_t WSocketResolveHost(const std::string& host) {
    if (host.empty() || host.size() > 256)
        throw ESocketException("WSocketResolveHost: '" + host + "' Invalid Hostname.");
    const std::string name = Trim(host);
    if (!name.empty() && IsDigitChar(name[0])) {
        const std::uint32_t address = winsock::inet_addr(name.c_str());
        if (address == ws::InaddrNone && name != "255.255.255.255")
            throw ESocketException("WSocketResolveHost: '" + host + "' Invalid IP address.");
        return address;
    }
    const HostEntry* entry = winsock::gethostbyname(name.c_str());
    // An entry without any address is as useless as none.
    if (!entry || !entry->addressList || !entry->addressList[0])
        throw ESocketException("WSocketResolveHost: Cannot convert host address '" + host + "'");
    return AddressAt(entry->addressList[0]);
}

std::uint16_t WSocketResolvePort(const std::string& port, const std::string& proto) {
    if (port.empty() || port.size() >= 32)
        throw ESocketException("WSocketResolvePort: Invalid Port.");
    if (IsDigitChar(port[0]))
        return static_cast<std::uint16_t>(ParseDecimal(port));
    const std::string service = Trim(port);
    const std::string protocol = Trim(proto);
    const ServiceEntry* entry =
        winsock::getservbyname(service.c_str(), protocol.empty() ? nullptr : protocol.c_str());
    if (!entry)
        throw ESocketException("WSocketResolvePort: Cannot convert port '" + service + "'");
    return winsock::ntohs(static_cast<std::uint16_t>(entry->port));
}

int WSocketResolveProto(const std::string& proto) {
    if (proto.empty() || proto.size() >= 32)
        throw ESocketException("WSocketResolveProto: Invalid Protocol.");
    const std::string name = Trim(proto);
    if (!name.empty() && IsDigitChar(name[0]))
        return static_cast<int>(ParseDecimal(name));
    const ProtocolEntry* entry = winsock::getprotobyname(name.c_str());
    if (!entry)
        throw ESocketException("WSocketResolveProto: Cannot convert protocol '" + name + "'");
    return entry->number;
}

std::string WSocketErrorDesc(int errorCode) {
    static constexpr std::pair<int, const char*> texts[] = {
        {0, "No Error"},
        {10004, "Interrupted system call"},
        {10009, "Bad file number"},
        {10013, "Permission denied"},
        {10014, "Bad address"},
        {10022, "Invalid argument"},
        {10024, "Too many open files"},
        {10035, "Operation would block"},
        {10036, "Operation now in progress"},
        {10037, "Operation already in progress"},
        {10038, "Socket operation on non-socket"},
        {10039, "Destination address required"},
        {10040, "Message too long"},
        {10041, "Protocol wrong type for socket"},
        {10042, "Protocol not available"},
        {10043, "Protocol not supported"},
        {10044, "Socket type not supported"},
        {10045, "Operation not supported on socket"},
        {10046, "Protocol family not supported"},
        {10047, "Address family not supported by protocol family"},
        {10048, "Address already in use"},
        {10049, "Address not available"},
        {10050, "Network is down"},
        {10051, "Network is unreachable"},
        {10052, "Network dropped connection on reset"},
        {10053, "Connection aborted"},
        {10054, "Connection reset by peer"},
        {10055, "No buffer space available"},
        {10056, "Socket is already connected"},
        {10057, "Socket is not connected"},
        {10058, "Can't send after socket shutdown"},
        {10059, "Too many references: can't splice"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10062, "Too many levels of symbolic links"},
        {10063, "File name too long"},
        {10064, "Host is down"},
        {10065, "No route to host"},
        {10066, "Directory not empty"},
        {10067, "Too many processes"},
        {10068, "Too many users"},
        {10069, "Disc quota exceeded"},
        {10070, "Stale NFS file handle"},
        {10071, "Too many levels of remote in path"},
        {10091, "Network sub-system is unusable"},
        {10092, "WinSock DLL cannot support this application"},
        {10093, "WinSock not initialized"},
        {11001, "Host not found"},
        {11002, "Non-authoritative host not found"},
        {11003, "Non-recoverable error"},
        {11004, "No Data"},
    };
    for (const auto& [code, text] : texts)
        if (code == errorCode)
            return text;
    return "Not a WinSock error";
}

const std::vector<std::string>& LocalIPList() {
    static std::vector<std::string> addresses;
    addresses.clear();
    const std::string name = LocalHostName();
    if (const HostEntry* entry = winsock::gethostbyname(name.c_str()))
        for (char** address = entry->addressList; address && *address; ++address)
            addresses.emplace_back(winsock::inet_ntoa(AddressAt(*address)));
    return addresses;
}

std::string LocalHostName() {
    char name[64] = {};
    if (winsock::gethostname(name, sizeof name) != 0)
        throw ESocketException("Winsock.GetHostName failed");
    return std::string(name, ::strnlen(name, sizeof name));
}

std::uint32_t ParseDecimal(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    std::uint32_t value = 0;
    for (; at < text.size() && IsDigitChar(text[at]); ++at)
        value = value * 10u + static_cast<std::uint32_t>(text[at] - '0');
    return value;
}

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

} // namespace fourinrow::socket
