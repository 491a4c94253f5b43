#include "text_fit.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

#include <optional>

namespace textfit {
namespace {

// Qt keeps the style options and a few sizes of its controls protected; a pointer to the
// member, formed through a class derived from the control, reaches them on the control itself.
template <class Control>
struct Reach : Control {
    static auto styleOption() { return &Reach::initStyleOption; }
};
struct ReachItemView : QAbstractItemView {
    static auto itemOption() { return &ReachItemView::initViewItemOption; }
};
struct ReachTabBar : QTabBar {
    static auto sizeHintOfTab() { return &ReachTabBar::tabSizeHint; }
};

template <class Option, class Control>
Option styleOptionOf(const Control& control) {
    Option option;
    (control.*Reach<Control>::styleOption())(&option);
    return option;
}

// A text as a control shows it: the place it is drawn in (and clipped to), and the rectangle
// the text itself takes there, both in the control's coordinates.
struct ShownText {
    const QWidget* control;
    QString text;
    QRect place;
    QRect drawn;
    // A row of a list or tree: only its width counts (rows scroll up and down).
    bool row = false;
};

QString describe(const QWidget& control) {
    QString path;
    for (const QWidget* w = &control; w; w = w->parentWidget()) {
        const QString name = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        path = path.isEmpty() ? name : name + "/" + path;
        if (w->isWindow())
            break;
    }
    return path;
}

QString sizeText(const QSize& size) {
    return QString("%1 x %2").arg(size.width()).arg(size.height());
}

QRect alignedIn(const QRect& place, Qt::Alignment alignment, const QSize& size) {
    return QStyle::alignedRect(Qt::LeftToRight, alignment, size, place);
}

// A label's text is laid out in its contents less the margin and, on the aligned sides, the
// indent; a framed label without an indent of its own indents by half an "x".
std::optional<ShownText> labelText(const QLabel& label) {
    if (label.text().isEmpty())
        return std::nullopt;
    QRect place = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(),
                                                -label.margin());
    const Qt::Alignment align = label.alignment();
    int indent = label.indent();
    if (indent < 0 && label.frameWidth() > 0)
        indent = label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label.margin();
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            place.setLeft(place.left() + indent);
        if (align & Qt::AlignRight)
            place.setRight(place.right() - indent);
        if (align & Qt::AlignTop)
            place.setTop(place.top() + indent);
        if (align & Qt::AlignBottom)
            place.setBottom(place.bottom() - indent);
    }
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    QRect drawn;
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label.font());
        document.setDocumentMargin(0);
        document.setHtml(label.text());
        if (label.wordWrap())
            document.setTextWidth(place.width());
        drawn = alignedIn(place, align, document.size().toSize());
    } else {
        int flags = static_cast<int>(align);
        if (label.wordWrap())
            flags |= Qt::TextWordWrap;
        if (label.buddy())
            flags |= Qt::TextShowMnemonic;
        drawn = label.fontMetrics().boundingRect(place, flags, label.text());
    }
    return ShownText{&label, label.text(), place, drawn};
}

// A label's picture, unless the label scales it to fit: drawn at its own size, aligned in the
// contents less the margin, and clipped to the label.
struct ShownPicture {
    const QLabel* label;
    QRect place;
    QRect drawn;
};

std::optional<ShownPicture> labelPicture(const QLabel& label) {
    const QPixmap picture = label.pixmap();
    if (picture.isNull() || label.hasScaledContents())
        return std::nullopt;
    const QRect place = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                      -label.margin(), -label.margin());
    return ShownPicture{&label, place,
                        alignedIn(place, label.alignment(),
                                  picture.deviceIndependentSize().toSize())};
}

QSize mnemonicTextSize(const QWidget& control, const QString& text) {
    return control.fontMetrics().size(Qt::TextShowMnemonic, text);
}

// A tool button's label lies inside its frame; below or beside an icon, the icon's place takes
// the pixmap's size and four pixels more (as the button's size hint reserves), less one pixel
// the caption shares with it.
std::optional<ShownText> toolButtonText(const QToolButton& button) {
    const auto option = styleOptionOf<QStyleOptionToolButton>(button);
    if (button.text().isEmpty() || option.toolButtonStyle == Qt::ToolButtonIconOnly)
        return std::nullopt;
    const int frame = button.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
    QRect place = button.rect().adjusted(frame, frame, -frame, -frame);
    QSize pixmap = option.iconSize;
    if (!option.icon.isNull())
        pixmap = option.icon.actualSize(place.size().boundedTo(option.iconSize));
    Qt::Alignment align = Qt::AlignCenter;
    if (option.toolButtonStyle == Qt::ToolButtonTextUnderIcon) {
        place.adjust(0, pixmap.height() + 4 - 1, 0, -1);
    } else if (option.toolButtonStyle == Qt::ToolButtonTextBesideIcon) {
        place.setLeft(place.left() + pixmap.width() + 4);
        align = Qt::AlignLeft | Qt::AlignVCenter;
    }
    return ShownText{&button, button.text(), place,
                     alignedIn(place, align, mnemonicTextSize(button, button.text()))};
}

std::optional<ShownText> buttonText(const QAbstractButton& button) {
    if (const auto* tool = qobject_cast<const QToolButton*>(&button))
        return toolButtonText(*tool);
    if (button.text().isEmpty())
        return std::nullopt;
    QRect place;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        const auto option = styleOptionOf<QStyleOptionButton>(*push);
        place = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
        if (!option.icon.isNull())
            place.setLeft(place.left() + option.iconSize.width() + 4);
        align = Qt::AlignCenter;
    } else if (const auto* check = qobject_cast<const QCheckBox*>(&button)) {
        const auto option = styleOptionOf<QStyleOptionButton>(*check);
        place = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    } else if (const auto* radio = qobject_cast<const QRadioButton*>(&button)) {
        const auto option = styleOptionOf<QStyleOptionButton>(*radio);
        place = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
    } else {
        return std::nullopt;
    }
    return ShownText{&button, button.text(), place,
                     alignedIn(place, align, mnemonicTextSize(button, button.text()))};
}

std::optional<ShownText> groupTitle(const QGroupBox& box) {
    if (box.title().isEmpty())
        return std::nullopt;
    const auto option = styleOptionOf<QStyleOptionGroupBox>(box);
    const QRect title =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return ShownText{&box, box.title(), box.rect(), title};
}

// Every entry a drop-down list can show in its field.
std::vector<ShownText> comboTexts(const QComboBox& combo) {
    std::vector<ShownText> texts;
    if (combo.isEditable())
        return texts;
    const auto option = styleOptionOf<QStyleOptionComboBox>(combo);
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    for (int i = 0; i < combo.count(); ++i) {
        const QString text = combo.itemText(i);
        texts.push_back({&combo, text, field,
                         alignedIn(field, Qt::AlignLeft | Qt::AlignVCenter,
                                   combo.fontMetrics().size(0, text)),
                         true});
    }
    return texts;
}

std::vector<ShownText> tabTexts(const QTabBar& bar) {
    std::vector<ShownText> texts;
    for (int i = 0; i < bar.count(); ++i) {
        // A tab narrower than it asks for elides its text; one beyond the bar is scrolled away.
        const QRect tab = bar.tabRect(i);
        const QSize needed = (bar.*ReachTabBar::sizeHintOfTab())(i);
        texts.push_back({&bar, bar.tabText(i), tab & bar.rect(),
                         QRect(tab.topLeft(), QSize(needed.width(), tab.height()))});
    }
    return texts;
}

// Each row a list or tree can show, where it begins (after its indentation) and as wide as
// its delegate needs for its icon and text; the viewport is its place.
void addRows(const QAbstractItemView& view, const QModelIndex& parent,
             std::vector<ShownText>& texts) {
    const QAbstractItemModel* model = view.model();
    if (!model)
        return;
    const auto* tree = qobject_cast<const QTreeView*>(&view);
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (tree && tree->isRowHidden(row, parent))
            continue;
        const QRect cell = view.visualRect(index);
        QStyleOptionViewItem option;
        (view.*ReachItemView::itemOption())(&option);
        option.rect = cell;
        const QSize needed = view.itemDelegateForIndex(index)->sizeHint(option, index);
        const QWidget* viewport = view.viewport();
        texts.push_back({viewport, index.data().toString(),
                         QRect(cell.left(), cell.top(), viewport->width() - cell.left(),
                               cell.height()),
                         QRect(cell.topLeft(), QSize(needed.width(), cell.height())), true});
        if (tree && tree->isExpanded(index))
            addRows(view, index, texts);
    }
}

std::vector<ShownText> shownTexts(const QWidget& control) {
    std::vector<ShownText> texts;
    std::optional<ShownText> one;
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        one = labelText(*label);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        one = buttonText(*button);
    else if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        one = groupTitle(*box);
    else if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        texts = comboTexts(*combo);
    else if (const auto* bar = qobject_cast<const QTabBar*>(&control))
        texts = tabTexts(*bar);
    else if (const auto* view = qobject_cast<const QAbstractItemView*>(&control))
        addRows(*view, view->rootIndex(), texts);
    if (one)
        texts.push_back(*one);
    return texts;
}

// Controls that paint over what lies below them: the ones that take input, and pictures.
std::optional<QRect> coverOf(const QWidget& control) {
    if (qobject_cast<const QAbstractButton*>(&control) || qobject_cast<const QLineEdit*>(&control) ||
        qobject_cast<const QComboBox*>(&control) || qobject_cast<const QAbstractSpinBox*>(&control) ||
        qobject_cast<const QAbstractSlider*>(&control) ||
        qobject_cast<const QAbstractScrollArea*>(&control) ||
        qobject_cast<const QProgressBar*>(&control) || qobject_cast<const QTabBar*>(&control))
        return control.rect();
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const QPixmap picture = label->pixmap();
        if (!picture.isNull())
            return alignedIn(label->contentsRect(), label->alignment(),
                             picture.deviceIndependentSize().toSize()) &
                   label->contentsRect();
    }
    return std::nullopt;
}

QRect inWindow(const QWidget& window, const QWidget& control, const QRect& rect) {
    return QRect(control.mapTo(&window, rect.topLeft()), rect.size());
}

// What of the control its containers let show, in window coordinates.
QRect visibleArea(const QWidget& window, const QWidget& control) {
    QRect area = inWindow(window, control, control.rect());
    for (const QWidget* w = control.parentWidget(); w && w != &window; w = w->parentWidget())
        area &= inWindow(window, *w, w->rect());
    return area & window.rect();
}

bool isAncestor(const QWidget& ancestor, const QWidget& control) {
    return ancestor.isAncestorOf(&control);
}

// Whether `upper` is painted after `lower`: a child after its parent, and of two branches of
// one parent the later child.
bool paintedAbove(const QWidget& upper, const QWidget& lower) {
    if (isAncestor(lower, upper))
        return true;
    if (isAncestor(upper, lower))
        return false;
    for (const QWidget* branchOfLower = &lower; branchOfLower->parentWidget();
         branchOfLower = branchOfLower->parentWidget()) {
        const QWidget* common = branchOfLower->parentWidget();
        if (!common->isAncestorOf(&upper))
            continue;
        const QWidget* branchOfUpper = &upper;
        while (branchOfUpper->parentWidget() != common)
            branchOfUpper = branchOfUpper->parentWidget();
        const QObjectList& children = common->children();
        return children.indexOf(branchOfUpper) > children.indexOf(branchOfLower);
    }
    return false;
}

QString quoted(const QString& text) {
    return "\"" + text + "\"";
}

} // namespace

std::vector<std::string> layoutFaults(const QWidget& window) {
    std::vector<const QWidget*> controls;
    for (const QWidget* control : window.findChildren<const QWidget*>())
        if (control->isVisibleTo(&window) && !control->isWindow() && control->window() == &window)
            controls.push_back(control);

    struct Placed {
        ShownText text;
        QRect drawn; // in window coordinates
    };
    std::vector<Placed> placed;
    std::vector<std::string> faults;
    auto fault = [&](const ShownText& text, const QString& what) {
        faults.push_back((describe(*text.control) + " " + quoted(text.text) + ": " + what)
                             .toStdString());
    };
    for (const QWidget* control : controls)
        for (const ShownText& text : shownTexts(*control)) {
            if (!text.place.contains(text.drawn)) {
                fault(text, "needs " + sizeText(text.drawn.size()) + ", has " +
                                sizeText(text.place.size()));
                continue;
            }
            if (text.row)
                continue;
            const QRect drawn = inWindow(window, *text.control, text.drawn);
            if (!visibleArea(window, *text.control).contains(drawn)) {
                fault(text, "cut off by the edge of its container");
                continue;
            }
            placed.push_back({text, drawn});
        }

    for (const QWidget* control : controls) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto picture = label ? labelPicture(*label) : std::nullopt;
        if (!picture)
            continue;
        const QString name = describe(*label) + " picture of " + sizeText(picture->drawn.size());
        if (!picture->place.contains(picture->drawn))
            faults.push_back((name + ": has " + sizeText(picture->place.size())).toStdString());
        else if (!visibleArea(window, *label).contains(inWindow(window, *label, picture->drawn)))
            faults.push_back((name + ": cut off by the edge of its container").toStdString());
    }

    // A group box's frame: what a control paints, and the texts of the controls that paint
    // only their text, lie inside its line or wholly outside; the box's title lies on it.
    for (const QWidget* control : controls) {
        const auto* box = qobject_cast<const QGroupBox*>(control);
        if (!box)
            continue;
        const auto option = styleOptionOf<QStyleOptionGroupBox>(*box);
        const QRect frame = inWindow(window, *box,
                                     box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                  QStyle::SC_GroupBoxFrame, box));
        const auto across = [&](const QRect& r) {
            return r.intersects(frame) && !frame.adjusted(1, 1, -1, -1).contains(r) &&
                   !r.contains(frame);
        };
        for (const QWidget* other : controls) {
            const auto cover = coverOf(*other);
            if (cover && other != box && !isAncestor(*other, *box) &&
                across(inWindow(window, *other, *cover))) {
                const QString what =
                    describe(*other) + ": lies across the frame of " + describe(*box);
                faults.push_back(what.toStdString());
            }
        }
        for (const Placed& one : placed)
            if (one.text.control != box && !coverOf(*one.text.control) && across(one.drawn))
                fault(one.text, "lies across the frame of " + describe(*box));
    }

    for (const Placed& one : placed) {
        for (const QWidget* control : controls) {
            const auto cover = coverOf(*control);
            if (!cover || control == one.text.control || !paintedAbove(*control, *one.text.control))
                continue;
            if (inWindow(window, *control, *cover).intersects(one.drawn))
                fault(one.text, "covered by " + describe(*control));
        }
    }

    // Texts side by side need at least a space between them.
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Placed& a = placed[i];
            const Placed& b = placed[j];
            if (a.text.control == b.text.control || isAncestor(*a.text.control, *b.text.control) ||
                isAncestor(*b.text.control, *a.text.control))
                continue;
            const int overlapDown = std::min(a.drawn.bottom(), b.drawn.bottom()) -
                                    std::max(a.drawn.top(), b.drawn.top()) + 1;
            if (overlapDown <= 0)
                continue;
            const int gap = std::max(a.drawn.left(), b.drawn.left()) -
                            std::min(a.drawn.right(), b.drawn.right()) - 1;
            const int space = std::min(a.text.control->fontMetrics().horizontalAdvance(' '),
                                       b.text.control->fontMetrics().horizontalAdvance(' '));
            if (gap < space)
                fault(a.text, "runs into " + describe(*b.text.control) + " " + quoted(b.text.text));
        }
    return faults;
}

} // namespace textfit
