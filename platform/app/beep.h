#pragma once
// The system's warning sound, recordable by tests.

#include <vector>

namespace platform::app {

enum class BeepKind { Default, Information, Question, Warning, Error };

void beep(BeepKind kind = BeepKind::Default);

// While alive, beeps are recorded here instead of sounding. Not nestable.
class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;

    const std::vector<BeepKind>& beeps() const { return beeps_; }

private:
    friend void beep(BeepKind);
    std::vector<BeepKind> beeps_;
};

} // namespace platform::app
