// A peer that sends without pause must not take the program from its user: while it floods,
// first with lines the program ignores, then with game lines that the program answers, timers
// and input still run at once, the heap stays as it was, and Disconnect ends
// the session.

#include "network_fixture.h"

#include "fourinrow/socket/winsock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDevice>
#include <QKeyEvent>
#include <QTimer>

#include <malloc.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's own count; its allocator keeps the C library's count at nothing.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace kolvantest {
namespace {

using Clock = std::chrono::steady_clock;

// Sends lines as fast as the program takes them, on a thread of its own, and reads what the
// program answers, until the connection closes or it is told to stop. It floods with ignored
// lines first, then with game lines, and stops sending when the flood's time is up.
class Flooder {
public:
    Flooder(int fd, std::chrono::milliseconds ignoredFor, std::chrono::milliseconds floodFor)
        : fd_(fd) {
        thread_ = std::thread([this, ignoredFor, floodFor] { Run(ignoredFor, floodFor); });
    }
    ~Flooder() { Stop(); }
    Flooder(const Flooder&) = delete;
    Flooder& operator=(const Flooder&) = delete;

    bool Closed() const { return closed_; }
    // The game lines the program answered, each as a well-behaved peer would see it: the
    // listener begins every other game, the first after the session's first one.
    int Answers() const { return answers_; }
    // The first answer that broke that order (empty when none did).
    std::string WrongAnswer() {
        Stop();
        return wrongAnswer_;
    }

private:
    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    static std::string Repeated(const std::string& line) {
        std::string chunk;
        while (chunk.size() + line.size() <= 64 * 1024)
            chunk += line;
        return chunk;
    }

    void Run(std::chrono::milliseconds ignoredFor, std::chrono::milliseconds floodFor) {
        const std::string ignored = Repeated("Z" + std::string(60, 'z') + "\n");
        const std::string gameLines = Repeated("GA\n");
        const auto switchAt = Clock::now() + ignoredFor;
        const auto endAt = Clock::now() + floodFor;
        const std::string* chunk = &ignored;
        std::size_t offset = 0;
        char buffer[4096];
        while (!stop_ && !closed_) {
            const bool flooding = offset != 0 || Clock::now() < endAt;
            pollfd watched{fd_, static_cast<short>(flooding ? POLLIN | POLLOUT : POLLIN), 0};
            if (::poll(&watched, 1, 10) <= 0)
                continue;
            if (watched.revents & POLLIN) {
                const ssize_t count = ::recv(fd_, buffer, sizeof buffer, 0);
                if (count > 0)
                    Check(std::string_view(buffer, static_cast<std::size_t>(count)));
                else if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                    closed_ = true;
            }
            if (watched.revents & (POLLERR | POLLHUP))
                closed_ = true;
            if (!closed_ && (watched.revents & POLLOUT)) {
                // Whole chunks only, so that no line is cut where the kind of line changes.
                if (offset == 0 && Clock::now() >= switchAt)
                    chunk = &gameLines;
                const ssize_t sent =
                    ::send(fd_, chunk->data() + offset, chunk->size() - offset, MSG_NOSIGNAL);
                if (sent > 0)
                    offset = (offset + static_cast<std::size_t>(sent)) % chunk->size();
                else if (errno != EAGAIN && errno != EWOULDBLOCK)
                    closed_ = true;
            }
        }
    }

    // Kept as they come: the flood's memory is the program's, not the test's.
    void Check(std::string_view received) {
        for (const char c : received) {
            if (c != '\n') {
                line_ += c;
                continue;
            }
            const char* expected = answers_ % 2 == 0 ? "GB" : "GA";
            if (line_ != expected && wrongAnswer_.empty())
                wrongAnswer_ = std::to_string(answers_) + ": " + line_;
            ++answers_;
            line_.clear();
        }
    }

    int fd_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> closed_{false};
    std::atomic<int> answers_{0};
    std::string line_;
    std::string wrongAnswer_;
};

// Bytes the program holds on its heap.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Times the key presses that arrive at the board.
class EventWatch : public QObject {
public:
    explicit EventWatch(QObject& board) : board_(board) {
        // Made here, on the program's thread, before another thread makes key events.
        QInputDevice::primaryKeyboard();
        QCoreApplication::instance()->installEventFilter(this);
    }
    // Posts a key press to the board from another thread, remembering when.
    void PostKey() {
        const std::lock_guard<std::mutex> locked(lock_);
        posted_.push_back(Clock::now());
        QCoreApplication::postEvent(
            &board_, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    }
    void StartMeasuring() { measuring_ = true; }
    void StopMeasuring() { measuring_ = false; }
    // The longest a key press waited to be handled.
    std::chrono::milliseconds LongestKeyWait() const { return longestWait_; }
    int KeysSeen() const { return keysSeen_; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (target == &board_ && event->type() == QEvent::KeyPress) {
            const std::lock_guard<std::mutex> locked(lock_);
            if (!posted_.empty()) {
                const Clock::time_point postedAt = posted_.front();
                posted_.pop_front();
                if (measuring_) {
                    ++keysSeen_;
                    longestWait_ = std::max(longestWait_,
                                            std::chrono::duration_cast<std::chrono::milliseconds>(
                                                Clock::now() - postedAt));
                }
            }
        }
        return false;
    }

private:
    QObject& board_;
    std::mutex lock_;
    std::deque<Clock::time_point> posted_;
    bool measuring_ = false;
    std::chrono::milliseconds longestWait_{0};
    int keysSeen_ = 0;
};

class FloodTest : public NetworkTest {};

TEST_F(FloodTest, AFloodingPeerLeavesTheProgramAnsweringAndDisconnectEndsIt) {
    PlainPeer peer;
    ListenAndConnect(peer);
    // Small socket buffers keep what is in flight small, so that a program that cannot get
    // away from the flood is seen to be stuck soon after the flood ends.
    const std::int32_t small = 32 * 1024;
    ASSERT_EQ(socket::winsock::setsockopt(Main().SrvWSocket().AcceptedHandle(),
                                          platform::winsock::SolSocket,
                                          platform::winsock::SoRcvBuf,
                                          reinterpret_cast<const char*>(&small), sizeof small),
              0);
    ASSERT_EQ(::setsockopt(peer.Descriptor(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
    constexpr auto ignoredFor = 2500ms;
    constexpr auto disconnectAt = 5000ms;
    // Far longer than one turn of the loop takes, far shorter than the flood.
    constexpr auto bound = 500ms;

    EventWatch watch(Main().Board());
    std::atomic<bool> probing{true};
    std::thread keys([&] {
        while (probing) {
            watch.PostKey();
            std::this_thread::sleep_for(10ms);
        }
    });

    QTimer ticker;
    Clock::time_point lastTick{};
    std::chrono::milliseconds longestGap{0};
    bool measuring = false;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        if (measuring)
            longestGap = std::max(
                longestGap, std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTick));
        lastTick = now;
    });
    ticker.start(10);

    const auto floodStart = Clock::now();
    // The flood outlasts the Disconnect; a program that cannot get away from it sees its end.
    Flooder flooder(peer.Descriptor(), ignoredFor, disconnectAt + 3s);
    QEventLoop loop;
    // The first turn may meet the flood's start; what counts is what follows.
    QTimer::singleShot(100ms, [&] {
        measuring = true;
        lastTick = Clock::now();
        watch.StartMeasuring();
    });
    // The heap once the answered lines have been flooding for a while, and at the end.
    std::size_t heapBefore = 0;
    int answersBefore = 0;
    QTimer::singleShot(ignoredFor + 500ms, [&] {
        heapBefore = HeapInUse();
        answersBefore = flooder.Answers();
    });
    std::size_t heapAfter = 0;
    int answersAfter = 0;
    bool activeAtDisconnect = false;
    bool peerGoneAtDisconnect = true;
    std::chrono::milliseconds disconnectLate{0};
    QTimer::singleShot(disconnectAt, Qt::PreciseTimer, [&] {
        const auto now = Clock::now();
        disconnectLate =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - floodStart - disconnectAt);
        // Also a tick that is overdue now.
        longestGap = std::max(
            longestGap, std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTick));
        measuring = false;
        watch.StopMeasuring();
        heapAfter = HeapInUse();
        answersAfter = flooder.Answers();
        activeAtDisconnect = Main().SessionActive == 1;
        peerGoneAtDisconnect = flooder.Closed();
        Main().Action(Command::Break).trigger();
        loop.quit();
    });
    loop.exec();
    probing = false;
    keys.join();

    // The flood went on to the end: the program neither froze nor dropped the peer.
    EXPECT_TRUE(activeAtDisconnect);
    EXPECT_FALSE(peerGoneAtDisconnect);
    EXPECT_LT(disconnectLate, bound);
    EXPECT_LT(longestGap, bound);
    EXPECT_GT(watch.KeysSeen(), 50);
    EXPECT_LT(watch.LongestKeyWait(), bound);
    // Lines answered all the while, and nothing kept for them.
    EXPECT_GT(answersAfter - answersBefore, 200);
    EXPECT_LT(heapAfter, heapBefore + 2 * 1024 * 1024);

    EXPECT_EQ(Main().SessionActive, 0);
    EXPECT_EQ(Main().StatusText(1), "Closed connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_TRUE(PumpUntil([&] { return flooder.Closed(); }, 10s));
    EXPECT_EQ(flooder.WrongAnswer(), "");
}

} // namespace
} // namespace kolvantest
