#pragma once
// The new-game, rules and about boxes. None keeps anything between openings.
#include "platform/vbforms/widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace noughts {

class Program;

// A label with its own double-click handler (a plain label leaves mouse events to its form).
class DoubleClickLabel : public QLabel {
public:
    DoubleClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class GameType : public platform::vbforms::Form {
public:
    explicit GameType(Program& program);

    void playerone_Click();
    void playertwo_Click();
    void finish_Click();
    void back_Click();

    QRadioButton *playerone, *playertwo, *hardlevel, *easylevel;
    QPushButton *back, *finish;

private:
    Program& program_;
};

class Rules : public platform::vbforms::Form {
public:
    explicit Rules(Program& program);

    void Form_Load() override;
    void okbutton_Click();
    void Form_DblClick();
    void maintext_DblClick();

    static const QString openingText;
    static const QString secondText;
    static const QString jokeText;

    QLabel* title;
    DoubleClickLabel* maintext;
    QPushButton* okbutton;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Joke text at size 20, or back to the second rules text at size 8; true for the joke.
    bool toggleText();

    Program& program_;
};

class About : public platform::vbforms::Form {
public:
    explicit About(Program& program);

    void Form_Load() override;
    void Command1_Click();
    void Form_DblClick();

    static const QString version;
    static const std::array<QString, 3> jokeCaptions;

    QPushButton* Command1;
    QLabel* Label1;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Program& program_;
};

} // namespace noughts
