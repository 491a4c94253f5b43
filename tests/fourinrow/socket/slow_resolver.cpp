// Built into a copy of the sockets library: a name server that answers "slow-<ms>.test" only
// after that many milliseconds (with "not found"), and every other name as the system does.
// The library's own name lookups bind to this definition, since it is local to the library.
#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <netdb.h>
#include <thread>

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    unsigned delayMs = 0;
    char end = 0;
    if (node && std::sscanf(node, "slow-%u.tes%c", &delayMs, &end) == 2 && end == 't') {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        return EAI_NONAME;
    }
    using System = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto system = reinterpret_cast<System>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    return system(node, service, hints, result);
}
