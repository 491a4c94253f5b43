#pragma once
// The start-up screen: plays the start-up sound, waits for a click, checks the sound files and
// opens the game window.
#include "platform/vbforms/widgets.h"

#include <QLabel>

namespace noughts {

class Program;

class Splash : public platform::vbforms::Form {
public:
    explicit Splash(Program& program);

    void Form_Load() override;
    void Form_Click();
    void Form_Unload() override;

    QLabel* info;
    // What loading wrote on the surface: whether the start-up sound is there.
    QString startupCheck() const { return startupCheck_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Program& program_;
    platform::vbforms::MMControl mmcontrol2_{"MMControl2"};
    QString startupCheck_;
};

// The background picture of the start-up screen and the about box.
void paintBackdrop(QPainter& painter, const QRect& area);

} // namespace noughts
