#pragma once
// The Customize dialog: tool bar, status panels, confirmations and animation switches, the
// card back, the table background and the master sound switch, with live samples. OK writes
// the choices to the preferences file and the settings record and redraws the table; Cancel
// or the close box puts the settings record back as it was when the dialog opened (the table
// is redrawn either way).
//
// Controls carry the form's names, so callers and tests reach them with findChild:
// TabbedNotebook1 (pages "&General", "&Decks  ", "&Backgrounds", "&Sounds"), chkTBLargeIcons,
// chkTBFlatBtn, chkShowTime, chkShowScore, chkWinningAnimation, chkConfirmQuitGame,
// chkConfirmOnExit, trvCardBack, lblDecks, imgSfondoEsempio2 with imgDorsoEsempio on it,
// trvBackGround, lblBackGround, imgSfondoEsempio, chkFadeBackground, chkSoundsEnabled,
// btnOK, btnAnnulla, btnAiuto.

class QWidget;

namespace solitaire {

// What the dialog asks of the main window beyond the engine's presentation seam: the tool
// bar and status panel switches, which it applies without saving (the dialog writes the
// preferences itself).
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    virtual void SetToolbarLarge(bool large, bool save) = 0;
    virtual void SetToolbarFlat(bool flat, bool save) = 0;
    virtual void SetShowTime(bool show, bool persist) = 0;
    virtual void SetShowScore(bool show, bool persist) = 0;
};

// The help topic of the dialog.
inline constexpr int kOptionsHelpContext = 1019;

// The options command: shows the dialog modally (through platform::forms::Dialog, so a
// Dialog::Script answers it in tests) and applies the outcome. True when closed with OK.
bool ShowOptionsDialog(QWidget* parent, OptionsHost& host);

} // namespace solitaire
