// Writing and reading a full show (all seven sections, every record used) on a 1.44 MB
// diskette image, through the same path as the editor's Write and Read Show Disk.

#include "show/ShowDisk.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace lumora;

// A user interface that answers nothing and shows nothing.
class TSilentUi final : public IUserInterface {
public:
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    void information(std::string_view) override {}
    bool askYesNo(std::string_view, Icon) override { return true; }
    Answer askYesNoCancel(std::string_view, Icon) override { return Answer::Yes; }
    void showStatus(std::string_view) override {}
    void hideStatus() override {}
    void setBusy(bool) override {}
};

void FillShow(TShow& show)
{
    unsigned seed = 1;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(seed >> 16);
    };
    for (auto& page : show.patches)
        for (auto& e : page.entries)
            e.Channel = static_cast<std::uint16_t>(next() % 512 + 1);
    for (auto& profile : show.profiles)
        for (auto& level : profile.curve)
            level = next();
    for (auto& macro : show.macros)
        for (auto& key : macro.Keys)
            key = next();
    for (auto& effect : show.effects) {
        effect.StepCount = 100;
        for (auto& entry : effect.Entries)
            entry = TEffectEntry{static_cast<std::uint16_t>(next() + 1), next(),
                                 static_cast<std::uint8_t>(next() % 100 + 1)};
    }
    for (auto& page : show.subs)
        for (auto& sub : page) {
            sub.SubType = kSubNormal;
            sub.Name = "Sub";
            for (auto& level : sub.Levels)
                level = next();
        }
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord& cue = show.cueList.cue(k);
        cue.number = static_cast<std::uint16_t>(k * 10);
        cue.name = "Cue";
        for (auto& level : cue.levels)
            level = next();
    }
    show.cueList.count = kMaxCues;
    show.cueList.current = 1;
    for (auto& position : show.quorvel.positions)
        for (auto& b : position.valueMap)
            b = next();
}

struct TBenchDisk {
    TSilentUi ui;
    TEditorState state{ui};
    std::string path;
    TDirDisk disk;

    TBenchDisk()
        : path((std::filesystem::temp_directory_path() / ("lumora-disk-bench-" + std::to_string(::getpid()) + ".img"))
                   .string()),
          disk(MakePosixDiskBackend(path))
    {
        std::vector<char> zeros(kDisketteSectors * kSectorSize, 0);
        std::ofstream(path, std::ios::binary).write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
        disk.NeedWriteWarn = false;
        FillShow(state.show());
        state.setAllPresent();
    }
    ~TBenchDisk() { std::filesystem::remove(path); }
};

// The full write of all seven sections, each transfer read back from the image (O_DIRECT)
// and compared before the next.
void BM_WriteShowDisk(benchmark::State& s)
{
    TBenchDisk b;
    for (auto _ : s)
        if (!WriteShowDisk(b.state, b.disk, 'A'))
            s.SkipWithError("write failed");
}
BENCHMARK(BM_WriteShowDisk)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ReadShowDisk(benchmark::State& s)
{
    TBenchDisk b;
    if (!WriteShowDisk(b.state, b.disk, 'A')) {
        s.SkipWithError("write failed");
        return;
    }
    for (auto _ : s) {
        b.state.setAllPresent();
        if (!ReadShowDisk(b.state, b.disk, 'A'))
            s.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadShowDisk)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Comparing a diskette image with the show, all seven sections, nothing written.
void BM_VerifyShowDisk(benchmark::State& s)
{
    TBenchDisk b;
    if (!WriteShowDisk(b.state, b.disk, 'A')) {
        s.SkipWithError("write failed");
        return;
    }
    for (auto _ : s) {
        const auto check = VerifyShowDisk(b.state, b.disk, 'A');
        if (!check ||
            std::any_of(check->begin(), check->end(), [](TSectionCheck c) { return c != TSectionCheck::Same; }))
            s.SkipWithError("verify failed");
    }
}
BENCHMARK(BM_VerifyShowDisk)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
