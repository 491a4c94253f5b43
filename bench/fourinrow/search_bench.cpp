// Depth-10 root searches on middle-game positions: the real player against the plain
// reference, both with the same message pump. Before timing, each position's values and
// candidates are checked to be identical. A summary line gives the speed-up, and a run with
// the platform's message pump (Qt's event processing) gives its share of the search time and
// the longest gap between two pumps (how long a Break may wait).

#include "fourinrow/game/game.h"

#include "platform/app/clock.h"
#include "tests/fourinrow/game/reference_player.h"
#include "tests/fourinrow/game/test_support.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace {

using namespace fourinrow;
using Clock = std::chrono::steady_clock;

constexpr int kDepth = 10;
constexpr int kPositions = 6;

// Middle-game positions from random play (fixed seed), against each opponent in turn.
const std::vector<GameStateRecord>& MiddleGamePositions() {
    static const std::vector<GameStateRecord> positions = [] {
        std::mt19937 random(424242);
        std::vector<GameStateRecord> list;
        for (int i = 0; i < kPositions; ++i) {
            GameStateRecord record = testing::RandomPosition(random, 10 + 2 * i);
            record.depth = kDepth;
            record.opponent = static_cast<std::uint8_t>(1 + i % kOpponentProfiles);
            list.push_back(record);
        }
        return list;
    }();
    return positions;
}

struct Session {
    testing::ScratchDir dir;
    gameClass game{dir.file("none.dat"), 1};
};

Session& Real() {
    static Session session;
    return session;
}

// The same do-nothing pump for both players: the reference calls it at every leaf.
long pumpCalls = 0;
void CountingPump() {
    ++pumpCalls;
}

bool CheckSameResults() {
    Session& s = Real();
    for (std::size_t i = 0; i < MiddleGamePositions().size(); ++i) {
        const GameStateRecord& position = MiddleGamePositions()[i];
        testing::LoadRecord(s.game, position, s.dir);
        reference::ReferencePlayer expected(position);
        const RootResult want = expected.RootSearch();
        const RootResult got = s.game.RootSearch();
        bool same = want.best == got.best;
        for (int c = 1; c <= kColumns; ++c)
            if (position.heights[c - 1] <= kRows)
                same = same && want.values[c] == got.values[c];
        std::mt19937 referenceRandom(i);
        s.game.SeedRandom(static_cast<std::uint32_t>(i));
        const Candidates a = expected.CollectCandidates(want.values, want.best, referenceRandom);
        const Candidates b = s.game.CollectCandidates(got.values, got.best);
        same = same && a.count == b.count && a.columns == b.columns;
        if (!same) {
            std::fprintf(stderr, "position %zu: the real search differs from the reference\n", i);
            return false;
        }
    }
    std::printf("%zu positions at depth %d: identical values and candidates\n",
                MiddleGamePositions().size(), kDepth);
    return true;
}

void BM_ReferenceSearch(benchmark::State& state) {
    pumpCalls = 0;
    for (auto _ : state)
        for (const GameStateRecord& position : MiddleGamePositions()) {
            reference::ReferencePlayer player(position, CountingPump);
            benchmark::DoNotOptimize(player.RootSearch());
        }
    state.counters["leaves"] = static_cast<double>(pumpCalls) / state.iterations();
}

void BM_RealSearch(benchmark::State& state) {
    Session& s = Real();
    s.game.SetMessagePump(CountingPump);
    for (auto _ : state)
        for (const GameStateRecord& position : MiddleGamePositions()) {
            state.PauseTiming();
            testing::LoadRecord(s.game, position, s.dir);
            state.ResumeTiming();
            benchmark::DoNotOptimize(s.game.RootSearch());
        }
}

// Processor time of this thread: unlike the wall clock it does not count the time the
// system gives to other programs, which on a busy machine hides how often the search pumps.
Clock::duration ThreadTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// The real search with the window system's pump, as the program runs it.
void BM_RealSearchWithEventPump(benchmark::State& state) {
    Session& s = Real();
    Clock::duration inPump{}, longestGap{}, longestGapThreadTime{};
    Clock::time_point lastPumpEnd;
    Clock::duration lastPumpEndThreadTime{};
    s.game.SetMessagePump([&] {
        const Clock::time_point start = Clock::now();
        const Clock::duration startThreadTime = ThreadTime();
        longestGap = std::max(longestGap, start - lastPumpEnd);
        longestGapThreadTime =
            std::max(longestGapThreadTime, startThreadTime - lastPumpEndThreadTime);
        platform::app::processMessages();
        lastPumpEnd = Clock::now();
        lastPumpEndThreadTime = ThreadTime();
        inPump += lastPumpEnd - start;
    });
    Clock::duration searching{};
    for (auto _ : state)
        for (const GameStateRecord& position : MiddleGamePositions()) {
            state.PauseTiming();
            testing::LoadRecord(s.game, position, s.dir);
            state.ResumeTiming();
            const Clock::time_point start = Clock::now();
            lastPumpEnd = start;
            lastPumpEndThreadTime = ThreadTime();
            benchmark::DoNotOptimize(s.game.RootSearch());
            searching += Clock::now() - start;
        }
    state.counters["pump_share_%"] = 100.0 * std::chrono::duration<double>(inPump).count() /
                                     std::chrono::duration<double>(searching).count();
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    state.counters["longest_gap_ms"] = ms(longestGap);
    state.counters["longest_gap_cpu_ms"] = ms(longestGapThreadTime);
}

BENCHMARK(BM_ReferenceSearch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RealSearch)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RealSearchWithEventPump)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Collects each benchmark's times per iteration for the summary line.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0, cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.run_name.function_name] = {
                    run.real_accumulated_time / static_cast<double>(run.iterations),
                    run.cpu_accumulated_time / static_cast<double>(run.iterations)};
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!CheckSameResults())
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto reference = reporter.times.find("BM_ReferenceSearch");
    const auto real = reporter.times.find("BM_RealSearch");
    if (reference != reporter.times.end() && real != reporter.times.end()) {
        const double speedUp = reference->second.real / real->second.real;
        std::printf("speed-up of the real search over the reference at depth %d: %.1fx "
                    "(processor time %.1fx)%s\n",
                    kDepth, speedUp, reference->second.cpu / real->second.cpu,
                    speedUp < 10 ? ", below the required 10x" : "");
    }
    benchmark::Shutdown();
    return 0;
}
