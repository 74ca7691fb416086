// `lumora-cli info` on a full show, as the whole process a script starts, against `cat`
// of the same file: start-up, the size check, the read, every unpack and the summary,
// compared with the cheapest program that reads the file at all.

#include "show/ShowFile.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lumora {
namespace {

namespace fs = std::filesystem;

// A full show (every kind in use), saved once for the whole run in a folder of its own
// that goes when the run ends.
class TBenchShow final {
public:
    TBenchShow() : m_folder(fs::temp_directory_path() / ("lumora-cli-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_folder);
        m_file = (m_folder / "full.lmr").string();
        test::TRecordingUi ui;
        TEditorState state(ui);
        test::FillFullShow(state.show(), 42);
        state.globals.notes = "Benchmark show";
        SaveShowFile(state, m_file);
    }
    ~TBenchShow()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }
    TBenchShow(const TBenchShow&) = delete;
    TBenchShow& operator=(const TBenchShow&) = delete;

    const std::string& file() const { return m_file; }

private:
    fs::path m_folder;
    std::string m_file;
};

const std::string& FullShowFile()
{
    static const TBenchShow show;
    return show.file();
}

// Runs program with one argument list, standard output to /dev/null; false unless it exits 0.
bool RunToEnd(const char* program, std::initializer_list<const char*> args)
{
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Info()
{
    return RunToEnd(LUMORA_CLI_PATH, {"info", FullShowFile().c_str()});
}

bool Cat()
{
    return RunToEnd("cat", {FullShowFile().c_str()});
}

void BM_InfoProcess(benchmark::State& state)
{
    for (auto _ : state)
        if (!Info())
            state.SkipWithError("lumora-cli info failed");
}
BENCHMARK(BM_InfoProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatProcess(benchmark::State& state)
{
    for (auto _ : state)
        if (!Cat())
            state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turn, so the ratio is measured under the same machine load.
void BM_InfoOverCat(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration info{};
    Clock::duration cat{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const bool okInfo = Info();
        const auto t1 = Clock::now();
        const bool okCat = Cat();
        const auto t2 = Clock::now();
        if (!okInfo || !okCat)
            state.SkipWithError("a process failed");
        info += t1 - t0;
        cat += t2 - t1;
    }
    state.counters["ratio"] = static_cast<double>(info.count()) / static_cast<double>(cat.count());
}
BENCHMARK(BM_InfoOverCat)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace lumora
