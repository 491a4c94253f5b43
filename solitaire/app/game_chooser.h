#pragma once
// The game chooser "Open a game": a tree of the games of the game list, alphabetically, and
// a description of the selected game with its preview picture. OK starts the game through
// the main window.

#include "platform/forms/form.h"
#include "platform/gdi/bitmap.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace solitaire {

class TfrmMain;

// State codes of tree nodes: a game's is its id; groups are negative.
inline constexpr int kAllGamesNode = -30;
inline constexpr int kPlaceholderNode = -1;

// Rows of the game matrix the description reads.
inline constexpr int kGameTimeRow = 340, kDifficultyRow = 341, kChanceRow = 343,
                     kOddsWonRow = 344, kOddsPlayedRow = 345, kRedealLimitRow = 13,
                     kCardsInPlayRow = 265;

inline constexpr int kChooserHelpContext = 1000;

// Texts by the value of a game's parameter: its objective, difficulty, chance of winning and
// game time.
inline constexpr const char* kObjectiveTexts[] = {"To move all the cards to the foundations",
                                                  "To match up all the cards in the deck",
                                                  "To move all the cards to the waste pile"};
inline constexpr const char* kDifficultyTexts[] = {"Easy", "Medium", "Hard"};
inline constexpr const char* kChanceTexts[] = {"Very high", "High", "Medium", "Low", "Very low"};
inline constexpr const char* kGameTimeTexts[] = {"Long", "Medium", "Quick"};

// The texts the description shows for a game's parameters.
struct GameDescription {
    std::string decks, difficulty, chanceOfWinning, redeals, gameTime;
    std::string gameTimePicture, difficultyPicture, chancePicture;
};
GameDescription DescribeGame(int gameId);
// "GAME" + the id as four digits.
std::string PreviewPictureName(int gameId);
// One line per game of the GameList: the name padded to 50, category, id; sorted by name.
std::vector<std::string> SortedGameIndex();
// One line of the sorted index as its tree row shows it: the name, the game id (-1 when it
// is no number) and the category code when it is one.
struct GameIndexRow {
    std::string name;
    int id = -1;
    std::optional<int> category;
};
GameIndexRow GameIndexRowOf(const std::string& entry);

class TfrmOpenGame : public platform::forms::Dialog {
public:
    explicit TfrmOpenGame(TfrmMain* owner);

    QTreeWidget* trvGames;
    QLabel* lblGameName;
    QLabel* lblDeck;
    QLabel* lblDiffRules;
    QLabel* lblDiffWin;
    QLabel* lblRedeal;
    QLabel* lblGameTime;
    QLabel* imgDifficult;
    QLabel* imgWinning;
    QLabel* imgGameTime;
    QLabel* imgGame; // the preview, 300 x 185
    QCheckBox* chkPreview;
    QWidget* pnlDescGame;
    QWidget* pnlDesc1;
    QWidget* pnlDesc2;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnAiuto;
    QPushButton* btnRules;
    QTimer* timShowGame;
    QMenu* PopupMenu1; // "&Rules", "Statistics...", "Favorite games...", "Delete" on the tree
    QAction* mnuPopupDelete;

    // The preview area as drawn last.
    const platform::gdi::Bitmap& previewArea() const { return preview_; }
    // The tree node with that state code, searched through the whole tree.
    QTreeWidgetItem* nodeWithCode(int stateCode) const;
    static int stateCode(const QTreeWidgetItem* node);

    void ExpandGameNode(QTreeWidgetItem* node, int gameToSelect);
    void ShowGameDescription();
    void ShowGamePreview(int gameId);
    void btnOKClick();
    void btnRulesClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The tree as wide as its longest row and the description as wide as its longest chance
    // of winning, at the platform's font; the dialog grows by what they grow.
    void FitToTexts();
    // Timer off, the game commands off while no game is selected, the table whole again.
    void FormClose();
    void FillAllGamesNode(QTreeWidgetItem* node, int gameToSelect);
    void clearPreviewArea();
    void showPreviewArea();
    void timShowGameTimer();

    TfrmMain* owner_;
    QSplitter* splitter_;
    std::vector<std::string> sortedIndex_;
    std::vector<QPixmap> images_; // ImageList1
    bool choosing_ = false;       // an OK is at work
    platform::gdi::Bitmap gradient_;
    platform::gdi::Bitmap preview_;
    int rememberedGroup_ = kPlaceholderNode;
    unsigned lastDescriptionTick_ = 0;
    int notedNode_ = kPlaceholderNode;
};

} // namespace solitaire
