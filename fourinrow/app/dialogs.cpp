#include "fourinrow/app/dialogs.h"

#include "fourinrow/app/main_window.h"
#include "fourinrow/app/track_bar.h"
#include "fourinrow/game/game.h"
#include "platform/app/qtstring.h"
#include "platform/shell/shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fourinrow::app {

namespace {

constexpr int kEditableOpponents = 5;
constexpr int kOpponentsWithRandom = 7;
constexpr int kMaxWeight = 30;
constexpr int kShowNormal = 1; // the shell's "show normally"

// Fixed-size, centred on the screen, with the title bar's close button only.
void SetUpDialog(platform::forms::Dialog& dialog, const char* caption) {
    dialog.setWindowTitle(caption);
    dialog.setCentredOnScreen(true);
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    dialog.setModal(true);
}

void FixSize(QDialog& dialog) {
    dialog.adjustSize();
    dialog.setFixedSize(dialog.size());
}

QPushButton* AddButton(QBoxLayout& row, const char* text, QDialog& dialog,
                       std::function<void()> onClick) {
    auto* button = new QPushButton(text, &dialog);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog,
                     [onClick = std::move(onClick)] { platform::app::runGuarded(onClick); });
    row.addWidget(button);
    return button;
}

QHBoxLayout* OkCancelRow(platform::forms::Dialog& dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    ok = AddButton(*row, "OK", dialog,
                   [&dialog] { dialog.closeWith(platform::forms::ModalResult::Ok); });
    ok->setDefault(true);
    cancel = AddButton(*row, "Cancel", dialog,
                       [&dialog] { dialog.closeWith(platform::forms::ModalResult::Cancel); });
    dialog.setCancelButton(cancel);
    return row;
}

// A titled group holding the two radio buttons of a two-way choice, side by side or stacked.
template <typename Layout>
QGroupBox* ChoiceGroup(QWidget& parent, const char* title, const char* hint, const char* first,
                       const char* second, QRadioButton*& firstButton, QRadioButton*& secondButton) {
    auto* group = new QGroupBox(title, &parent);
    group->setToolTip(hint);
    auto* layout = new Layout(group);
    firstButton = new QRadioButton(first, group);
    secondButton = new QRadioButton(second, group);
    layout->addWidget(firstButton);
    layout->addWidget(secondButton);
    return group;
}

} // namespace

// ---- options ----

TfOptions::TfOptions(TfKolvan32& main) : main_(main) {
    SetUpDialog(*this, "Options");
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(ChoiceGroup<QHBoxLayout>(*this, "Game Type", "Select number of players",
                                               "One Player", "Two Players", RGPlayersOne,
                                               RGPlayersTwo));

    auto* opponent = new QGroupBox("Opponent", this);
    auto* opponentLayout = new QHBoxLayout(opponent);
    opponentLayout->addWidget(new QLabel("Name", opponent));
    CBOpponents = new QComboBox(opponent);
    CBOpponents->setToolTip("Select opponent");
    opponentLayout->addWidget(CBOpponents, 1);
    layout->addWidget(opponent);
    connect(CBOpponents, &QComboBox::currentIndexChanged, this,
            [this] { platform::app::runGuarded([this] { CBOpponentsChange(); }); });

    auto* level = new QGroupBox("Level", this);
    auto* levelLayout = new QGridLayout(level);
    TBLevel = new TrackBar(level);
    TBLevel->setRange(1, kMaxLevel);
    TBLevel->setToolTip("Select level (number of moves to look ahead)");
    levelLayout->addWidget(TBLevel, 0, 0, 1, 2);
    levelLayout->addWidget(new QLabel("Beginner", level), 1, 0, Qt::AlignLeft);
    levelLayout->addWidget(new QLabel("Expert", level), 1, 1, Qt::AlignRight);
    CBRandom = new QCheckBox("Random", level);
    CBRandom->setToolTip("Select level at random before each move");
    levelLayout->addWidget(CBRandom, 2, 0);
    layout->addWidget(level);

    auto* system = new QGroupBox("System", this);
    auto* systemLayout = new QVBoxLayout(system);
    CBMinimize = new QCheckBox("Auto Minimize", system);
    CBMinimize->setToolTip("Minimize the program while thinking, preferable on higher levels");
    CBProgress = new QCheckBox("Show Progress Bar", system);
    CBProgress->setToolTip("Show progress bar while thinking");
    systemLayout->addWidget(CBMinimize);
    systemLayout->addWidget(CBProgress);
    layout->addWidget(system);

    QHBoxLayout* buttons = OkCancelRow(*this, BBOk, BBCancel);
    BnAdvanced = AddButton(*buttons, "&Advanced...", *this, [this] { BnAdvancedClick(); });
    buttons->insertWidget(0, BnAdvanced);
    layout->addLayout(buttons);
    FixSize(*this);
}

bool TfOptions::ShowOptions() {
    gameClass& game = main_.Game();
    (game.IsTwoPlayer() ? RGPlayersTwo : RGPlayersOne)->setChecked(true);
    TBLevel->setValue(game.GetLevel());
    TBLevel->setSelection(TBLevel->minimum(), game.GetBestLevel(game.GetOpponentIndex()));
    CBRandom->setChecked(game.GetRandomLevel());
    const SystemFlags flags = game.GetSystemFlags();
    CBMinimize->setChecked(flags.autoMinimize);
    CBProgress->setChecked(flags.showProgress);
    if (showModal() != platform::forms::ModalResult::Ok)
        return false;
    game.SetRandomLevel(CBRandom->isChecked());
    game.SetSystemFlags(CBMinimize->isChecked(), CBProgress->isChecked());
    game.SetGameTypeAndLevel(RGPlayersOne->isChecked() ? 1 : 0, TBLevel->value() + 3);
    game.SelectOpponent(CBOpponents->currentIndex() + 1);
    main_.FirstColour = 0;
    return true;
}

void TfOptions::showEvent(QShowEvent* event) {
    platform::forms::Dialog::showEvent(event);
    BBOk->setFocus();
    platform::app::runGuarded([this] { FillOpponentList(); });
}

void TfOptions::FillOpponentList() {
    const gameClass& game = main_.Game();
    const QSignalBlocker quiet(CBOpponents);
    CBOpponents->clear();
    for (int opponent = 1; opponent <= kOpponentsWithRandom; ++opponent)
        CBOpponents->addItem(platform::toQString(game.GetOpponentName(opponent)));
    CBOpponents->setCurrentIndex(game.GetOpponentIndex() - 1);
    CBOpponentsChange();
}

void TfOptions::CBOpponentsChange() {
    TBLevel->setSelection(TBLevel->minimum(),
                          main_.Game().GetBestLevel(CBOpponents->currentIndex() + 1));
}

void TfOptions::BnAdvancedClick() {
    if (editor_)
        editor_->showModal();
}

// ---- opponent editor ----

TFAdvanced::TFAdvanced(gameClass& game, TfOptions& options) : game_(game), options_(options) {
    SetUpDialog(*this, "Advanced");
    auto* layout = new QVBoxLayout(this);

    auto* settings = new QGroupBox("Opponent Settings", this);
    auto* settingsLayout = new QGridLayout(settings);
    CBOpponents = new QComboBox(settings);
    CBOpponents->setToolTip("Select opponent");
    settingsLayout->addWidget(CBOpponents, 0, 0, 1, 2);
    settingsLayout->addWidget(new QLabel("Name", settings), 1, 0);
    EOppName = new QLineEdit(settings);
    EOppName->setMaxLength(kMaxNameLength);
    EOppName->setToolTip("Opponent name");
    settingsLayout->addWidget(EOppName, 1, 1);
    layout->addWidget(settings);
    connect(CBOpponents, &QComboBox::currentIndexChanged, this,
            [this] { platform::app::runGuarded([this] { ShowOpponentSettings(); }); });

    auto* weights = new QGroupBox("Weights", this);
    auto* weightsLayout = new QGridLayout(weights);
    weightsLayout->addWidget(new QLabel("Connected", weights), 0, 1, 1, 3, Qt::AlignCenter);
    const char* columns[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i)
        weightsLayout->addWidget(new QLabel(columns[i], weights), 1, i + 1, Qt::AlignCenter);
    auto* offLabel = new QLabel("Off. weights", weights);
    offLabel->setToolTip("Offensive weights");
    auto* defLabel = new QLabel("Def. weights", weights);
    defLabel->setToolTip("Defensive weights");
    weightsLayout->addWidget(offLabel, 2, 0);
    weightsLayout->addWidget(defLabel, 3, 0);
    for (int i = 0; i < 3; ++i)
        for (auto [list, row] : {std::pair{&CBOff, 2}, std::pair{&CBDef, 3}}) {
            auto* box = new QComboBox(weights);
            for (int weight = 0; weight <= kMaxWeight; ++weight)
                box->addItem(QString::number(weight));
            box->setToolTip(row == 2 ? "Offensive weights" : "Defensive weights");
            weightsLayout->addWidget(box, row, i + 1);
            (*list)[i] = box;
        }
    layout->addWidget(weights);

    auto* strategy = new QGroupBox("Playing Strategy", this);
    auto* strategyLayout = new QGridLayout(strategy);
    TBPrecision = new TrackBar(strategy);
    TBPrecision->setRange(0, 5);
    TBPrecision->setToolTip("Select randomness");
    strategyLayout->addWidget(TBPrecision, 0, 0, 1, 2);
    strategyLayout->addWidget(new QLabel("Strict", strategy), 1, 0, Qt::AlignLeft);
    strategyLayout->addWidget(new QLabel("Random", strategy), 1, 1, Qt::AlignRight);
    layout->addWidget(strategy);

    auto* buttons = new QHBoxLayout;
    BnSave = AddButton(*buttons, "&Save", *this, [this] { BnSaveClick(); });
    BnSave->setToolTip("Save current settings");
    BnRestore = AddButton(*buttons, "&Restore", *this, [this] { BnRestoreClick(); });
    BnRestore->setToolTip("Restore original settings");
    buttons->addStretch();
    BBOk =
        AddButton(*buttons, "OK", *this, [this] { closeWith(platform::forms::ModalResult::Ok); });
    BBOk->setDefault(true);
    setCancelButton(BBOk); // it also answers Esc
    layout->addLayout(buttons);
    FixSize(*this);
}

void TFAdvanced::showEvent(QShowEvent* event) {
    platform::forms::Dialog::showEvent(event);
    BBOk->setFocus();
    platform::app::runGuarded([this] {
        const QSignalBlocker quiet(CBOpponents);
        CBOpponents->clear();
        for (int opponent = 1; opponent <= kEditableOpponents; ++opponent)
            CBOpponents->addItem(platform::toQString(game_.GetOpponentName(opponent)));
        const int chosen = options_.CBOpponents->currentIndex();
        CBOpponents->setCurrentIndex(chosen >= 0 && chosen < kEditableOpponents ? chosen : 0);
        ShowOpponentSettings();
    });
}

int TFAdvanced::ChosenOpponent() const {
    return CBOpponents->currentIndex() + 1;
}

void TFAdvanced::ShowSettings(const OpponentSettings& settings) {
    EOppName->setText(platform::toQString(settings.name));
    for (int i = 0; i < 3; ++i) {
        CBOff[i]->setCurrentIndex(settings.offensive[i]);
        CBDef[i]->setCurrentIndex(settings.defensive[i]);
    }
    TBPrecision->setValue(settings.strategy);
}

void TFAdvanced::ShowOpponentSettings() {
    ShowSettings(game_.GetOpponent(ChosenOpponent()));
}

void TFAdvanced::BnSaveClick() {
    const int opponent = ChosenOpponent();
    OpponentSettings settings;
    for (int i = 0; i < 3; ++i) {
        settings.offensive[i] = CBOff[i]->currentIndex();
        settings.defensive[i] = CBDef[i]->currentIndex();
    }
    settings.strategy = static_cast<std::uint8_t>(TBPrecision->value());
    settings.name = platform::fromQString(EOppName->text());
    game_.SetOpponent(opponent, settings);
    // Both lists show the new name; their selections stay.
    {
        const QSignalBlocker quiet(CBOpponents);
        CBOpponents->setItemText(opponent - 1, EOppName->text());
    }
    const QSignalBlocker quiet(options_.CBOpponents);
    options_.CBOpponents->setItemText(opponent - 1, EOppName->text());
}

void TFAdvanced::BnRestoreClick() {
    ShowSettings(gameClass::GetDefaultOpponent(ChosenOpponent()));
    BnSaveClick();
}

// ---- network dialog ----

TfNetwork::TfNetwork() {
    SetUpDialog(*this, "Network Game");
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(ChoiceGroup<QVBoxLayout>(*this, "Connection Type",
                                               "Select how to establish connection",
                                               "Wait for Connection", "Connect to Opponent",
                                               RGWait, RGConnect));

    auto* fields = new QGridLayout;
    const auto addField = [&](int row, const char* label, const char* hint) {
        fields->addWidget(new QLabel(label, this), row, 0);
        auto* edit = new QLineEdit(this);
        edit->setToolTip(hint);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    eName = addField(0, "Your Name",
                     "If you don't enter your name you will be reffered to as Anonymous");
    eName->setMaxLength(kMaxNameLength);
    eOppIP = addField(1, "Opponent's IP",
                      "If you select Connect to Opponent you must enter a valid IP-address or "
                      "hostname here");
    ePort = addField(2, "Port Number",
                     "Must be same as opponent's port number - only change if necessary");
    layout->addLayout(fields);

    auto* local = new QGroupBox("Local IP-address", this);
    auto* localLayout = new QHBoxLayout(local);
    Lip = new QLabel("Not Available", local);
    Lip->setToolTip("Your IP-address");
    localLayout->addWidget(Lip);
    layout->addWidget(local);

    layout->addLayout(OkCancelRow(*this, BBOk, BBCancel));
    FixSize(*this);
}

void TfNetwork::showEvent(QShowEvent* event) {
    platform::forms::Dialog::showEvent(event);
    BBOk->setFocus();
}

// ---- help box ----

namespace {

QWidget* TextPage(const std::vector<const char*>& paragraphs) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const char* paragraph : paragraphs) {
        auto* label = new QLabel(paragraph, page);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();
    return page;
}

// A link label: the hand-point cursor, and a click opens its link.
class LinkLabel : public QLabel {
public:
    LinkLabel(const char* text, const char* hint, std::function<void()> onClick, QWidget* parent)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setToolTip(hint);
        setCursor(Qt::PointingHandCursor);
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        QPalette blue = palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        setPalette(blue);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { platform::app::runGuarded(onClick_); }

private:
    std::function<void()> onClick_;
};

} // namespace

TfAbout::TfAbout(gameClass& game) {
    SetUpDialog(*this, "About");
    setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    Pages = new QTabWidget(this);
    Pages->addTab(TextPage({"Kolvan 32 is a game for two players on a board of seven columns and "
                            "six rows. The players take turns, and the first to get four pieces "
                            "of one colour in a row wins: across, up and down, or diagonally, "
                            "all directions count.",
                            "To make a move, click on a column (or type its number, 1 to 7). "
                            "The piece falls down the column until it meets the bottom or "
                            "another piece."}),
                  "How To Play");
    Pages->addTab(
        TextPage({"In Normal Mode you can play against the computer or against a friend.",
                  "There are six different computer opponents (seven including random), where "
                  "Stupid Hux is the weakest and Super Tavo is the strongest. You can select "
                  "which level to use (or random), ie the number of moves the computer will "
                  "look ahead before each move.",
                  "It is also possible to configure all opponents except Super Tavo, and to "
                  "save/load settings and games."}),
        "Normal Mode");
    Pages->addTab(
        TextPage({"In Network Mode you can play against a friend over the Internet or over the "
                  "local network.",
                  "If you're unable to connect, check your Internet/network connection and make "
                  "sure that you have entered a valid IP-address.",
                  "Select whether you shall connect to your opponent, or if you shall wait for "
                  "him/her to connect to you. If you choose to connect, you must enter your "
                  "opponents IP-address and make sure that he/she has chosen to wait for "
                  "connection."}),
        "Network Mode");

    auto* aboutPage = new QWidget;
    auto* aboutLayout = new QGridLayout(aboutPage);
    auto* title = new QLabel("Kolvan 32", aboutPage);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);
    aboutLayout->addWidget(title, 0, 0, 1, 2);
    aboutLayout->addWidget(new QLabel("Version 2.0, build 990523", aboutPage), 1, 0, 1, 2);
    aboutLayout->addWidget(new QLabel("", aboutPage), 2, 0, 1, 2);
    aboutLayout->addWidget(new QLabel("E-mail:", aboutPage), 3, 0);
    aboutLayout->addWidget(new LinkLabel(
                               "kolvan32@example.org", "Send e-mail to the author",
                               [this] { LemailClick(); }, aboutPage),
                           3, 1);
    aboutLayout->addWidget(new QLabel("Web Page:", aboutPage), 4, 0);
    aboutLayout->addWidget(new LinkLabel(
                               "www.example.org/kolvan32", "Go here for latest info and updates",
                               [this] { LHttpClick(); }, aboutPage),
                           4, 1);
    aboutLayout->setRowStretch(5, 1);
    Pages->addTab(aboutPage, "About Kolvan");
    Pages->setCurrentIndex(Pages->count() - 1);
    layout->addWidget(Pages);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    BBOk =
        AddButton(*buttons, "OK", *this, [this] { closeWith(platform::forms::ModalResult::Ok); });
    BBOk->setDefault(true);
    setCancelButton(BBOk); // it also answers Esc
    layout->addLayout(buttons);
    FixSize(*this);

    if (game.TakeFirstRunFlag())
        showModal();
}

void TfAbout::LemailClick() {
    OpenObject(kMailLink);
}

void TfAbout::LHttpClick() {
    OpenObject(kWebLink);
}

void TfAbout::OpenObject(const std::string& link) {
    platform::shell::open(link, "", "", kShowNormal);
}

} // namespace fourinrow::app
