#include "solitaire/app/game_chooser.h"

#include "solitaire/app/boxes.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/links.h"
#include "solitaire/app/main_window.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/splash.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/forms/help_context.h"
#include "platform/gdi/drawing.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace solitaire {
namespace {

using platform::toQString;
using platform::fromQString;
namespace gdi = platform::gdi;

constexpr gdi::Color kPreviewGreen = 0x008000;
constexpr int kPreviewWidth = 300, kPreviewHeight = 185;
// The form's widths of the tree and of the description beside it.
constexpr int kTreeWidth = 190, kDescriptionWidth = 312;

const char* const kGameTimePictures[] = {"PROG_TIME_LONG", "PROG_TIME_MEDIUM", "PROG_TIME_QUICK"};
const char* const kDifficultyPictures[] = {"PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD"};
const char* const kChancePictures[] = {"PROG_CHAN_VERYHIGH", "PROG_CHAN_HIGH", "PROG_CHAN_MEDIUM",
                                       "PROG_CHAN_LOW", "PROG_CHAN_VERYLOW"};

// Category code -> index of its picture in the tree's image list.
const std::map<int, int> kCategoryImages = {{12, 25}, {2, 11},  {11, 12}, {3, 13},
                                            {4, 14},  {5, 15},  {6, 16},  {13, 34},
                                            {7, 17},  {8, 18},  {9, 19},  {10, 20}};

template <std::size_t N>
std::string textOf(const char* const (&table)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? table[index] : "";
}

std::vector<std::string> imageListNames() {
    std::vector<std::string> names = {"TREE1",   "TREE2",   "N_TREE3", "N_TREE4",
                                      "N_TREE5", "F_TREE1", "F_TREE2", "S_TREE1",
                                      "S_TREE2", "D_TREE1", "D_TREE2"};
    for (int category : {2, 11, 3, 4, 5, 6, 7, 8, 9, 10})
        names.push_back(fnCategoryTreeName(category));
    for (const char* name : {"C_TREE1", "C_TREE2", "TREE5_CUSTOMIZED_GAMES", "TREE5_FAVORITES_GAMES"})
        names.push_back(name);
    names.push_back(fnCategoryTreeName(12));
    for (const char* name :
         {"T_TREE1", "T_TREE2", "I_TREE1", "I_TREE2", "K_TREE1", "K_TREE2", "W_TREE1", "W_TREE2"})
        names.push_back(name);
    names.push_back(fnCategoryTreeName(13));
    return names;
}

QLabel* textLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                  int width) {
    auto* label = place<QLabel>(parent, name, left, top, width, 16);
    label->setText(text);
    return label;
}

bool lowColourDisplay() {
    return fnColorCount() < 257;
}

} // namespace

namespace {

// The rows the description reads, in the order describe() takes their values.
constexpr GameParameters kDescriptionRows = {kGameTimeRow,    kDifficultyRow,  kChanceRow,
                                             kOddsWonRow,     kOddsPlayedRow,  kRedealLimitRow,
                                             kCardsInPlayRow, -1,              -1};

GameDescription describe(const GameParameters& values) {
    const int gameTime = values[0], difficulty = values[1], chance = values[2];
    const int oddsWon = values[3], oddsPlayed = values[4], redealLimit = values[5];
    GameDescription description;
    description.decks = std::to_string(values[6] / 52);
    description.gameTime = textOf(kGameTimeTexts, gameTime);
    description.difficulty = textOf(kDifficultyTexts, difficulty);
    description.chanceOfWinning = textOf(kChanceTexts, chance);
    if (oddsPlayed != 0)
        description.chanceOfWinning +=
            " (about " + std::to_string(oddsWon) + " in " + std::to_string(oddsPlayed) + ")";
    // The word is the number of redeals the stock makes (the move engine counts them against
    // it), so the row shows it as it is.
    description.redeals = redealLimit == -1 ? "Unlimited" : std::to_string(redealLimit);
    description.gameTimePicture = textOf(kGameTimePictures, gameTime);
    description.difficultyPicture = textOf(kDifficultyPictures, difficulty);
    description.chancePicture = textOf(kChancePictures, chance);
    return description;
}

} // namespace

GameDescription DescribeGame(int gameId) {
    return describe(fnReadGameParameters(gameId, kDescriptionRows));
}

std::string PreviewPictureName(int gameId) {
    return "GAME" + fnIntZeroPad(gameId, 4);
}

std::vector<std::string> SortedGameIndex() {
    std::vector<std::string> index;
    for (const std::string& line : sharedObjects.GameList) {
        const std::string name = line.size() > 10 ? line.substr(10, kGameListNameWidth) : "";
        index.push_back(fnPadRight(name, kGameListNameWidth) + line.substr(0, 3) +
                        (line.size() >= 7 ? line.substr(4, 3) : ""));
    }
    std::sort(index.begin(), index.end());
    return index;
}

GameIndexRow GameIndexRowOf(const std::string& entry) {
    GameIndexRow row;
    row.name = fnTrimRight(entry.substr(0, kGameListNameWidth));
    row.id = fnTryStrToInt(entry.substr(kGameListNameWidth + 3, 3)).value_or(-1);
    row.category = fnTryStrToInt(entry.substr(kGameListNameWidth, 3));
    return row;
}

TfrmOpenGame::TfrmOpenGame(TfrmMain* owner) : Dialog(owner), owner_(owner) {
    setObjectName("frmOpenGame");
    setWindowTitle("Open a game");
    setCentredOnScreen(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(529, 377);

    // The tree under its label panel, and the description, either side of Splitter1.
    splitter_ = place<QSplitter>(this, "Splitter1", 8, 8, 513, 328);
    QSplitter* splitter = splitter_;
    splitter->setChildrenCollapsible(false);
    auto* treeSide = new QWidget(splitter);
    treeSide->setObjectName("pnlTree");
    QLabel* selectLabel = textLabel(treeSide, "lblSelect", "Select a game:", 0, 0, 190);
    trvGames = place<QTreeWidget>(treeSide, "trvGames", 0, 18, 190, 310);
    trvGames->setHeaderHidden(true);
    trvGames->setEnabled(false);
    trvGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* treeLayout = new QVBoxLayout(treeSide);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(2);
    treeLayout->addWidget(selectLabel);
    treeLayout->addWidget(trvGames);

    auto* description = new QWidget(splitter);
    description->setObjectName("ScrollBox1");
    description->setAutoFillBackground(true);
    QPalette white = description->palette();
    white.setColor(QPalette::Window, Qt::white);
    description->setPalette(white);

    pnlDesc1 = place<QLabel>(description, "pnlDesc1", 8, 8, 300, 40);
    static_cast<QLabel*>(pnlDesc1)->setText("Choose a game in the list on the left.");
    pnlDesc2 = place<QLabel>(description, "pnlDesc2", 8, 52, 300, 40);
    static_cast<QLabel*>(pnlDesc2)->setText(
        toQString(std::string("Each game shows its description and a preview here.")));
    for (QWidget* text : {pnlDesc1, pnlDesc2})
        static_cast<QLabel*>(text)->setWordWrap(true); // the 300 pixels end mid-sentence
    place<QLabel>(description, "imgZevodadu", 8, 100, 300, 185)
        ->setPixmap(resourcePixmap(kProgramPictureName));

    pnlDescGame = place<QWidget>(description, "pnlDescGame", 0, 0, kDescriptionWidth, 318);
    imgGame = place<QLabel>(pnlDescGame, "imgGame", 8, 4, kPreviewWidth, kPreviewHeight);
    lblGameName = place<QLabel>(pnlDescGame, "lblGameName", 8, 194, 300, 18);
    QFont bold = lblGameName->font();
    bold.setBold(true);
    lblGameName->setFont(bold);
    textLabel(pnlDescGame, "lblDeckCaption", "Decks:", 8, 216, 120);
    lblDeck = textLabel(pnlDescGame, "lblDeck", "", 130, 216, 150);
    textLabel(pnlDescGame, "lblDiffRulesCaption", "Difficulty level:", 8, 236, 120);
    lblDiffRules = textLabel(pnlDescGame, "lblDiffRules", "", 150, 236, 160);
    imgDifficult = place<QLabel>(pnlDescGame, "imgDifficult", 130, 236, 16, 16);
    textLabel(pnlDescGame, "lblDiffWinCaption", "Chance of winning:", 8, 256, 120);
    lblDiffWin = textLabel(pnlDescGame, "lblDiffWin", "", 150, 256, kDescriptionWidth - 151);
    imgWinning = place<QLabel>(pnlDescGame, "imgWinning", 130, 256, 16, 16);
    textLabel(pnlDescGame, "lblRedealCaption", "Redeals:", 8, 276, 120);
    lblRedeal = textLabel(pnlDescGame, "lblRedeal", "", 130, 276, 150);
    textLabel(pnlDescGame, "lblGameTimeCaption", "Game time:", 8, 296, 120);
    lblGameTime = textLabel(pnlDescGame, "lblGameTime", "", 150, 296, 160);
    imgGameTime = place<QLabel>(pnlDescGame, "imgGameTime", 130, 296, 16, 16);
    chkPreview = place<QCheckBox>(this, "chkPreview", 204, 344, 90, 22);
    chkPreview->setText("&Preview");

    btnCancel = place<QPushButton>(this, "btnCancel", 446, 344, 75, 25);
    btnCancel->setText("Cancel");
    btnOK = place<QPushButton>(this, "btnOK", btnCancel->x() - 75 - 5, 344, 75, 25);
    btnOK->setText("OK");
    btnOK->setDefault(true);
    setCancelButton(btnCancel);
    btnRules = place<QPushButton>(this, "btnRules", 8, 344, 75, 25);
    btnRules->setText("Rules");
    btnAiuto = place<QPushButton>(this, "btnAiuto", 88, 344, 30, 25);
    btnAiuto->setText("&?");
    timShowGame = new QTimer(this);
    timShowGame->setObjectName("timShowGame");
    timShowGame->setInterval(2000);

    for (const std::string& name : imageListNames())
        images_.push_back(maskedResourcePixmap(name));
    sortedIndex_ = SortedGameIndex();
    gradient_.resize(kPreviewWidth, kPreviewHeight);
    gdi::gradientFill(gradient_, gradient_.rect(), kPreviewGreen, 0x000000);
    preview_.resize(kPreviewWidth, kPreviewHeight);

    auto* allGames = new QTreeWidgetItem(trvGames, QStringList{"All games (alphabetically)"});
    allGames->setData(0, Qt::UserRole, kAllGamesNode);
    // Its image, and its selected image (the closed and the open folder).
    QIcon groupImages(images_[0]);
    groupImages.addPixmap(images_[1], QIcon::Selected);
    allGames->setIcon(0, groupImages);
    auto* placeholder = new QTreeWidgetItem(allGames, QStringList{"nil"});
    placeholder->setData(0, Qt::UserRole, kPlaceholderNode);
    FitToTexts();

    const platform::files::IniFile ini = PreferencesFile();
    if (const int group = ini.readInteger(kPreferenceSection, "Game_TreeNum", kAllGamesNode);
        group < 0)
        rememberedGroup_ = group;
    chkPreview->setChecked(ini.readString(kPreferenceSection, "Open_Preview_Game", "Y") == "Y");

    auto guarded = [](auto handler) {
        return [handler] { platform::app::runGuarded(handler); };
    };
    QObject::connect(trvGames, &QTreeWidget::itemExpanded, this,
                     [this](QTreeWidgetItem* node) {
                         platform::app::runGuarded([&] {
                             const platform::app::ScopedScreenCursor wait(
                                 platform::app::CursorShape::Wait);
                             ExpandGameNode(node, -1);
                         });
                     });
    QObject::connect(trvGames, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* node) {
                         if (!trvGames->isEnabled())
                             return;
                         platform::app::runGuarded([&] {
                             const platform::app::ScopedScreenCursor wait(
                                 platform::app::CursorShape::Wait);
                             ExpandGameNode(node, -1);
                             ShowGameDescription();
                         });
                     });
    QObject::connect(trvGames, &QTreeWidget::itemDoubleClicked, this,
                     [this](QTreeWidgetItem* node) {
                         if (stateCode(node) >= 0)
                             platform::app::runGuarded([this] { btnOKClick(); });
                     });
    QObject::connect(btnOK, &QPushButton::clicked, this, guarded([this] { btnOKClick(); }));
    QObject::connect(btnRules, &QPushButton::clicked, this, guarded([this] { btnRulesClick(); }));
    QObject::connect(btnAiuto, &QPushButton::clicked, this,
                     guarded([] { ShowHelpTopic(kChooserHelpContext); }));
    platform::forms::setHelpContext(*this, kChooserHelpContext);
    QObject::connect(btnCancel, &QPushButton::clicked, this,
                     [this] { closeWith(platform::forms::ModalResult::Cancel); });
    QObject::connect(chkPreview, &QCheckBox::toggled, this, guarded([this] {
                         if (!chkPreview->isChecked()) {
                             clearPreviewArea();
                             showPreviewArea();
                         } else if (const QTreeWidgetItem* node = trvGames->currentItem()) {
                             ShowGamePreview(stateCode(node));
                         }
                     }));
    // Only the rules do anything here; statistics, favourites and deleting are not offered.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    QObject::connect(PopupMenu1->addAction("&Rules"), &QAction::triggered, this,
                     guarded([this] { btnRulesClick(); }));
    PopupMenu1->addAction("Statistics...");
    PopupMenu1->addAction("Favorite games...");
    mnuPopupDelete = PopupMenu1->addAction("Delete");
    QObject::connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
        mnuPopupDelete->setEnabled(stateCode(trvGames->currentItem()) > 7999);
    });
    trvGames->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(trvGames, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(trvGames->viewport()->mapToGlobal(at));
    });
    QObject::connect(timShowGame, &QTimer::timeout, this, guarded([this] { timShowGameTimer(); }));
}

void TfrmOpenGame::FitToTexts() {
    // A game's row needs what the group's row needs besides its caption, one indentation
    // further in, and its name. The tree shows the group's row from the start, so Qt measures
    // that one (the measure is public where the item views declare it).
    const QTreeWidgetItem* group = trvGames->topLevelItem(0);
    const QFontMetrics treeFont = trvGames->fontMetrics();
    const int groupRow = static_cast<const QAbstractItemView*>(trvGames)->sizeHintForColumn(0);
    const int rowBesidesCaption = groupRow - treeFont.horizontalAdvance(group->text(0));
    int widestRow = groupRow;
    std::vector<int> games;
    for (const std::string& entry : sortedIndex_) {
        const GameIndexRow row = GameIndexRowOf(entry);
        widestRow = std::max(widestRow, rowBesidesCaption + trvGames->indentation() +
                                            treeFont.horizontalAdvance(toQString(row.name)));
        if (row.id >= 0)
            games.push_back(row.id);
    }
    int widestChance = 0;
    for (const GameParameters& values : fnReadGameParameters(games, kDescriptionRows))
        widestChance = std::max(widestChance, lblDiffWin->fontMetrics()
                                                  .size(0, toQString(describe(values).chanceOfWinning))
                                                  .width());
    const int treeWidth = std::max(kTreeWidth, widestRow + 2 * trvGames->frameWidth() +
                                                   trvGames->verticalScrollBar()->sizeHint().width());
    const int descriptionWidth = std::max(kDescriptionWidth, lblDiffWin->x() + widestChance + 1);
    const int treeGrowth = treeWidth - kTreeWidth;
    const int growth = treeGrowth + descriptionWidth - kDescriptionWidth;

    setFixedSize(width() + growth, height());
    splitter_->resize(splitter_->width() + growth, splitter_->height());
    splitter_->setSizes({treeWidth, splitter_->width() - treeWidth - splitter_->handleWidth()});
    pnlDescGame->resize(descriptionWidth, pnlDescGame->height());
    lblDiffWin->resize(descriptionWidth - lblDiffWin->x() - 1, lblDiffWin->height());
    chkPreview->move(chkPreview->x() + treeGrowth, chkPreview->y());
    for (QPushButton* button : {btnOK, btnCancel})
        button->move(button->x() + growth, button->y());
}

int TfrmOpenGame::stateCode(const QTreeWidgetItem* node) {
    return node ? node->data(0, Qt::UserRole).toInt() : kPlaceholderNode;
}

QTreeWidgetItem* TfrmOpenGame::nodeWithCode(int code) const {
    for (QTreeWidgetItemIterator it(trvGames); *it; ++it)
        if (stateCode(*it) == code)
            return *it;
    return nullptr;
}

void TfrmOpenGame::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    platform::app::runGuarded([this] {
        const platform::app::ScopedScreenCursor wait(platform::app::CursorShape::Wait);
        if (rememberedGroup_ != kPlaceholderNode) {
            if (QTreeWidgetItem* group = nodeWithCode(rememberedGroup_))
                ExpandGameNode(group, fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition,
                                                                        kSelectedGameWidth))
                                          .value_or(-1));
            rememberedGroup_ = kPlaceholderNode;
        }
        trvGames->setEnabled(true);
        ShowGameDescription();
        timShowGame->start();
        trvGames->setFocus();
    });
}

void TfrmOpenGame::ExpandGameNode(QTreeWidgetItem* node, int gameToSelect) {
    if (!node || node->childCount() == 0 || stateCode(node->child(0)) != kPlaceholderNode)
        return;
    if (stateCode(node) == kAllGamesNode)
        FillAllGamesNode(node, gameToSelect);
}

void TfrmOpenGame::FillAllGamesNode(QTreeWidgetItem* node, int gameToSelect) {
    delete node->takeChild(0);
    QTreeWidgetItem* selected = nullptr;
    for (const std::string& entry : sortedIndex_) {
        const GameIndexRow row = GameIndexRowOf(entry);
        auto* child = new QTreeWidgetItem(node, QStringList{toQString(row.name)});
        child->setData(0, Qt::UserRole, row.id);
        child->setIcon(0, QIcon(images_[0]));
        if (const auto image =
                row.category ? kCategoryImages.find(*row.category) : kCategoryImages.end();
            image != kCategoryImages.end()) {
            child->setIcon(0, QIcon(images_[static_cast<std::size_t>(image->second)]));
            if (row.id == gameToSelect)
                selected = child;
        }
    }
    node->setExpanded(true);
    if (selected)
        trvGames->setCurrentItem(selected);
}

void TfrmOpenGame::ShowGameDescription() {
    if (!isVisible())
        return;
    const QTreeWidgetItem* node = trvGames->currentItem();
    const int game = stateCode(node);
    const bool gameSelected = node && game >= 0;
    pnlDesc1->setVisible(!gameSelected);
    pnlDesc2->setVisible(!gameSelected);
    findChild<QWidget*>("imgZevodadu")->setVisible(!gameSelected);
    pnlDescGame->setVisible(gameSelected);
    for (QWidget* control : std::initializer_list<QWidget*>{chkPreview, btnOK, btnRules})
        control->setEnabled(gameSelected);
    if (!gameSelected)
        return;
    lblGameName->setText(node->text(0));
    const GameDescription description = DescribeGame(game);
    lblDeck->setText(toQString(description.decks));
    lblGameTime->setText(toQString(description.gameTime));
    lblDiffRules->setText(toQString(description.difficulty));
    lblDiffWin->setText(toQString(description.chanceOfWinning));
    lblRedeal->setText(toQString(description.redeals));
    imgGameTime->setPixmap(resourcePixmap(description.gameTimePicture));
    imgDifficult->setPixmap(resourcePixmap(description.difficultyPicture));
    imgWinning->setPixmap(resourcePixmap(description.chancePicture));
    lastDescriptionTick_ = platform::app::tickCount();
    ShowGamePreview(game);
}

void TfrmOpenGame::clearPreviewArea() {
    if (lowColourDisplay())
        preview_.fillRect(preview_.rect(), kPreviewGreen);
    else
        preview_.copyFrom({0, 0}, gradient_, gradient_.rect());
}

void TfrmOpenGame::showPreviewArea() {
    imgGame->setPixmap(toPixmap(preview_));
}

void TfrmOpenGame::ShowGamePreview(int gameId) {
    if (!chkPreview->isChecked())
        return;
    gdi::Bitmap picture;
    fnLoadResourceBitmap(picture, PreviewPictureName(gameId));
    clearPreviewArea();
    if (!picture.isEmpty())
        gdi::drawTransparentAuto(preview_, {(preview_.width() - picture.width()) / 2, 0}, picture);
    showPreviewArea();
}

void TfrmOpenGame::btnOKClick() {
    // Its pump below runs what waits in the queue: an OK or a double click on a game that
    // comes while this one is at work is the same choice again, and this one ends the dialog.
    if (choosing_)
        return;
    const QTreeWidgetItem* node = trvGames->currentItem();
    if (stateCode(node) < 0) {
        fnInfoMessage("Open a game");
        trvGames->setFocus();
        return;
    }
    // The closing work waits for the game, also when the form is hidden meanwhile: its
    // check asks whether one is selected now.
    const QScopedValueRollback choosing(choosing_, true);
    const int game = stateCode(node);
    const std::string name = fromQString(node->text(0));
    {
        platform::files::IniFile ini = PreferencesFile();
        WriteGameSelection(ini, game, name, stateCode(node->parent()));
        ini.writeString(kPreferenceSection, "Open_Preview_Game", chkPreview->isChecked() ? "Y" : "N");
    }
    platform::app::processMessages();
    hide();
    owner_->UpdateMainWindow();
    owner_->SelectGame(game, name, "", false);
    FormClose();
    closeWith(platform::forms::ModalResult::Ok);
}

void TfrmOpenGame::btnRulesClick() {
    const QTreeWidgetItem* node = trvGames->currentItem();
    if (stateCode(node) < 0)
        fnInfoMessage("Select a game");
    else
        ShowRulesHelp(stateCode(node));
    trvGames->setFocus();
}

void TfrmOpenGame::timShowGameTimer() {
    if (platform::app::tickCount() - lastDescriptionTick_ >= 200)
        notedNode_ = stateCode(trvGames->currentItem());
}

void TfrmOpenGame::hideEvent(QHideEvent* event) {
    Dialog::hideEvent(event);
    if (!choosing_)
        FormClose();
}

void TfrmOpenGame::FormClose() {
    timShowGame->stop();
    if (fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth)).value_or(-1) < 0)
        owner_->EnableGameCommands(false);
    owner_->UpdateMainWindow();
    RedrawTableSelection();
}

} // namespace solitaire
