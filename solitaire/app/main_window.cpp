#include "solitaire/app/main_window.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/background.h"
#include "solitaire/app/boxes.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/game_chooser.h"
#include "solitaire/app/links.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_window.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/pickup.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/undo.h"
#include "solitaire/engine/utils.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/app/messagebox.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"
#include "platform/files/paths.h"
#include "platform/forms/help_context.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QScopedValueRollback>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace solitaire {
namespace {

using platform::fromQString;
using platform::toQString;

enum ToolButton { kNewButton, kOpenButton, kAutoPlayButton, kRulesButton, kExitButton };

// The large buttons' glyphs leave room below them for the caption in the 42-pixel buttons.
constexpr int kLargeGlyphSize = 20;
constexpr int kLargeButtonWidth = 44, kSmallButtonWidth = 23;
constexpr int kUpdatePageHelpContext = 4021; // the web submenu and its Update item share it
const char* const kAdviceText =
    "At this time your display driver supports 256 colors or less. This program takes advantage "
    "of 65,536 colors (16 bit) or 16.8 million colors (24 bit) palettes or higher resolutions. ";
const char* const kAdviceText2 =
    "If your video driver allows High or True color mode settings (16 bit or 24 bit), modify "
    "your screen resolution using Properties for Display in Control Panel.";

// The cursors of the resource library by slot: the table cursor shows slot field 172, a drag
// slot field 172 + 10.
std::map<int, platform::app::Cursor> cursorSlots;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool fieldIs(int position, const char* value) {
    return fnReadSettingsField(position, 1) == value;
}

QAction* menuItem(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    return item;
}

QFrame* separator(QWidget* bar, const std::string& name, int left, int width, int height) {
    auto* bevel = place<QFrame>(bar, name.c_str(), left, 2, width, height);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

// The bold caption, a space, and the value right-aligned in room for the widest of
// `widestValues` at the platform's font.
QFrame* statusPanel(QWidget* parent, const char* name, const char* caption, QLabel*& captionLabel,
                    QLabel*& valueLabel, const char* captionName, const char* valueName,
                    const std::string& value, std::initializer_list<std::string> widestValues) {
    constexpr int kMargin = 4, kLabelHeight = 16;
    auto* panel = place<QFrame>(parent, name, 0, 0, 0, 24);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    captionLabel = place<QLabel>(panel, captionName, kMargin, kMargin, 0, kLabelHeight);
    captionLabel->setText(caption);
    QFont bold = captionLabel->font();
    bold.setBold(true);
    captionLabel->setFont(bold);
    captionLabel->resize(captionLabel->sizeHint().width(), kLabelHeight);
    valueLabel = place<QLabel>(panel, valueName, 0, kMargin, 0, kLabelHeight);
    valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    int valueWidth = 0;
    for (const std::string& widest : widestValues) {
        valueLabel->setText(toQString(widest));
        valueWidth = std::max(valueWidth, valueLabel->sizeHint().width());
    }
    valueLabel->setText(toQString(value));
    valueLabel->setGeometry(captionLabel->geometry().right() + 1 +
                                valueLabel->fontMetrics().horizontalAdvance(' '),
                            kMargin, valueWidth, kLabelHeight);
    panel->resize(valueLabel->geometry().right() + 1 + kMargin, panel->height());
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    return panel;
}

// The buttons of a group sit side by side; the 2-pixel separator after a group lies 3 pixels
// on, and the next group begins 3 pixels after it. The third group (undo and redo, which this
// program does not offer) has no buttons: its separator lies on the one before.
void layOutToolBar(const std::array<QToolButton*, 5>& buttons,
                   const std::array<QFrame*, 4>& separators) {
    const std::vector<std::vector<ToolButton>> groups = {
        {kNewButton, kOpenButton}, {kAutoPlayButton}, {}, {kRulesButton}, {kExitButton}};
    constexpr int kGap = 3, kSeparatorWidth = 2;
    int left = 5, separatorLeft = 0;
    for (std::size_t group = 0; group < groups.size(); ++group) {
        for (const ToolButton index : groups[group]) {
            QToolButton* button = buttons[static_cast<std::size_t>(index)];
            button->move(left, button->y());
            left += button->width();
        }
        if (group + 1 == groups.size())
            break;
        if (!groups[group].empty()) {
            separatorLeft = left + kGap;
            left = separatorLeft + kSeparatorWidth + kGap;
        }
        separators[group]->move(separatorLeft, separators[group]->y());
    }
}

// The table answers the left and the right button only; the middle one does nothing there.
std::optional<MouseButton> tableButton(platform::forms::MouseButton button) {
    switch (button) {
    case platform::forms::MouseButton::Left:
        return MouseButton::Left;
    case platform::forms::MouseButton::Right:
        return MouseButton::Right;
    default:
        return std::nullopt;
    }
}

} // namespace

int tableCursorIndex() {
    return fnTryStrToInt(fnReadSettingsField(kTableCursorPosition, kTableCursorWidth)).value_or(11);
}

platform::app::Cursor CursorSlot(int slot) {
    const auto found = cursorSlots.find(slot);
    return found == cursorSlots.end() ? platform::app::Cursor() : found->second;
}

TfrmMain::TfrmMain() {
    setObjectName("frmMain");
    resize(669, 415);
    buildMenu();
    buildToolBars();
    buildPanels();
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    QObject::connect(Timer1, &QTimer::timeout, this,
                     [this] { platform::app::runGuarded([this] { Timer1Timer(); }); });
    Timer1->start();
    for (QWidget* hintArea : {static_cast<QWidget*>(pnlPilesSize), pnlTB1}) {
        hintArea->setMouseTracking(true);
        hintArea->installEventFilter(this);
    }
    tableWindow.canvas = &frontBuffer();
    tableWindow.show = [this](const platform::gdi::Rect& area) { present(area); };
    tableWindow.takeFocus = [this] {
        activateWindow();
        setFocus();
    };
    setPresentation(this);
}

TfrmMain::~TfrmMain() {
    platform::app::setActivationHandler(nullptr);
    setPresentation(nullptr);
    tableWindow = TableWindow{};
}

void TfrmMain::buildMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    QMenu* file = mnuFile = MainMenu1->addMenu("&File");
    mnuNew = menuItem(file, "mnuNew", "&New game", Qt::Key_F2);
    mnuOpen = menuItem(file, "mnuOpen", "&Open a game", QKeySequence(Qt::CTRL | Qt::Key_F12));
    file->addSeparator();
    mnuExit = menuItem(file, "mnuExit", "E&xit");
    QMenu* game = MainMenu1->addMenu("&Game");
    mnuAutoPlay = menuItem(game, "mnuAutoPlay", "Au&toplay", Qt::Key_F7);
    mnuAutoPlay->setCheckable(true);
    QMenu* tools = MainMenu1->addMenu("&Tools");
    mnuCustomize = menuItem(tools, "mnuCustomize", "C&ustomize...", QKeySequence(Qt::CTRL | Qt::Key_U));
    QMenu* help = MainMenu1->addMenu("&?");
    mnuRules = menuItem(help, "mnuRules", "&Rules", Qt::Key_F1);
    mnuContents = menuItem(help, "mnuContents", "&Contents");
    help->addSeparator();
    mnuPellmoorontheWeb = help->addMenu("[Program] on the &Web...");
    mnuPellmoorontheWeb->setObjectName("mnuPellmoorontheWeb");
    mnuWeb = menuItem(mnuPellmoorontheWeb, "mnuWeb", "[Program] &Update...");
    mnuPellmoorontheWeb->addSeparator();
    mnuNewsletter = menuItem(mnuPellmoorontheWeb, "mnuNewsletter", "&Newsletter...");
    help->addSeparator();
    mnuAbout = menuItem(help, "mnuAbout", "A&bout...");
    // F1 on a highlighted item opens its help topic.
    const std::pair<QAction*, int> helpContexts[] = {
        {mnuNew, 4014},     {mnuOpen, 4015},     {mnuExit, 4004},
        {mnuAutoPlay, 4007}, {mnuCustomize, 1019}, {mnuRules, 4013},
        {mnuContents, 4012}, {mnuPellmoorontheWeb->menuAction(), kUpdatePageHelpContext},
        {mnuWeb, kUpdatePageHelpContext}, {mnuNewsletter, 4017}, {mnuAbout, 4011}};
    for (const auto& [item, context] : helpContexts)
        item->setData(context);
    for (QMenu* menu : {file, game, tools, help, mnuPellmoorontheWeb})
        menu->installEventFilter(this);
    // Menu shortcuts must work while the menu bar is a child widget.
    for (QAction* item : {mnuNew, mnuOpen, mnuAutoPlay, mnuCustomize, mnuRules})
        addAction(item);

    const std::pair<QAction*, void (TfrmMain::*)()> commands[] = {
        {mnuNew, &TfrmMain::NewGame},         {mnuOpen, &TfrmMain::OpenGame},
        {mnuExit, &TfrmMain::ExitProgram},    {mnuAutoPlay, &TfrmMain::AutoPlay},
        {mnuCustomize, &TfrmMain::Customize}, {mnuRules, &TfrmMain::Rules},
        {mnuContents, &TfrmMain::HelpContents}, {mnuWeb, &TfrmMain::UpdatePage},
        {mnuNewsletter, &TfrmMain::Newsletter}, {mnuAbout, &TfrmMain::About}};
    // command = command: clang 14 (the fuzz build) cannot capture a structured binding.
    for (const auto& [item, command] : commands)
        QObject::connect(item, &QAction::triggered, this, [this, command = command] {
            platform::app::runGuarded([this, command] { (this->*command)(); });
        });
}

QToolButton* TfrmMain::toolButton(QWidget* bar, const char* name, const char* hint,
                                  const char* glyph, bool large, QAction* command) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setProperty("hint", QString(hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const std::string glyphName = std::string("TB_") + glyph + (large ? "_LARGE" : "");
    button->setIconSize(large ? QSize(kLargeGlyphSize, kLargeGlyphSize) : QSize(16, 16));
    button->setProperty("glyph", toQString(glyphName));
    if (large) {
        button->setText(hint);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        // As wide as its caption needs at the platform's font, at least the form's width.
        button->resize(std::max(kLargeButtonWidth, button->sizeHint().width()), 42);
    } else {
        button->resize(kSmallButtonWidth, 22);
    }
    QObject::connect(button, &QToolButton::clicked, this, [this, command] {
        repaint(); // the table is whole before the command runs
        command->trigger();
    });
    return button;
}

void TfrmMain::buildToolBars() {
    pnlTB = place<QWidget>(this, "pnlTB", 0, 0, width(), 46);
    pnlTB1 = place<QWidget>(this, "pnlTB1", 0, 0, width(), 24);
    for (QWidget* bar : {pnlTB, pnlTB1}) {
        bar->setAutoFillBackground(true);
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    pnlTB1->hide();
    struct Button {
        const char* name;
        const char* hint;
        const char* glyph;
        QAction* command;
    };
    const Button buttons[] = {{"tbNew", "New", "NEW", mnuNew},
                              {"tbOpen", "Open", "OPEN", mnuOpen},
                              {"tbAutoPlay", "Autoplay", "AUTOPLAY", mnuAutoPlay},
                              {"tbRules", "Rules", "RULES", mnuRules},
                              {"tbExit", "Exit", "EXIT", mnuExit}};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const Button& b = buttons[i];
        largeButtons[i] = toolButton(pnlTB, b.name, b.hint, b.glyph, true, b.command);
        smallButtons[i] =
            toolButton(pnlTB1, (std::string(b.name) + "1").c_str(), b.hint, b.glyph, false, b.command);
        for (QToolButton* button : {largeButtons[i], smallButtons[i]})
            button->move(0, 2);
    }
    for (QToolButton* autoplay : {largeButtons[kAutoPlayButton], smallButtons[kAutoPlayButton]})
        autoplay->setCheckable(true);
    for (int i = 0; i < 4; ++i) {
        const int separatorWidth = i == 1 ? 0 : 2; // the second group has no buttons left
        largeSeparators[static_cast<std::size_t>(i)] =
            separator(pnlTB, "sep_tb_large_" + std::to_string(i + 1), 0, separatorWidth, 42);
        smallSeparators[static_cast<std::size_t>(i)] =
            separator(pnlTB1, "sep_tb_small_" + std::to_string(i + 1), 0, separatorWidth, 20);
    }
    layOutToolBar(largeButtons, largeSeparators);
    layOutToolBar(smallButtons, smallSeparators);

    popTB = new QMenu(this);
    popTB->setObjectName("popTB");
    popLargeIcons = menuItem(popTB, "popLargeIcons", "Large icons");
    popSmallIcons = menuItem(popTB, "popSmallIcons", "Small icons");
    popTB->addSeparator();
    popFlatButton = menuItem(popTB, "popFlatButton", "Flat button");
    popNoFlatButton = menuItem(popTB, "popNoFlatButton", "No flat button");
    popTB->addSeparator();
    popShowTime = menuItem(popTB, "popShowTime", "Show time");
    popShowScore = menuItem(popTB, "popShowScore", "Show score");
    for (QAction* check : {popLargeIcons, popSmallIcons, popFlatButton, popNoFlatButton})
        check->setCheckable(true);
    popLargeIcons->setChecked(true);
    popFlatButton->setChecked(true);
    popShowTime->setEnabled(false);
    popShowScore->setEnabled(false);
    const std::pair<QAction*, std::function<void()>> popCommands[] = {
        {popLargeIcons, [this] { SetToolbarLarge(true, true); }},
        {popSmallIcons, [this] { SetToolbarLarge(false, true); }},
        {popFlatButton, [this] { SetToolbarFlat(true, true); }},
        {popNoFlatButton, [this] { SetToolbarFlat(false, true); }},
        {popShowTime, [this] { SetShowTime(true, true); }},
        {popShowScore, [this] { SetShowScore(true, true); }}};
    for (const auto& [item, command] : popCommands)
        QObject::connect(item, &QAction::triggered, this,
                         [command = command] { platform::app::runGuarded(command); });
    for (QWidget* bar : {pnlTB, pnlTB1})
        QObject::connect(bar, &QWidget::customContextMenuRequested, this,
                         [this, bar](const QPoint& at) { popTB->popup(bar->mapToGlobal(at)); });
}

void TfrmMain::buildPanels() {
    // The clock runs on past nine hours; the score is kept in six characters.
    pnlTempo = statusPanel(this, "pnlTempo", "Time:", lblTempo2, lblTempo, "lblTempo2", "lblTempo",
                           fnClockText(0), {fnClockText(99 * 3600 + 59 * 60 + 59)});
    pnlScore = statusPanel(this, "pnlScore", "Score:", lblScore2, lblScore, "lblScore2", "lblScore",
                           "0", {"-99999", "999999"});
    popTime = new QMenu(this);
    popTime->setObjectName("popTime");
    QObject::connect(menuItem(popTime, "popTimeHide", "&Hide"), &QAction::triggered, this,
                     [this] { platform::app::runGuarded([this] { SetShowTime(false, true); }); });
    popScore = new QMenu(this);
    popScore->setObjectName("popScore");
    QObject::connect(menuItem(popScore, "popScoreHide", "Hide"), &QAction::triggered, this,
                     [this] { platform::app::runGuarded([this] { SetShowScore(false, true); }); });
    QObject::connect(pnlTempo, &QWidget::customContextMenuRequested, this,
                     [this](const QPoint& at) { popTime->popup(pnlTempo->mapToGlobal(at)); });
    QObject::connect(pnlScore, &QWidget::customContextMenuRequested, this,
                     [this](const QPoint& at) { popScore->popup(pnlScore->mapToGlobal(at)); });

    pnlLineaGrigia = place<QWidget>(this, "pnlLineaGrigia", 0, 0, width(), 1);
    pnlLineaNera = place<QWidget>(this, "pnlLineaNera", 0, 1, width(), 1);
    pnlLineaGrigia->setStyleSheet("background: gray;");
    pnlLineaNera->setStyleSheet("background: black;");
    pnlStatusBar = place<QWidget>(this, "pnlStatusBar", 0, height() - 20, width(), 20);
    pnlStatusBar->setAutoFillBackground(true);
    place<QLabel>(pnlStatusBar, "pnl_sb_giocatori", 2, 2, 200, 16);
    place<QLabel>(pnlStatusBar, "pnl_sb_livello", 206, 2, 200, 16);
    lblNoGameHint = place<QLabel>(pnlStatusBar, "lblNoGameHint", 2, 2, width() - 4, 16);
    pnlPilesSize = place<QLabel>(this, "pnlPilesSize", 0, 0, 110, 20);
    pnlPilesSize->setText("Pile cards: 104");
    pnlPilesSize->setStyleSheet("background: #ffffe1; border: 1px solid black;");
    pnlPilesSize->hide();
    scrBarMain = place<QScrollBar>(this, "scrBarMain", width() - 16, 0, 16, height());
    scrBarMain->setPageStep(50);
    scrBarMain->setSingleStep(2);
    scrBarMain->hide();
}

void TfrmMain::FormCreate() {
    const std::string programDirectory =
        fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth);
    const std::string libraryPath = programDirectory + "ZUV.RGF";
    ResourceLibraryHandle = platform::resources::loadLibrary(libraryPath);
    if (ResourceLibraryHandle < 32) {
        platform::app::messageBox("Can't find/load " + lowerCase(libraryPath), "",
                                  platform::app::Buttons::Ok);
        std::exit(0);
    }
    DecksFolder = programDirectory + "Images";
    BackgroundsFolder = programDirectory + "Images";
    lblTempo->setText(toQString(fnClockText(0)));
    InitFromPreferences();
}

void TfrmMain::InstallCursors() {
    const char* const names[] = {"CUR_ARROW1",  "CUR_ARROW2",     "CUR_RIGHT_HAND1",
                                 "CUR_RIGHT_HAND2", "CUR_CROSS1", "CUR_LEFT_HAND1",
                                 "CUR_LEFT_HAND2"};
    for (int i = 0; i < 7; ++i) {
        cursorSlots[10 + i] =
            platform::resources::loadCursor(ResourceLibraryHandle, std::string(names[i]) + "A");
        cursorSlots[20 + i] =
            platform::resources::loadCursor(ResourceLibraryHandle, std::string(names[i]) + "B");
    }
}

void TfrmMain::LoadToolbarGlyphs() {
    for (auto* buttons : {&largeButtons, &smallButtons})
        for (QToolButton* button : *buttons)
            button->setIcon(glyphIcon(fromQString(button->property("glyph").toString())));
    shownAutoPlayGlyph_ = fromQString(smallButtons[kAutoPlayButton]->property("glyph").toString());
    // The menu's pictures by their place in the image list, and the place each item shows.
    const std::map<int, const char*> imgListMenu = {
        {0, "TB_OPEN"}, {1, "TB_AUTOPLAY"}, {2, "TB_EXIT"}, {3, "TB_NEW"}, {6, "TB_RULES"}};
    const std::pair<QAction*, int> imageIndexes[] = {
        {mnuNew, 3}, {mnuOpen, 0}, {mnuExit, 2}, {mnuAutoPlay, 1}, {mnuRules, 6}};
    for (const auto& [item, index] : imageIndexes)
        item->setIcon(glyphIcon(imgListMenu.at(index)));
}

QIcon TfrmMain::glyphIcon(const std::string& name) {
    platform::gdi::Bitmap glyph;
    fnLoadResourceBitmap(glyph, name);
    return QIcon(toPixmap(glyph));
}

void TfrmMain::InitFromPreferences() {
    mnuWeb->setText(toQString(fnExpandProgramTokens(fromQString(mnuWeb->text()))));
    mnuPellmoorontheWeb->setTitle(
        toQString(fnExpandProgramTokens(fromQString(mnuPellmoorontheWeb->title()))));
    platform::app::setApplicationTitle(kProgramTitle);
    InstallCursors();
    LoadToolbarGlyphs();
    SaveOnMessage();
    mainWindow = MainWindowState{};
    engineScalars.DraggedCard = 0;
    engineScalars.DraggedGroupTop = 0;
    FirstActivation = true;
    LastMouseMoveTick = -1;
    HelpFile = fnProgramFilePath("pellmoor.hlp>proc");
    platform::forms::setHelpHandler([](int context) { ShowHelpTopic(context); });
    if (!platform::files::dirExists(fnProgramFilePath("DATA")))
        platform::files::createDir(fnProgramFilePath("DATA"));

    platform::files::IniFile ini = PreferencesFile();
    fnWriteSettingsField(kShowToolTipsPosition, 1, ini.readString(kPreferenceSection, "Show_ToolTips", "Y"));
    SetToolbarLarge(ini.readString(kPreferenceSection, "ToolBar_Large", "N") == "Y", false);
    SetToolbarFlat(ini.readString(kPreferenceSection, "ToolBar_Flat", "Y") == "Y", false);
    if (fnColorCount() <= 256)
        ShowAdvice(this, std::string(kAdviceText) + "\r" + kAdviceText2, "Screen_Under_256_Colors", 0);
    LoadPreferenceFields(ini);

    const int cursor = ini.readInteger(kPreferenceSection, "Cursor", 11);
    setWindowCursor(CursorSlot(cursor));
    fnWriteSettingsField(kTableCursorPosition, kTableCursorWidth, std::to_string(cursor));
    fnWriteSettingsField(120, 2, "01"); // scoring on
    RepairPreferenceFields();
    SetShowTime(fieldIs(kShowTimePosition, "Y"), false);
    SetShowScore(fieldIs(kShowScorePosition, "Y"), false);
    EnsureDefaultPlayers(ini);
    CountRun(ini);
    engineScalars.CardSetFallback = 2;
    if (ini.readString(kPreferenceSection, "AutoPlay", "Y") == "Y")
        AutoPlay();
    fnResetNumberFields();
    statusBarOn_ = !fieldIs(kStatusBarPosition, "N");
    if (!statusBarOn_)
        pnlStatusBar->hide();
    mainWindow.ShadowOffset = fieldIs(kCardsShadowedPosition, "N") ? 0 : 9;
    fnFillCardTableAndPiles();
    fnLoadGameList();
    if (const auto game = fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth));
        game && *game >= 0) {
        std::string name;
        fnGameNameById(*game, name);
        if (name.empty()) { // not in the list: the chooser asks
            fnWriteSettingsField(kSelectedGamePosition, kSelectedGameWidth, fnIntZeroPad(-1, 4));
            fnWriteSettingsField(kGameNamePosition, kGameNameWidth, "");
        }
    }
    fnApplyCardSize();
    platform::app::setActivationHandler([this] { m_AppActivate(); });
    platform::app::randomize();
    KeepRegistryKey();
    WriteVersionMarker();
    DeleteObsoleteFiles();
    engineScalars.LowResolutionShown = 0;
    engineScalars.PileSizeHintRaised = 0;
}

void TfrmMain::RestoreWindowState() {
    const WindowPlacement placement = ReadWindowPlacement(PreferencesFile());
    setFrameGeometry(placement.left, placement.top, placement.width, placement.height);
    setWindowState(placement.maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TfrmMain::CreateGameChooser() {
    frmOpenGame_ = std::make_unique<TfrmOpenGame>(this);
}

void TfrmMain::showEvent(QShowEvent* event) {
    Window::showEvent(event);
    if (FirstActivation) {
        RedrawWholeTable();
        repaint();
    }
}

void TfrmMain::StartupFinished() {
    answersActivations_ = true;
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        QTimer::singleShot(0, this, [this] { platform::app::runGuarded([this] { m_AppActivate(); }); });
}

void TfrmMain::m_AppActivate() {
    if (!answersActivations_)
        return;
    if (FirstActivation) {
        fnUpdateCaption();
        repaint();
        FirstActivationSequence();
    }
    if (fnColorCount() <= 256 && fieldIs(135, "Y") &&
        (fieldIs(27, "Y") || fnReadSettingsField(43, 4) == "0"))
        MainFormResized();
}

void TfrmMain::FirstActivationSequence() {
    FirstActivation = false;
    fnUpgradeStatisticsFile();
    platform::files::IniFile ini = PreferencesFile();
    if (fnReadRunCount() >= 5 && ini.readString(kPreferenceSection, "News_Question", "Y") != "N") {
        TfrmNews news(this);
        if (ini.readString(kPreferenceSection, "News_First_Display", "Y") == "Y")
            news.chkNotDisplay->hide(); // the first invitation cannot be switched off
        news.showModal();
        if (news.chkNotDisplay->isChecked())
            ini.writeString(kPreferenceSection, "News_Question", "N");
        ini.writeString(kPreferenceSection, "News_First_Display", "N");
        repaint();
    }
    // A tip of the day at start-up (Tips_StartUp) is not offered by this program.
    if (!platform::app::closePending()) // closed from the newsletter boxes
        OpenGame();
}

bool TfrmMain::onCloseQuery() {
    platform::files::IniFile ini = PreferencesFile();
    const bool confirmQuit = ini.readString(kPreferenceSection, "ConfirmQuit", "N") != "N";
    WindowPlacement placement;
    placement.maximized = isMaximized();
    placement.left = frameLeft();
    placement.top = frameTop();
    placement.width = frameWidth();
    placement.height = frameHeight();
    SaveWindowPlacement(ini, placement);
    if (mainWindow.WinAnimationRunning) {
        LeaveTheCloseToTheEndOfTheGame();
        return false;
    }
    bool canClose = true;
    if (confirmQuit)
        canClose = platform::app::messageBox("Exit Brindlewood?", "", platform::app::Buttons::OkCancel,
                                             platform::app::Icon::Question) ==
                   platform::app::Answer::Ok;
    if (!canClose)
        engineScalars.ClosePending = 0;
    return canClose;
}

void TfrmMain::onCloseDeferred() {
    LeaveTheCloseToTheEndOfTheGame();
}

// A game ending now closes the window instead of celebrating or opening the chooser.
void TfrmMain::LeaveTheCloseToTheEndOfTheGame() {
    if (StopAnimation())
        RestoreSavedOnMessage();
    engineScalars.ClosePending = 1;
}

void TfrmMain::onClose() {
    fnEndGame();
    hide();
    repaint();
    PreferencesFile().writeString(kPreferenceSection, "AutoPlay",
                                  mnuAutoPlay->isChecked() ? "Y" : "N");
    fnFreeSharedObjects();
    platform::resources::freeLibrary(ResourceLibraryHandle);
    ResourceLibraryHandle = 0;
    resizeHandlerAttached_ = false;
    answersActivations_ = false; // what the first activation would use is gone
}

void TfrmMain::onPaint() {
    solitaire::fnFlipBackBuffer(frontBuffer());
}

void TfrmMain::onMouseDown(platform::forms::MouseButton button, platform::forms::ShiftState shift,
                           int x, int y) {
    if (const auto pressed = tableButton(button))
        fnTableMouseDown(*pressed, shift.has(platform::forms::Shift), x, y);
}

void TfrmMain::onMouseMove(platform::forms::ShiftState, int x, int y) {
    LastMouseMoveTick = -1;
    if (engineScalars.DraggedCard != 0) {
        engineScalars.MovedWhileDragging = 1;
        platform::app::setScreenCursor(CursorSlot(tableCursorIndex() + 10));
        fnMoveDragImage(x - mainWindow.GrabX, y - mainWindow.GrabY, false, false);
        MouseX = x;
        MouseY = y;
        return;
    }
    if (engineScalars.StockHintShown != 0) {
        const int place = gameWord(kStockDisplayWord) == 1 ? 0 : 1; // the stock, else the waste
        const int left = fnStockPileX(place), top = fnStockPileY(place);
        if (x < left || x > left + mainWindow.CardWidth || y < top ||
            y > top + mainWindow.CardHeight) {
            fnHideStockHint();
            engineScalars.StockHintShown = 0;
        }
        return;
    }
    if (mainWindow.GameRunning) {
        LastMouseMoveTick = platform::app::tickCount();
        if (x != engineScalars.LastMouseX || y != engineScalars.LastMouseY)
            HidePileSizeHint();
        engineScalars.LastMouseX = static_cast<std::int16_t>(x);
        engineScalars.LastMouseY = static_cast<std::int16_t>(y);
    }
}

void TfrmMain::onMouseUp(platform::forms::MouseButton button, platform::forms::ShiftState, int,
                         int) {
    if (!tableButton(button))
        return; // its press did nothing either
    platform::app::setScreenCursor(CursorSlot(tableCursorIndex()));
    fnTableMouseUp();
}

void TfrmMain::onDoubleClick() {
    fnDoubleClickMove(true, true);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && menu->activeAction()) {
            if (const int context = menu->activeAction()->data().toInt(); context > 0) {
                platform::app::runGuarded([context] { ShowHelpTopic(context); });
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseMove) {
        if (watched == pnlPilesSize) {
            pnlPilesSize->hide();
            pnlPilesSize->repaint();
        } else if (watched == pnlTB1) {
            platform::app::setScreenCursor(platform::app::CursorShape::Default);
        }
    }
    return Window::eventFilter(watched, event);
}

void TfrmMain::onResize() {
    if (resizeHandlerAttached_)
        MainFormResized();
}

void TfrmMain::onKeyPress(char) {
    if (pnlPilesSize->isVisible())
        pnlPilesSize->hide();
}

void TfrmMain::RedrawWholeTable() {
    RedrawTable();
}

void TfrmMain::MainFormResized() {
    LayoutStatusPanels();
    if (!scrBarMain->isVisible()) {
        const int w = platform::app::screenWidth() + 30, h = platform::app::screenHeight() + 30;
        sharedObjects.BackBuffer.resize(w, h);
        sharedObjects.BackgroundCopy.resize(w, h);
    }
    if (pnlStatusBar->isVisible())
        LayoutStatusBar();
    mainWindow.Width = frameWidth();
    mainWindow.Height = frameHeight();
    mainWindow.ClientWidth = clientWidth();
    mainWindow.ClientHeight = clientHeight();
    if (!FirstActivation)
        RedrawWholeTable();
}

void TfrmMain::LayoutStatusBar() {
    pnlStatusBar->setGeometry(0, height() - pnlStatusBar->height(), width(),
                              pnlStatusBar->height());
    lblNoGameHint->resize(pnlStatusBar->width() - 2 * lblNoGameHint->x(), lblNoGameHint->height());
    pnlStatusBar->raise();
}

// With no game running the table is empty (the chooser was cancelled, or a won game ended
// and no other was chosen): the status bar says how to start one, and shows for the purpose
// when the preferences hide it.
void TfrmMain::UpdateNoGameHint() {
    if (mainWindow.GameRunning) {
        lblNoGameHint->clear();
        pnlStatusBar->setVisible(statusBarOn_);
        return;
    }
    // The commands as their menu shows them, "File > Open a game".
    auto command = [this](const QAction* item) {
        return QString(mnuFile->title() + " > " + item->text()).remove('&');
    };
    const bool gameChosen =
        fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth))
            .value_or(-1) >= 0;
    lblNoGameHint->setText(
        gameChosen
            ? QString("No game is being played: choose %1 to deal %2, or %3 to pick "
                      "another game.")
                  .arg(command(mnuNew),
                       toQString(fnReadSettingsField(kGameNamePosition, kGameNameWidth)),
                       command(mnuOpen))
            : QString("No game is being played: choose %1 to pick one.").arg(command(mnuOpen)));
    pnlStatusBar->show();
    LayoutStatusBar();
}

void TfrmMain::SetToolbarLarge(bool large, bool save) {
    pnlTB->setVisible(large);
    pnlTB1->setVisible(!large);
    popLargeIcons->setChecked(large);
    popSmallIcons->setChecked(!large);
    const int panelHeight = large ? 24 : 20, labelTop = large ? 4 : 3;
    for (QFrame* panel : {pnlTempo, pnlScore})
        panel->resize(panel->width(), panelHeight);
    for (QLabel* label : {lblTempo, lblTempo2, lblScore, lblScore2})
        label->move(label->x(), labelTop);
    LayoutToolbarButtons();
    LayoutStatusPanels();
    repaint();
    MainFormResized();
    if (save)
        PreferencesFile().writeString(kPreferenceSection, "ToolBar_Large", large ? "Y" : "N");
}

void TfrmMain::SetToolbarFlat(bool flat, bool save) {
    for (auto* buttons : {&largeButtons, &smallButtons})
        for (QToolButton* button : *buttons)
            button->setAutoRaise(flat);
    popNoFlatButton->setChecked(!flat);
    popFlatButton->setChecked(flat);
    LayoutToolbarButtons();
    const bool hints = fieldIs(kShowToolTipsPosition, "Y");
    for (auto* buttons : {&largeButtons, &smallButtons})
        for (QToolButton* button : *buttons)
            button->setToolTip(hints ? button->property("hint").toString() : QString());
    LayoutStatusPanels();
    if (save)
        PreferencesFile().writeString(kPreferenceSection, "ToolBar_Flat", flat ? "Y" : "N");
}

void TfrmMain::LayoutToolbarButtons() {
    const bool flat = popFlatButton->isChecked();
    const int smallButtonHeight = flat ? 22 : 23;
    pnlTB1->resize(pnlTB1->width(), flat ? 24 : 25);
    pnlTB->resize(pnlTB->width(), flat ? 46 : 45);
    for (auto* separators : {&largeSeparators, &smallSeparators})
        for (QFrame* bevel : *separators)
            bevel->setVisible(flat);
    const int top = !pnlTB1->isHidden() && pnlTB->isHidden() ? 1 : 2;
    for (QToolButton* button : largeButtons)
        button->move(button->x(), top);
    for (QToolButton* button : smallButtons)
        button->setGeometry(button->x(), top, button->width(), smallButtonHeight);
}

void TfrmMain::LayoutStatusPanels() {
    const int barTop = MainMenu1->sizeHint().height();
    for (QWidget* bar : {pnlTB, pnlTB1}) {
        bar->move(0, barTop);
        bar->resize(width(), bar->height());
    }
    MainMenu1->setGeometry(0, 0, width(), barTop);
    pnlTempo->hide();
    pnlScore->hide();
    const int clockLeft = width() - pnlTempo->width() - 15;
    const int scoreLeft = !fieldIs(kShowTimePosition, "Y") ? width() - pnlScore->width() - 15
                                                           : clockLeft - pnlScore->width() - 5;
    QWidget* bar = !pnlTB->isHidden() ? pnlTB : pnlTB1;
    const std::array<QToolButton*, 5>& buttons = bar == pnlTB ? largeButtons : smallButtons;
    const int panelTop = bar->y() + (bar->height() - pnlTempo->height()) / 2 + 2;
    pnlTempo->move(clockLeft, panelTop);
    pnlScore->move(scoreLeft, panelTop);
    const int exitRight = buttons[kExitButton]->x() + buttons[kExitButton]->width();
    pnlLineaGrigia->setGeometry(0, bar->y() + bar->height(), bar->width(), 1);
    pnlLineaNera->setGeometry(0, bar->y() + bar->height() + 1, bar->width(), 1);
    mainWindow.TableAreaTop = bar->y() + bar->height() + 2;
    pnlScore->setVisible(scoreLeft > exitRight + 3 && fieldIs(kShowScorePosition, "Y"));
    pnlTempo->setVisible(clockLeft > exitRight + 3 && fieldIs(kShowTimePosition, "Y"));
    for (QWidget* panel : {pnlTempo, pnlScore})
        panel->raise();
}

void TfrmMain::SetShowTime(bool show, bool persist) {
    popShowTime->setEnabled(!show);
    if (persist) {
        fnWriteSettingsField(kShowTimePosition, 1, show ? "Y" : "N");
        PreferencesFile().writeString(kPreferenceSection, "Show_Time", show ? "Y" : "N");
    }
    LayoutStatusPanels();
}

void TfrmMain::SetShowScore(bool show, bool persist) {
    popShowScore->setEnabled(!show);
    if (persist) {
        fnWriteSettingsField(kShowScorePosition, 1, show ? "Y" : "N");
        PreferencesFile().writeString(kPreferenceSection, "Show_Score", show ? "Y" : "N");
    }
    LayoutStatusPanels();
}

void TfrmMain::EnableGameCommands(bool enabled) {
    for (QAction* item : {mnuNew, mnuRules})
        item->setEnabled(enabled);
    for (ToolButton button : {kNewButton, kRulesButton}) {
        largeButtons[button]->setEnabled(enabled);
        smallButtons[button]->setEnabled(enabled);
    }
    fnEnableAutoPlay(enabled);
    fnEnableUndoRedo(enabled);
    ShowWindowState();
}

void TfrmMain::fnUpdateCaption() {
    const QString caption = toQString(CaptionText());
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void TfrmMain::Timer1Timer() {
    if (!mainWindow.ClockRunning)
        return;
    mainWindow.ClockLabel = fnClockText((platform::app::tickCount() - gameClock.StartTicks) / 1000);
    lblTempo->setText(toQString(mainWindow.ClockLabel));
}

void TfrmMain::ShowWindowState() {
    lblScore->setText(toQString(mainWindow.ScoreLabel.empty() ? "0" : mainWindow.ScoreLabel));
    if (!mainWindow.ClockLabel.empty())
        lblTempo->setText(toQString(mainWindow.ClockLabel));
    mnuAutoPlay->setChecked(mainWindow.AutoPlayChecked);
    mnuAutoPlay->setEnabled(mainWindow.AutoPlayEnabled);
    for (QToolButton* autoplay : {largeButtons[kAutoPlayButton], smallButtons[kAutoPlayButton]}) {
        autoplay->setChecked(mainWindow.AutoPlayChecked);
        autoplay->setEnabled(mainWindow.AutoPlayEnabled);
    }
    // The small bar's autoplay button shows the glyph its enabling chose.
    if (!mainWindow.AutoPlayGlyph.empty() && mainWindow.AutoPlayGlyph != shownAutoPlayGlyph_) {
        shownAutoPlayGlyph_ = mainWindow.AutoPlayGlyph;
        smallButtons[kAutoPlayButton]->setIcon(glyphIcon(shownAutoPlayGlyph_));
    }
    mnuCustomize->setEnabled(mainWindow.CustomizeEnabled);
}

void TfrmMain::UpdateMainWindow() {
    ShowWindowState();
    repaint();
}

void TfrmMain::RepaintWindowRect(const platform::gdi::Rect& rect) {
    repaint(rect.left, rect.top, rect.width(), rect.height());
}

void TfrmMain::CloseMainWindow() {
    platform::app::closeWhenUnwound(*this); // the engine's code goes on after this call
}

void TfrmMain::ShowGameChooser() {
    OpenGame();
}

void TfrmMain::HidePileSizeHint() {
    pnlPilesSize->hide();
}

void TfrmMain::ApplyCardSize() {
    fnApplyCardSize();
}

bool TfrmMain::SelectGame(int gameId, const std::string& gameName, const std::string& userName,
                          bool save) {
    const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    const bool gameChanged =
        fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth)) != gameId;
    const bool userChanged =
        userName != fnReadSettingsField(kUserDefaultPosition, kUserDefaultWidth);
    if ((!gameChanged && !userChanged && mainWindow.GameRunning) || !fnConfirmQuitGame())
        return false;
    fnEndGame();
    if (gameChanged || userChanged)
        fnResetNumberFields();
    if (userChanged) {
        fnWriteSettingsField(kUserDefaultPosition, kUserDefaultWidth, userName);
        PreferencesFile().writeString(kPreferenceSection, "UserDefault", userName);
        fnUpdateCaption();
    }
    if (gameChanged || engineScalars.CardSetFallback == 2)
        engineScalars.CardSetFallback = 0;
    fnWriteSettingsField(kSelectedGamePosition, kSelectedGameWidth, std::to_string(gameId));
    fnWriteSettingsField(kGameNamePosition, kGameNameWidth, gameName);
    if (!largeButtons[kNewButton]->isEnabled())
        EnableGameCommands(true);
    if (gameChanged)
        fnSetUpGame();
    fnStartNewGame(true, true, 2, false);
    if (save) {
        platform::files::IniFile ini = PreferencesFile();
        WriteGameSelection(ini, gameId, gameName, kAllGamesNode);
    }
    return true;
}

void TfrmMain::NewGame() {
    if (!fnConfirmQuitGame())
        return;
    fnEndGame();
    fnPlaySoundSync("New", fieldIs(kSoundsNewGamePosition, "Y"));
    fnStartNewGame(true, true, 2, false);
    UpdateNoGameHint();
}

void TfrmMain::OpenGame() {
    // One chooser at a time: asked again while it is open (by a key that came while the game
    // it chose was being set up, say), it is there already or just closing.
    if (choosingGame_)
        return;
    const QScopedValueRollback choosing(choosingGame_, true);
    frmOpenGame_->showModal();
    UpdateNoGameHint();
}

void TfrmMain::ExitProgram() {
    close();
}

void TfrmMain::AutoPlay() {
    const bool on = !mainWindow.AutoPlayChecked;
    mainWindow.AutoPlayChecked = on;
    ShowWindowState();
    if (on)
        fnAutoPlayFillingTableaus();
}

void TfrmMain::Customize() {
    ShowOptionsDialog(this, *this);
}

void TfrmMain::Rules() {
    ShowRulesHelp(-1);
}

void TfrmMain::HelpContents() {
    ShowHelpContents();
}

void TfrmMain::UpdatePage() {
    if (platform::app::messageBox(
            std::string(kProgramTitle) + " will now open the download page from our Web site.\r" +
                "Click OK to continue.",
            "", platform::app::Buttons::OkCancel, platform::app::Icon::Information,
            kUpdatePageHelpContext) ==
        platform::app::Answer::Ok)
        OpenLink("HTTP", kDownloadPageAddress);
}

void TfrmMain::Newsletter() {
    std::unique_ptr<TfrmNews> news;
    {
        const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
        news = std::make_unique<TfrmNews>(this);
        news->chkNotDisplay->hide();
    }
    news->showModal();
}

void TfrmMain::About() {
    std::unique_ptr<TfrmAbout> about;
    {
        const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
        about = std::make_unique<TfrmAbout>(this);
    }
    about->showModal();
}

} // namespace solitaire
