#include "platform/app/clock.h"

#include "platform/app/application.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace platform::app {
namespace {

const auto programStart = std::chrono::steady_clock::now();

struct FakeClock {
    std::uint32_t ticks = 0;
    int processingPasses = 0;
};
std::optional<FakeClock> fakeClock;

// One pass of a wait loop: under the test clock time moves on by one tick per pass.
void passTime() {
    if (fakeClock)
        ++fakeClock->ticks;
    else
        std::this_thread::yield();
}

} // namespace

std::uint32_t tickCount() {
    if (fakeClock)
        return fakeClock->ticks;
    const auto elapsed = std::chrono::steady_clock::now() - programStart;
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void processMessages() {
    if (!QCoreApplication::instance())
        return;
    const NestedLoop loop;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool processOnePass() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!QCoreApplication::instance() || !dispatcher)
        return false;
    const NestedLoop loop;
    return dispatcher->processEvents(QEventLoop::AllEvents);
}

void waitTicks(std::uint32_t ms) {
    const std::uint32_t start = tickCount();
    // Unsigned difference: a wrap of the counter during the wait does not end it early.
    while (tickCount() - start < ms)
        passTime();
}

void waitTicksProcessing(std::uint32_t ms) {
    const NestedLoop loop;
    const std::uint32_t start = tickCount();
    while (tickCount() - start < ms && !closePending()) {
        processMessages();
        if (fakeClock)
            ++fakeClock->processingPasses;
        passTime();
    }
}

void sleepTicks(std::uint32_t ms) {
    if (fakeClock)
        fakeClock->ticks += ms;
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TestClock::TestClock(std::uint32_t start) {
    if (fakeClock)
        throw std::logic_error("TestClock: a test clock is already installed");
    fakeClock = FakeClock{start, 0};
}

TestClock::~TestClock() { fakeClock.reset(); }

void TestClock::set(std::uint32_t ticks) { fakeClock->ticks = ticks; }

void TestClock::advance(std::uint32_t ms) { fakeClock->ticks += ms; }

std::uint32_t TestClock::now() const { return fakeClock->ticks; }

int TestClock::processingPasses() const { return fakeClock->processingPasses; }

} // namespace platform::app
