// The lines kolvan32 receives in network play. The input picks the program's role (it listens
// or it connects), then gives the peer's stream in chunks; each chunk is sent over loopback
// and handled before the next. Whatever arrives, the program keeps a playable game, takes
// everything it is sent, and ends the session when the peer goes.
#include "fuzz_support.h"

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/main_window.h"
#include "fourinrow/app/program.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>


#include <cerrno>
#include <cstring>
#include <memory>

using namespace fourinrow;
using namespace fourinrow::app;
using namespace std::chrono_literals;

namespace {

// The program, made once in the scratch folder with a settings file that keeps the first-run
// help box shut.
TfKolvan32& Program() {
    static Kolvan32Program* program = [] {
        zvfuzz::ensureApplication();
        std::filesystem::current_path(zvfuzz::scratchFolder());
        gameClass seed(gameClass::kSettingsFile, 1);
        seed.TakeFirstRunFlag();
        seed.SaveGame(gameClass::kSettingsFile);
        auto* made = new Kolvan32Program;
        made->Main().Game().SeedRandom(7);
        made->Main().show();
        return made;
    }();
    return program->Main();
}

// Network mode, or New Game in it, with the network dialog answered.
void EnterNetwork(TfKolvan32& main, bool listen, int port) {
    const platform::forms::Dialog::Script script([&](platform::forms::Dialog& dialog) {
        auto& network = dynamic_cast<TfNetwork&>(dialog);
        (listen ? network.RGWait : network.RGConnect)->setChecked(true);
        network.eName->setText("Alice");
        network.eOppIP->setText("127.0.0.1");
        network.ePort->setText(QString::number(port));
        return platform::forms::ModalResult::Ok;
    });
    main.Action(main.NetworkMode ? Command::NewGame : Command::NetworkMode).trigger();
    ZV_FUZZ_CHECK(script.shownCount() == 1, "no network dialog");
}

int FreePort() {
    return zvfuzz::PlainSocket().Listen();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TfKolvan32& main = Program();
    zvfuzz::Input input(data, size);
    const bool listening = (input.byte() & 1) == 0;
    const std::vector<std::string> chunks = input.pieces();

    std::unique_ptr<zvfuzz::PlainSocket> peer;
    if (listening) {
        const int port = FreePort();
        EnterNetwork(main, true, port);
        peer = std::make_unique<zvfuzz::PlainSocket>();
        ZV_FUZZ_CHECK(peer->Connect(port),
                      std::string("the program does not listen: ") + std::strerror(errno));
    } else {
        zvfuzz::PlainSocket listener;
        EnterNetwork(main, false, listener.Listen());
        int accepted = -1;
        ZV_FUZZ_CHECK(zvfuzz::pumpUntil([&] { return (accepted = listener.Accept()) >= 0; }, 5s),
                      "the program does not connect");
        peer = std::make_unique<zvfuzz::PlainSocket>(accepted);
    }
    // The program names itself first.
    ZV_FUZZ_CHECK(zvfuzz::pumpUntil(
                      [&] {
                          peer->Collect();
                          return peer->received.find('\n') != std::string::npos;
                      },
                      5s),
                  "no name line");
    ZV_FUZZ_CHECK(peer->received.starts_with("PAlice\n"), peer->received);

    socket::TWSocket& socket = main.CliWSocket();
    for (const std::string& chunk : chunks) {
        peer->Send(chunk);
        zvfuzz::awaitTaken([&] { return socket.RcvdCount(); }, chunk.size());
        peer->Collect();
        ZV_FUZZ_CHECK(IsValidRecord(main.Game().Record()), "record");
        ZV_FUZZ_CHECK(main.BufferFill >= 0 && main.BufferFill < 1024, "line buffer");
        ZV_FUZZ_CHECK(main.SessionActive == 1, "the session ended");
    }
    peer.reset();
    ZV_FUZZ_CHECK(zvfuzz::pumpUntil([&] { return main.SessionActive == 0; }, 5s),
                  "the session outlived the peer");
    return 0;
}
