#include "platform/app/program_style.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

namespace platform::app {
namespace {

constexpr int kTitleIndent = 6; // from the frame's left edge to the title's
constexpr int kTitleGap = 2;    // the frame's line stops this far either side of the title

bool titled(const QStyleOptionComplex* option) {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    return box && (!box->text.isEmpty() || box->subControls & QStyle::SC_GroupBoxCheckBox);
}

class ProgramStyle : public QProxyStyle {
public:
    explicit ProgramStyle(const char* baseStyleKey)
        : QProxyStyle(QString::fromLatin1(baseStyleKey)) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control != CC_GroupBox || !titled(option))
            return rect;
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        switch (part) {
        case SC_GroupBoxFrame: {
            const QRect title = titleArea(box, widget);
            rect.setTop(title.top() + title.height() / 2);
            break;
        }
        case SC_GroupBoxLabel:
        case SC_GroupBoxCheckBox:
            if ((box->textAlignment & Qt::AlignHorizontal_Mask) != Qt::AlignHCenter &&
                (box->textAlignment & Qt::AlignHorizontal_Mask) != Qt::AlignRight)
                rect.translate(box->direction == Qt::RightToLeft ? -kTitleIndent : kTitleIndent, 0);
            break;
        default:
            break;
        }
        return rect;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control != CC_GroupBox || !titled(option) ||
            !(option->subControls & SC_GroupBoxFrame)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const QRect frame = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
        const QRect title = titleArea(box, widget).adjusted(-kTitleGap, 0, kTitleGap, 0);
        painter->save();
        painter->setClipRegion(QRegion(box->rect) - title);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(box->palette.color(QPalette::Window).darker(125));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter->restore();
        QStyleOptionGroupBox titleOnly = *box;
        titleOnly.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(CC_GroupBox, &titleOnly, painter, widget);
    }

private:
    // The title and its check box, as the group box shows them.
    QRect titleArea(const QStyleOptionGroupBox* box, const QWidget* widget) const {
        QRect area;
        if (!box->text.isEmpty())
            area = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
        if (box->subControls & SC_GroupBoxCheckBox)
            area |= subControlRect(CC_GroupBox, box, SC_GroupBoxCheckBox, widget);
        return area;
    }
};

} // namespace

QStyle* newProgramStyle(const char* baseStyleKey) {
    return new ProgramStyle(baseStyleKey);
}

} // namespace platform::app
