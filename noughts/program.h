#pragma once
// The forms of gridlet and the one game they share. Each form is loaded when it is opened and
// unloaded when it is closed; the program ends when its last form is unloaded.
#include "noughts/game.h"
#include "platform/vbforms/widgets.h"

#include <memory>

namespace noughts {

class MainForm;
class Splash;
class GameType;
class Rules;
class About;

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::vbforms::FormSlot<Splash> splash;
    platform::vbforms::FormSlot<MainForm> main;
    platform::vbforms::FormSlot<GameType> gametype;
    platform::vbforms::FormSlot<Rules> rules;
    platform::vbforms::FormSlot<About> about;

    // Loads and shows the start-up screen.
    void start();
    // Loads the game window (once; the game state lives as long as the program).
    MainForm& loadMain();
    Game& game() { return *game_; }

    // Unloads the forms and leaves the event loop.
    void end();
    bool ended() const { return ended_; }

private:
    void formUnloaded();

    std::unique_ptr<Game> game_;
    bool ended_ = false;
};

} // namespace noughts
