#pragma once
// The program's small modal boxes: an advice that can be switched off, the about box and the
// two newsletter boxes. Each is created, shown modally and freed by its caller; `owner` is
// the main window, repainted when a box goes so the table is whole again.

#include "platform/forms/form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace solitaire {

class LinkLabel;

// A box that covered the table leaves the selection games' chosen cards highlighted again.
void RedrawTableSelection();

class TfrmMsgAdvice : public platform::forms::Dialog {
public:
    // page 0 shows the colour picture, 1 the screen-size one.
    TfrmMsgAdvice(QWidget* owner, const std::string& text, int page);
    QLabel* lblMessage;
    QCheckBox* chkNotDisplay;
    QPushButton* btnOK;
    int page() const { return page_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    int page_;
};

// Shows the advice unless [Show_Messages] key is "N"; ticking the box writes that "N".
void ShowAdvice(QWidget* owner, const std::string& text, const std::string& key, int page);

inline constexpr int kAboutHelpContext = 2005;

class TfrmAbout : public platform::forms::Dialog {
public:
    explicit TfrmAbout(QWidget* owner);
    LinkLabel* lblWeb;
    LinkLabel* lblMail;
    LinkLabel* lblMailMark;
    LinkLabel* lblMailSupport;
    QLabel* lblVersion;
    QLabel* lblRegistr;
    QPushButton* btnOK;

protected:
    void changeEvent(QEvent* event) override; // the sound of each activation
    void hideEvent(QHideEvent* event) override;
};

class TfrmNews : public platform::forms::Dialog {
public:
    explicit TfrmNews(QWidget* owner);
    QLabel* lblDesc1;
    QCheckBox* chkNotDisplay;
    QPushButton* btnSend;
    QPushButton* btnCancel;

private:
    void sendClicked();
};

class TfrmNews2 : public platform::forms::Dialog {
public:
    explicit TfrmNews2(QWidget* owner);
    LinkLabel* lblEmail;
    LinkLabel* lblWWW;
    QLineEdit* edtWhere;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    // "?subject=News (" + the place without trailing spaces + ")"
    std::string subjectSuffix() const;

private:
    void sendClicked();
};

} // namespace solitaire
