// The chooser, the main window's bars and panels, its commands, links, help pages and boxes.

#include "program_fixture.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/boxes.h"
#include "solitaire/app/links.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/widgets.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/game_definition.h"

#include "platform/app/locale.h"
#include "platform/app/random.h"
#include "platform/files/paths.h"
#include "platform/shell/help.h"

#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>

#include <fstream>
#include <iterator>

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
    // What the main window shows of one of its tool buttons (0 New .. 4 Exit).
    QToolButton* smallButton(int index) const { return main_->smallButtons[index]; }
    std::vector<std::string> openedLinks() const {
        std::vector<std::string> targets;
        for (const auto& request : links_.requests())
            targets.push_back(request.target);
        return targets;
    }
};

// The picture an icon shows in that mode, and a resource picture, as comparable images.
QImage shownImage(const QIcon& icon, QIcon::Mode mode = QIcon::Normal) {
    const QList<QSize> sizes = icon.availableSizes(mode);
    return sizes.isEmpty() ? QImage()
                           : icon.pixmap(sizes.front(), mode).toImage().convertToFormat(QImage::Format_RGB32);
}
QImage resourceImage(const std::string& name, bool masked = false) {
    return (masked ? maskedResourcePixmap(name) : resourcePixmap(name))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The description's texts, from the game matrix rows read straight from GAMES.DAT.
struct ExpectedDescription {
    std::string decks, gameTime, difficulty, chance;
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
            EXPECT_FALSE(open.imgDifficult->pixmap().isNull());
            EXPECT_TRUE(open.pnlDescGame->isVisible());
            EXPECT_TRUE(open.btnOK->isEnabled());
            QTest::mouseClick(open.btnOK, Qt::LeftButton);
        });
        EXPECT_EQ(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth), std::to_string(id));
        EXPECT_EQ(fnReadSettingsField(kGameNamePosition, kGameNameWidth), name);
        EXPECT_TRUE(mainWindow.GameRunning);
        // Some games have no tableau (Sultan, Hit or Miss), every game has cards in play.
        EXPECT_GT(gameDefinition[kCardsInPlayWord], 0) << "the game was set up";
        const platform::files::IniFile cfg = folder_.preferences();
        EXPECT_EQ(cfg.readInteger("Preference", "Game", -1), id);
        EXPECT_EQ(cfg.readString("Preference", "Game_Name", ""), name);
        EXPECT_EQ(cfg.readInteger("Preference", "Game_TreeNum", 0), kAllGamesNode);
        EXPECT_EQ(cfg.readString("Preference", "Open_Preview_Game", ""), "Y");
    }
}

// The stock of the running game clicked through with autoplay off, so that the turned cards
// stay on the waste: how many times the waste came back into the stock, up to kCountedRedeals
// ("Unlimited" once that many came).
std::string redealsTheStockGives(TfrmMain& main) {
    constexpr int kCountedRedeals = 20;
    if (mainWindow.AutoPlayChecked)
        main.mnuAutoPlay->trigger();
    if (!isPresentCoordinate(fnStockPileX(0)) || !isPresentCoordinate(fnStockPileY(0)))
        return "0";
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2 - mainWindow.ScrollBarPosition);
    const std::string& stockCards = sharedObjects.MazzoPiles[kStockLine];
    const std::string& wasteCards = sharedObjects.MazzoPiles[kWasteLine];
    int redeals = 0;
    while (redeals < kCountedRedeals && mainWindow.GameRunning) {
        const std::string stockBefore = stockCards, wasteBefore = wasteCards;
        QTest::mouseClick(&main, Qt::LeftButton, {}, stock);
        if (stockCards == stockBefore && wasteCards == wasteBefore)
            break; // the stock gives nothing more
        redeals += stockBefore.empty() && !stockCards.empty() ? 1 : 0;
    }
    return redeals == kCountedRedeals ? "Unlimited" : std::to_string(redeals);
}

// The chooser's "Redeals:" row of every game is the number of times its stock comes back.
TEST_F(WindowsTest, ChooserShowsTheRedealsEachGameGives) {
    for (const std::string& line : sharedObjects.GameList) {
        const std::string name = fnTrimRight(line.substr(10));
        SCOPED_TRACE(name);
        std::string shown;
        withChooser([&](TfrmOpenGame& open) {
            open.trvGames->setCurrentItem(
                open.trvGames->findItems(QString::fromStdString(name),
                                         Qt::MatchExactly | Qt::MatchRecursive)
                    .front());
            shown = open.lblRedeal->text().toStdString();
            QTest::mouseClick(open.btnOK, Qt::LeftButton);
        });
        ASSERT_TRUE(mainWindow.GameRunning);
        EXPECT_EQ(shown, redealsTheStockGives(*main_));
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

TEST_F(WindowsTest, ChooserGroupShowsItsClosedAndOpenPicturesAndF1ItsHelp) {
    withChooser([](TfrmOpenGame& open) {
        const QIcon group = open.trvGames->topLevelItem(0)->icon(0);
        EXPECT_EQ(shownImage(group), resourceImage("TREE1", true));
        EXPECT_EQ(shownImage(group, QIcon::Selected), resourceImage("TREE2", true));
        QTest::keyClick(open.trvGames, Qt::Key_F1);
    });
    EXPECT_EQ(platform::shell::shownHelpPage(),
              platform::files::resolvePath(HelpPagePath(kChooserHelpContext)));
}

TEST_F(WindowsTest, ChooserSplitterGivesTheTreeOrTheDescriptionMoreRoom) {
    withChooser([](TfrmOpenGame& open) {
        auto* splitter = open.findChild<QSplitter*>("Splitter1");
        ASSERT_NE(splitter, nullptr);
        ASSERT_EQ(splitter->count(), 2);
        EXPECT_TRUE(splitter->widget(0)->isAncestorOf(open.trvGames));
        EXPECT_EQ(splitter->widget(1)->objectName().toStdString(), "ScrollBox1");
        const int treeWidth = open.trvGames->width();
        splitter->setSizes({treeWidth + 60, splitter->sizes()[1] - 60});
        EXPECT_EQ(open.trvGames->width(), treeWidth + 60);
        EXPECT_TRUE(splitter->widget(1)->isAncestorOf(open.pnlDescGame));
    });
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
        // The table is drawn: more than the flat colour the chooser leaves out, also for
        // the sparest tables (a stock, a waste and one pile cover about a twentieth).
        const platform::gdi::Color key = preview.pixel(0, 0);
        int drawn = 0;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x)
                drawn += preview.pixel(x, y) != key;
        EXPECT_GT(drawn, preview.width() * preview.height() / 40) << line;
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
    // The panels sit at half the bar's spare height, two pixels lower.
    EXPECT_EQ(main_->pnlTempo->y(), main_->pnlTB->y() + (46 - 24) / 2 + 2);
    EXPECT_EQ(main_->pnlScore->y(), main_->pnlTempo->y());
    main_->SetToolbarLarge(false, true);
    EXPECT_EQ(main_->pnlTempo->height(), 20);
    EXPECT_EQ(main_->pnlScore->height(), 20);
    EXPECT_EQ(main_->pnlTempo->y(), main_->pnlTB1->y() + (24 - 20) / 2 + 2);
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
    EXPECT_EQ(boxes_.shown()[0].helpContext, 4021);
}

TEST_F(WindowsTest, MenuItemsShowTheirPictures) {
    const std::pair<QAction*, const char*> items[] = {{main_->mnuNew, "TB_NEW"},
                                                      {main_->mnuOpen, "TB_OPEN"},
                                                      {main_->mnuExit, "TB_EXIT"},
                                                      {main_->mnuAutoPlay, "TB_AUTOPLAY"},
                                                      {main_->mnuRules, "TB_RULES"}};
    for (const auto& [item, picture] : items) {
        const QImage expected = resourceImage(picture);
        ASSERT_FALSE(expected.isNull()) << picture;
        EXPECT_EQ(shownImage(item->icon()), expected) << item->objectName().toStdString();
    }
    EXPECT_TRUE(main_->mnuCustomize->icon().isNull()) << "an item without a picture";
}

// The small bar's autoplay button shows the glyph chosen with its enabling: the disabled one
// while no game is chosen, the normal one once a game with automatic play is set up.
TEST_F(WindowsTest, AutoplayGlyphFollowsItsEnabling) {
    fnWriteSettingsField(kSelectedGamePosition, kSelectedGameWidth, "-1");
    withChooser([](TfrmOpenGame&) {}); // closed with no game chosen: the game commands go off
    EXPECT_FALSE(smallButton(2)->isEnabled());
    EXPECT_EQ(shownImage(smallButton(2)->icon()), resourceImage("TB_AUTOPLAY_DIS"));
    answerDialogs(chooseGame("FreeCell"));
    main_->OpenGame();
    EXPECT_TRUE(smallButton(2)->isEnabled());
    EXPECT_EQ(shownImage(smallButton(2)->icon()), resourceImage("TB_AUTOPLAY"));
}

// Switching Autoplay on plays what it can and then fills the empty tableau piles, also when
// the first pass moved nothing.
TEST_F(WindowsTest, AutoplayCommandFillsEmptyTableauPilesEvenWhenNothingWentHome) {
    answerDialogs(chooseGame("Klondike"));
    main_->OpenGame();
    if (mainWindow.AutoPlayChecked)
        main_->mnuAutoPlay->trigger();
    auto topIsAce = [](const std::string& pile) {
        return pile.size() >= 3 && CardRank(std::stoi(pile.substr(pile.size() - 3))) == 1;
    };
    bool noAceOnTop = false;
    for (std::uint32_t seed = 1; seed < 100 && !noAceOnTop; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
        noAceOnTop = std::ranges::none_of(sharedObjects.FilaPiles, topIsAce);
    }
    ASSERT_TRUE(noAceOnTop);
    // The first pile's one card goes onto the stock; the game fills empty piles from there.
    std::string& first = sharedObjects.FilaPiles[0];
    ASSERT_EQ(first.size(), 3u);
    sharedObjects.MazzoPiles[kStockLine] += first;
    const std::string card = first;
    first.clear();
    gameDefinition[kTableauFillWord] = 3;
    main_->mnuAutoPlay->trigger();
    EXPECT_TRUE(mainWindow.AutoPlayChecked);
    EXPECT_EQ(sharedObjects.FilaPiles[0], card) << "the empty pile was filled from the stock";
}

TEST_F(WindowsTest, HelpPagesExistForEveryTopicAndEveryGame) {
    for (int context : {1000, 1019, 2005, 4004, 4007, 4011, 4012, 4013, 4014, 4015, 4017, 4021})
        EXPECT_TRUE(platform::files::fileExists(HelpPagePath(context))) << context;
    // The Rules topic lists every offered game with a link to its page.
    std::ifstream rulesIndex(platform::files::resolvePath(HelpPagePath(4013)));
    const std::string rules((std::istreambuf_iterator<char>(rulesIndex)),
                            std::istreambuf_iterator<char>());
    for (const std::string& line : sharedObjects.GameList) {
        const int page = 3000 + std::stoi(line.substr(4, 3));
        EXPECT_TRUE(platform::files::fileExists(HelpPagePath(page))) << line;
        EXPECT_NE(rules.find("href=\"" + std::to_string(page) + ".html\""), std::string::npos)
            << "the Rules topic has no link to " << line;
    }
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

// The chooser, Customize, the advice and the about box open centred on the screen, wherever
// the main window is; each is shown twice (the first time its frame is not known yet).
TEST_F(WindowsTest, DialogsOpenCentredOnTheScreen) {
    main_->showNormal();
    main_->setFrameGeometry(10, 20, 500, 400);
    QCoreApplication::processEvents();
    std::vector<std::string> centred, elsewhere;
    answerDialogs([&](Dialog& dialog) {
        const QPoint centre = dialog.frameGeometry().center();
        const bool onScreenCentre = std::abs(centre.x() - kScreenWidth / 2) <= 3 &&
                                    std::abs(centre.y() - kScreenHeight / 2) <= 3;
        (onScreenCentre ? centred : elsewhere).push_back(dialog.objectName().toStdString());
        return ModalResult::Cancel;
    });
    for (int showing = 0; showing < 2; ++showing) {
        main_->OpenGame();
        main_->Customize();
        main_->About();
        ShowAdvice(main_, "text", "Screen_Under_256_Colors", 0);
    }
    EXPECT_EQ(centred, (std::vector<std::string>{"frmOpenGame", "TfrmCustomize_Zevodadu",
                                                 "frmAbout", "frmMsgAdvice", "frmOpenGame",
                                                 "TfrmCustomize_Zevodadu", "frmAbout",
                                                 "frmMsgAdvice"}));
    EXPECT_TRUE(elsewhere.empty()) << elsewhere.front();
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

// The sign-up box belongs to the hidden invitation: going, it has the main window repainted.
TEST_F(WindowsTest, NewsletterSignUpRepaintsTheMainWindowWhenItGoes) {
    bool repainted = false;
    answerDialogs([&](Dialog& dialog) {
        if (auto* invitation = dynamic_cast<TfrmNews*>(&dialog)) {
            QTest::mouseClick(invitation->btnSend, Qt::LeftButton);
            return ModalResult::Ok;
        }
        auto& signUp = dynamic_cast<TfrmNews2&>(dialog);
        platform::gdi::Bitmap& window = main_->frontBuffer();
        const platform::gdi::Color table = sharedObjects.BackBuffer.pixel(40, 200);
        window.setPixel(40, 200, table ^ 0xFFFFFF); // drawn over, as a box leaves the table
        signUp.edtWhere->setText("abc");
        QTest::mouseClick(signUp.btnOK, Qt::LeftButton);
        repainted = window.pixel(40, 200) == table;
        return ModalResult::Ok;
    });
    main_->Newsletter();
    EXPECT_TRUE(repainted);
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

// The about box in its own modal loop: each time it becomes the active window again it plays
// its sound; F1 opens its help page.
TEST_F(WindowsTest, AboutBoxPlaysItsSoundOnEveryActivationAndF1OpensItsHelp) {
    script_.reset();
    sounds_.clear();
    QTimer::singleShot(0, [] {
        auto* about = dynamic_cast<TfrmAbout*>(QApplication::activeModalWidget());
        if (!about) {
            ADD_FAILURE() << "no about box";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        QWidget elsewhere(about, Qt::Window);
        elsewhere.show();
        elsewhere.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
        elsewhere.hide();
        about->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about->btnOK, Qt::Key_F1);
        about->btnOK->click();
    });
    main_->About();
    const auto& played = sounds_.played();
    EXPECT_EQ(std::ranges::count_if(played,
                                    [](const std::string& name) {
                                        return name.find("About.wav") != std::string::npos;
                                    }),
              2);
    EXPECT_EQ(platform::shell::shownHelpPage(),
              platform::files::resolvePath(HelpPagePath(kAboutHelpContext)));
}

// Its sound, played on activation, is checked with the box in its own modal loop above.
TEST_F(WindowsTest, AboutBoxOpensItsAddresses) {
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
}

TEST_F(ProgramTest, TheClockShowsTheLocalesTimeSeparator) {
    const platform::app::TestTimeSeparator dot('.');
    start();
    EXPECT_EQ(main_->lblTempo->text().toStdString(), "0.00.00");
    answerDialogs(chooseGame("FreeCell"));
    main_->OpenGame();
    clock_->advance(3723 * 1000);
    main_->Timer1Timer();
    EXPECT_EQ(main_->lblTempo->text().toStdString(), "1.02.03");
    EXPECT_EQ(fnElapsedSeconds(), 3723);
}

// The chooser's closing check (no game selected: the game commands go off) looks at the game
// chosen by OK, so choosing the first game never switches them off on the way.
TEST_F(ProgramTest, ChoosingTheFirstGameLeavesTheGameCommandsOn) {
    folder_.preferences().writeInteger("Preference", "Game", -1);
    std::vector<bool> newEnabled;
    start([&](Dialog& dialog) {
        QObject::connect(main_->mnuNew, &QAction::enabledChanged,
                         [&newEnabled](bool enabled) { newEnabled.push_back(enabled); });
        return chooseGame("Klondike")(dialog);
    });
    EXPECT_TRUE(mainWindow.GameRunning);
    EXPECT_TRUE(main_->mnuNew->isEnabled());
    EXPECT_TRUE(newEnabled.empty()) << "New was switched off and on again";
}

// Cancelled with no game selected, the chooser does switch them off.
TEST_F(ProgramTest, CancellingTheChooserWithoutAGameSwitchesTheGameCommandsOff) {
    folder_.preferences().writeInteger("Preference", "Game", -1);
    start();
    EXPECT_FALSE(main_->mnuNew->isEnabled());
    EXPECT_FALSE(main_->mnuAutoPlay->isEnabled());
}

// With no game running the table is empty: the status bar, switched off by default, says
// how to start one in the menu's own words, whole, and goes again once a game runs.
class NoGameHintTest : public ProgramTest {
protected:
    void expectHint(const std::string& text) {
        ASSERT_TRUE(main_->pnlStatusBar->isVisible());
        EXPECT_EQ(main_->lblNoGameHint->text().toStdString(), text);
        EXPECT_LE(main_->lblNoGameHint->fontMetrics().horizontalAdvance(main_->lblNoGameHint->text()),
                  main_->lblNoGameHint->width())
            << "the hint is cut short";
        EXPECT_EQ(main_->pnlStatusBar->geometry().bottom(), main_->height() - 1);
    }
    void expectNoHint() {
        EXPECT_TRUE(mainWindow.GameRunning);
        EXPECT_FALSE(main_->pnlStatusBar->isVisible());
        EXPECT_EQ(main_->lblNoGameHint->text().toStdString(), "");
    }
};

TEST_F(NoGameHintTest, CancelledWithNoGameChosenTheStatusBarPointsToTheChooser) {
    folder_.preferences().writeInteger("Preference", "Game", -1);
    start();
    expectHint("No game is being played: choose File > Open a game to pick one.");
    answerDialogs(chooseGame("Klondike"));
    main_->mnuOpen->trigger();
    expectNoHint();
}

TEST_F(NoGameHintTest, CancelledWithAGameChosenTheStatusBarOffersANewDealToo) {
    start(); // the game chosen at first is FreeCell
    expectHint("No game is being played: choose File > New game to deal FreeCell, or "
               "File > Open a game to pick another game.");
    main_->mnuNew->trigger();
    expectNoHint();
}

TEST_F(NoGameHintTest, AStatusBarSwitchedOnStaysWhenTheHintGoes) {
    folder_.preferences().writeString("Preference", "StatusBar", "Y");
    start();
    main_->mnuNew->trigger();
    EXPECT_TRUE(main_->pnlStatusBar->isVisible());
    EXPECT_EQ(main_->lblNoGameHint->text().toStdString(), "");
}

// The winning animation makes the main window the active one, so the key that stops it
// reaches the table.
TEST_F(ProgramTest, TheWinningAnimationTakesTheFocus) {
    start(chooseGame("FreeCell"));
    answerDialogs(cancel); // the chooser that follows the win
    fnWriteSettingsField(kWinningAnimationPosition, 1, "Y");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    bool focused = false;
    std::function<void()> whileAnimating = [&] {
        if (!mainWindow.WinAnimationRunning) { // not begun yet
            QTimer::singleShot(0, whileAnimating);
            return;
        }
        focused = QTest::qWaitFor(
            [&] { return main_->isActiveWindow() && QApplication::focusWidget() == main_; }, 2000);
        StopAnimation();
    };
    QTimer::singleShot(0, whileAnimating);
    mainWindow.GameWon = true;
    fnEndGame();
    EXPECT_TRUE(focused);
}

} // namespace
} // namespace solitaire::testing
