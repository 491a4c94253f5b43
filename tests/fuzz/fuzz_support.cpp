#include "fuzz_support.h"

#include "platform/app/application.h"
#include "platform/app/clock.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace zvfuzz {

void fail(const char* file, int line, const std::string& what) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::uint8_t Input::byte() {
    if (text_.empty())
        return 0;
    const auto value = static_cast<std::uint8_t>(text_.front());
    text_.remove_prefix(1);
    return value;
}

std::string Input::take(std::size_t n) {
    const std::string_view taken = text_.substr(0, n);
    text_.remove_prefix(taken.size());
    return std::string(taken);
}

std::vector<std::string> Input::pieces() {
    std::vector<std::string> result;
    while (!empty())
        if (std::string chunk = piece(); !chunk.empty())
            result.push_back(std::move(chunk));
    return result;
}

const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        // Each input writes files: in memory where there is such a file system, since a disk
        // makes every write cost a millisecond.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error) &&
                                                   ::access("/dev/shm", W_OK) == 0
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zv-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            fail(__FILE__, __LINE__, "no scratch folder");
        const std::filesystem::path made = pattern;
        static const std::string removed = made.string();
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(removed, error);
        });
        return made;
    }();
    return folder;
}

void clearFolder(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        fail(__FILE__, __LINE__, "cannot write " + path.string());
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Kept for the life of the process where the leak checker sees it.
platform::app::Application* keptApplication = nullptr;

void ensureApplication() {
    if (keptApplication)
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "zv-fuzz";
    static char* argv[] = {name, nullptr};
    keptApplication = new platform::app::Application(argc, argv);
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        platform::app::processMessages();
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return true;
}

void awaitTaken(const std::function<int()>& waiting, std::size_t bytes) {
    for (int i = 0; i < 5000 && waiting() < static_cast<int>(bytes); ++i)
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    if (!pumpUntil([&] { return waiting() == 0; }, std::chrono::seconds(5)))
        fail(__FILE__, __LINE__, "sent bytes were never taken");
}

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

PlainSocket::PlainSocket() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {}

PlainSocket::~PlainSocket() {
    Close();
}

int PlainSocket::Listen() {
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        fail(__FILE__, __LINE__, "cannot listen");
    ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    return ntohs(address.sin_port);
}

int PlainSocket::Accept() {
    return ::accept(fd_, nullptr, nullptr);
}

bool PlainSocket::Connect(int port) {
    const sockaddr_in address = loopback(port);
    return ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

void PlainSocket::Send(std::string_view bytes) {
    if (::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))
        fail(__FILE__, __LINE__, "cannot send");
}

void PlainSocket::Collect() {
    char buffer[4096];
    ssize_t count;
    while ((count = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
        received.append(buffer, static_cast<std::size_t>(count));
}

void PlainSocket::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace zvfuzz
