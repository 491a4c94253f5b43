#pragma once
// The program's forms in a scratch working folder, driven through the window's own input
// handlers; helpers to pump the event loop and to save pictures for reviewers.

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/main_window.h"
#include "fourinrow/app/program.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace kolvantest {

using namespace fourinrow;
using namespace fourinrow::app;

// Runs the event loop until done() holds; the limit only keeps a broken test from hanging.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// Writes a settings file whose first-run byte is clear, so that the help box stays shut.
void SeedSettings(const std::filesystem::path& file);

// Saves a picture of the widget under $ZV_TEST_OUTPUT_DIR (nothing when it is not set).
void SavePicture(QWidget& widget, const std::string& name);

class KolvanTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the forms; the settings file is seeded first unless firstRun.
    void StartProgram(bool firstRun = false);
    TfKolvan32& Main() { return program_->Main(); }
    gameClass& Game() { return Main().Game(); }
    Kolvan32Program& Program() { return *program_; }
    std::filesystem::path File(const std::string& name) const { return dir_ / name; }

    // A click on a column of the board, a typed character.
    void Click(int column);
    void ClickAt(int x, int y);
    void Type(char character);
    // The digits of the moves played so far, from the game's history.
    std::string Moves();

    std::unique_ptr<Kolvan32Program> program_;

private:
    std::filesystem::path dir_;
    std::filesystem::path previousDir_;
};

} // namespace kolvantest
