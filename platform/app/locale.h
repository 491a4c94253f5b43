#pragma once
// What the system's regional settings say about writing times.

#include <string>

namespace platform::app {

// The character between hours, minutes and seconds in the system locale's times.
char timeSeparator();
// The same for the locale of that name (as "fi_FI"); ':' when its times show none.
char timeSeparatorOf(const std::string& localeName);

// While alive, timeSeparator() answers this character. Not nestable.
class TestTimeSeparator {
public:
    explicit TestTimeSeparator(char separator);
    ~TestTimeSeparator();
    TestTimeSeparator(const TestTimeSeparator&) = delete;
    TestTimeSeparator& operator=(const TestTimeSeparator&) = delete;
};

} // namespace platform::app
