// The pictures of the splash window, the about box, the advice box, the newsletter boxes and the
// game chooser's empty page: each form shows its picture from the resource library where the form puts it.

#include "program_fixture.h"

#include "solitaire/app/boxes.h"
#include "solitaire/app/game_chooser.h"
#include "solitaire/app/splash.h"
#include "solitaire/engine/settings.h"

#include <QStackedWidget>
#include <QTest>

#include <algorithm>
#include <set>
#include <string>

namespace solitaire::testing {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;

// The pictures are drawn in colour over much of their area; a placeholder text or an empty
// panel is grey. The text is what the check saw, for the failure message.
std::string pictureCheck(const QImage& image) {
    std::set<QRgb> colours;
    long colourful = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            colours.insert(c & 0xFFFFFF);
            const int high = std::max({qRed(c), qGreen(c), qBlue(c)});
            const int low = std::min({qRed(c), qGreen(c), qBlue(c)});
            colourful += high - low > 60;
        }
    const long area = static_cast<long>(image.width()) * image.height();
    const bool picture = !image.isNull() && colours.size() > 50 && colourful * 10 >= area;
    return picture ? "picture"
                   : std::to_string(colours.size()) + " colours, " + std::to_string(colourful) +
                         " of " + std::to_string(area) + " pixels in colour";
}

QImage grabbed(QWidget& window, const char* control) {
    auto* picture = window.findChild<QWidget*>(control);
    if (!picture) {
        ADD_FAILURE() << "no control " << control;
        return {};
    }
    EXPECT_TRUE(picture->isVisible()) << control;
    return picture->grab().toImage();
}

class FormPicturesTest : public ProgramTest {
protected:
    void SetUp() override { start(); }
    // The image of the named control of the dialog `show` opens.
    QImage dialogPicture(const std::function<void()>& show,
                         const std::function<QImage(Dialog&)>& grab) {
        QImage image;
        answerDialogs([&](Dialog& dialog) {
            image = grab(dialog);
            return ModalResult::Cancel;
        });
        show();
        answerDialogs(cancel);
        return image;
    }
};

TEST_F(FormPicturesTest, SplashShowsTheProgramPictureCentredOnItsWhitePanel) {
    TfrmSplashForm splash;
    splash.show();
    QCoreApplication::processEvents();
    const QImage window = splash.grab().toImage();
    EXPECT_TRUE(window.save(QString::fromStdString(testPicturePath("zevodadu-splash.png"))));
    ASSERT_EQ(window.size(), QSize(393, 309));
    EXPECT_EQ(pictureCheck(grabbed(splash, "imgZevodadu")), "picture");
    EXPECT_EQ(window.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu) << "the panel around it is white";
    EXPECT_EQ(window.pixel(2, 305) & 0xFFFFFF, 0x000000u) << "the footer is black";
}

TEST_F(FormPicturesTest, AboutBoxShowsItsPicture) {
    const QImage picture = dialogPicture([this] { main_->About(); }, [](Dialog& about) {
        EXPECT_TRUE(about.grab().save(QString::fromStdString(testPicturePath("zevodadu-about.png"))));
        return grabbed(about, "imgAbout");
    });
    EXPECT_EQ(picture.size(), QSize(96, 96));
    EXPECT_EQ(pictureCheck(picture), "picture");
}

// Each advice page shows its own picture; outside the monitor the box shows through.
TEST_F(FormPicturesTest, EachAdvicePageShowsItsPicture) {
    QImage pages[2];
    for (int page : {0, 1}) {
        pages[page] = dialogPicture(
            [this, page] { ShowAdvice(main_, "text", "Test_Advice", page); },
            [page](Dialog& advice) {
                auto* notebook = advice.findChild<QStackedWidget*>("Notebook1");
                EXPECT_EQ(notebook->currentIndex(), page);
                return grabbed(advice, page == 0 ? "Color" : "640x480");
            });
        EXPECT_EQ(pictureCheck(pages[page]), "picture") << page;
        ASSERT_FALSE(pages[page].isNull());
        EXPECT_NE(pages[page].pixel(0, 0) & 0xFFFFFF, 0x800000u) << "the key colour is masked";
    }
    EXPECT_NE(pages[0], pages[1]);
}

// The invitation and the sign-up it opens show the same envelope; outside it the box shows
// through.
TEST_F(FormPicturesTest, BothNewsletterBoxesShowTheNewsletterPicture) {
    QImage invitationPicture, signUpPicture;
    answerDialogs([&](Dialog& dialog) {
        if (auto* invitation = dynamic_cast<TfrmNews*>(&dialog)) {
            EXPECT_TRUE(invitation->grab().save(
                QString::fromStdString(testPicturePath("zevodadu-newsletter.png"))));
            invitationPicture = grabbed(*invitation, "imgNewsletter");
            QTest::mouseClick(invitation->btnSend, Qt::LeftButton);
            return ModalResult::Ok;
        }
        EXPECT_TRUE(dialog.grab().save(
            QString::fromStdString(testPicturePath("zevodadu-newsletter-signup.png"))));
        signUpPicture = grabbed(dialog, "imgNewsletter");
        return ModalResult::Cancel;
    });
    main_->Newsletter();
    answerDialogs(cancel);
    for (const QImage& picture : {invitationPicture, signUpPicture}) {
        ASSERT_EQ(picture.size(), QSize(48, 48));
        EXPECT_EQ(pictureCheck(picture), "picture");
        EXPECT_NE(picture.pixel(0, 0) & 0xFFFFFF, 0x800000u) << "the key colour is masked";
    }
    EXPECT_EQ(invitationPicture, signUpPicture);
}

TEST_F(FormPicturesTest, ChooserShowsTheProgramPictureWhileAGroupIsSelected) {
    const QImage picture = dialogPicture([this] { main_->OpenGame(); }, [](Dialog& dialog) {
        auto& chooser = dynamic_cast<TfrmOpenGame&>(dialog);
        chooser.trvGames->setCurrentItem(chooser.trvGames->topLevelItem(0));
        return grabbed(chooser, "imgZevodadu");
    });
    EXPECT_EQ(picture.size(), QSize(300, 185));
    EXPECT_EQ(pictureCheck(picture), "picture");
}

// Without the library the splash still comes up; the main window reports the missing file.
TEST_F(FormPicturesTest, SplashWithoutTheLibraryShowsAnEmptyPanel) {
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth,
                         folder_.dir() + "elsewhere/");
    TfrmSplashForm splash;
    splash.show();
    QCoreApplication::processEvents();
    EXPECT_NE(pictureCheck(grabbed(splash, "imgZevodadu")), "picture");
    EXPECT_EQ(splash.grab().toImage().pixel(196, 130) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
} // namespace solitaire::testing
