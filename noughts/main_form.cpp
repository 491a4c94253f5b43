#include "noughts/main_form.h"

#include "noughts/boxes.h"
#include "noughts/program.h"
#include "noughts/sound.h"
#include "platform/app/qtstring.h"
#include "platform/app/screen.h"

#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace noughts {

using platform::toQString;
using platform::vbforms::addControl;
using platform::vbforms::growToText;
using platform::vbforms::Font;
using platform::vbforms::place;
using platform::vbforms::toQFont;

namespace {

const Font sansSerif{"MS Sans Serif", 8.25};

QPushButton* commandButton(QWidget* parent, const char* caption, int left, int top, int width,
                           int height) {
    return addControl<QPushButton>(parent, caption, sansSerif, left, top, width, height);
}

QLabel* label(QWidget* parent, const char* caption, int left, int top, int width, int height,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* widget = addControl<QLabel>(parent, caption, sansSerif, left, top, width, height);
    widget->setAlignment(alignment);
    return widget;
}

QGroupBox* frame(QWidget* parent, const char* caption, int left, int top, int width, int height) {
    return addControl<QGroupBox>(parent, caption, sansSerif, left, top, width, height);
}

} // namespace

void CellButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QString mark = text();
    if (mark.isEmpty())
        return;
    const qreal side = std::min(width(), height()) * 0.56;
    const QRectF box(QPointF((width() - side) / 2, (height() - side) / 2), QSizeF(side, side));
    const bool cross = mark == "X";
    QColor colour = cross ? QColor(28, 64, 168) : QColor(190, 36, 36);
    if (!isEnabled())
        colour = palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, side * 0.14, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    if (cross) {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    } else if (mark == "O") {
        const qreal inset = side * 0.07; // keeps the ring's outer edge inside the box
        painter.drawEllipse(box.adjusted(inset, inset, -inset, -inset));
    } else {
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignCenter, mark);
    }
}

MainForm::MainForm(Program& program) : program_(program) {
    setWindowTitle(toQString(appTitle));
    auto* menus = new QMenuBar(this);
    auto* client = new QWidget(this);
    client->setFont(toQFont({"Times New Roman", 8.25}));

    QMenu* gameMenu = menus->addMenu("&Game");
    menu_startnewgame = gameMenu->addAction("&Start a new game");
    menu_resetgrid = gameMenu->addAction("Reset &grid");
    menu_resettable = gameMenu->addAction("Reset &table");
    menu_pausegame = gameMenu->addAction("&Pause the game");
    gameMenu->addSeparator();
    menu_Exit_game = gameMenu->addAction("&Exit");
    QMenu* helpMenu = menus->addMenu("&Help");
    menu_rulesmenu = helpMenu->addAction("&Rules");
    menu_About_game = helpMenu->addAction("&About");
    menu_resetgrid->setEnabled(false);
    menu_resettable->setEnabled(false);
    menu_pausegame->setCheckable(true);

    const int lefts[] = {120, 1560, 3000};
    const int tops[] = {120, 1440, 2760};
    for (int i = 0; i < cellCount; ++i) {
        auto* cell = new CellButton(client);
        place(cell, lefts[i % 3], tops[i / 3], 1455, 1335);
        cell->setFont(toQFont({"Arial", 48}));
        cell->setText(i % 2 == 0 ? "X" : "O");
        cell->setEnabled(false);
        connect(cell, &QPushButton::clicked, this, [this, i] { grid_Click(i); });
        grid[static_cast<std::size_t>(i)] = cell;
    }

    // The frame only marks the area of the game buttons; they stand in front of it.
    frame(client, "Game controls", 4560, 120, 3015, 2415);
    startnewgame = commandButton(client, "Start a new game", 4680, 360, 2700, 375);
    resetgrid = commandButton(client, "Reset grid", 4680, 840, 2700, 375);
    resettable = commandButton(client, "Reset table", 4680, 1200, 2700, 375);
    pausegame = commandButton(client, "Pause the game", 4680, 1680, 2700, 375);
    exit = commandButton(client, "Exit", 4680, 2040, 2700, 330);
    resetgrid->setEnabled(false);
    resettable->setEnabled(false);
    pausegame->setEnabled(false);

    p1status = frame(client, "Player 1 Status", 4560, 2640, 1455, 1095);
    p2status = frame(client, "Player 2 Status", 6120, 2640, 1455, 1095);
    for (QGroupBox* player : {p1status, p2status}) {
        label(player, "Wins:", 120, 360, 615, 255);
        label(player, "Losses:", 120, 720, 615, 255);
    }
    onewins = label(p1status, "1wins", 720, 360, 615, 255);
    onelosses = label(p1status, "1losses", 720, 720, 615, 255);
    twowins = label(p2status, "2wins", 720, 360, 615, 255);
    twolosses = label(p2status, "2losses", 720, 720, 615, 255);
    QGroupBox* gamestatius = frame(client, "Game status", 4560, 3840, 3015, 1095);
    label(gamestatius, "Games drawn:", 120, 360, 2055, 255);
    draws = label(gamestatius, "draws", 2280, 360, 615, 255);
    label(gamestatius, "Total Games Played:", 120, 720, 2055, 255);
    total = label(gamestatius, "total", 2280, 720, 615, 255);

    QLabel* title = label(client, "Noughts and Crosses.", 120, 4200, 4215, 255, Qt::AlignCenter);
    title->setFont(toQFont({"Montreal SF", 11.25}));
    growToText(*title); // the copyright line starts 360 twips lower
    label(client, "Made for the desktop, for two players or one", 120, 4560, 4335, 255,
          Qt::AlignCenter);
    progress = label(client, "", 120, 4800, 4215, 255);
    pgbarView_ = new platform::vbforms::ProgressBarView(pgbar_, client);
    place(pgbarView_, 120, 5160, 7455, 135);
    playername = label(client, "", 0, 5400, 7575, 375, Qt::AlignCenter);

    connect(startnewgame, &QPushButton::clicked, this, [this] { startnewgame_Click(); });
    connect(resetgrid, &QPushButton::clicked, this, [this] { resetgrid_Click(); });
    connect(resettable, &QPushButton::clicked, this, [this] { resettable_Click(); });
    connect(pausegame, &QPushButton::clicked, this, [this] { pausegame_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { exit_Click(); });
    connect(menu_startnewgame, &QAction::triggered, this, [this] { menu_startnewgame_Click(); });
    // Once a pause has enabled them, the two reset items do what the buttons do.
    connect(menu_resetgrid, &QAction::triggered, this, [this] { resetgrid_Click(); });
    connect(menu_resettable, &QAction::triggered, this, [this] { resettable_Click(); });
    connect(menu_pausegame, &QAction::triggered, this, [this] { menu_pausegame_Click(); });
    connect(menu_Exit_game, &QAction::triggered, this, [this] { menu_Exit_game_Click(); });
    connect(menu_rulesmenu, &QAction::triggered, this, [this] { menu_rulesmenu_Click(); });
    connect(menu_About_game, &QAction::triggered, this, [this] { menu_About_game_Click(); });

    const int menuHeight = menus->sizeHint().height();
    const int width = platform::vbforms::twipsToPixels(7650);
    const int height = platform::vbforms::twipsToPixels(5850);
    menus->setGeometry(0, 0, width, menuHeight);
    client->setGeometry(0, menuHeight, width, height);
    setFixedSize(width, menuHeight + height);
    // First shown in the middle of the screen, all of it on the screen.
    move(std::max(0, (platform::app::screenWidth() - this->width()) / 2),
         std::max(0, (platform::app::screenHeight() - this->height()) / 2));
}

// The bar's view must go before the bar it watches.
MainForm::~MainForm() {
    delete pgbarView_;
}

Game& MainForm::game() {
    return program_.game();
}

void MainForm::Form_Load() {
    // The window's own sound is closed as soon as it is started.
    openandplay(mmcontrol1_, sounds::main);
    mmcontrol1_.put(platform::vbforms::MMControl::command, std::string("close"));
    progress->setText("Ready");
    for (QLabel* score : {onewins, onelosses, twowins, twolosses, draws, total})
        score->clear();
}

void MainForm::Form_Unload() {
    mmcontrol1_.put(platform::vbforms::MMControl::command, std::string("Close"));
    // A new-game box left open would start a game on a window that is gone.
    program_.gametype.unload();
}

void MainForm::grid_Click(int index) {
    playbuttonsound(mmcontrol1_);
    if (game().isOver()) {
        platform::vbforms::MsgBox("One of the players has already won! Click 'Restart with same "
                                  "names' to start again with the same player names",
                                  platform::vbforms::Buttons::Ok, appTitle);
    } else {
        progresssweep(pgbar_);
        if (game().twoplayer || !game().computerturn) {
            if (!gridCaption(index).empty()) {
                platform::vbforms::MsgBox("That's taken!", platform::vbforms::Buttons::Ok,
                                          appTitle);
                game().computerturn = false;
            } else {
                setGridCaption(index, game().cursymbol);
                game().computerturn = true;
                game().checkbuttons();
            }
        } else {
            game().computermove(); // the click only asks the computer to move
        }
    }
    progress->setText("Ready");
}

void MainForm::startnewgame_Click() {
    playmenubuttonsound(mmcontrol1_);
    progresssweep(pgbar_);
    program_.gametype.load(program_).showModal();
}

void MainForm::menu_startnewgame_Click() {
    program_.gametype.load(program_).showModeless();
}

void MainForm::resetgrid_Click() {
    playmenubuttonsound(mmcontrol1_);
    progresssweep(pgbar_);
    game().reset();
    game().playerchoose();
}

void MainForm::resettable_Click() {
    playmenubuttonsound(mmcontrol1_);
    progresssweep(pgbar_);
    game().resettable();
}

void MainForm::pausegame_Click() {
    playsound(mmcontrol1_, sounds::menubutton);
    game().pausegame();
}

void MainForm::menu_pausegame_Click() {
    game().pausegame();
}

void MainForm::menu_rulesmenu_Click() {
    program_.rules.load(program_).showModal();
}

void MainForm::menu_About_game_Click() {
    program_.about.load(program_).showModal();
}

void MainForm::exit_Click() {
    playsound(mmcontrol1_, sounds::menubutton);
    program_.end();
}

void MainForm::menu_Exit_game_Click() {
    program_.end();
}

std::string MainForm::gridCaption(int index) const {
    return platform::fromQString(grid.at(static_cast<std::size_t>(index))->text());
}

void MainForm::setGridCaption(int index, const std::string& caption) {
    CellButton* cell = grid.at(static_cast<std::size_t>(index));
    cell->setText(toQString(caption));
    // A mark is seen at once, even while a sound that waits for its end still plays.
    if (cell->isVisible())
        cell->repaint();
}

void MainForm::setGridEnabled(int index, bool enabled) {
    grid.at(static_cast<std::size_t>(index))->setEnabled(enabled);
}

void MainForm::setProgress(const std::string& text) {
    progress->setText(toQString(text));
}

void MainForm::setPlayername(const std::string& text) {
    playername->setText(toQString(text));
}

QLabel* MainForm::scoreLabel(ScoreLabel label) const {
    switch (label) {
    case ScoreLabel::total:
        return total;
    case ScoreLabel::draws:
        return draws;
    case ScoreLabel::onewins:
        return onewins;
    case ScoreLabel::onelosses:
        return onelosses;
    case ScoreLabel::twowins:
        return twowins;
    case ScoreLabel::twolosses:
        return twolosses;
    }
    return total;
}

void MainForm::setScore(ScoreLabel label, const std::string& text) {
    scoreLabel(label)->setText(toQString(text));
}

void MainForm::setPlayerStatus(int player, const std::string& caption) {
    (player == 1 ? p1status : p2status)->setTitle(toQString(caption));
}

QPushButton* MainForm::button(Button which) const {
    switch (which) {
    case Button::resetgrid:
        return resetgrid;
    case Button::resettable:
        return resettable;
    case Button::pausegame:
        return pausegame;
    }
    return pausegame;
}

void MainForm::setButtonEnabled(Button which, bool enabled) {
    button(which)->setEnabled(enabled);
}

QAction* MainForm::menuItem(MenuItem item) const {
    switch (item) {
    case MenuItem::resetgrid:
        return menu_resetgrid;
    case MenuItem::resettable:
        return menu_resettable;
    case MenuItem::pausegame:
        return menu_pausegame;
    }
    return menu_pausegame;
}

void MainForm::setMenuEnabled(MenuItem item, bool enabled) {
    menuItem(item)->setEnabled(enabled);
}

void MainForm::setPauseChecked(bool checked) {
    menu_pausegame->setChecked(checked);
}

namespace {
constexpr ScoreLabel scoreLabels[] = {ScoreLabel::total,     ScoreLabel::draws,
                                      ScoreLabel::onewins,   ScoreLabel::onelosses,
                                      ScoreLabel::twowins,   ScoreLabel::twolosses};
constexpr Button buttons[] = {Button::resetgrid, Button::resettable, Button::pausegame};
constexpr MenuItem menuItems[] = {MenuItem::resetgrid, MenuItem::resettable, MenuItem::pausegame};
} // namespace

ControlsState MainForm::controlsState() const {
    ControlsState state;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        state.captions[i] = platform::fromQString(grid[i]->text());
        state.cellsEnabled[i] = grid[i]->isEnabled();
    }
    state.progress = platform::fromQString(progress->text());
    state.playername = platform::fromQString(playername->text());
    for (std::size_t i = 0; i < state.scores.size(); ++i)
        state.scores[i] = platform::fromQString(scoreLabel(scoreLabels[i])->text());
    state.p1status = platform::fromQString(p1status->title());
    state.p2status = platform::fromQString(p2status->title());
    for (std::size_t i = 0; i < state.buttonsEnabled.size(); ++i) {
        state.buttonsEnabled[i] = button(buttons[i])->isEnabled();
        state.menusEnabled[i] = menuItem(menuItems[i])->isEnabled();
    }
    state.pauseChecked = menu_pausegame->isChecked();
    return state;
}

void MainForm::restoreControls(const ControlsState& state) {
    for (std::size_t i = 0; i < grid.size(); ++i) {
        setGridCaption(static_cast<int>(i), state.captions[i]);
        grid[i]->setEnabled(state.cellsEnabled[i]);
    }
    progress->setText(toQString(state.progress));
    playername->setText(toQString(state.playername));
    for (std::size_t i = 0; i < state.scores.size(); ++i)
        setScore(scoreLabels[i], state.scores[i]);
    p1status->setTitle(toQString(state.p1status));
    p2status->setTitle(toQString(state.p2status));
    for (std::size_t i = 0; i < state.buttonsEnabled.size(); ++i) {
        setButtonEnabled(buttons[i], state.buttonsEnabled[i]);
        setMenuEnabled(menuItems[i], state.menusEnabled[i]);
    }
    setPauseChecked(state.pauseChecked);
}

} // namespace noughts
