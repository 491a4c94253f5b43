// The chooser, the main window's bars and panels, its commands, links, help pages and boxes.

#include "program_fixture.h"

#include "solitaire/app/boxes.h"
#include "solitaire/app/links.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/game_definition.h"

#include "platform/files/paths.h"
#include "platform/shell/help.h"

#include <QMenu>
#include <QTest>
#include <QTreeWidgetItemIterator>

namespace solitaire::testing {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;

class WindowsTest : public ProgramTest {
protected:
    void SetUp() override { start(); }
    TfrmOpenGame& chooser() { return *main_->gameChooser(); }
    // Shows the chooser; `work` runs while it is open.
    void withChooser(const std::function<void(TfrmOpenGame&)>& work) {
        answerDialogs([&](Dialog& dialog) {
            if (auto* open = dynamic_cast<TfrmOpenGame*>(&dialog))
                work(*open);
            return ModalResult::Cancel;
        });
        main_->OpenGame();
        answerDialogs(cancel);
    }
    std::vector<std::string> openedLinks() const {
        std::vector<std::string> targets;
        for (const auto& request : links_.requests())
            targets.push_back(request.target);
        return targets;
    }
};

// The description's texts, from the game matrix rows read straight from GAMES.DAT.
struct ExpectedDescription {
    std::string decks, gameTime, difficulty, chance, redeals;
};
ExpectedDescription expectedDescription(int game) {
    const GameParameters rows = {340, 341, 343, 344, 345, 13, 265, -1, -1};
    const GameParameters v = fnReadGameParameters(game, rows);
    const char* const times[] = {"Long", "Medium", "Quick"};
    const char* const difficulties[] = {"Easy", "Medium", "Hard"};
    const char* const chances[] = {"Very high", "High", "Medium", "Low", "Very low"};
    ExpectedDescription e;
    e.decks = std::to_string(v[6] / 52);
    e.gameTime = times[v[0]];
    e.difficulty = difficulties[v[1]];
    e.chance = chances[v[2]];
    if (v[4] != 0)
        e.chance += " (about " + std::to_string(v[3]) + " in " + std::to_string(v[4]) + ")";
    e.redeals = v[5] == -1 ? "Unlimited" : std::to_string(std::max(v[5] - 1, 0));
    return e;
}

TEST_F(WindowsTest, ChooserDescribesAndStartsEveryGameOfTheCatalogue) {
    ASSERT_FALSE(sharedObjects.GameList.empty());
    for (const std::string& line : sharedObjects.GameList) {
        const int id = std::stoi(line.substr(4, 3));
        const std::string name = fnTrimRight(line.substr(10));
        SCOPED_TRACE(name);
        withChooser([&](TfrmOpenGame& open) {
            const auto found = open.trvGames->findItems(QString::fromStdString(name),
                                                        Qt::MatchExactly | Qt::MatchRecursive);
            ASSERT_EQ(found.size(), 1);
            open.trvGames->setCurrentItem(found.front());
            const ExpectedDescription e = expectedDescription(id);
            EXPECT_EQ(open.lblGameName->text().toStdString(), name);
            EXPECT_EQ(open.lblDeck->text().toStdString(), e.decks);
            EXPECT_EQ(open.lblGameTime->text().toStdString(), e.gameTime);
            EXPECT_EQ(open.lblDiffRules->text().toStdString(), e.difficulty);
            EXPECT_EQ(open.lblDiffWin->text().toStdString(), e.chance);
            EXPECT_EQ(open.lblRedeal->text().toStdString(), e.redeals);
            EXPECT_FALSE(open.imgDifficult->pixmap().isNull());
            EXPECT_TRUE(open.pnlDescGame->isVisible());
            EXPECT_TRUE(open.btnOK->isEnabled());
            QTest::mouseClick(open.btnOK, Qt::LeftButton);
        });
        EXPECT_EQ(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth), std::to_string(id));
        EXPECT_EQ(fnReadSettingsField(kGameNamePosition, kGameNameWidth), name);
        EXPECT_TRUE(mainWindow.GameRunning);
        EXPECT_EQ(gameDefinition[kTableauCountWord] > 0, true) << "the game was set up";
        const platform::files::IniFile cfg = folder_.preferences();
        EXPECT_EQ(cfg.readInteger("Preference", "Game", -1), id);
        EXPECT_EQ(cfg.readString("Preference", "Game_Name", ""), name);
        EXPECT_EQ(cfg.readInteger("Preference", "Game_TreeNum", 0), kAllGamesNode);
        EXPECT_EQ(cfg.readString("Preference", "Open_Preview_Game", ""), "Y");
    }
}

TEST_F(WindowsTest, ChooserListsTheGamesAlphabeticallyUnderOneGroup) {
    withChooser([](TfrmOpenGame& open) {
        ASSERT_EQ(open.trvGames->topLevelItemCount(), 1);
        QTreeWidgetItem* group = open.trvGames->topLevelItem(0);
        EXPECT_EQ(group->text(0).toStdString(), "All games (alphabetically)");
        std::vector<std::string> names;
        for (int i = 0; i < group->childCount(); ++i)
            names.push_back(group->child(i)->text(0).toStdString());
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
        EXPECT_EQ(names.size(), sharedObjects.GameList.size());
        EXPECT_EQ(open.trvGames->currentItem()->text(0).toStdString(), "FreeCell")
            << "the remembered group opens on the current game";
    });
}

TEST_F(WindowsTest, ChooserRefusesAGroupForOkAndRules) {
    withChooser([](TfrmOpenGame& open) {
        open.trvGames->setCurrentItem(open.trvGames->topLevelItem(0));
        EXPECT_FALSE(open.btnOK->isEnabled());
        open.btnOKClick();
        open.btnRulesClick();
        EXPECT_TRUE(open.isVisible()) << "the chooser stays open";
    });
    ASSERT_EQ(boxes_.shown().size(), 2u);
    EXPECT_EQ(boxes_.shown()[0].text, "Open a game");
    EXPECT_EQ(boxes_.shown()[1].text, "Select a game");
}

TEST_F(WindowsTest, ChooserRulesOpenTheGamesRulesPage) {
    withChooser([](TfrmOpenGame& open) {
        open.trvGames->setCurrentItem(
            open.trvGames->findItems("Klondike", Qt::MatchExactly | Qt::MatchRecursive).front());
        QTest::mouseClick(open.btnRules, Qt::LeftButton);
    });
    EXPECT_EQ(platform::shell::shownHelpPage(), platform::files::resolvePath(HelpPagePath(3002)));
}

TEST_F(WindowsTest, PreviewIsDrawnOnlyWhileItsCheckBoxIsTicked) {
    folder_.preferences().writeString("Preference", "Open_Preview_Game", "N");
    TfrmOpenGame fresh(main_);
    EXPECT_FALSE(fresh.chkPreview->isChecked());
    answerDialogs([](Dialog& dialog) {
        auto& open = dynamic_cast<TfrmOpenGame&>(dialog);
        open.trvGames->setCurrentItem(
            open.trvGames->findItems("FreeCell", Qt::MatchExactly | Qt::MatchRecursive).front());
        EXPECT_TRUE(open.imgGame->pixmap().isNull()) << "no preview drawn";
        open.chkPreview->setChecked(true);
        EXPECT_FALSE(open.imgGame->pixmap().isNull());
        EXPECT_EQ(open.previewArea().pixel(0, 0), 0x008000u) << "over the gradient's top";
        return ModalResult::Cancel;
    });
    fresh.showModal();
}

TEST_F(WindowsTest, ResourceLibraryHoldsAPreviewOfEveryGame) {
    for (const std::string& line : sharedObjects.GameList) {
        const int id = std::stoi(line.substr(4, 3));
        const platform::gdi::Bitmap preview =
            platform::resources::loadBitmap(ResourceLibraryHandle, PreviewPictureName(id));
        ASSERT_FALSE(preview.isEmpty()) << line;
        EXPECT_LE(preview.width(), 300);
        EXPECT_LE(preview.height(), 185);
        // The table is drawn: far more than the flat colour the chooser leaves out.
        const platform::gdi::Color key = preview.pixel(0, 0);
        int drawn = 0;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x)
                drawn += preview.pixel(x, y) != key;
        EXPECT_GT(drawn, preview.width() * preview.height() / 10) << line;
    }
}

TEST(GameDescriptionTest, PreviewPicturesAreNamedByFourDigits) {
    EXPECT_EQ(PreviewPictureName(7), "GAME0007");
    EXPECT_EQ(PreviewPictureName(123), "GAME0123");
}

TEST_F(WindowsTest, SmallIconsAreRememberedAndMakeThePanelsLower) {
    main_->SetToolbarLarge(true, true);
    EXPECT_EQ(main_->pnlTempo->height(), 24);
    EXPECT_TRUE(main_->pnlTB->isVisible());
    main_->SetToolbarLarge(false, true);
    EXPECT_EQ(main_->pnlTempo->height(), 20);
    EXPECT_EQ(main_->pnlScore->height(), 20);
    EXPECT_FALSE(main_->pnlTB->isVisible());
    EXPECT_TRUE(main_->pnlTB1->isVisible());
    EXPECT_TRUE(main_->popSmallIcons->isChecked());
    EXPECT_EQ(folder_.preferences().readString("Preference", "ToolBar_Large", ""), "N");
}

TEST_F(WindowsTest, HidingTheClockOffersItAgainAndMovesTheScoreRight) {
    main_->SetShowTime(false, true);
    EXPECT_FALSE(main_->pnlTempo->isVisible());
    EXPECT_TRUE(main_->popShowTime->isEnabled());
    EXPECT_EQ(main_->pnlScore->x(), main_->width() - main_->pnlScore->width() - 15);
    EXPECT_EQ(folder_.preferences().readString("Preference", "Show_Time", ""), "N");
    main_->SetShowTime(true, true);
    EXPECT_TRUE(main_->pnlTempo->isVisible());
    EXPECT_FALSE(main_->popShowTime->isEnabled());
    EXPECT_LT(main_->pnlScore->x(), main_->pnlTempo->x());
}

TEST_F(WindowsTest, PanelsThatWouldCoverTheButtonsStayHidden) {
    main_->showNormal();
    main_->resize(200, 300); // the clock would reach over the Exit button
    main_->LayoutStatusPanels();
    EXPECT_FALSE(main_->pnlTempo->isVisible());
    EXPECT_FALSE(main_->pnlScore->isVisible());
    EXPECT_EQ(fnReadSettingsField(kShowTimePosition, 1), "Y") << "the preference is untouched";
}

TEST_F(WindowsTest, FlatButtonsAreCheckedAndRemembered) {
    main_->SetToolbarFlat(false, true);
    EXPECT_TRUE(main_->popNoFlatButton->isChecked());
    EXPECT_FALSE(main_->popFlatButton->isChecked());
    EXPECT_FALSE(main_->largeSeparators[0]->isVisible());
    EXPECT_EQ(main_->pnlTB1->height(), 25);
    EXPECT_EQ(folder_.preferences().readString("Preference", "ToolBar_Flat", ""), "N");
}

TEST_F(WindowsTest, UpdatePageOpensTheDownloadPageOnlyOnOk) {
    boxes_.answer(platform::app::Answer::Cancel);
    main_->UpdatePage();
    EXPECT_TRUE(openedLinks().empty());
    main_->UpdatePage();
    EXPECT_EQ(openedLinks(), std::vector<std::string>{kDownloadPageAddress});
    EXPECT_EQ(boxes_.shown()[0].text,
              "Brindlewood will now open the download page from our Web site.\rClick OK to continue.");
}

TEST_F(WindowsTest, HelpPagesExistForEveryTopicAndEveryGame) {
    for (int context : {1000, 1019, 2005, 4004, 4007, 4011, 4012, 4013, 4014, 4015, 4017, 4021})
        EXPECT_TRUE(platform::files::fileExists(HelpPagePath(context))) << context;
    for (const std::string& line : sharedObjects.GameList)
        EXPECT_TRUE(platform::files::fileExists(HelpPagePath(3000 + std::stoi(line.substr(4, 3))))) << line;
    main_->HelpContents();
    EXPECT_EQ(platform::shell::shownHelpPage(),
              platform::files::resolvePath(fnProgramFilePath("help\\index.html")));
    EXPECT_TRUE(fs::exists(platform::shell::shownHelpPage()));
}

// F1 on a highlighted menu item opens that item's topic; F1 elsewhere stays the Rules command.
TEST_F(WindowsTest, F1OnAHighlightedMenuItemOpensItsTopic) {
    const std::pair<QAction*, int> items[] = {
        {main_->mnuNew, 4014}, {main_->mnuExit, 4004}, {main_->mnuAbout, 4011},
        {main_->mnuNewsletter, 4017}};
    for (const auto& [item, context] : items) {
        QMenu* menu = qobject_cast<QMenu*>(item->parent());
        ASSERT_NE(menu, nullptr);
        menu->popup({0, 0});
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_F1);
        EXPECT_EQ(platform::shell::shownHelpPage(),
                  platform::files::resolvePath(HelpPagePath(context)))
            << item->objectName().toStdString();
        menu->hide();
    }
}

TEST_F(WindowsTest, RulesOfCustomizedGamesOpenNothing) {
    ShowRulesHelp(8000);
    EXPECT_EQ(platform::shell::shownHelpPage(), "");
    ShowRulesHelp(1);
    EXPECT_EQ(platform::shell::shownHelpPage(), platform::files::resolvePath(HelpPagePath(3001)));
    EXPECT_EQ(HelpFile, fnProgramFilePath("pellmoor.hlp>proc")) << "the help file is put back";
}

TEST_F(WindowsTest, CaptionNamesTheGameAndItsNumber) {
    fnWriteSettingsField(kGameNamePosition, kGameNameWidth, "FreeCell");
    fnWriteSettingsField(kGameNumberPosition, kGameNumberWidth, "0000000012345");
    EXPECT_EQ(CaptionText(), "Brindlewood [FreeCell]  [0000000012345]");
    fnWriteSettingsField(kGameNumberPosition, kGameNumberWidth, "");
    EXPECT_EQ(CaptionText(), "Brindlewood [FreeCell]");
}

struct LinkCase {
    const char* kind;
    const char* target;
    const char* opened; // nullptr: refused
};

class LinkTest : public WindowsTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTest, KindDecidesWhatIsOpened) {
    const LinkCase& c = GetParam();
    EXPECT_EQ(OpenLink(c.kind, c.target), c.opened != nullptr);
    if (c.opened) {
        EXPECT_EQ(openedLinks(), std::vector<std::string>{c.opened});
    } else {
        EXPECT_TRUE(links_.requests().empty());
        ASSERT_EQ(boxes_.shown().size(), 1u);
        EXPECT_EQ(boxes_.shown()[0].text, "Error in parameters");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LinkTest,
    ::testing::Values(LinkCase{"EMAIL", "info@example.com", "mailto:info@example.com"},
                      LinkCase{"email", "a@example.com", "mailto:a@example.com"},
                      LinkCase{"HTTP", "www.example.com", "http://www.example.com"},
                      LinkCase{"Http", "https://example.com/x", "https://example.com/x"},
                      LinkCase{"HTTP", "http://example.com", "http://example.com"},
                      LinkCase{"FTP", "example.com", nullptr}));

TEST(OpenLinkFailureTest, ShellFailureIsOnlyFalse) {
    platform::shell::OpenRecorder failing(platform::shell::kNoAssociation);
    platform::app::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(OpenLink("HTTP", "example.com"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(CategoryTreeTest, NamesTheKnownCategoriesAndReportsOthers) {
    platform::app::ScriptedMessageBoxes boxes;
    EXPECT_EQ(fnCategoryTreeName(4), "TREE5_FREECELL_TYPE");
    EXPECT_EQ(fnCategoryTreeName(800), "TREE5_CUSTOMIZED_GAMES");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(fnCategoryTreeName(14), "");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "GameCategory not found (14)");
}

TEST_F(WindowsTest, AdviceSwitchedOffStaysOff) {
    answerDialogs([](Dialog& dialog) {
        auto& advice = dynamic_cast<TfrmMsgAdvice&>(dialog);
        EXPECT_EQ(advice.lblMessage->text().toStdString(), "text");
        EXPECT_EQ(advice.chkNotDisplay->text().toStdString(), "&Don't show this message box again");
        advice.chkNotDisplay->setChecked(true);
        return ModalResult::Ok;
    });
    const int before = dialogsShown();
    ShowAdvice(main_, "text", "Screen_Under_256_Colors", 0);
    EXPECT_EQ(folder_.preferences().readString("Show_Messages", "Screen_Under_256_Colors", ""), "N");
    ShowAdvice(main_, "text", "Screen_Under_256_Colors", 0);
    EXPECT_EQ(dialogsShown(), before + 1);
}

TEST_F(WindowsTest, NewsletterSignUpWantsThreeCharactersAndMailsTheSubject) {
    answerDialogs([](Dialog& dialog) {
        if (auto* invitation = dynamic_cast<TfrmNews*>(&dialog)) {
            EXPECT_FALSE(invitation->chkNotDisplay->isVisible()) << "not from the menu";
            EXPECT_NE(invitation->lblDesc1->text().indexOf("Brindlewood"), -1);
            QTest::mouseClick(invitation->btnSend, Qt::LeftButton);
            return ModalResult::Ok;
        }
        auto& signUp = dynamic_cast<TfrmNews2&>(dialog);
        signUp.edtWhere->setText("ab");
        QTest::mouseClick(signUp.btnOK, Qt::LeftButton);
        EXPECT_TRUE(signUp.isVisible()) << "two characters are refused";
        signUp.edtWhere->setText("ab ");
        QTest::mouseClick(signUp.btnOK, Qt::LeftButton);
        return ModalResult::Ok;
    });
    main_->Newsletter();
    ASSERT_FALSE(boxes_.shown().empty());
    EXPECT_EQ(boxes_.shown()[0].text, "Please enter at least 3 characters.");
    EXPECT_EQ(openedLinks(),
              std::vector<std::string>{std::string("mailto:") + kNewsletterMailAddress +
                                       "?subject=News (ab)"});
}

TEST_F(WindowsTest, AboutBoxPlaysItsSoundAndOpensItsAddresses) {
    sounds_.clear();
    answerDialogs([](Dialog& dialog) {
        auto& about = dynamic_cast<TfrmAbout&>(dialog);
        EXPECT_EQ(about.windowTitle().toStdString(), "About Brindlewood");
        about.lblMailSupport->click();
        about.lblWeb->click();
        return ModalResult::Ok;
    });
    main_->About();
    EXPECT_EQ(openedLinks(), (std::vector<std::string>{std::string("mailto:") + kSupportMailAddress,
                                                       kWebSiteAddress}));
    ASSERT_EQ(sounds_.played().size(), 1u);
    EXPECT_NE(sounds_.played()[0].find("About.wav"), std::string::npos);
}

} // namespace
} // namespace solitaire::testing
