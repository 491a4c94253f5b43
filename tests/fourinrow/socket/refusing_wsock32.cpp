// A sockets library that cannot start and has no other calls.
#include "platform/winsock/wsock32.h"

extern "C" int wsock32_WSAStartup(std::uint16_t, platform::winsock::StartupData*) {
    return platform::winsock::WSAVERNOTSUPPORTED;
}

extern "C" int wsock32_WSACleanup() {
    return 0;
}
