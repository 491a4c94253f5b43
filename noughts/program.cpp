#include "noughts/program.h"

#include "noughts/boxes.h"
#include "noughts/main_form.h"
#include "noughts/splash.h"

#include "platform/app/application.h"

namespace noughts {

Program::Program()
    : splash([this] { formUnloaded(); }), main([this] { formUnloaded(); }),
      gametype([this] { formUnloaded(); }), rules([this] { formUnloaded(); }),
      about([this] { formUnloaded(); }) {}

Program::~Program() = default;

void Program::start() {
    splash.load(*this).showModeless();
}

MainForm& Program::loadMain() {
    MainForm& form = main.load(*this);
    if (!game_)
        game_ = std::make_unique<Game>(form);
    return form;
}

void Program::end() {
    main.unload();
    splash.unload();
    about.unload();
    rules.unload();
    gametype.unload();
    ended_ = true;
    platform::app::Application::quit();
}

void Program::formUnloaded() {
    if (ended_ || splash.loaded() || main.loaded() || gametype.loaded() || rules.loaded() ||
        about.loaded())
        return;
    ended_ = true;
    platform::app::Application::quit();
}

} // namespace noughts
