#pragma once
// The program's four modal dialogs: game options, the opponent editor, the network dialog and
// the help box. Each is created once at start and shown when needed.

#include "platform/forms/form.h"

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace fourinrow {
class gameClass;
struct OpponentSettings;
} // namespace fourinrow

namespace fourinrow::app {

class TfKolvan32;
class TFAdvanced;
class TrackBar;

class TfOptions : public platform::forms::Dialog {
public:
    explicit TfOptions(TfKolvan32& main);
    void SetEditor(TFAdvanced& editor) { editor_ = &editor; }

    // Fills the controls from the game, shows the dialog and applies it on OK; true on OK.
    bool ShowOptions();
    void FillOpponentList();
    void CBOpponentsChange();
    void BnAdvancedClick();

    QRadioButton* RGPlayersOne = nullptr;
    QRadioButton* RGPlayersTwo = nullptr;
    QComboBox* CBOpponents = nullptr;
    TrackBar* TBLevel = nullptr;
    QCheckBox* CBRandom = nullptr;
    QCheckBox* CBMinimize = nullptr;
    QCheckBox* CBProgress = nullptr;
    QPushButton* BnAdvanced = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TfKolvan32& main_;
    TFAdvanced* editor_ = nullptr;
};

class TFAdvanced : public platform::forms::Dialog {
public:
    TFAdvanced(gameClass& game, TfOptions& options);

    void ShowOpponentSettings();
    void BnSaveClick();
    void BnRestoreClick();

    QComboBox* CBOpponents = nullptr;
    QLineEdit* EOppName = nullptr;
    std::array<QComboBox*, 3> CBOff{};
    std::array<QComboBox*, 3> CBDef{};
    QSlider* TBPrecision = nullptr;
    QPushButton* BnSave = nullptr;
    QPushButton* BnRestore = nullptr;
    QPushButton* BBOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int ChosenOpponent() const;
    void ShowSettings(const OpponentSettings& settings);

    gameClass& game_;
    TfOptions& options_;
};

class TfNetwork : public platform::forms::Dialog {
public:
    TfNetwork();

    QRadioButton* RGWait = nullptr;
    QRadioButton* RGConnect = nullptr;
    QLineEdit* eName = nullptr;
    QLineEdit* eOppIP = nullptr;
    QLineEdit* ePort = nullptr;
    QLabel* Lip = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

class TfAbout : public platform::forms::Dialog {
public:
    // Shows itself at once on the program's first run.
    explicit TfAbout(gameClass& game);

    static constexpr const char* kMailLink = "mailto:kolvan32@example.org";
    static constexpr const char* kWebLink = "http://www.example.org/kolvan32/";

    void LemailClick();
    void LHttpClick();
    static void OpenObject(const std::string& link);

    QTabWidget* Pages = nullptr;
    QPushButton* BBOk = nullptr;
};

} // namespace fourinrow::app
