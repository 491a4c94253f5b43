#include "noughts/boxes.h"

#include "noughts/main_form.h"
#include "noughts/program.h"
#include "noughts/sound.h"
#include "noughts/splash.h"

#include <QMouseEvent>
#include <QPainter>

namespace noughts {

using namespace platform::vbforms;

namespace {

const Font sansSerif{"MS Sans Serif", 8.25};

QLabel* centredLabel(QWidget* parent, const QString& caption, int top, int height,
                     const Font& font) {
    auto* label = addControl<QLabel>(parent, caption, font, 240, top, 6255, height);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// A double click on a label (other than one with a handler of its own) reaches its form too,
// as labels leave mouse events to their parent; the form's handler is for its own surface.
bool onOwnSurface(const QWidget& form, const QMouseEvent& event) {
    return form.childAt(event.position().toPoint()) == nullptr;
}

} // namespace

void DoubleClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick) {
        event->accept();
        onDoubleClick();
    } else {
        QLabel::mouseDoubleClickEvent(event);
    }
}

// ---- new-game box ----

GameType::GameType(Program& program) : program_(program) {
    setWindowTitle("Select game type. . .");
    setClientTwips(3615, 2085);
    auto* numberplayers =
        addControl<QGroupBox>(this, "Number of players", sansSerif, 120, 120, 1575, 1335);
    playerone = addControl<QRadioButton>(numberplayers, "1 Player", sansSerif, 120, 240, 1335, 495);
    playertwo =
        addControl<QRadioButton>(numberplayers, "2 Players", sansSerif, 120, 720, 1335, 495);
    auto* ailevelframe = addControl<QGroupBox>(this, "AI Level", sansSerif, 1920, 120, 1575, 1335);
    hardlevel =
        addControl<QRadioButton>(ailevelframe, "Hard level", sansSerif, 120, 240, 1335, 375);
    easylevel =
        addControl<QRadioButton>(ailevelframe, "Easy Level", sansSerif, 120, 840, 1335, 375);
    back = addControl<QPushButton>(this, "< < Back", sansSerif, 120, 1560, 1575, 495);
    finish = addControl<QPushButton>(this, "Finish > >", sansSerif, 1920, 1560, 1575, 495);
    playerone->setChecked(true);
    hardlevel->setChecked(true);
    setDefaultButton(finish);
    setCancelButton(back);

    connect(playerone, &QRadioButton::clicked, this, [this] { playerone_Click(); });
    connect(playertwo, &QRadioButton::clicked, this, [this] { playertwo_Click(); });
    connect(finish, &QPushButton::clicked, this, [this] { finish_Click(); });
    connect(back, &QPushButton::clicked, this, [this] { back_Click(); });
}

void GameType::playerone_Click() {
    hardlevel->setEnabled(true);
    easylevel->setEnabled(true);
}

void GameType::playertwo_Click() {
    hardlevel->setEnabled(false);
    easylevel->setEnabled(false);
}

void GameType::finish_Click() {
    Game& game = program_.game();
    const Game::Snapshot before = game.snapshot();
    if (playertwo->isChecked()) {
        game.twoplayer = true;
    } else {
        game.twoplayer = false;
        game.hardgame = hardlevel->isChecked();
    }
    program_.gametype.unload();
    // A cancelled name prompt abandons the new game: what was there before goes on.
    if (!game.startgame())
        game.restore(before);
}

void GameType::back_Click() {
    program_.gametype.unload();
}

// ---- rules box ----

const QString Rules::openingText =
    "Quite simple really. Click 'Start a new game' and follow the game wizard. Then, the "
    "computer will randomly pick a player to start. That player then selects a 'box' on the "
    "screen. The box then changes to a 'X' or 'O', dependant on what icon the player is. The "
    "next player has their go to pick a box and so on, and the first to get three-in-a-row wins "
    "the game!! You can then either start again, with the same names, or have another game with "
    "two different players. The players scores are shown in the table in the bottom right!";

const QString Rules::secondText =
    "Quite simple really. Click 'Start a new game' and enter the names of both of the players. "
    "Then, the computer will randomly pick a player to start. That player then selects a 'box' "
    "on the screen. The box then changes to a 'X' or 'O', dependant on what icon the player is. "
    "The next player has their go to pick a box and so on, and the first to get three-in-a-row "
    "wins the game!! You can then either start again, with the same names, or have another game "
    "with two different players. The players scores are shown in the table in the bottom left.";

const QString Rules::jokeText = "no cheating, the grid is watching you";

Rules::Rules(Program& program) : program_(program) {
    setWindowTitle("Rules of Noughts and Crosses");
    setClientTwips(6690, 5040);
    setFont(toQFont({"Arial", 8.25}));
    title = centredLabel(this, "Don't know how to play!? Well, here you go.....", 240, 1095,
                         {"Arial", 20.25});
    maintext = new DoubleClickLabel(openingText, this);
    maintext->setFont(toQFont({"Arial", 8.25}));
    maintext->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    maintext->setWordWrap(true);
    place(maintext, 240, 1560, 6255, 1455);
    maintext->onDoubleClick = [this] { maintext_DblClick(); };
    centredLabel(this, "Look for more small games on our web page", 3120, 615,
                 {"Times New Roman", 12});
    QLabel* havefun =
        centredLabel(this, "****Have fun!!!****", 3840, 495, {"Times New Roman", 20.25});
    havefun->setStyleSheet("color: black;");
    okbutton = addControl<QPushButton>(this, "O.K.", sansSerif, 2760, 4440, 1215, 495);
    setDefaultButton(okbutton);
    setCancelButton(okbutton);
    connect(okbutton, &QPushButton::clicked, this, [this] { okbutton_Click(); });
}

void Rules::Form_Load() {
    playsound(program_.main->MMControl1(), sounds::about);
}

void Rules::okbutton_Click() {
    program_.rules.unload();
}

bool Rules::toggleText() {
    const bool joke = maintext->text() != jokeText;
    maintext->setText(joke ? jokeText : secondText);
    QFont font = maintext->font();
    font.setPixelSize(pointsToPixels(joke ? 20 : 8));
    maintext->setFont(font);
    return joke;
}

void Rules::Form_DblClick() {
    toggleText();
}

void Rules::maintext_DblClick() {
    const bool joke = toggleText();
    maintext->setAlignment((joke ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void Rules::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onOwnSurface(*this, *event))
        Form_DblClick();
}

// ---- about box ----

const QString About::version = "Version 1.07";
const std::array<QString, 3> About::jokeCaptions = {"Wahey!", "Whoops!", "Stop that!"};

About::About(Program& program) : program_(program) {
    setWindowTitle("About Noughts and Crosses");
    setClientTwips(5970, 3735);
    Command1 = addControl<QPushButton>(this, "OK", sansSerif, 2400, 3120, 1215, 495);
    setDefaultButton(Command1);
    setCancelButton(Command1);
    QLabel* Label2 =
        addControl<QLabel>(this, "A small desktop game", sansSerif, 2400, 2520, 1215, 375);
    Label1 = addControl<QLabel>(this, version, sansSerif, 2400, 2880, 1215, 255);
    for (QLabel* label : {Label2, Label1}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setStyleSheet("color: white; background: transparent;");
    }
    growToText(*Label2, Qt::BottomEdge); // above the version line
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void About::Form_Load() {
    playsound(program_.main->MMControl1(), sounds::about);
}

void About::Command1_Click() {
    program_.about.unload();
    program_.main->showModeless();
}

void About::Form_DblClick() {
    const QString caption = Label1->text();
    Label1->setText(caption == jokeCaptions[0]   ? jokeCaptions[1]
                    : caption == jokeCaptions[1] ? jokeCaptions[2]
                                                 : jokeCaptions[0]);
}

void About::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onOwnSurface(*this, *event))
        Form_DblClick();
}

void About::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackdrop(painter, rect());
    painter.setPen(Qt::white);
    painter.setFont(toQFont({"Times New Roman", 20.25}));
    painter.drawText(QRect(0, 30, width(), 60), Qt::AlignCenter, "Noughts and Crosses");
}

} // namespace noughts
