#include "solitaire/app/options_dialog.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/background.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/links.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/cursor.h"
#include "platform/app/qtstring.h"
#include "platform/app/screen.h"
#include "platform/files/ini.h"
#include "platform/forms/form.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/qimage.h"
#include "platform/gdi/system_colors.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <array>
#include <optional>

namespace solitaire {
namespace {

using platform::gdi::Bitmap;
using platform::gdi::Color;

constexpr int kConfirmQuitGamePosition = 185; // width 1
constexpr int kColourWidth = 15;
constexpr int kPictureWidth = 4;

// The fields Cancel puts back, as they were when the dialog opened.
struct SavedField {
    int position;
    int width;
};
constexpr std::array<SavedField, 9> kSavedFields{{{kCardSizePosition, kCardSizeWidth},
                                                  {kDeckPosition, kDeckWidth},
                                                  {kFadeBackgroundPosition, 1},
                                                  {kCardBackPosition, kCardBackWidth},
                                                  {kBackgroundPicturePosition, kPictureWidth},
                                                  {kBackgroundColourPosition, kColourWidth},
                                                  {kBackgroundFixedColourPosition, kColourWidth},
                                                  {kBackgroundDefaultPosition, 1},
                                                  {play::kUntidyPilesField, 1}}};

// Meaning of a background node's state code.
constexpr int kCustomColourCode = 1;
constexpr int kLargestPictureCode = 1000; // above: the colour value itself
constexpr int kManyColours = 256;
// Small and medium cards come with one back only.
constexpr const char* kOnlyBackOfSmallCards = "006";

// Tree contents: a caption with its state code (0 for groups) and its children.
struct Node {
    const char* caption;
    int code;
    std::vector<Node> children;
};

const std::vector<Node>& cardBackTree() {
    static const std::vector<Node> tree{{"Animals", 0, {{"Tropical fish", 19, {}}}},
                                        {"Children", 0, {{"Snowman", 3, {}}}},
                                        {"Flowers", 0, {{"Roses", 14, {}}}},
                                        {"Geometric", 0, {{"Plaiting 1", 11, {}}}},
                                        {"Paintings", 0, {{"Boat", 1, {}}}}};
    return tree;
}

const std::vector<Node>& backgroundTree() {
    static const std::vector<Node> tree{
        {"Colors",
         0,
         {{"Blue", 16711680, {}},
          {"Green", 32768, {}},
          {"Navy", 8388608, {}},
          {"Olive", 32896, {}},
          {"Teal", 8421376, {}},
          {"White", 16777215, {}}}},
        {"Over 256 colors",
         0,
         {{"Metal", 0, {{"Metal gold", 287, {}}}},
          {"Nature", 0, {{"Meadow", 324, {}}}},
          {"Tissue", 0, {{"Moquette 1", 296, {}}}},
          {"Walls", 0, {{"Brick wall 1", 304, {}}}},
          {"Wood", 0, {{"Parquet", 311, {}}}}}},
        {"Under 256 colors", 0, {{"Geometricals", 0, {{"Moquette", 102, {}}}}}}};
    return tree;
}

// Tree icons, in image-list order.
constexpr std::array<const char*, 5> kTreeIconNames{"TREE1", "TREE2", "N_TREE3", "N_TREE4",
                                                    "N_TREE5"};
enum TreeIcon { kGroupIcon = 0, kOpenGroupIcon = 1, kBackIcon = 2, kBackgroundIcon = 3 };

// What the background node with state code s stores.
struct BackgroundChoice {
    std::string picture;
    bool isDefault;
    int fixedColour;
};

BackgroundChoice backgroundChoiceOf(int code) {
    if (code <= 0)
        return {"0", true, 0};
    if (code == kCustomColourCode)
        return {"0", false, 0};
    if (code <= kLargestPictureCode)
        return {std::to_string(code), false, 0};
    return {"0", false, code};
}

bool isColourCode(int code) {
    return code == kCustomColourCode || code > kLargestPictureCode;
}

std::string yesNo(bool on) {
    return on ? "Y" : "N";
}

int intField(int position, int width) {
    return fnStrToInt(fnReadSettingsField(position, width));
}

QCheckBox* placeCheckBox(QWidget* page, const char* name, const char* caption, int row) {
    auto* box = place<QCheckBox>(page, name, 16, 14 + row * 26, 260, 22);
    box->setText(caption);
    return box;
}

void addNodes(QTreeWidget& tree, QTreeWidgetItem* parent, const std::vector<Node>& nodes) {
    for (const Node& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        item->setText(0, node.caption);
        item->setData(0, Qt::UserRole, node.code);
        addNodes(tree, item, node.children);
    }
}

int codeOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

QTreeWidgetItem* findNode(QTreeWidget& tree, int code) {
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if (codeOf(*it) == code)
            return *it;
    return nullptr;
}

// Form layout, in the form's pixels.
constexpr int kDialogWidth = 436, kDialogHeight = 336;
constexpr int kTreeLeft = 12, kTreeTop = 30, kTreeWidth = 180, kTreeHeight = 188;
constexpr int kSampleLeft = 204, kSampleTop = 30, kSampleWidth = 196, kSampleHeight = 188;
constexpr int kBackSampleWidth = 71, kBackSampleHeight = 96; // always the large card size

class OptionsDialog : public platform::forms::Dialog {
public:
    OptionsDialog(QWidget* parent, OptionsHost& host);

    void FormShow();
    void FormClose();
    bool cancelled() const { return cancelled_; }

private:
    int backgroundCode() const { return codeOf(trvBackGround_->currentItem()); }
    Color colourOfCode(int code) const {
        return code == kCustomColourCode ? customColour_ : static_cast<Color>(code);
    }
    // The chosen back's number as the settings record keeps it; none while a group is
    // selected.
    std::optional<std::string> selectedBack() const {
        const int code = codeOf(trvCardBack_->currentItem());
        if (code <= 0)
            return std::nullopt;
        return fnIntZeroPad(code, kCardBackWidth);
    }

    void FillSampleColour(Bitmap& image, Color colour) const;
    void ShowBackgroundSample();
    void ShowCardBackSample();
    void RefreshSamples();
    void chkFadeBackgroundClick();
    void btnOKClick();
    void ApplyAppearance();
    void RestoreSavedAppearance();
    void showSamples();

    OptionsHost& host_;
    bool cancelled_ = true;
    std::array<std::string, kSavedFields.size()> saved_;
    Color customColour_ = 0;

    QTabWidget* TabbedNotebook1_;
    QCheckBox* chkTBLargeIcons_;
    QCheckBox* chkTBFlatBtn_;
    QCheckBox* chkShowTime_;
    QCheckBox* chkShowScore_;
    QCheckBox* chkWinningAnimation_;
    QCheckBox* chkConfirmQuitGame_;
    QCheckBox* chkConfirmOnExit_;
    QTreeWidget* trvCardBack_;
    QLabel* lblDecks_;
    QLabel* imgSfondoEsempio2_;
    QLabel* imgDorsoEsempio_;
    QTreeWidget* trvBackGround_;
    QLabel* lblBackGround_;
    QLabel* imgSfondoEsempio_;
    QCheckBox* chkFadeBackground_;
    QCheckBox* chkSoundsEnabled_;

    Bitmap backgroundSample_; // imgSfondoEsempio
    Bitmap deckSample_;       // imgSfondoEsempio2, beneath the back
    Bitmap backPicture_;      // the back as loaded, corners not yet matched to the sample
};

OptionsDialog::OptionsDialog(QWidget* parent, OptionsHost& host) : Dialog(parent), host_(host) {
    setObjectName("TfrmCustomize_Zevodadu");
    setWindowTitle("Customize");
    setCentredOnScreen(true);
    setFixedSize(kDialogWidth, kDialogHeight);

    TabbedNotebook1_ = place<QTabWidget>(this, "TabbedNotebook1", 8, 8, 420, 282);
    auto* general = new QWidget;
    auto* decks = new QWidget;
    auto* backgrounds = new QWidget;
    auto* sounds = new QWidget;
    TabbedNotebook1_->addTab(general, "&General");
    TabbedNotebook1_->addTab(decks, "&Decks  ");
    TabbedNotebook1_->addTab(backgrounds, "&Backgrounds");
    TabbedNotebook1_->addTab(sounds, "&Sounds");

    chkTBLargeIcons_ = placeCheckBox(general, "chkTBLargeIcons", "&Large buttons", 0);
    chkTBFlatBtn_ = placeCheckBox(general, "chkTBFlatBtn", "&Flat buttons", 1);
    chkShowTime_ = placeCheckBox(general, "chkShowTime", "Show &time", 2);
    chkShowScore_ = placeCheckBox(general, "chkShowScore", "Show sco&re", 3);
    chkWinningAnimation_ = placeCheckBox(general, "chkWinningAnimation", "&Winning animation", 4);
    chkConfirmQuitGame_ = placeCheckBox(general, "chkConfirmQuitGame", "C&onfirm quit game", 5);
    chkConfirmOnExit_ = placeCheckBox(general, "chkConfirmOnExit", "Confirm on e&xit", 6);

    lblDecks_ = place<QLabel>(decks, "lblDecks", kTreeLeft, 8, 390, 20);
    lblDecks_->setText("Select a card back:");
    trvCardBack_ = place<QTreeWidget>(decks, "trvCardBack", kTreeLeft, kTreeTop, kTreeWidth,
                                      kTreeHeight);
    imgSfondoEsempio2_ = place<QLabel>(decks, "imgSfondoEsempio2", kSampleLeft, kSampleTop,
                                       kSampleWidth, kSampleHeight);
    imgDorsoEsempio_ = place<QLabel>(imgSfondoEsempio2_, "imgDorsoEsempio",
                                     (kSampleWidth - kBackSampleWidth) / 2,
                                     (kSampleHeight - kBackSampleHeight) / 2, kBackSampleWidth,
                                     kBackSampleHeight);

    lblBackGround_ = place<QLabel>(backgrounds, "lblBackGround", kTreeLeft, 8, 390, 20);
    lblBackGround_->setText("Select a background:");
    trvBackGround_ = place<QTreeWidget>(backgrounds, "trvBackGround", kTreeLeft, kTreeTop,
                                        kTreeWidth, kTreeHeight);
    imgSfondoEsempio_ = place<QLabel>(backgrounds, "imgSfondoEsempio", kSampleLeft, kSampleTop,
                                      kSampleWidth, kSampleHeight);
    chkFadeBackground_ = place<QCheckBox>(backgrounds, "chkFadeBackground", kTreeLeft, 224, 260, 22);
    chkFadeBackground_->setText("&Fade background");

    chkSoundsEnabled_ = placeCheckBox(sounds, "chkSoundsEnabled", "Disable all &sounds", 0);

    for (QTreeWidget* tree : {trvCardBack_, trvBackGround_}) {
        tree->setHeaderHidden(true);
        tree->setIconSize({16, 16});
    }
    addNodes(*trvCardBack_, nullptr, cardBackTree());
    addNodes(*trvBackGround_, nullptr, backgroundTree());
    trvCardBack_->expandAll();
    trvBackGround_->expandAll();

    auto* btnOK = place<QPushButton>(this, "btnOK", 186, 300, 75, 25);
    btnOK->setText("OK");
    btnOK->setDefault(true);
    auto* btnAnnulla = place<QPushButton>(this, "btnAnnulla", 268, 300, 75, 25);
    btnAnnulla->setText("Cancel");
    setCancelButton(btnAnnulla);
    auto* btnAiuto = place<QPushButton>(this, "btnAiuto", 350, 300, 75, 25);
    btnAiuto->setText("&?");

    using platform::app::runGuarded;
    connect(btnOK, &QPushButton::clicked, this, [this] {
        runGuarded([this] {
            btnOKClick();
            closeWith(platform::forms::ModalResult::Ok);
        });
    });
    connect(btnAnnulla, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        closeWith(platform::forms::ModalResult::Cancel);
    });
    connect(btnAiuto, &QPushButton::clicked, this,
            [] { runGuarded([] { ShowHelpTopic(kOptionsHelpContext); }); });
    connect(trvBackGround_, &QTreeWidget::currentItemChanged, this,
            [this] { runGuarded([this] { ShowBackgroundSample(); }); });
    connect(trvCardBack_, &QTreeWidget::currentItemChanged, this, [this] {
        if (selectedBack())
            runGuarded([this] { ShowCardBackSample(); });
    });
    connect(TabbedNotebook1_, &QTabWidget::currentChanged, this,
            [this] { runGuarded([this] { RefreshSamples(); }); });
    connect(chkFadeBackground_, &QCheckBox::clicked, this,
            [this] { runGuarded([this] { chkFadeBackgroundClick(); }); });
}

void OptionsDialog::FillSampleColour(Bitmap& image, Color colour) const {
    if (chkFadeBackground_->isChecked() && fnColorCount() > kManyColours)
        fnGradientFill(image, image.rect(), colour, 0);
    else
        platform::gdi::rectangle(image, {0, 0, image.width() + 1, image.height() + 1},
                                 {0, 1, platform::gdi::PenStyle::Clear}, {colour});
}

void OptionsDialog::FormShow() {
    platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    cancelled_ = true;
    for (std::size_t i = 0; i < kSavedFields.size(); ++i)
        saved_[i] = fnReadSettingsField(kSavedFields[i].position, kSavedFields[i].width);
    const int storedColour = intField(kBackgroundColourPosition, kColourWidth);
    customColour_ = storedColour != 0
                        ? static_cast<Color>(storedColour)
                        : platform::gdi::systemColorValue(platform::gdi::SystemColor::ButtonFace);

    chkFadeBackground_->setChecked(fnReadSettingsField(kFadeBackgroundPosition, 1) == "Y");
    // Selecting nodes runs their change handlers; the samples are painted below instead.
    const QSignalBlocker blockBacks(trvCardBack_), blockBackgrounds(trvBackGround_);
    trvCardBack_->setCurrentItem(
        findNode(*trvCardBack_, intField(kCardBackPosition, kCardBackWidth)));
    backgroundSample_ = Bitmap(kSampleWidth, kSampleHeight);
    deckSample_ = Bitmap(kSampleWidth, kSampleHeight);

    const int fixedColour = intField(kBackgroundFixedColourPosition, kColourWidth);
    const int picture = intField(kBackgroundPicturePosition, kPictureWidth);
    int selectCode;
    if (fnReadSettingsField(kBackgroundDefaultPosition, 1) == "Y") {
        // The default is the group node "Colors", so OK without a change keeps the default.
        PaintBackground(backgroundSample_, kDefaultGreenMode, 0, true, 0);
        selectCode = 0;
    } else if (fixedColour != 0) {
        FillSampleColour(backgroundSample_, static_cast<Color>(fixedColour));
        selectCode = fixedColour;
    } else if (picture != 0) {
        PaintBackground(backgroundSample_, picture, 0, true, 0);
        selectCode = picture;
    } else {
        FillSampleColour(backgroundSample_, customColour_);
        selectCode = kCustomColourCode;
    }
    trvBackGround_->setCurrentItem(findNode(*trvBackGround_, selectCode));

    RefreshSamples();
    ShowCardBackSample();
    chkSoundsEnabled_->setChecked(fnReadSettingsField(kSoundsEnabledPosition, 1) != "Y");

    std::array<QIcon, kTreeIconNames.size()> icons;
    for (std::size_t i = 0; i < icons.size(); ++i)
        icons[i] = QIcon(maskedResourcePixmap(kTreeIconNames[i]));
    for (QTreeWidget* tree : {trvCardBack_, trvBackGround_}) {
        const QIcon& leafIcon = tree == trvCardBack_ ? icons[kBackIcon] : icons[kBackgroundIcon];
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->childCount() == 0) {
                (*it)->setIcon(0, leafIcon);
                continue;
            }
            QIcon groupIcon = icons[kGroupIcon];
            groupIcon.addPixmap(icons[kOpenGroupIcon].pixmap(16, 16), QIcon::Selected);
            (*it)->setIcon(0, groupIcon);
        }
    }

    const platform::files::IniFile preferences = PreferencesFile();
    chkTBLargeIcons_->setChecked(preferences.readString(kPreferenceSection, "ToolBar_Large", "N") == "Y");
    chkTBFlatBtn_->setChecked(preferences.readString(kPreferenceSection, "ToolBar_Flat", "Y") == "Y");
    chkShowTime_->setChecked(fnReadSettingsField(kShowTimePosition, 1) != "N");
    chkShowScore_->setChecked(fnReadSettingsField(kShowScorePosition, 1) != "N");
    chkWinningAnimation_->setChecked(fnReadSettingsField(kWinningAnimationPosition, 1) == "Y");
    chkConfirmQuitGame_->setChecked(fnReadSettingsField(kConfirmQuitGamePosition, 1) != "N");
    chkConfirmOnExit_->setChecked(preferences.readString(kPreferenceSection, "ConfirmQuit", "N") == "Y");

    move((platform::app::screenWidth() - width()) / 2, (platform::app::screenHeight() - height()) / 2);
}

void OptionsDialog::ShowBackgroundSample() {
    platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    const int code = backgroundCode();
    if (isColourCode(code)) {
        FillSampleColour(backgroundSample_, colourOfCode(code));
    } else {
        // Groups show the default green; pictures are drawn once or tiled as on the table.
        backgroundSample_ = Bitmap(kSampleWidth, kSampleHeight);
        PaintBackground(backgroundSample_, code <= 0 ? kDefaultGreenMode : code, 0, true, 0);
    }
    if (const QTreeWidgetItem* node = trvBackGround_->currentItem())
        lblBackGround_->setText(node->text(0));
    showSamples();
}

void OptionsDialog::ShowCardBackSample() {
    platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    const std::string number =
        selectedBack().value_or(fnReadSettingsField(kCardBackPosition, kCardBackWidth));
    // The sample is always a large card, whatever size the table uses.
    fnLoadImageFile(backPicture_, "DB" + number);
    if (const QTreeWidgetItem* node = trvCardBack_->currentItem(); node && selectedBack())
        lblDecks_->setText(node->text(0));
    showSamples();
}

void OptionsDialog::RefreshSamples() {
    const int code = backgroundCode();
    if (isColourCode(code)) {
        FillSampleColour(backgroundSample_, colourOfCode(code));
        FillSampleColour(deckSample_, colourOfCode(code));
    } else {
        deckSample_ = backgroundSample_;
    }
    showSamples();
}

// Shows both samples; the back's rounded corners show the background beneath it.
void OptionsDialog::showSamples() {
    imgSfondoEsempio_->setPixmap(toPixmap(backgroundSample_));
    imgSfondoEsempio2_->setPixmap(toPixmap(deckSample_));
    Bitmap back = backPicture_;
    CopyCornerPixels(back, {0, 0}, deckSample_, {imgDorsoEsempio_->x(), imgDorsoEsempio_->y()},
                     back.width(), back.height());
    imgDorsoEsempio_->setPixmap(toPixmap(back));
}

void OptionsDialog::chkFadeBackgroundClick() {
    const int code = backgroundCode();
    if (!isColourCode(code))
        return;
    FillSampleColour(backgroundSample_, colourOfCode(code));
    showSamples();
}

void OptionsDialog::btnOKClick() {
    cancelled_ = false;
    platform::files::IniFile preferences = PreferencesFile();
    const auto writeFlag = [&](const char* key, bool on) {
        preferences.writeString(kPreferenceSection, key, yesNo(on));
    };
    const bool soundsOff = chkSoundsEnabled_->isChecked();
    writeFlag("Sounds_Enabled", !soundsOff);
    if (const auto back = selectedBack())
        fnWriteSettingsField(kCardBackPosition, kCardBackWidth, *back);
    preferences.writeInteger(kPreferenceSection, "Back_Card",
                             intField(kCardBackPosition, kCardBackWidth));
    // No node selected (settings the tree does not list): the background stays as it is.
    if (trvBackGround_->currentItem()) {
        const BackgroundChoice choice = backgroundChoiceOf(backgroundCode());
        preferences.writeString(kPreferenceSection, "Background_bmp", choice.picture);
        preferences.writeInteger(kPreferenceSection, "Background_Col",
                                 static_cast<int>(customColour_));
        preferences.writeInteger(kPreferenceSection, "Background_Fixed_Col", choice.fixedColour);
        writeFlag("Background_Def", choice.isDefault);
    }
    writeFlag("Fade_Background", chkFadeBackground_->isChecked());
    fnWriteSettingsField(kSoundsEnabledPosition, 1, yesNo(!soundsOff));
    writeFlag("ToolBar_Large", chkTBLargeIcons_->isChecked());
    writeFlag("ToolBar_Flat", chkTBFlatBtn_->isChecked());
    writeFlag("Show_Time", chkShowTime_->isChecked());
    writeFlag("Show_Score", chkShowScore_->isChecked());
    writeFlag("ConfirmQuit", chkConfirmOnExit_->isChecked());
    writeFlag("ConfirmQuitGame", chkConfirmQuitGame_->isChecked());
    writeFlag("Winning_Animation", chkWinningAnimation_->isChecked());
    fnWriteSettingsField(kShowTimePosition, 1, yesNo(chkShowTime_->isChecked()));
    fnWriteSettingsField(kShowScorePosition, 1, yesNo(chkShowScore_->isChecked()));
    host_.SetToolbarLarge(chkTBLargeIcons_->isChecked(), false);
    host_.SetToolbarFlat(chkTBFlatBtn_->isChecked(), false);
    host_.SetShowTime(chkShowTime_->isChecked(), false);
    host_.SetShowScore(chkShowScore_->isChecked(), false);
    fnWriteSettingsField(kConfirmQuitGamePosition, 1, yesNo(chkConfirmQuitGame_->isChecked()));
    fnWriteSettingsField(kWinningAnimationPosition, 1, yesNo(chkWinningAnimation_->isChecked()));
}

// The settings record takes the choices (unless cancelled), then the table is drawn anew.
void OptionsDialog::ApplyAppearance() {
    if (!cancelled_) {
        fnWriteSettingsField(kFadeBackgroundPosition, 1, yesNo(chkFadeBackground_->isChecked()));
        if (fnReadSettingsField(kCardSizePosition, kCardSizeWidth) != "B")
            fnWriteSettingsField(kCardBackPosition, kCardBackWidth, kOnlyBackOfSmallCards);
        else if (const auto back = selectedBack())
            fnWriteSettingsField(kCardBackPosition, kCardBackWidth, *back);
        if (trvBackGround_->currentItem()) {
            const int code = backgroundCode();
            const BackgroundChoice choice = backgroundChoiceOf(code);
            fnWriteSettingsField(kBackgroundPicturePosition, kPictureWidth, choice.picture);
            fnWriteSettingsField(kBackgroundColourPosition, kColourWidth,
                                 std::to_string(code == kCustomColourCode
                                                    ? static_cast<int>(customColour_)
                                                    : 0));
            fnWriteSettingsField(kBackgroundFixedColourPosition, kColourWidth,
                                 std::to_string(choice.fixedColour));
            fnWriteSettingsField(kBackgroundDefaultPosition, 1, yesNo(choice.isDefault));
        }
    }
    // The card set below skips the back while the card table is empty; the back is wanted
    // in any case.
    fnLoadImageFile(sharedObjects.CardBackImage,
                    "D" + fnReadSettingsField(kCardSizePosition, kCardSizeWidth) +
                        fnReadSettingsField(kCardBackPosition, kCardBackWidth));
    fnApplyCardSize();
    fnLayoutTable();
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    presentation().fnDrawTable(Surface::BackBuffer, false);
    presentation().fnFlipBackBuffer();
    presentation().UpdateMainWindow();
}

void OptionsDialog::RestoreSavedAppearance() {
    for (std::size_t i = 0; i < kSavedFields.size(); ++i)
        fnWriteSettingsField(kSavedFields[i].position, kSavedFields[i].width, saved_[i]);
}

void OptionsDialog::FormClose() {
    {
        platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
        hide();
        presentation().UpdateMainWindow();
        if (cancelled_)
            RestoreSavedAppearance();
        ApplyAppearance();
    }
    presentation().DrawSelection(Surface::BackBuffer, false);
    presentation().DrawSelection(Surface::Window, true);
}

} // namespace

bool ShowOptionsDialog(QWidget* parent, OptionsHost& host) {
    std::optional<OptionsDialog> dialog;
    {
        platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
        dialog.emplace(parent, host);
    }
    dialog->FormShow();
    dialog->showModal();
    dialog->FormClose();
    return !dialog->cancelled();
}

} // namespace solitaire
