#pragma once
// The program: its forms, created in the order the program always created them, and its run.

#include <memory>

namespace fourinrow::app {

class TfKolvan32;
class TfOptions;
class TfAbout;
class TFAdvanced;
class TfNetwork;

class Kolvan32Program {
public:
    // Main window, options, help box (shown at once on the first run), opponent editor,
    // network dialog. Needs the application object.
    Kolvan32Program();
    ~Kolvan32Program();
    Kolvan32Program(const Kolvan32Program&) = delete;
    Kolvan32Program& operator=(const Kolvan32Program&) = delete;

    TfKolvan32& Main() { return *main_; }
    TfOptions& Options() { return *options_; }
    TfAbout& About() { return *about_; }
    TFAdvanced& Advanced() { return *advanced_; }
    TfNetwork& Network() { return *network_; }

private:
    // The main window goes last: its destruction saves the game.
    std::unique_ptr<TfKolvan32> main_;
    std::unique_ptr<TfOptions> options_;
    std::unique_ptr<TfAbout> about_;
    std::unique_ptr<TFAdvanced> advanced_;
    std::unique_ptr<TfNetwork> network_;
};

// Creates the application and the forms, shows the main window and runs until it closes.
int RunKolvan32(int argc, char** argv);

} // namespace fourinrow::app
