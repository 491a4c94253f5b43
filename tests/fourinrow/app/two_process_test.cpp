// Two kolvan32 programs, each in a working folder of its own, play each other over loopback:
// a whole game, then a second one that the other side begins. Each is driven through its
// test control channel (commands on standard input, its state on standard output).

#include "kolvan_fixture.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace kolvantest {
namespace {

using namespace std::chrono_literals;

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

struct State {
    std::string panel1, panel2, panel3;
    int moves = -1;
};

class Kolvan32Process {
public:
    explicit Kolvan32Process(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        SeedSettings(folder / "kolvan32.dat");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("KOLVAN32_TEST_CONTROL", "1");
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(QString::fromStdString(folder.string()));
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const std::string program = std::string(std::getenv("ZV_DIST_DIR")) + "/kolvan32/kolvan32";
        process_.start(QString::fromStdString(program), {});
        started_ = process_.waitForStarted(10000);
    }
    ~Kolvan32Process() {
        if (process_.state() != QProcess::NotRunning) {
            process_.closeWriteChannel();
            if (!process_.waitForFinished(10000))
                process_.kill();
        }
    }
    bool Started() const { return started_; }

    // Sends a command and returns the state it answers with.
    State Command(const std::string& command) {
        process_.write((command + "\n").c_str());
        process_.waitForBytesWritten(5000);
        return ReadState();
    }
    // Asks for the state until it satisfies done.
    State AwaitState(const std::function<bool(const State&)>& done) {
        State state;
        const auto end = std::chrono::steady_clock::now() + 20s;
        do {
            state = Command("state");
            if (done(state))
                return state;
            std::this_thread::sleep_for(10ms);
        } while (std::chrono::steady_clock::now() < end);
        ADD_FAILURE() << "gave up waiting; last status " << state.panel1 << " | " << state.panel3;
        return state;
    }
    int Quit() {
        Command("quit");
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
        return process_.exitCode();
    }

private:
    State ReadState() {
        State state;
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000))
                return state;
        const std::string line = process_.readLine().trimmed().toStdString();
        if (line.rfind("state ", 0) != 0)
            return state;
        std::vector<std::string> fields;
        std::size_t start = 6;
        for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
            fields.push_back(line.substr(start, bar - start));
        fields.push_back(line.substr(start));
        if (fields.size() == 4)
            state = {fields[0], fields[1], fields[2], std::stoi(fields[3])};
        return state;
    }

    QProcess process_;
    bool started_ = false;
};

class TwoProcessTest : public KolvanTest {};

TEST_F(TwoProcessTest, TwoProgramsPlayTwoGamesOverLoopback) {
    const std::string port = std::to_string(FreePort());
    Kolvan32Process red(File("red"));
    Kolvan32Process yellow(File("yellow"));
    ASSERT_TRUE(red.Started());
    ASSERT_TRUE(yellow.Started());

    EXPECT_EQ(red.Command("network listen Rosa 127.0.0.1 " + port).panel3, "Listening");
    yellow.Command("network connect Yann 127.0.0.1 " + port);
    red.AwaitState([](const State& s) { return s.panel1 == "Opponent Yann. Your move"; });
    yellow.AwaitState([](const State& s) { return s.panel1 == "Opponent Rosa. Waiting..."; });

    // Red plays column 4 four times, yellow column 5 in between: red wins.
    for (int round = 1; round <= 4; ++round) {
        red.Command("key 4");
        if (round == 4)
            break;
        yellow.AwaitState([&](const State& s) { return s.moves == 2 * round - 1; });
        yellow.Command("key 5");
        red.AwaitState([&](const State& s) { return s.moves == 2 * round; });
    }
    const State redWon = red.AwaitState([](const State& s) { return s.moves == 7; });
    EXPECT_EQ(redWon.panel1, "You win! Next Game to restart");
    EXPECT_EQ(redWon.panel2, " 1  0  0");
    const State yellowLost = yellow.AwaitState([](const State& s) { return s.moves == 7; });
    EXPECT_EQ(yellowLost.panel1, "Rosa wins! Waiting for restart...");
    EXPECT_EQ(yellowLost.panel2, " 0  0  1");

    // The second game: yellow begins and wins in column 2 against red's column 6.
    red.Command("next");
    yellow.AwaitState([](const State& s) { return s.panel1 == "Opponent Rosa. Your move"; });
    for (int round = 1; round <= 4; ++round) {
        yellow.Command("key 2");
        if (round == 4)
            break;
        red.AwaitState([&](const State& s) { return s.moves == 2 * round - 1; });
        red.Command("key 6");
        yellow.AwaitState([&](const State& s) { return s.moves == 2 * round; });
    }
    EXPECT_EQ(yellow.AwaitState([](const State& s) { return s.moves == 7; }).panel2, " 1  0  1");
    const State redLost = red.AwaitState([](const State& s) { return s.moves == 7; });
    EXPECT_EQ(redLost.panel1, "Yann wins! Next Game to restart");
    EXPECT_EQ(redLost.panel2, " 1  0  1");

    EXPECT_EQ(yellow.Quit(), 0);
    const State lost = red.AwaitState([](const State& s) { return s.panel1 == "Lost connection"; });
    EXPECT_EQ(lost.panel3, "Disconnected");
    EXPECT_EQ(red.Quit(), 0);
}

} // namespace
} // namespace kolvantest
