#include "kolvan_fixture.h"

#include "platform/app/clock.h"

#include <QTest>

#include <cstdlib>
#include <random>
#include <thread>

namespace kolvantest {

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        platform::app::processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void SeedSettings(const std::filesystem::path& file) {
    gameClass game(file.string(), 1);
    game.TakeFirstRunFlag();
    game.SaveGame(file.string());
}

void SavePicture(QWidget& widget, const std::string& name) {
    const char* folder = std::getenv("ZV_TEST_OUTPUT_DIR");
    if (!folder)
        return;
    std::filesystem::create_directories(folder);
    const std::string path = std::string(folder) + "/" + name + ".png";
    ASSERT_TRUE(widget.grab().save(QString::fromStdString(path))) << path;
}

void KolvanTest::SetUp() {
    std::random_device seed;
    dir_ = std::filesystem::temp_directory_path() /
           ("kolvan-app-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(dir_);
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
}

void KolvanTest::TearDown() {
    program_.reset();
    std::filesystem::current_path(previousDir_);
    std::filesystem::remove_all(dir_);
}

void KolvanTest::StartProgram(bool firstRun) {
    if (!firstRun)
        SeedSettings(File(TfKolvan32::kSettingsFile));
    program_ = std::make_unique<Kolvan32Program>();
    Game().SeedRandom(7);
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
}

void KolvanTest::ClickAt(int x, int y) {
    QTest::mouseClick(&Main().Board(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

// The middle of the column's bottom hole.
void KolvanTest::Click(int column) {
    ClickAt(50 * column - 20, 278);
}

void KolvanTest::Type(char character) {
    QTest::keyClicks(&Main().Board(), QString(QChar(character)));
}

std::string KolvanTest::Moves() {
    std::string moves;
    const GameStateRecord& record = Game().Record();
    for (int i = 0; i < record.moveCount; ++i)
        moves += static_cast<char>('0' + record.history[i]);
    return moves;
}

} // namespace kolvantest
