// Start-up of the editor with an empty show: from program start until the main window is
// shown, every other window made. Two views of it:
//   BM_ProgramStart      the real program, started as a process until it reports the
//                        main window up (it then quits at once), median of repetitions;
//   BM_StartEditor       the same start sequence inside this process (Qt already up), so
//                        the share of the editor's own windows can be seen.
// The child runs on the offscreen platform unless LUMORA_BENCH_QPA names another (xcb under
// Xvfb, for example), with a HOME of its own.

#include "shell/HelpWindow.h"
#include "shell/PlatformQt.h"
#include "shell/Startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> ChildEnvironment(const std::string& home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) == 0 || entry.rfind("QT_QPA_PLATFORM=", 0) == 0 ||
            entry.rfind("XDG_RUNTIME_DIR=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    const char* qpa = std::getenv("LUMORA_BENCH_QPA");
    env.push_back(std::string("QT_QPA_PLATFORM=") + (qpa && *qpa ? qpa : "offscreen"));
    env.push_back("HOME=" + home);
    env.push_back("XDG_RUNTIME_DIR=" + home);
    return env;
}

void BM_ProgramStart(benchmark::State& state)
{
    QTemporaryDir home;
    std::vector<std::string> envStrings = ChildEnvironment(home.path().toStdString());
    std::vector<char*> env;
    for (std::string& s : envStrings)
        env.push_back(s.data());
    env.push_back(nullptr);
    std::string program = LUMORA_EDITOR;
    std::string option = "--quit-when-shown";
    char* argv[] = {program.data(), option.data(), nullptr};

    // The editor's own warnings would drown the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, env.data()) != 0) {
            state.SkipWithError("cannot start the editor");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor did not start cleanly");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BM_ProgramStart)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_StartEditor(benchmark::State& state)
{
    lumora::TMessageBoxPresenter presenter;
    lumora::TQtShellDialogs dialogs;
    lumora::TDocumentsShowsFolder showsFolder;
    lumora::THelpPages help;
    lumora::TShellServices services{&presenter, &dialogs, &showsFolder, &help,
                                    lumora::MakePosixDiskBackend("/nonexistent-drive-a")};
    for (auto _ : state) {
        auto main = lumora::StartEditor(services, lumora::EditorWindows());
        benchmark::DoNotOptimize(main.get());
        state.PauseTiming();
        main.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartEditor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    // The in-process benchmark shares the child's conditions: offscreen, a HOME of its own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("LUMORA_BENCH_QPA"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        qputenv("QT_QPA_PLATFORM", qgetenv("LUMORA_BENCH_QPA"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
