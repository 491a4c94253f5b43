#pragma once
// The form runtime gridlet was written against, as far as its game logic uses it: layout units
// and fonts, message and input boxes, the random source, the file-existence query and the two
// controls driven by dispatch identifiers (a WAV player and a progress bar). Free of Qt.
#include "platform/app/messagebox.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace platform::vbforms {

// Layouts are designed in twips; 15 twips make one pixel at 96 dpi.
constexpr int twipsPerPixel = 15;
int twipsToPixels(int twips);

struct Font {
    std::string name;
    double points = 8.25;
};
// Fonts are sized in pixels at 96 dpi, so layouts stay the same on every screen.
int pointsToPixels(double points);

using platform::app::Answer;
using platform::app::Buttons;

// A modal message box with the given title and no icon (platform::app's box, so tests script
// it with platform::app::ScriptedMessageBoxes).
Answer MsgBox(const std::string& text, Buttons buttons, const std::string& title);

// A modal input box with OK and Cancel. nullopt when it is cancelled or closed; an empty text
// when OK is pressed on an empty field.
std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText);

// Re-seeds the program's random generator from the tick count. The clock is mixed into the
// running state rather than replacing it, so draws go on changing while the clock stands still.
void Randomize();
// A uniform value in [0, 1).
float Rnd();

// Whether a relative or absolute path names an ordinary, visible file. `\` separates folders
// and letter case does not matter, as on the system the programs were written for.
bool FileExists(const std::string& path);

using Value = std::variant<bool, float, std::string>;

// The multimedia control: a WAV player driven by property puts by dispatch identifier, playing
// on the platform's sound channel. Commands are matched without regard to case; a file that
// cannot be opened plays nothing. With the wait switch on, "Play" returns when the sound has
// ended; otherwise at once.
class MMControl {
public:
    enum DispId {
        deviceType = 21,
        fileName = 22,
        command = 23,
        notify = 24,
        wait = 25,
        shareable = 26
    };

    explicit MMControl(std::string name);
    ~MMControl();
    MMControl(const MMControl&) = delete;
    MMControl& operator=(const MMControl&) = delete;

    // Throws std::invalid_argument for an unknown identifier, a value of the wrong type or an
    // unknown command.
    void put(int dispid, const Value& value);

    const std::string& name() const { return name_; }
    bool isOpen() const;

private:
    struct Impl;
    std::string name_;
    std::unique_ptr<Impl> impl_;
};

// The progress bar: minimum, maximum and value as single-precision numbers, put and read back
// by dispatch identifier. A view (the widget that shows it) is told of every change.
class ProgressBar {
public:
    enum DispId { maximum = 1, minimum = 2, value = 5 };

    // Throws std::invalid_argument for an unknown identifier or a value that is not a number,
    // std::out_of_range for a value outside [minimum, maximum].
    void put(int dispid, const Value& value);
    float get(int dispid) const;

    void setView(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    float minimum_ = 0;
    float maximum_ = 100;
    float value_ = 0;
    std::function<void()> onChange_;
};

namespace testing {

// While alive, input boxes are not shown: each is recorded and takes the next scripted answer;
// nullopt stands for Cancel, which is also the answer when none is left.
struct ShownInput {
    std::string prompt;
    std::string title;
};
class ScriptedInputBoxes {
public:
    explicit ScriptedInputBoxes(std::deque<std::optional<std::string>> answers = {});
    ~ScriptedInputBoxes();
    std::deque<std::optional<std::string>> answers;
    std::vector<ShownInput> shown;
};

// While alive, Rnd returns these values first, in order, then goes on with the random source.
class ScriptedRnd {
public:
    explicit ScriptedRnd(std::deque<float> values);
    ~ScriptedRnd();
    std::deque<float> values;
};

// While alive, every command the multimedia controls execute is recorded, and every property
// put made on them. (What they play is
// recorded by platform::sound::Recorder, which also keeps the sound from the device.)
struct SoundCommand {
    std::string control; // the control's name
    std::string command; // as sent, e.g. "Close", "Open", "Play"
    std::string file;    // the file name set at the time
    bool open;           // whether a file was open after the command
};
// Every property put, in order, as it was made.
struct PropertyPut {
    std::string control;
    int dispid;
    Value value;
};
class RecordedCommands {
public:
    RecordedCommands();
    ~RecordedCommands();
    std::vector<SoundCommand> commands;
    std::vector<PropertyPut> puts;
};

// While set, showing a form modal returns at once instead of waiting for it to close, so
// tests can go on to press its buttons.
void setModalShowsReturnAtOnce(bool atOnce);
bool modalShowsReturnAtOnce();

} // namespace testing

} // namespace platform::vbforms
