#pragma once
// A control channel for the end-to-end tests only: when the environment variable
// KOLVAN32_TEST_CONTROL is set, the program reads commands from its standard input, works its
// main window through the window's own handlers, and answers each command on standard output
// with one line "state <panel 1>|<panel 2>|<panel 3>|<move count>".
//
// Commands: "network listen|connect <name> <host> <port>" (enters network mode or starts a
// new network game, answering the network dialog), "key <digit>", "next", "state", "quit".

#include <QSocketNotifier>

#include <memory>
#include <string>

namespace fourinrow::app {

class TfKolvan32;

class TestControl {
public:
    static std::unique_ptr<TestControl> FromEnvironment(TfKolvan32& window);
    explicit TestControl(TfKolvan32& window);

private:
    void ReadInput();
    void Run(const std::string& command);
    void Report();

    TfKolvan32& window_;
    QSocketNotifier notifier_;
    std::string pending_;
};

} // namespace fourinrow::app
