#pragma once
// Millisecond tick count and the waits built on it. Every wait of the programs is a loop on
// the tick count, some letting pending window events run on each pass.

#include <cstdint>
#include <optional>

namespace platform::app {

// Milliseconds since the program started; wraps around like a 32-bit counter.
std::uint32_t tickCount();

// Runs the pending Qt events once; does nothing when no application object exists.
void processMessages();

// One pass of this thread's event dispatcher over what is waiting, without waiting for more;
// false when nothing was there to run (or no application object exists).
bool processOnePass();

// Busy-waits until the tick count has advanced by at least ms; no events run meanwhile.
void waitTicks(std::uint32_t ms);

// The same wait, running pending events on every pass of the loop. It ends at once while a
// window waits to close (see closeWhenUnwound).
void waitTicksProcessing(std::uint32_t ms);

// Blocks the thread for ms without spinning (a plain sleep; no events run).
void sleepTicks(std::uint32_t ms);

// While alive, the tick count is this object's value instead of the real clock. Each pass of
// a wait loop (and each sleepTicks) moves it on by itself, so waits end deterministically; tests
// can also set or advance it. Not nestable.
class TestClock {
public:
    explicit TestClock(std::uint32_t start = 0);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    void set(std::uint32_t ticks);
    void advance(std::uint32_t ms);
    std::uint32_t now() const;
    // Number of passes the processing waits have made (each pass ran pending events once).
    int processingPasses() const;
};

} // namespace platform::app
