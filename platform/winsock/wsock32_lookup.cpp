// The name databases: host, service and protocol entries, blocking and asynchronous. An
// asynchronous lookup runs on a worker thread of its own; its answer is handed back to the UI
// thread and written into the caller's buffer and announced there only if the request is
// still pending, so a cancelled request never touches its buffer. The cleanup does not wait
// for workers still asking a slow name server: it leaves them to finish on their own, with
// nowhere left to hand their answer to.

#include "platform/winsock/window_post.h"
#include "platform/winsock/wsock32_internal.h"

#include <QCoreApplication>
#include <QObject>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <strings.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace wsock32 {

namespace {

// More addresses than this are left out of an entry.
constexpr std::size_t MaxAddresses = 35;

int ResolveName(const std::string& name, HostAnswer& answer) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int error = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (error != 0)
        return FromAddrInfo(error);
    answer.name = found->ai_canonname ? found->ai_canonname : name;
    for (const addrinfo* item = found; item && answer.addresses.size() < MaxAddresses;
         item = item->ai_next)
        answer.addresses.push_back(
            reinterpret_cast<const sockaddr_in*>(item->ai_addr)->sin_addr.s_addr);
    ::freeaddrinfo(found);
    return 0;
}

int ResolveAddress(std::uint32_t address, HostAnswer& answer) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    char name[NI_MAXHOST];
    const int error = ::getnameinfo(reinterpret_cast<const sockaddr*>(&peer), sizeof peer, name,
                                    sizeof name, nullptr, 0, NI_NAMEREQD);
    if (error != 0)
        return FromAddrInfo(error);
    answer.name = name;
    answer.addresses = {address};
    return 0;
}

// Lays a host entry out at the start of buffer: the record, the alias list (empty), the
// address list, the addresses and the name. Returns the bytes it needs; writes only when they
// fit.
std::size_t PackHostEntry(const HostAnswer& answer, char* buffer, std::size_t size) {
    const std::size_t count = answer.addresses.size();
    const std::size_t aliasesAt = sizeof(HostEntry);
    const std::size_t listAt = aliasesAt + sizeof(char*);
    const std::size_t addressesAt = listAt + (count + 1) * sizeof(char*);
    const std::size_t nameAt = addressesAt + count * sizeof(std::uint32_t);
    const std::size_t needed = nameAt + answer.name.size() + 1;
    if (needed > size)
        return needed;
    auto* entry = reinterpret_cast<HostEntry*>(buffer);
    auto** aliases = reinterpret_cast<char**>(buffer + aliasesAt);
    auto** list = reinterpret_cast<char**>(buffer + listAt);
    aliases[0] = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        list[i] = buffer + addressesAt + i * sizeof(std::uint32_t);
        std::memcpy(list[i], &answer.addresses[i], sizeof(std::uint32_t));
    }
    list[count] = nullptr;
    std::memcpy(buffer + nameAt, answer.name.c_str(), answer.name.size() + 1);
    *entry = HostEntry{buffer + nameAt, aliases, static_cast<std::int16_t>(AfInet),
                       static_cast<std::int16_t>(sizeof(std::uint32_t)), list};
    return needed;
}

// The calling thread's entry of each kind, valid until its next call of that kind.
HostEntry* ThreadHostEntry(const HostAnswer& answer) {
    alignas(HostEntry) thread_local char buffer[MaxHostEntrySize];
    HostAnswer fitting = answer;
    fitting.name.resize(std::min<std::size_t>(fitting.name.size(), 255));
    PackHostEntry(fitting, buffer, sizeof buffer);
    return reinterpret_cast<HostEntry*>(buffer);
}

std::string LocalName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// ---- asynchronous requests

struct Answer {
    int error = 0;
    HostAnswer host;
};

struct Request {
    QPointer<QObject> window;
    unsigned message = 0;
    char* buffer = nullptr;
    int bufferLength = 0;
};

// Where the workers hand their answers: the relay, an object living on the UI thread, until
// the cleanup takes it away. Shared with the workers, so one that outlives the cleanup still
// finds it (empty).
struct AnswerDrop {
    std::mutex lock;
    QObject* relay = nullptr;
};

struct Lookups {
    std::map<AsyncHandle, Request> pending;
    std::map<AsyncHandle, std::thread> workers;
    std::shared_ptr<AnswerDrop> drop = std::make_shared<AnswerDrop>();
};
// Created by the first request and freed by the cleanup, like the socket table.
Lookups* gLookups = nullptr;
// Request handles are never handed out twice.
AsyncHandle gLastRequest = 0;

void Deliver(AsyncHandle handle, const Answer& answer) {
    if (const auto worker = gLookups->workers.find(handle); worker != gLookups->workers.end()) {
        worker->second.join();
        gLookups->workers.erase(worker);
    }
    const auto found = gLookups->pending.find(handle);
    if (found == gLookups->pending.end())
        return;
    const Request request = found->second;
    gLookups->pending.erase(found);
    if (!request.window)
        return;
    int error = answer.error;
    std::size_t needed = 0;
    if (error == 0) {
        needed = PackHostEntry(answer.host, request.buffer,
                               static_cast<std::size_t>(request.bufferLength));
        if (needed > static_cast<std::size_t>(request.bufferLength))
            error = WSAENOBUFS;
    }
    platform::detail::PostToWindow(
        request.window, request.message, handle,
        MakeReply(static_cast<unsigned>(needed), static_cast<unsigned>(error)));
}

template <typename Resolve>
AsyncHandle StartLookup(WindowHandle window, unsigned message, char* buffer, int bufferLength,
                        Resolve resolve) {
    if (!Started()) {
        SetLastError(WSANOTINITIALISED);
        return 0;
    }
    if (!window || !QCoreApplication::instance()) {
        SetLastError(WSAEINVAL);
        return 0;
    }
    if (!buffer || bufferLength <= 0 ||
        reinterpret_cast<std::uintptr_t>(buffer) % alignof(HostEntry) != 0) {
        SetLastError(WSAEFAULT);
        return 0;
    }
    if (!gLookups) {
        gLookups = new Lookups;
        gLookups->drop->relay = new QObject;
    }
    const AsyncHandle handle = ++gLastRequest;
    gLookups->pending[handle] =
        Request{reinterpret_cast<QObject*>(window), message, buffer, bufferLength};
    try {
        gLookups->workers.emplace(
            handle, std::thread([handle, drop = gLookups->drop, resolve] {
                auto answer = std::make_shared<Answer>();
                answer->error = resolve(answer->host);
                const std::lock_guard<std::mutex> locked(drop->lock);
                if (drop->relay)
                    QMetaObject::invokeMethod(
                        drop->relay, [handle, answer] { Deliver(handle, *answer); },
                        Qt::QueuedConnection);
            }));
    } catch (const std::system_error&) {
        // No thread to be had: the request does not start.
        gLookups->pending.erase(handle);
        SetLastError(WSAENOBUFS);
        return 0;
    }
    return handle;
}

// Unloading the library would take the code from under a worker that is still running; from
// now on it stays in the process, whoever frees it.
void KeepLibraryLoaded() {
    Dl_info self{};
    if (::dladdr(reinterpret_cast<void*>(&KeepLibraryLoaded), &self) && self.dli_fname)
        ::dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace

void CancelAllLookups() {
    if (!gLookups)
        return;
    {
        const std::lock_guard<std::mutex> locked(gLookups->drop->lock);
        // Answers still queued for the relay go with it.
        delete std::exchange(gLookups->drop->relay, nullptr);
    }
    // A worker may be waiting for a name server for many seconds yet: it is not waited for.
    // Its code is this library's, so the library must stay mapped until it is done.
    if (!gLookups->workers.empty())
        KeepLibraryLoaded();
    for (auto& [handle, worker] : gLookups->workers)
        worker.detach();
    delete std::exchange(gLookups, nullptr);
}

} // namespace wsock32

using namespace wsock32;

WSOCK32_EXPORT HostEntry* wsock32_gethostbyname(const char* name) {
    if (!Started()) {
        SetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    // No name (or an empty one) means this host.
    const std::string wanted = name && *name ? std::string(name) : LocalName();
    HostAnswer answer;
    if (const int error = ResolveName(wanted, answer); error != 0) {
        SetLastError(error);
        return nullptr;
    }
    return ThreadHostEntry(answer);
}
WSOCK32_CHECK(gethostbyname);

WSOCK32_EXPORT int wsock32_gethostname(char* name, int nameLength) {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    const std::string local = LocalName();
    // The name must fit with its terminating zero: it is never cut short.
    if (!name || nameLength <= 0 || local.size() + 1 > static_cast<std::size_t>(nameLength))
        return Fail(WSAEFAULT);
    std::memcpy(name, local.c_str(), local.size() + 1);
    return 0;
}
WSOCK32_CHECK(gethostname);

WSOCK32_EXPORT ServiceEntry* wsock32_getservbyname(const char* name, const char* protocol) {
    if (!Started()) {
        SetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    if (!name) {
        SetLastError(WSAEFAULT);
        return nullptr;
    }
    servent found{};
    servent* result = nullptr;
    char scratch[1024];
    if (::getservbyname_r(name, protocol, &found, scratch, sizeof scratch, &result) != 0 ||
        !result) {
        SetLastError(WSANO_DATA);
        return nullptr;
    }
    thread_local char serviceName[256];
    thread_local char protocolName[32];
    thread_local char* noAliases[1] = {nullptr};
    thread_local ServiceEntry entry;
    std::snprintf(serviceName, sizeof serviceName, "%s", result->s_name);
    std::snprintf(protocolName, sizeof protocolName, "%s", result->s_proto);
    entry = ServiceEntry{serviceName, noAliases, static_cast<std::int16_t>(result->s_port),
                         protocolName};
    return &entry;
}
WSOCK32_CHECK(getservbyname);

WSOCK32_EXPORT ProtocolEntry* wsock32_getprotobyname(const char* name) {
    if (!Started()) {
        SetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    if (!name) {
        SetLastError(WSAEFAULT);
        return nullptr;
    }
    thread_local char protocolName[256];
    thread_local char* noAliases[1] = {nullptr};
    thread_local ProtocolEntry entry;
    protoent found{};
    protoent* result = nullptr;
    char scratch[1024];
    int number;
    if (::getprotobyname_r(name, &found, scratch, sizeof scratch, &result) == 0 && result) {
        std::snprintf(protocolName, sizeof protocolName, "%s", result->p_name);
        number = result->p_proto;
    } else if (::strcasecmp(name, "tcp") == 0 || ::strcasecmp(name, "udp") == 0) {
        // Minimal systems may have no protocol database; these two are always known.
        std::snprintf(protocolName, sizeof protocolName, "%s",
                      ::strcasecmp(name, "tcp") == 0 ? "tcp" : "udp");
        number = ::strcasecmp(name, "tcp") == 0 ? IpProtoTcp : IpProtoUdp;
    } else {
        SetLastError(WSANO_DATA);
        return nullptr;
    }
    entry = ProtocolEntry{protocolName, noAliases, static_cast<std::int16_t>(number)};
    return &entry;
}
WSOCK32_CHECK(getprotobyname);

WSOCK32_EXPORT AsyncHandle wsock32_WSAAsyncGetHostByName(WindowHandle window, unsigned message,
                                                         const char* name, char* buffer,
                                                         int bufferLength) {
    if (!name) {
        SetLastError(WSAEFAULT);
        return 0;
    }
    return StartLookup(
        window, message, buffer, bufferLength,
        [wanted = std::string(name)](HostAnswer& answer) { return ResolveName(wanted, answer); });
}
WSOCK32_CHECK(WSAAsyncGetHostByName);

WSOCK32_EXPORT AsyncHandle wsock32_WSAAsyncGetHostByAddr(WindowHandle window, unsigned message,
                                                         const char* address, int length, int type,
                                                         char* buffer, int bufferLength) {
    if (!address || length != static_cast<int>(sizeof(std::uint32_t))) {
        SetLastError(WSAEFAULT);
        return 0;
    }
    if (type != AfInet) {
        SetLastError(WSAEAFNOSUPPORT);
        return 0;
    }
    std::uint32_t wanted;
    std::memcpy(&wanted, address, sizeof wanted);
    return StartLookup(window, message, buffer, bufferLength,
                       [wanted](HostAnswer& answer) { return ResolveAddress(wanted, answer); });
}
WSOCK32_CHECK(WSAAsyncGetHostByAddr);

WSOCK32_EXPORT int wsock32_WSACancelAsyncRequest(AsyncHandle request) {
    if (!Started())
        return Fail(WSANOTINITIALISED);
    if (gLookups && gLookups->pending.erase(request) != 0)
        return 0;
    // A request that has been answered (or cancelled) already, or one that never was.
    return Fail(request != 0 && request <= gLastRequest ? WSAEALREADY : WSAEINVAL);
}
WSOCK32_CHECK(WSACancelAsyncRequest);
