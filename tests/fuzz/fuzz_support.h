#pragma once
// What the fuzz targets share. Each target is one source under targets/ that defines
// libFuzzer's entry function LLVMFuzzerTestOneInput; the fuzzing program (clang,
// -fsanitize=fuzzer) and the normal build's replay test both call that one function.
// A fault the sanitizers cannot see is reported through ZV_FUZZ_CHECK, which prints and
// aborts: libFuzzer keeps the input, the replay test fails.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zvfuzz {

[[noreturn]] void fail(const char* file, int line, const std::string& what);

#define ZV_FUZZ_CHECK(condition, what)                                                            \
    do {                                                                                          \
        if (!(condition))                                                                         \
            ::zvfuzz::fail(__FILE__, __LINE__, std::string(#condition) + ": " + (what));          \
    } while (false)

// Reads an input from its front; what is missing reads as zero bytes or an empty text.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return text_.empty(); }
    std::uint8_t byte();
    // Up to n bytes.
    std::string take(std::size_t n);
    // A piece: a length byte, then up to that many bytes.
    std::string piece() { return take(byte()); }
    std::string rest() { return take(text_.size()); }
    // The rest as pieces (empty pieces left out): arbitrary chunks of a stream.
    std::vector<std::string> pieces();

private:
    std::string_view text_;
};

// A folder of this process's own (in memory when possible), created at the first call and
// removed at exit.
const std::filesystem::path& scratchFolder();
// Removes everything inside folder, keeping the folder.
void clearFolder(const std::filesystem::path& folder);
void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

// The program's application object (offscreen), created at the first call and kept.
void ensureApplication();
// Runs the event loop until done() holds; false when limit passed first.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// After bytes were sent to a socket of the program: waits, without running the event loop,
// until they have arrived (waiting() counts what the platform holds for the socket), then runs
// the loop until the socket has taken them all. A failure to take them is a fault.
void awaitTaken(const std::function<int()>& waiting, std::size_t bytes);

// A plain loopback socket standing for the program's peer: one end of a connection, or a
// listener on a port of its own.
class PlainSocket {
public:
    PlainSocket();
    explicit PlainSocket(int fd) : fd_(fd) {}
    ~PlainSocket();
    PlainSocket(const PlainSocket&) = delete;
    PlainSocket& operator=(const PlainSocket&) = delete;

    // Listens on a free port and returns it; Accept then takes a caller without waiting
    // (-1 when there is none yet).
    int Listen();
    int Accept();
    bool Connect(int port);
    void Send(std::string_view bytes);
    // Appends to received what has come, without waiting.
    void Collect();
    void Close();
    std::string received;

private:
    int fd_;
};

} // namespace zvfuzz
