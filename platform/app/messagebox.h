#pragma once
// Modal message boxes. Tests script the answers and read back what was shown.

#include <deque>
#include <string>
#include <vector>

namespace platform::app {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

// The caption of boxes shown without one of their own (the program's title).
void setApplicationTitle(const std::string& title);
std::string applicationTitle();

// Shows a modal box and returns the button chosen. An empty caption gives the application
// title. Closing the box without a button answers Cancel (or No for Yes/No, Ok for Ok).
// With a help context (above 0), F1 in the box asks the program's help for that topic
// (platform::forms::setHelpHandler).
Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon = Icon::None, int helpContext = 0);

// An information box with one OK button.
void showInformation(const std::string& text, const std::string& caption = {});

// A question with the buttons Yes and No; true when Yes was chosen.
bool confirm(const std::string& text, const std::string& caption = {});

struct ShownMessageBox {
    std::string text;
    std::string caption; // as displayed: the application title when none was given
    Buttons buttons;
    Icon icon;
    Answer answer;
    int helpContext; // 0: none
};

// While alive, no box is displayed: each box takes the next scripted answer (the default
// button, OK or Yes, when the script has run out) and is recorded. Not nestable.
class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void answer(Answer next) { answers_.push_back(next); }
    const std::vector<ShownMessageBox>& shown() const { return shown_; }
    // Scripted answers not used yet.
    std::size_t pendingAnswers() const { return answers_.size(); }

private:
    friend Answer messageBox(const std::string&, const std::string&, Buttons, Icon, int);
    std::deque<Answer> answers_;
    std::vector<ShownMessageBox> shown_;
};

} // namespace platform::app
