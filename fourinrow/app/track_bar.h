#pragma once
// A horizontal track bar with ticks that also shows a selection range along its groove, as
// the options dialog uses it to show the levels already reached.

#include <QSlider>

namespace fourinrow::app {

class TrackBar : public QSlider {
public:
    explicit TrackBar(QWidget* parent = nullptr);

    void setSelection(int start, int end);
    int selectionStart() const { return selectionStart_; }
    int selectionEnd() const { return selectionEnd_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selectionStart_ = 0;
    int selectionEnd_ = 0;
};

} // namespace fourinrow::app
