#include "platform/app/messagebox.h"

#include "platform/app/application.h"

#include "platform/app/qtstring.h"
#include "platform/forms/box_placement.h"
#include "platform/forms/help_context.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <stdexcept>

namespace platform::app {
namespace {

ScriptedMessageBoxes* script = nullptr;
std::string title;

Answer defaultAnswer(Buttons buttons) {
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

Answer escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        break;
    }
    return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box's text wraps only at spaces, and the box grows no wider than part of the screen, so
// a long path would be cut. A zero-width space, which shows nothing, after each folder
// separator of a long word (and within a long stretch without one) lets its line break there.
QString wrappable(const QString& text) {
    constexpr int kLongWord = 32;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && !text[end].isSpace())
            ++end;
        if (end - start <= kLongWord) {
            out += text.mid(start, end - start);
        } else {
            int sinceBreak = 0;
            for (qsizetype i = start; i < end; ++i) {
                out += text[i];
                if (text[i] == u'/' || text[i] == u'\\' || ++sinceBreak == kLongWord) {
                    out += QChar(0x200B);
                    sinceBreak = 0;
                }
            }
        }
        for (start = end; start < text.size() && text[start].isSpace(); ++start)
            out += text[start];
    }
    return out;
}

Answer showQtBox(const std::string& text, const std::string& caption, Buttons buttons,
                 Icon icon, int helpContext) {
    hideStayOnTopWindows();
    QMessageBox box(qtIcon(icon), toQString(caption), wrappable(toQString(text)),
                    qtButtons(buttons));
    forms::fitTitle(box);
    forms::openOverActiveWindow(box);
    if (helpContext > 0)
        forms::setHelpContext(box, helpContext);
    box.setDefaultButton(buttons == Buttons::Ok || buttons == Buttons::OkCancel
                             ? QMessageBox::Ok
                             : QMessageBox::Yes);
    const int chosen = [&] {
        const NestedLoop loop;
        return box.exec();
    }();
    switch (chosen) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return escapeAnswer(buttons);
    }
}

} // namespace

void setApplicationTitle(const std::string& newTitle) { title = newTitle; }

std::string applicationTitle() { return title; }

Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon, int helpContext) {
    const std::string shownCaption = caption.empty() ? title : caption;
    if (script) {
        Answer answer = defaultAnswer(buttons);
        if (!script->answers_.empty()) {
            answer = script->answers_.front();
            script->answers_.pop_front();
        }
        script->shown_.push_back({text, shownCaption, buttons, icon, answer, helpContext});
        return answer;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No windows possible: the text must still reach someone.
        std::fprintf(stderr, "%s: %s\n", shownCaption.c_str(), text.c_str());
        return defaultAnswer(buttons);
    }
    return showQtBox(text, shownCaption, buttons, icon, helpContext);
}

void showInformation(const std::string& text, const std::string& caption) {
    messageBox(text, caption, Buttons::Ok, Icon::Information);
}

bool confirm(const std::string& text, const std::string& caption) {
    return messageBox(text, caption, Buttons::YesNo, Icon::Question) == Answer::Yes;
}

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    if (script)
        throw std::logic_error("ScriptedMessageBoxes: a script is already installed");
    script = this;
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { script = nullptr; }

} // namespace platform::app
