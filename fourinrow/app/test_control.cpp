#include "fourinrow/app/test_control.h"

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/main_window.h"
#include "platform/app/application.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <unistd.h>

namespace fourinrow::app {

std::unique_ptr<TestControl> TestControl::FromEnvironment(TfKolvan32& window) {
    if (!std::getenv("KOLVAN32_TEST_CONTROL"))
        return nullptr;
    return std::make_unique<TestControl>(window);
}

TestControl::TestControl(TfKolvan32& window)
    : window_(window), notifier_(STDIN_FILENO, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated,
                     [this] { platform::app::runGuarded([this] { ReadInput(); }); });
}

void TestControl::ReadInput() {
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        notifier_.setEnabled(false); // the test went away
        window_.close();
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t feed; (feed = pending_.find('\n')) != std::string::npos;) {
        const std::string command = pending_.substr(0, feed);
        pending_.erase(0, feed + 1);
        Run(command);
    }
}

void TestControl::Run(const std::string& command) {
    std::istringstream words(command);
    std::string verb;
    words >> verb;
    if (verb == "network") {
        std::string role, name, host, port;
        words >> role >> name >> host >> port;
        const platform::forms::Dialog::Script answer([&](platform::forms::Dialog& dialog) {
            auto* network = dynamic_cast<TfNetwork*>(&dialog);
            if (!network)
                return platform::forms::ModalResult::Cancel;
            (role == "listen" ? network->RGWait : network->RGConnect)->setChecked(true);
            network->eName->setText(QString::fromLatin1(name.c_str()));
            network->eOppIP->setText(QString::fromLatin1(host.c_str()));
            network->ePort->setText(QString::fromLatin1(port.c_str()));
            return platform::forms::ModalResult::Ok;
        });
        window_.Action(window_.NetworkMode ? Command::NewGame : Command::NetworkMode).trigger();
    } else if (verb == "key") {
        std::string digit;
        words >> digit;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (digit.empty() ? 0 : digit[0] - '0'),
                        Qt::NoModifier, QString::fromLatin1(digit.c_str()));
        QCoreApplication::sendEvent(&window_.Board(), &press);
    } else if (verb == "next") {
        window_.Action(Command::NextGame).trigger();
    } else if (verb == "quit") {
        Report();
        window_.close();
        return;
    }
    Report();
}

void TestControl::Report() {
    std::printf("state %s|%s|%s|%d\n", window_.StatusText(1).c_str(), window_.StatusText(2).c_str(),
                window_.StatusText(3).c_str(), window_.Game().GetMoveCount());
    std::fflush(stdout);
}

} // namespace fourinrow::app
