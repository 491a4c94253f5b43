// Cold start of Zevodadu: from starting the program to the game chooser on screen, and the
// program's peak memory by then. Each run is a new process (this program started again as
// the program), on a first run: an empty DATA folder in a program folder linked to the
// built one. Offscreen, so no display is needed.

#include "solitaire/app/game_chooser.h"
#include "solitaire/app/program.h"

#include "platform/app/application.h"
#include "platform/forms/form.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr const char* kChildFlag = "--run-program";

// The program as a child: tells the parent when the chooser shows, then ends at once.
int runAsProgram(int argc, char** argv, const std::string& programDirectory) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::app::Application application(argc, argv);
    const platform::forms::Dialog::Script chooserShown([](platform::forms::Dialog& dialog) {
        if (dynamic_cast<solitaire::TfrmOpenGame*>(&dialog)) {
            const char shown = '!';
            if (write(STDOUT_FILENO, &shown, 1) != 1)
                std::_Exit(1);
            std::_Exit(0);
        }
        return platform::forms::ModalResult::Cancel;
    });
    solitaire::StartProgram(programDirectory);
    return application.run();
}

std::string selfPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

// A program folder with the built files and an empty DATA folder.
fs::path makeProgramFolder() {
    const fs::path dist = fs::path(selfPath()).parent_path().parent_path().parent_path() / "dist" /
                          "Zevodadu";
    const fs::path folder = fs::temp_directory_path() / ("zv-startup-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "DATA");
    for (const char* entry : {"GAMES.DAT", "ZUV.RGF"})
        fs::create_symlink(dist / entry, folder / entry);
    for (const char* entry : {"Images", "SOUNDS", "help"})
        if (fs::exists(dist / entry))
            fs::create_directory_symlink(dist / entry, folder / entry);
    return folder;
}

void BM_ColdStartToChooser(benchmark::State& state) {
    const fs::path folder = makeProgramFolder();
    const std::string self = selfPath();
    const std::string directory = folder.string() + "/";
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1); // the key store of the run
    long peakKilobytes = 0;
    for (auto _ : state) {
        fs::remove_all(folder / "DATA");
        fs::create_directory(folder / "DATA");
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        char* const args[] = {const_cast<char*>(self.c_str()), const_cast<char*>(kChildFlag),
                              const_cast<char*>(directory.c_str()), nullptr};
        const auto begin = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        char shown = 0;
        const bool signalled = spawned == 0 && read(pipeFds[0], &shown, 1) == 1;
        const auto end = std::chrono::steady_clock::now();
        close(pipeFds[0]);
        int status = 0;
        rusage usage{};
        if (spawned == 0)
            wait4(child, &status, 0, &usage);
        if (!signalled || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not reach the chooser");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
    }
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024.0;
    fs::remove_all(folder);
}
BENCHMARK(BM_ColdStartToChooser)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return runAsProgram(argc, argv, argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
