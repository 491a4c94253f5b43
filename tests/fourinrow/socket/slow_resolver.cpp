// Built into a copy of the sockets library: a name server that takes its time. It answers
// "slow-<ms>.test" only after that many milliseconds, with "not found", and
// "slow-<ms>.loopback.test" after that long with the loopback address; every other name as
// the system does. The library's own name lookups bind to this definition, since it is local
// to the library.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <netdb.h>
#include <thread>

namespace {

using System = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

int SystemLookup(const char* node, const char* service, const addrinfo* hints,
                 addrinfo** result) {
    static const auto system = reinterpret_cast<System>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    return system(node, service, hints, result);
}

} // namespace

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    unsigned delayMs = 0;
    int suffix = 0;
    if (node && std::sscanf(node, "slow-%u%n", &delayMs, &suffix) == 1) {
        const char* rest = node + suffix;
        const bool found = std::strcmp(rest, ".loopback.test") == 0;
        if (found || std::strcmp(rest, ".test") == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            return found ? SystemLookup("127.0.0.1", service, hints, result) : EAI_NONAME;
        }
    }
    return SystemLookup(node, service, hints, result);
}
