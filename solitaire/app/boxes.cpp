#include "solitaire/app/boxes.h"

#include "solitaire/app/card_pictures.h"
#include "solitaire/app/links.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include "platform/app/cursor.h"
#include "platform/forms/help_context.h"

#include <QPlainTextEdit>
#include <QStackedWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace solitaire {
namespace {

using platform::forms::ModalResult;
using platform::fromQString;
using platform::toQString;

void setupBox(platform::forms::Dialog& box, const char* name, const std::string& caption,
              int width, int height) {
    box.setObjectName(name);
    box.setWindowTitle(toQString(fnExpandProgramTokens(caption)));
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    box.setFixedSize(width, height);
}

QLabel* label(QWidget* parent, const std::string& text, int left, int top, int width, int height) {
    auto* control = place<QLabel>(parent, "", left, top, width, height);
    control->setText(toQString(text));
    control->setWordWrap(true);
    return control;
}

LinkLabel* link(QWidget* parent, const char* name, const std::string& caption, int left, int top,
                int width) {
    auto* control = new LinkLabel(parent, caption);
    control->setObjectName(name);
    control->setGeometry(left, top, width, 16);
    return control;
}

QPushButton* button(platform::forms::Dialog* box, const char* name, const char* caption, int left,
                    int top) {
    auto* control = place<QPushButton>(box, name, left, top, 75, 25);
    control->setText(caption);
    return control;
}

// Shows the main window whole again before the caller goes on: the first owner of the box's
// chain of owners (the sign-up box is owned by the invitation, which the main window owns).
void repaintMainWindow(platform::forms::Dialog& box) {
    QWidget* owner = box.parentWidget();
    while (owner && owner->parentWidget())
        owner = owner->parentWidget();
    if (owner)
        owner->repaint();
}

void hideAndRepaintMainWindow(platform::forms::Dialog& box) {
    box.hide();
    repaintMainWindow(box);
}

// The box's controls as laid out, ordered by where they begin along one axis.
std::vector<QWidget*> controlsBy(platform::forms::Dialog& box, int (QWidget::*begin)() const) {
    std::vector<QWidget*> controls;
    for (QWidget* control : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls.push_back(control);
    std::ranges::stable_sort(controls, {}, [begin](QWidget* c) { return (c->*begin)(); });
    return controls;
}

int farthest(const std::vector<QWidget*>& controls, int (QRect::*edge)() const) {
    int end = 0;
    for (const QWidget* control : controls)
        end = std::max(end, (control->geometry().*edge)());
    return end;
}

// Lays the box out again for the platform's font where the form's sizes are too small for
// a text: a check box or single-line label widens to its text, and what lies to its right on
// its row moves along; a word-wrapped label grows to the height of its lines, and what lies
// below it moves down. The box grows by what its contents grew, keeping its margins; where
// every text fits nothing moves.
void fitToTexts(platform::forms::Dialog& box) {
    std::vector<QWidget*> controls = controlsBy(box, &QWidget::x);
    const int right = farthest(controls, &QRect::right);
    for (QWidget* control : controls) {
        const auto* label = qobject_cast<QLabel*>(control);
        const bool widens = qobject_cast<QCheckBox*>(control) ||
                            (label && !label->wordWrap() && !label->text().isEmpty());
        const int growth = control->sizeHint().width() - control->width();
        if (!widens || growth <= 0)
            continue;
        const QRect was = control->geometry();
        for (QWidget* other : controls)
            if (other != control && other->x() > was.right() && other->y() <= was.bottom() &&
                other->geometry().bottom() >= was.top())
                other->move(other->x() + growth, other->y());
        control->resize(was.width() + growth, was.height());
    }
    controls = controlsBy(box, &QWidget::y);
    const int bottom = farthest(controls, &QRect::bottom);
    for (QWidget* control : controls) {
        const auto* label = qobject_cast<QLabel*>(control);
        if (!label || !label->wordWrap())
            continue;
        const int growth = label->heightForWidth(label->width()) - label->height();
        if (growth <= 0)
            continue;
        const QRect was = control->geometry();
        for (QWidget* other : controls)
            if (other != control && other->y() > was.bottom())
                other->move(other->x(), other->y() + growth);
        control->resize(was.width(), was.height() + growth);
    }
    box.setFixedSize(box.width() + std::max(0, farthest(controls, &QRect::right) - right),
                     box.height() + std::max(0, farthest(controls, &QRect::bottom) - bottom));
}

} // namespace

void RedrawTableSelection() {
    if (!mainWindow.TableReady)
        return;
    DrawSelection(Surface::BackBuffer, false);
    DrawSelection(Surface::Window, true);
}

TfrmMsgAdvice::TfrmMsgAdvice(QWidget* owner, const std::string& text, int page)
    : Dialog(owner), page_(page) {
    setupBox(*this, "frmMsgAdvice", "Information", 418, 161);
    setCentredOnScreen(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* notebook = place<QStackedWidget>(this, "Notebook1", 8, 8, 64, 64);
    for (const auto& [pageName, pictureName] :
         {std::pair{"Color", "IMG_ADVICE_COLOR"}, std::pair{"640x480", "IMG_ADVICE_640X480"}}) {
        auto* picture = new QLabel;
        picture->setObjectName(pageName);
        picture->setPixmap(maskedResourcePixmap(pictureName));
        notebook->addWidget(picture);
    }
    notebook->setCurrentIndex(page);
    lblMessage = label(this, text, 82, 8, 326, 77);
    lblMessage->setObjectName("lblMessage");
    chkNotDisplay = place<QCheckBox>(this, "chkNotDisplay", 82, 100, 326, 20);
    chkNotDisplay->setText("&Don't show this message box again");
    btnOK = button(this, "btnOK", "OK", 172, 128);
    btnOK->setDefault(true);
    setCancelButton(btnOK); // the box has no close box: Esc is its one button too
    QObject::connect(btnOK, &QPushButton::clicked, this, [this] {
        closeWith(ModalResult::Ok);
        fnWaitProcessing(0);
    });
    fitToTexts(*this);
}

void TfrmMsgAdvice::hideEvent(QHideEvent* event) {
    Dialog::hideEvent(event);
    repaintMainWindow(*this);
}

void ShowAdvice(QWidget* owner, const std::string& text, const std::string& key, int page) {
    platform::files::IniFile ini = PreferencesFile();
    if (ini.readString("Show_Messages", key, "Y") == "N")
        return;
    TfrmMsgAdvice box(owner, text, page);
    box.showModal();
    if (box.chkNotDisplay->isChecked())
        ini.writeString("Show_Messages", key, "N");
}

TfrmAbout::TfrmAbout(QWidget* owner) : Dialog(owner) {
    setupBox(*this, "frmAbout", "About [Program]", 417, 279);
    setCentredOnScreen(true);
    platform::forms::setHelpContext(*this, kAboutHelpContext);
    // Two columns right of the picture: captions, then the addresses at the widest caption.
    constexpr int kText = 112, kAddress = 270;
    place<QLabel>(this, "imgAbout", 8, 8, 96, 96)->setPixmap(resourcePixmap("IMG_ABOUT"));
    lblVersion = label(this, std::string(kProgramTitle) + " version 3.70", kText, 8, 297, 16);
    lblVersion->setObjectName("lblVersion");
    label(this, "Web site:", kText, 32, 64, 16);
    lblWeb = link(this, "lblWeb", kWebSiteAddress, kText + 64, 32, 409 - kText - 64);
    label(this, "E-Mail", kText, 56, 156, 16);
    label(this, "For general information:", kText, 74, 156, 16);
    lblMail = link(this, "lblMail", kInfoMailAddress, kAddress, 74, 409 - kAddress);
    label(this, "For sales/marketing:", kText, 92, 156, 16);
    lblMailMark = link(this, "lblMailMark", kSalesMailAddress, kAddress, 92, 409 - kAddress);
    label(this, "For technical information:", kText, 110, 156, 16);
    lblMailSupport =
        link(this, "lblMailSupport", kSupportMailAddress, kAddress, 110, 409 - kAddress);
    label(this, "This product is licensed to:", kText, 132, 297, 16);
    lblRegistr = label(this, "Freeware", kText, 148, 297, 16);
    lblRegistr->setObjectName("lblRegistr");
    auto* memLic = place<QPlainTextEdit>(this, "memLic", 8, 168, 401, 70);
    memLic->setReadOnly(true);
    memLic->setPlainText(toQString(std::string(kProgramTitle) +
                                   " is freeware: you may use and pass on copies of it free of "
                                   "charge, unchanged and complete. It comes without warranty."));
    for (LinkLabel* web : {lblWeb})
        web->onClick = [web] { OpenLink("HTTP", fromQString(web->text())); };
    for (LinkLabel* mail : {lblMail, lblMailMark, lblMailSupport})
        mail->onClick = [mail] { OpenLink("EMAIL", fromQString(mail->text())); };
    btnOK = button(this, "btnOK", "OK", 171, 246);
    btnOK->setDefault(true);
    setCancelButton(btnOK);
    QObject::connect(btnOK, &QPushButton::clicked, this, [this] { closeWith(ModalResult::Ok); });
    fitToTexts(*this);
}

void TfrmAbout::changeEvent(QEvent* event) {
    Dialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    repaint();
    fnPlaySound("About.wav", fnReadSettingsField(kSoundsAboutPosition, 1) == "Y");
}

void TfrmAbout::hideEvent(QHideEvent* event) {
    Dialog::hideEvent(event);
    repaintMainWindow(*this);
    RedrawTableSelection();
}

TfrmNews::TfrmNews(QWidget* owner) : Dialog(owner) {
    setupBox(*this, "frmNews", "Newsletter", 403, 111);
    place<QLabel>(this, "imgNewsletter", 8, 8, 48, 48)
        ->setPixmap(maskedResourcePixmap("IMG_NEWSLETTER"));
    lblDesc1 = label(this,
                     fnExpandProgramTokens("If you'd like to be informed of [Program] updates and "
                                           "new releases via E-Mail, please sign up for the "
                                           "Pellmoor NewsLetter. "),
                     64, 8, 330, 44);
    lblDesc1->setObjectName("lblDesc1");
    label(this, "Simply click the OK button.", 64, 52, 330, 16)->setObjectName("Label4");
    chkNotDisplay = place<QCheckBox>(this, "chkNotDisplay", 8, 80, 220, 20);
    chkNotDisplay->setText("Don't show this message box again");
    btnSend = button(this, "btnSend", "OK", 236, 78);
    btnCancel = button(this, "btnCancel", "Cancel", 318, 78);
    btnSend->setDefault(true);
    setCancelButton(btnCancel);
    QObject::connect(btnSend, &QPushButton::clicked, this, [this] { sendClicked(); });
    QObject::connect(btnCancel, &QPushButton::clicked, this,
                     [this] { closeWith(ModalResult::Cancel); });
    fitToTexts(*this);
}

void TfrmNews::sendClicked() {
    hideAndRepaintMainWindow(*this);
    {
        TfrmNews2 signUp(this);
        signUp.showModal();
    }
    closeWith(ModalResult::Ok);
}

TfrmNews2::TfrmNews2(QWidget* owner) : Dialog(owner) {
    setupBox(*this, "frmNews2", "Newsletter", 424, 158);
    place<QLabel>(this, "imgNewsletter", 8, 8, 48, 48)
        ->setPixmap(maskedResourcePixmap("IMG_NEWSLETTER"));
    label(this, "Please send an E-Mail containing your E-Mail address at", 64, 8, 352, 16);
    lblEmail = link(this, "lblEmail", kNewsletterMailAddress, 64, 26, 200);
    label(this, "and make sure the word \"News\" shows up in \"Subject\". Thank you.", 64, 44, 352,
          16);
    QLabel* lblWhere = label(this, "Downloaded from:", 64, 66, 100, 16);
    lblWhere->setObjectName("lblWhere");
    lblWhere->setWordWrap(false); // the caption of the field beside it
    edtWhere = place<QLineEdit>(this, "edtWhere", 168, 64, 248, 20);
    label(this, "You can also sign up for Pellmoor NewsLetter linking at this Web page: ", 64, 90,
          352, 16);
    lblWWW = link(this, "lblWWW", kNewsletterPageAddress, 64, 106, 352);
    lblWWW->onClick = [this] { OpenLink("HTTP", fromQString(lblWWW->text())); };
    btnOK = place<QPushButton>(this, "btnOK", 240, 128, 90, 25);
    btnOK->setText("Send E-Mail");
    btnCancel = button(this, "btnCancel", "Cancel", 340, 128);
    btnOK->setDefault(true);
    setCancelButton(btnCancel);
    QObject::connect(btnOK, &QPushButton::clicked, this, [this] {
        platform::app::runGuarded([this] { sendClicked(); });
    });
    QObject::connect(btnCancel, &QPushButton::clicked, this,
                     [this] { closeWith(ModalResult::Cancel); });
    fitToTexts(*this);
}

std::string TfrmNews2::subjectSuffix() const {
    return "?subject=News (" + fnTrimRight(fromQString(edtWhere->text())) + ")";
}

void TfrmNews2::sendClicked() {
    if (edtWhere->text().size() <= 2) {
        fnInfoMessage("Please enter at least 3 characters.");
        edtWhere->setFocus();
        return;
    }
    hideAndRepaintMainWindow(*this);
    OpenLink("EMAIL", fromQString(lblEmail->text()) + subjectSuffix());
    {
        const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
        fnWaitProcessing(5000); // gives the mail program time to come up
    }
    closeWith(ModalResult::Ok);
}

} // namespace solitaire
