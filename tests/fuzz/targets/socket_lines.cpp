// The socket layer's line mode over a loopback connection: the stream arrives in the input's
// chunks, each handled before the next is sent. Cut into lines (and edited like a terminal
// when line editing is on), the lines handed out after each chunk must be exactly the
// complete lines of everything received so far, edited as one piece; at the close what has
// no line end comes last. With echo on, the peer is sent back what a terminal would show.
#include "fuzz_support.h"

#include "fourinrow/socket/lineedit.h"
#include "fourinrow/socket/syncwait.h"

#include <cerrno>
#include <cstring>
#include <memory>

using namespace fourinrow::socket;
using namespace std::chrono_literals;

namespace {

struct Options {
    std::string lineEnd;
    bool edit;
    bool echo;
};

// What the socket should have handed out for `received`, and the echo of it.
struct Expected {
    std::vector<std::string> lines;
    std::string rest; // no line end yet
    std::string echo;
};

Expected Model(const std::string& received, const Options& options) {
    Expected expected;
    std::string text = received;
    if (options.edit)
        EditReceivedBytes(text, 0, options.lineEnd, &expected.echo);
    else
        expected.echo = received;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(options.lineEnd, start)) != std::string::npos;) {
        expected.lines.push_back(text.substr(start, end + options.lineEnd.size() - start));
        start = end + options.lineEnd.size();
    }
    expected.rest = text.substr(start);
    if (!options.echo)
        expected.echo.clear();
    return expected;
}

// The listening end, made once: each connection goes to the socket waiting for it.
struct Listener {
    Listener() {
        socket.SetAddr("127.0.0.1");
        socket.SetPort("0");
        socket.SetProto("tcp");
        socket.OnSessionAvailable = [this](TCustomWSocket*, std::uint16_t) {
            if (next)
                next->Dup(socket.Accept());
        };
        socket.Listen();
        port = std::stoi(socket.GetBoundPort());
    }
    TWSocket socket;
    TWSocket* next = nullptr;
    int port = 0;
};

std::string Shown(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += "[" + line + "]";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zvfuzz::ensureApplication();
    static Listener* listener = new Listener;

    zvfuzz::Input input(data, size);
    const std::uint8_t flags = input.byte();
    const Options options{(flags & 1) ? "\n" : "\r\n", (flags & 2) == 0, (flags & 4) != 0};
    const std::vector<std::string> chunks = input.pieces();

    auto server = std::make_unique<TWSocket>();
    std::vector<std::string> lines;
    bool closed = false;
    server->OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        lines.push_back(server->ReceiveStr());
    };
    server->OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { closed = true; };
    listener->next = server.get();
    zvfuzz::PlainSocket peer;
    ZV_FUZZ_CHECK(peer.Connect(listener->port), std::string("connect: ") + std::strerror(errno));
    ZV_FUZZ_CHECK(zvfuzz::pumpUntil([&] { return server->State() == wsConnected; }, 5s),
                  "not connected");
    listener->next = nullptr;
    server->SetLineMode(true);
    server->SetLineEnd(options.lineEnd);
    server->SetLineEdit(options.edit);
    server->SetLineEcho(options.echo);

    std::string received;
    for (const std::string& chunk : chunks) {
        peer.Send(chunk);
        received += chunk;
        zvfuzz::awaitTaken([&] { return server->RcvdCount(); }, chunk.size());
        peer.Collect();
        const Expected expected = Model(received, options);
        ZV_FUZZ_CHECK(lines == expected.lines,
                      "lines " + Shown(lines) + ", expected " + Shown(expected.lines));
    }

    const Expected expected = Model(received, options);
    ZV_FUZZ_CHECK(zvfuzz::pumpUntil(
                      [&] {
                          peer.Collect();
                          return peer.received.size() >= expected.echo.size();
                      },
                      5s),
                  "echo missing");
    ZV_FUZZ_CHECK(peer.received == expected.echo, "echo");
    peer.Close();
    ZV_FUZZ_CHECK(zvfuzz::pumpUntil([&] { return closed; }, 5s), "close not seen");
    std::vector<std::string> all = expected.lines;
    if (!expected.rest.empty())
        all.push_back(expected.rest);
    ZV_FUZZ_CHECK(lines == all, "at the close " + Shown(lines) + ", expected " + Shown(all));
    return 0;
}
