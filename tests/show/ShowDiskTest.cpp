#include "show/ShowDisk.h"

#include "FakeDiskBackend.h"
#include "show/Sections.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace lumora::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kImageBytes = 1'474'560;

// ---- Building shows and diskettes

// A show with something in every field of every section, in values that each section
// keeps as they are through a compile and an unpack.
void FillShow(TShow& show)
{
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(seed >> 16);
    };

    for (int p = 1; p <= kPatchPages; ++p)
        for (int d = 1; d <= kDimmers; ++d) {
            TPatchEntry& e = show.patch(p).dimmer(d);
            e = TPatchEntry{static_cast<std::uint16_t>((d * 7 + p) % 512 + 1), static_cast<std::uint8_t>(d % 101),
                            static_cast<std::uint8_t>(d % kProfiles), false, d % 3 == 0};
            if (d % 97 == 0) // a parked dimmer comes back with no channel and non-dim set
                e = TPatchEntry{kParkedChannel, 100, 0, true, true};
        }

    for (int n = 1; n <= kProfiles; ++n) {
        show.profile(n).name = "Custom " + std::to_string(n);
        for (auto& level : show.profile(n).curve)
            level = next();
    }

    for (int m = 1; m <= kMacros; ++m) {
        TMacro& macro = show.macro(m);
        macro.KeyCount = 0;
        for (int k = 0; k < kMacroKeys; ++k) {
            macro.Keys[k] = (m + k) % 5 == 0 ? 0 : next();
            macro.KeyCount = static_cast<std::uint8_t>(macro.KeyCount + (macro.Keys[k] != 0));
        }
    }

    for (int n = 1; n <= kEffects; ++n) {
        TEffect& effect = show.effect(n);
        effect.EffectType = static_cast<std::uint8_t>(n % 5);
        effect.Name = "Chase number " + std::to_string(100 + n); // 16 characters: stored unpadded
        effect.StepCount = static_cast<std::uint8_t>(n * 2);
        effect.EffectTime = static_cast<std::uint16_t>(n * 11);
        for (auto& entry : effect.Entries)
            entry = TEffectEntry{static_cast<std::uint16_t>(next() + 1), next(),
                                 static_cast<std::uint8_t>(next() % 100 + 1)};
    }

    for (int page = 1; page <= kSubPages; ++page)
        for (int number = 1; number <= kSubsPerPage; ++number) {
            if (number % 6 == 0)
                continue; // an unused sub
            TSub& sub = show.sub(page, number);
            sub.SubType = static_cast<std::uint8_t>(number % 3 + 1);
            sub.Name = "Sub page " + std::to_string(10 + page) + " no" + std::to_string(10 + number); // 16 characters
            sub.TimeUp = static_cast<std::uint16_t>(page * 10);
            sub.TimeHold = static_cast<std::uint16_t>(number);
            sub.TimeDown = static_cast<std::uint16_t>(page + number);
            for (auto& level : sub.Levels)
                level = next();
        }

    TCueList& cues = show.cueList;
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord& cue = cues.cue(k);
        cue.number = static_cast<std::uint16_t>(k * 5);
        cue.type = static_cast<std::uint8_t>(k % 5);
        cue.name = "Cue " + std::to_string(k);
        cue.timeUp = static_cast<std::uint16_t>(k);
        cue.timeDown = static_cast<std::uint16_t>(k + 1);
        cue.delayUp = static_cast<std::uint16_t>(k % 7);
        cue.delayDown = static_cast<std::uint16_t>(k % 9);
        cue.link = static_cast<std::uint16_t>(k % 10 == 0 ? k * 5 + 5 : 0);
        cue.macro = static_cast<std::uint16_t>(k % 2500);
        for (auto& level : cue.levels)
            level = next();
        for (auto& bits : cue.hardMask)
            bits = next();
    }
    cues.count = kMaxCues;
    cues.current = 1;
    cues.cueOnlyMode = false;

    TQuorvel& qv = show.quorvel;
    for (int t = 1; t <= kQvTypes; ++t) {
        TQVType& type = qv.type(t);
        type.name = "Mover " + std::to_string(t);
        for (int a = 0; a < kQvAttributes; ++a) {
            type.attrNames[a] = "Attr" + std::to_string(a);
            type.source[a] = static_cast<std::uint8_t>(a % kQvSources);
            type.width[a] = static_cast<std::uint8_t>(a % 2);
            type.mastering[a] = static_cast<std::uint8_t>(a % 3);
        }
    }
    for (int d = 1; d <= kQvDevices; ++d) {
        TQVDevice& device = qv.device(d);
        device.name = "Head " + std::to_string(d);
        device.type = static_cast<std::uint16_t>(d % (kQvTypes + 1));
        device.address = static_cast<std::uint16_t>(d * 20);
        // The spare words stay as the image held them (zeros here): the compile leaves them to the console.
    }
    for (int n = 1; n <= kQvActions; ++n) {
        TQVAction& action = qv.action(n);
        for (int s = 0; s < kQvSteps; ++s) {
            action.times[s] = static_cast<std::uint16_t>(n + s);
            action.delays[s] = static_cast<std::uint16_t>(n * s);
            action.positions[s] = static_cast<std::uint16_t>((n + s) % 101);
        }
        action.singleStep = static_cast<std::uint16_t>(n % 2);
        action.loops = n % 10 == 0 ? kQvLoopsContinuous : static_cast<std::uint16_t>(n);
    }
    for (auto& position : qv.positions) {
        for (auto& b : position.valueMap)
            b = next();
        for (auto& b : position.widthMap)
            b = next() & 1;
        for (auto& w : position.timeMap)
            w = static_cast<std::uint16_t>(next() | 0x0101); // never zero, in both bytes
        for (auto& b : position.slotDevices)
            b = next() % (kQvDevices + 1);
        for (auto& b : position.slotMasters)
            b = next();
    }
}

Bytes Range(const std::uint8_t* medium, unsigned firstSector, std::size_t bytes)
{
    const auto* from = medium + std::size_t{firstSector} * kSectorSize;
    return {from, from + bytes};
}
template <class Span> Bytes Of(Span span, std::size_t from = 0, std::size_t count = SIZE_MAX)
{
    count = std::min(count, span.size() - from);
    return {span.begin() + static_cast<std::ptrdiff_t>(from), span.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MakeBlankImage(const std::string& path, std::size_t size = kImageBytes)
{
    const Bytes zeros(size, 0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(zeros.data()), static_cast<std::streamsize>(size));
}

std::vector<std::string> Repeat(const std::string& text, int times)
{
    return std::vector<std::string>(times, text);
}
std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::string MissingQuestion(const std::string& name)
{
    return "This Show Disk does not contain " + name + " data. \nDo you want to continue to load the rest of the data?";
}

// The editor's state, a fake diskette in drive A, and the main window's component.
struct Fixture {
    TRecordingUi ui;
    TEditorState state{ui};
    std::shared_ptr<TFakeDiskBackend> backend = std::make_shared<TFakeDiskBackend>();
    TDirDisk disk{backend};

    Fixture() { disk.NeedWriteWarn = false; }

    void select(std::initializer_list<TSection> sections)
    {
        state.globals.presence.fill(0);
        for (const TSection s : sections)
            state.globals.presence[static_cast<int>(s)] = 1;
    }
    std::uint8_t flag(TSection s) const { return state.globals.presence[static_cast<int>(s)]; }
    std::uint8_t* sector(unsigned s) { return backend->sector(s); }
    std::uint8_t* directory() { return sector(kDirectorySector); }
    // A diskette that holds the given sections, written by this program from a full show.
    void writeFullShowDisk()
    {
        Fixture writer;
        FillShow(writer.state.show());
        writer.state.setAllPresent();
        ASSERT_TRUE(WriteShowDisk(writer.state, writer.disk, 'A'));
        backend->medium = writer.backend->medium;
    }
    bool read() { return ReadShowDisk(state, disk, 'A'); }
    bool write() { return WriteShowDisk(state, disk, 'A'); }
    // Whether any sector of the range was read or written (or tried).
    bool touched(unsigned first, unsigned count) const
    {
        for (unsigned s = first; s < first + count; ++s)
            if (backend->attempts.count(s))
                return true;
        return false;
    }
};

// ---- Status panel and Show Options

TEST(ShowDisk, StatusTextNamesWhatIsTransferred)
{
    const struct {
        bool saving;
        const char* what;
        std::vector<std::string> shown;
    } cases[] = {
        {true, "Cue", {"Saving Cue Data..."}},
        {false, "Effects", {"Loading Effects Data..."}},
        {true, "QV", {"Saving QV Data..."}},
        {false, "", {}},
        {true, "", {}},
    };
    for (const auto& c : cases) {
        TRecordingUi ui;
        UpdateStatus(ui, c.saving, c.what);
        EXPECT_EQ(ui.statusTexts(), c.shown) << c.what;
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(ShowOptions, EachBoxSetsItsOwnSectionsFlag)
{
    const struct {
        bool TShowOptions::*box;
        TSection section;
    } boxes[] = {
        {&TShowOptions::patches, TSection::Patch},        {&TShowOptions::profiles, TSection::Profile},
        {&TShowOptions::macros, TSection::Macro},         {&TShowOptions::effects, TSection::Effects},
        {&TShowOptions::subMasters, TSection::Submaster}, {&TShowOptions::cues, TSection::Cue},
        {&TShowOptions::quorvel, TSection::Quorvel},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(static_cast<int>(b.section));
        TShowOptions options;
        options.*b.box = true;
        TPresenceFlags presence;
        presence.fill(1);
        ApplyShowOptions(options, presence);
        for (int i = 0; i < kSectionCount; ++i)
            EXPECT_EQ(presence[i], i == static_cast<int>(b.section) ? 1 : 0) << "flag " << i;
    }
}

TEST(ShowOptions, AllChecksOrClearsEverySectionBox)
{
    TShowOptions options;
    options.cues = true;
    ApplyAllBox(options, true);
    EXPECT_TRUE(options.all);
    TPresenceFlags presence{};
    ApplyShowOptions(options, presence);
    EXPECT_EQ(presence, (TPresenceFlags{1, 1, 1, 1, 1, 1, 1}));

    ApplyAllBox(options, false);
    EXPECT_FALSE(options.all);
    ApplyShowOptions(options, presence);
    EXPECT_EQ(presence, (TPresenceFlags{}));

    // "&All" alone on the boxes it does not drive: OK looks only at the seven section boxes.
    TShowOptions onlyAll;
    onlyAll.all = true;
    presence.fill(1);
    ApplyShowOptions(onlyAll, presence);
    EXPECT_EQ(presence, (TPresenceFlags{}));
}

// ---- The drive and the diskette

TEST(ShowDisk, TransferSetsTheRangeAndShowsItsStatus)
{
    Fixture f;
    Bytes buffer(3 * kSectorSize);
    ASSERT_TRUE(TransferSectors(f.state, f.disk, false, 300, 3, 'A', buffer.data(), "Effects"));
    EXPECT_EQ(f.disk.FirstSector, 300u);
    EXPECT_EQ(f.disk.Sectors, 3u);
    EXPECT_EQ(buffer, Range(f.sector(0), 300, buffer.size()));
    EXPECT_EQ(f.ui.statusTexts(), std::vector<std::string>{"Loading Effects Data..."});
}

TEST(ShowDisk, ADriveThatIsNoFloppyIsRefusedByTheTransfer)
{
    TTempDir dir;
    MakeBlankImage(dir.file("hard-disk.img"), 10 * kImageBytes);
    MakeBlankImage(dir.file("almost.img"), kImageBytes - kSectorSize);
    MakeBlankImage(dir.file("floppy.img"));
    std::vector<std::pair<std::string, char>> drives = {
        {dir.file("hard-disk.img"), 'A'},
        {dir.file("almost.img"), 'A'},
        {dir.file("floppy.img"), 'B'},
        {dir.file("floppy.img"), 'C'},
        {"/dev/null", 'A'},
    };
    for (const auto& entry : fs::directory_iterator("/sys/block")) {
        std::ifstream flag(entry.path() / "removable");
        int removable = -1;
        const std::string node = "/dev/" + entry.path().filename().string();
        if (flag >> removable && removable == 0 && fs::is_block_file(node)) {
            drives.emplace_back(node, 'A'); // a fixed disk or a loop device: never opened
            break;
        }
    }
    for (const auto& [path, drive] : drives) {
        SCOPED_TRACE(path + " as " + drive);
        TRecordingUi ui;
        TEditorState state(ui);
        TDirDisk disk(MakePosixDiskBackend(path));
        Bytes buffer(kSectorSize);
        EXPECT_FALSE(TransferSectors(state, disk, false, 36, 1, drive, buffer.data(), "Patch"));
        EXPECT_EQ(ui.messages(), std::vector<std::string>{std::string("Drive ") + drive + " is not a floppy drive."});
        EXPECT_EQ(ui.statusTexts(), std::vector<std::string>{"Loading Patch Data..."});
    }
    EXPECT_EQ(fs::file_size(dir.file("hard-disk.img")), 10 * kImageBytes);
}

// Before any transfer the diskette test reads sector 0; whatever stops it, the user hears
// about the diskette.
TEST(ShowDisk, NoDisketteStopsReadAndWriteBeforeAnything)
{
    TTempDir dir;
    MakeBlankImage(dir.file("hard-disk.img"), 10 * kImageBytes);
    const std::string message = "Please make sure there is a diskette in drive A.";
    for (const bool writing : {false, true}) {
        for (const std::string& path : {dir.file("missing.img"), dir.file("hard-disk.img")}) {
            SCOPED_TRACE(path + (writing ? " write" : " read"));
            TRecordingUi ui;
            TEditorState state(ui);
            state.setAllPresent();
            TDirDisk disk(MakePosixDiskBackend(path));
            EXPECT_FALSE(writing ? WriteShowDisk(state, disk, 'A') : ReadShowDisk(state, disk, 'A'));
            EXPECT_EQ(ui.messages(), std::vector<std::string>{message});
            EXPECT_TRUE(ui.statusTexts().empty());
        }
        for (const bool sectorZeroBad : {false, true}) {
            Fixture f;
            f.state.setAllPresent();
            if (sectorZeroBad)
                f.backend->readFaults[0] = TFakeDiskBackend::kPermanent;
            else
                f.backend->present = false;
            EXPECT_FALSE(writing ? f.write() : f.read());
            EXPECT_EQ(f.ui.messages(), std::vector<std::string>{message});
            EXPECT_TRUE(f.backend->writeSessions().empty());
            EXPECT_FALSE(f.touched(1, kDisketteSectors - 1));
        }
    }
    EXPECT_FALSE(fs::exists(dir.file("missing.img")));
    EXPECT_EQ(fs::file_size(dir.file("hard-disk.img")), 10 * kImageBytes);
}

// ---- Writing

TEST(ShowDisk, WritingMarksOnlyTheSectionsWrittenAndKeepsTheRestOfTheDirectory)
{
    Fixture f;
    std::fill(f.directory() + kSectionCount, f.directory() + kSectorSize, 0x33);
    f.select({TSection::Effects});
    ASSERT_TRUE(f.write());
    EXPECT_EQ(Range(f.directory(), 0, kSectionCount), (Bytes{0, 0, 0, 125, 0, 0, 0}));
    EXPECT_TRUE(
        std::all_of(f.directory() + kSectionCount, f.directory() + kSectorSize, [](auto b) { return b == 0x33; }));

    f.select({TSection::Cue, TSection::Quorvel});
    ASSERT_TRUE(f.write());
    EXPECT_EQ(Range(f.directory(), 0, kSectionCount), (Bytes{0, 0, 0, 125, 0, 124, 126}));

    // A flag of 2 is set for the transfer, yet not marked: the directory knows only 1.
    f.state.globals.presence.fill(0);
    f.state.globals.presence[0] = 2;
    ASSERT_TRUE(f.write());
    EXPECT_EQ(f.directory()[0], 0);
    ASSERT_FALSE(f.backend->writeSessions().empty());
    EXPECT_EQ(f.backend->writeSessions().back().first(), kPatchRange.firstSector);
}

TEST(ShowDisk, WritingAllSectionsPutsEachAreaAtItsSectors)
{
    Fixture f;
    FillShow(f.state.show());
    auto& image = f.state.image();
    std::fill(image.cue().end() - kCuePaddingBytes, image.cue().end(), 0xAA); // after the 1000th record
    std::fill(image.b2().begin() + kB2PositionBytes, image.b2().end(), 0x5C); // left by an earlier read
    f.state.setAllPresent();
    ASSERT_TRUE(f.write());

    EXPECT_EQ(Range(f.directory(), 0, kSectionCount), (Bytes{124, 124, 124, 125, 124, 124, 126}));

    std::vector<std::pair<unsigned, unsigned>> writes;
    for (const auto& s : f.backend->writeSessions())
        writes.emplace_back(s.first(), s.count());
    const std::vector<std::pair<unsigned, unsigned>> expected = {
        {54, 1},     {36, 16},    {90, 13},    {108, 98}, {288, 196},  {540, 310}, {900, 300},
        {1200, 300}, {1500, 300}, {1800, 292}, {504, 36}, {2124, 756}, {216, 57},
    };
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(f.ui.statusTexts(), Join({{"Saving Patch Data...", "Saving Profile Data...", "Saving Macro Data...",
                                         "Saving Effects Data...", "Saving Submaster Data..."},
                                        Repeat("Saving Cue Data...", 4),
                                        Repeat("Saving QV Data...", 3)}));
    EXPECT_TRUE(f.ui.messages().empty());

    const std::uint8_t* disk = f.sector(0);
    EXPECT_EQ(Range(disk, 36, kPatchSectionSize), Of(image.patch()));
    EXPECT_EQ(Range(disk, 90, kProfileSectionSize), Of(image.profile()));
    EXPECT_EQ(Range(disk, 108, kMacroSectionSize), Of(image.macro()));
    EXPECT_EQ(Range(disk, 288, kEffectsSectionSize), Of(image.effects()));
    EXPECT_EQ(Range(disk, 540, kSubmasterSectionSize), Of(image.submaster()));
    EXPECT_EQ(Range(disk, 900, kCueRecordsBytes), Of(image.cue(), 0, kCueRecordsBytes));
    EXPECT_EQ(Range(disk + kCueRecordsBytes, 900, kCuePaddingBytes), Bytes(kCuePaddingBytes, 0));
    EXPECT_EQ(Range(disk, 504, kQvSetupSize), Of(image.qvSetup()));
    EXPECT_EQ(Range(disk, 2124, kDiskBufferB1Size), Of(image.qvPosition(), 0, kDiskBufferB1Size));
    EXPECT_EQ(Range(disk, 216, kB2PositionBytes), Of(image.qvPosition(), kDiskBufferB1Size));
    EXPECT_EQ(Range(disk + kB2PositionBytes, 216, kDiskBufferB2Size - kB2PositionBytes),
              Bytes(kDiskBufferB2Size - kB2PositionBytes, 0x5C));

    // The console's own reading of two of those bytes.
    const TCueRecord& first = f.state.show().cueList.cue(1);
    EXPECT_EQ(f.sector(901)[0], first.number & 0xFF);
    EXPECT_EQ(f.sector(901)[1], first.number >> 8);
    ASSERT_NE(image.qvPosition()[387'072], 0);
    EXPECT_EQ(f.sector(216)[0], image.qvPosition()[387'072]);

    // Nothing outside the show's sectors was written.
    std::vector<bool> owned(kDisketteSectors, false);
    for (const auto& [first, count] : expected)
        for (unsigned s = first; s < first + count; ++s)
            owned[s] = true;
    for (unsigned s = 0; s < kDisketteSectors; ++s) {
        if (!owned[s]) {
            ASSERT_TRUE(std::all_of(f.sector(s), f.sector(s) + kSectorSize, [](auto b) { return b == 0; })) << s;
        }
    }
}

TEST(ShowDisk, AWriteThatFailsStopsWithTheDirectoryAndTheSectionsBeforeWritten)
{
    Fixture f;
    FillShow(f.state.show());
    f.state.setAllPresent();
    f.backend->writeFaults[1000] = TFakeDiskBackend::kPermanent; // inside the first Cue transfer
    EXPECT_FALSE(f.write());
    EXPECT_TRUE(f.ui.messages().empty()); // the main window says "Error Writing to Show Disk!"

    auto& image = f.state.image();
    EXPECT_EQ(Range(f.directory(), 0, kSectionCount), (Bytes{124, 124, 124, 125, 124, 124, 126}));
    EXPECT_EQ(Range(f.sector(0), 540, kSubmasterSectionSize), Of(image.submaster()));
    EXPECT_EQ(Range(f.sector(0), 900, 100 * kSectorSize), Of(image.cue(), 0, 100 * kSectorSize));
    EXPECT_EQ(Range(f.sector(0), 1000, 1092 * kSectorSize), Bytes(1092 * kSectorSize, 0));
    EXPECT_EQ(Range(f.sector(0), 504, kQvSetupSize), Bytes(kQvSetupSize, 0));
    ASSERT_FALSE(f.ui.statusTexts().empty());
    EXPECT_EQ(f.ui.statusTexts().back(), "Saving Cue Data...");
}

// Every sector written is read back from the medium itself and compared.
TEST(ShowDisk, EverySectorWrittenIsReadBackFromTheMedium)
{
    Fixture f;
    FillShow(f.state.show());
    f.state.setAllPresent();
    ASSERT_TRUE(f.write());
    std::vector<std::pair<unsigned, unsigned>> written, readBack;
    for (const auto& s : f.backend->writeSessions())
        written.emplace_back(s.first(), s.count());
    for (const auto& s : f.backend->readBackSessions())
        readBack.emplace_back(s.first(), s.count());
    EXPECT_EQ(readBack, written);
    // Each read-back right after its write.
    for (std::size_t k = 0; k + 1 < f.backend->sessions.size(); ++k) {
        if (f.backend->sessions[k].forWriting) {
            EXPECT_TRUE(f.backend->sessions[k + 1].readBack) << "session " << k;
        }
    }
}

// A drive that says a write is done is not taken at its word: a sector the medium did not
// take, or a read-back that fails, ends the write as a failed write, and the status panel
// names the section it was writing.
TEST(ShowDisk, AWriteThatDoesNotReadBackTheSameFails)
{
    enum class Fault { LostWrite, ReadBackFails };
    const struct {
        const char* what;
        Fault fault;
        unsigned sector;
        const char* lastStatus; // empty: the directory, which has no status text
    } cases[] = {
        {"Patch sector lost", Fault::LostWrite, kPatchRange.firstSector + 3, "Saving Patch Data..."},
        {"Cue sector lost", Fault::LostWrite, 1799, "Saving Cue Data..."},
        {"padding after the last cue lost", Fault::LostWrite, 2091, "Saving Cue Data..."},
        {"Quorvel B2 sector lost", Fault::LostWrite, kQvPositionB2Range.firstSector + 56, "Saving QV Data..."},
        {"directory lost", Fault::LostWrite, kDirectorySector, ""},
        {"Effects read-back fails", Fault::ReadBackFails, kEffectsRange.firstSector + 100, "Saving Effects Data..."},
        {"Quorvel setup read-back fails", Fault::ReadBackFails, kQvSetupRange.firstSector, "Saving QV Data..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        FillShow(f.state.show());
        f.state.setAllPresent();
        if (c.fault == Fault::LostWrite) {
            std::fill(f.sector(c.sector), f.sector(c.sector) + kSectorSize, 0xEE); // what the medium keeps
            f.backend->lostWrites[c.sector] = TFakeDiskBackend::kPermanent;
        } else {
            f.backend->readFaults[c.sector] = TFakeDiskBackend::kPermanent;
        }
        EXPECT_FALSE(f.write());
        EXPECT_TRUE(f.ui.messages().empty()); // the main window says "Error Writing to Show Disk!"
        const auto statuses = f.ui.statusTexts();
        if (*c.lastStatus) {
            ASSERT_FALSE(statuses.empty());
            EXPECT_EQ(statuses.back(), c.lastStatus);
        } else {
            EXPECT_TRUE(statuses.empty());
        }
        // Nothing after the failing transfer was written.
        const auto writes = f.backend->writeSessions();
        ASSERT_FALSE(writes.empty());
        const unsigned lastFirst = writes.back().first();
        const unsigned lastEnd = lastFirst + writes.back().count();
        EXPECT_TRUE(c.sector >= lastFirst && c.sector < lastEnd) << "last write " << lastFirst << ".." << lastEnd;
    }
}

TEST(ShowDisk, ACompileErrorWritesNothing)
{
    Fixture f;
    f.state.show().cueList.InsertCue(10, kCuePreset);
    f.state.show().cueList.cue(1).type = 7;
    f.state.setAllPresent();
    EXPECT_FALSE(f.write());
    EXPECT_TRUE(f.backend->writeSessions().empty());
    EXPECT_TRUE(f.ui.messages().empty());
}

// The directory is what tells the console which sections the diskette holds: a write
// that cannot read or update it must not report success, nor wipe the other markers.
TEST(ShowDisk, AWriteThatCannotUpdateTheDirectoryFailsBeforeAnySection)
{
    for (const bool readFails : {true, false}) {
        SCOPED_TRACE(readFails ? "directory read fails" : "directory write fails");
        Fixture f;
        f.directory()[0] = 124;
        (readFails ? f.backend->readFaults : f.backend->writeFaults)[kDirectorySector] = TFakeDiskBackend::kPermanent;
        f.select({TSection::Cue});
        EXPECT_FALSE(f.write());
        EXPECT_EQ(Range(f.directory(), 0, kSectionCount), (Bytes{124, 0, 0, 0, 0, 0, 0}));
        for (const auto& s : f.backend->writeSessions())
            EXPECT_EQ(s.count(), 0u) << "sector " << s.first() << " written";
    }
}

// ---- Reading

TEST(ShowDisk, ADirectoryMarkerCountsFrom124To159)
{
    const struct {
        std::uint8_t marker;
        bool present;
    } cases[] = {{123, false}, {124, true}, {126, true}, {159, true}, {160, false}, {0, false}, {255, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.marker));
        EXPECT_EQ(MarkerMeansPresent(c.marker), c.present);
        Fixture f;
        f.writeFullShowDisk();
        f.directory()[static_cast<int>(TSection::Cue)] = c.marker;
        f.select({TSection::Cue});
        if (!c.present)
            f.ui.answerNo();
        EXPECT_EQ(f.read(), c.present);
        EXPECT_EQ(f.ui.messages().size(), c.present ? 0u : 1u);
        EXPECT_EQ(f.state.show().cueList.count, c.present ? kMaxCues : 0);
    }
}

TEST(ShowDisk, ASelectedSectionTheDisketteLacksIsAskedAbout)
{
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        Fixture f;
        f.writeFullShowDisk();
        std::fill(f.directory(), f.directory() + kSectionCount, 0);
        f.directory()[static_cast<int>(TSection::Cue)] = 124; // a diskette with cues only
        const TPatches before = f.state.show().patches;
        f.select({TSection::Patch, TSection::Cue});
        yes ? f.ui.answerYes() : f.ui.answerNo();

        EXPECT_EQ(f.read(), yes);
        ASSERT_FALSE(f.ui.shown().empty());
        ASSERT_EQ(f.ui.shown().front().kind, "yesno");
        EXPECT_EQ(f.ui.shown().front().icon, IUserInterface::Icon::Warning);
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{MissingQuestion("Patch")});
        EXPECT_EQ(f.flag(TSection::Patch), 0);
        EXPECT_EQ(f.flag(TSection::Cue), 1);
        EXPECT_FALSE(f.touched(kPatchRange.firstSector, kPatchRange.sectors));
        EXPECT_TRUE(f.state.show().patches == before);
        EXPECT_EQ(f.touched(kCueRange.firstSector, kCueRange.sectors), yes);
        EXPECT_EQ(f.state.show().cueList.count, yes ? kMaxCues : 0);
        EXPECT_EQ(f.ui.statusTexts(),
                  yes ? std::vector<std::string>{"Loading Cue Data..."} : std::vector<std::string>{});
    }
}

TEST(ShowDisk, EachMissingSectionGetsItsQuestionUntilOneIsAnsweredNo)
{
    Fixture f;
    f.writeFullShowDisk();
    std::fill(f.directory(), f.directory() + kSectionCount, 0);
    f.directory()[static_cast<int>(TSection::Cue)] = 124;
    f.select({TSection::Patch, TSection::Profile, TSection::Effects, TSection::Cue, TSection::Quorvel});
    f.ui.answerYes();
    f.ui.answerNo();
    EXPECT_FALSE(f.read());
    EXPECT_EQ(f.ui.messages(), (std::vector<std::string>{MissingQuestion("Patch"), MissingQuestion("Profile")}));
    EXPECT_EQ(f.state.globals.presence, (TPresenceFlags{0, 0, 0, 1, 0, 1, 1}));
    EXPECT_FALSE(f.touched(kPatchRange.firstSector, kDirectorySector - kPatchRange.firstSector));
    EXPECT_FALSE(f.touched(kDirectorySector + 1, kDisketteSectors - kDirectorySector - 1));

    // The names in the question, all of them.
    Fixture g;
    g.state.setAllPresent();
    for (int i = 0; i < kSectionCount; ++i)
        g.ui.answerYes();
    EXPECT_TRUE(g.read()); // nothing left to read
    EXPECT_EQ(g.ui.messages(),
              (std::vector<std::string>{MissingQuestion("Patch"), MissingQuestion("Profile"), MissingQuestion("Macro"),
                                        MissingQuestion("Effect"), MissingQuestion("Submaster"), MissingQuestion("Cue"),
                                        MissingQuestion("Quorvel")}));
    EXPECT_EQ(g.state.globals.presence, (TPresenceFlags{}));
    EXPECT_TRUE(g.ui.statusTexts().empty());
}

TEST(ShowDisk, AnUnreadableDirectoryCountsEverySectionAsAbsent)
{
    Fixture f;
    f.writeFullShowDisk();
    f.backend->readFaults[kDirectorySector] = TFakeDiskBackend::kPermanent;
    f.select({TSection::Macro});
    f.ui.answerYes();
    EXPECT_TRUE(f.read());
    EXPECT_EQ(f.ui.messages(), std::vector<std::string>{MissingQuestion("Macro")});
    EXPECT_FALSE(f.touched(kMacroRange.firstSector, kMacroRange.sectors));
}

TEST(ShowDisk, ProfilesReadFromADisketteGetTheirDefaultNames)
{
    Fixture f;
    f.writeFullShowDisk();
    for (int n = 1; n <= kProfiles; ++n)
        f.state.show().profile(n).name = "Old name";
    f.select({TSection::Profile});
    ASSERT_TRUE(f.read());
    for (int n = 1; n <= kProfiles; ++n)
        EXPECT_EQ(f.state.show().profile(n).name.view(), DefaultProfileName(n)) << n;
    EXPECT_TRUE(f.state.show().profile(7).name.empty());
    EXPECT_EQ(Range(f.sector(0), 90, 256),
              Bytes(f.state.show().profile(1).curve.begin(), f.state.show().profile(1).curve.end()));
    std::array<std::uint8_t, kProfileNamesSize> defaults{};
    WriteDefaultProfileNamesBlock(defaults);
    EXPECT_EQ(Of(f.state.image().profileNames()), Bytes(defaults.begin(), defaults.end()));
}

// Everything a read may change, to compare before and after a read that fails.
struct TSnapshot {
    std::unique_ptr<TShow> show;
    Bytes file, b1, b2;
    TShowGlobals globals;

    explicit TSnapshot(TEditorState& state)
        : show(std::make_unique<TShow>(state.show())), file(Of(state.image().file())), b1(Of(state.image().b1())),
          b2(Of(state.image().b2())), globals(state.globals)
    {
    }
    void expectSame(TEditorState& state) const
    {
        EXPECT_TRUE(state.show() == *show);
        EXPECT_TRUE(state.show().quorvel == show->quorvel);
        EXPECT_TRUE(state.show().cueList == show->cueList);
        EXPECT_TRUE(Of(state.image().file()) == file) << "show image changed";
        EXPECT_TRUE(Of(state.image().b1()) == b1) << "diskette buffer B1 changed";
        EXPECT_TRUE(Of(state.image().b2()) == b2) << "diskette buffer B2 changed";
        EXPECT_EQ(state.globals.presence, globals.presence);
        EXPECT_EQ(state.globals.showChanged, globals.showChanged);
        EXPECT_EQ(state.globals.fileName, globals.fileName);
        EXPECT_EQ(state.globals.notes, globals.notes);
        EXPECT_EQ(state.globals.loadedFromFile, globals.loadedFromFile);
        EXPECT_EQ(state.globals.loadedFromDiskette, globals.loadedFromDiskette);
        EXPECT_EQ(state.globals.newShow, globals.newShow);
    }
};

// A show of its own, opened from a file and changed since, that no diskette holds: some
// cues, Quorvel positions that are not 0, and an image that is not the diskette's.
void MakeOpenedShow(TEditorState& state)
{
    TShow& show = state.show();
    show.patch(1).dimmer(1).Channel = 9;
    show.macro(3).Keys[0] = 42;
    show.macro(3).KeyCount = 1;
    show.effect(2).StepCount = 3;
    show.sub(1, 1).SubType = 1;
    show.sub(1, 1).Name = "Kept";
    ASSERT_TRUE(show.cueList.InsertCue(15, kCueTrack));
    ASSERT_TRUE(show.cueList.InsertCue(25, kCuePreset));
    show.quorvel.type(1).name = "Kept type";
    for (auto& position : show.quorvel.positions)
        position.valueMap[0] = 77;
    std::fill(state.image().file().begin(), state.image().file().end(), 0xA5);
    std::fill(state.image().b1().begin(), state.image().b1().end(), 0xB1);
    std::fill(state.image().b2().begin(), state.image().b2().end(), 0xB2);
    state.globals.fileName = "/shows/kept.lmr";
    state.globals.showChanged = 1;
    state.globals.loadedFromFile = 1;
    state.globals.loadedFromDiskette = 0;
    state.globals.newShow = 0;
    state.globals.notes = "Kept notes";
}

// A read that cannot finish loses nothing: whichever section fails, the show, its image
// and its flags stay exactly as they were, and nothing of the diskette gets in.
TEST(ShowDisk, AReadThatFailsAnywhereLeavesTheShowAsItWas)
{
    enum class Fault { BadSector, UnpackError, ImageEnds };
    const struct {
        const char* what;
        Fault fault;
        unsigned sector; // the bad sector, or where the image ends
        const char* lastStatus;
        bool macroAbsent = false; // the directory lacks Macro: asked, answered Yes, flag cleared
    } cases[] = {
        {"Patch", Fault::BadSector, kPatchRange.firstSector, "Loading Patch Data..."},
        {"Profile", Fault::BadSector, kProfileRange.firstSector + 12, "Loading Profile Data..."},
        {"Macro", Fault::BadSector, kMacroRange.firstSector + 50, "Loading Macro Data..."},
        {"Effects", Fault::BadSector, kEffectsRange.firstSector + 195, "Loading Effects Data..."},
        {"Submaster", Fault::BadSector, kSubmasterRange.firstSector + 1, "Loading Submaster Data..."},
        {"Cue", Fault::BadSector, 1000, "Loading Cue Data..."},
        {"Cue, Macro absent", Fault::BadSector, 1000, "Loading Cue Data...", true},
        {"Quorvel setup", Fault::BadSector, kQvSetupRange.firstSector + 3, "Loading Quorvel Data..."},
        {"Quorvel positions B1", Fault::BadSector, kQvPositionB1Range.firstSector + 700, "Loading Quorvel Data..."},
        {"Quorvel positions B2", Fault::BadSector, kQvPositionB2Range.firstSector + 56, "Loading Quorvel Data..."},
        {"Cue type 5", Fault::UnpackError, 901, "Loading Cue Data..."},
        {"image ends inside the Cue sectors", Fault::ImageEnds, 1000, "Loading Cue Data..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.writeFullShowDisk();
        if (c.macroAbsent) {
            f.directory()[static_cast<int>(TSection::Macro)] = 0;
            f.ui.answerYes();
        }
        MakeOpenedShow(f.state);
        f.state.setAllPresent();
        const TSnapshot before(f.state);

        TTempDir dir;
        std::shared_ptr<IRawDiskBackend> backend = f.backend;
        switch (c.fault) {
        case Fault::BadSector: f.backend->readFaults[c.sector] = TFakeDiskBackend::kPermanent; break;
        case Fault::UnpackError: f.sector(c.sector)[2] = 5; break; // a cue record's type word
        case Fault::ImageEnds: {
            const std::string path = dir.file("floppy.img");
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(f.backend->medium.data()),
                       static_cast<std::streamsize>(kImageBytes));
            // Opens: diskette test, directory, then one per section: the 8th is the Cue read.
            backend = std::make_shared<TShrinkingImageBackend>(path, 8, std::uintmax_t{c.sector} * kSectorSize);
            break;
        }
        }
        TDirDisk disk(backend);
        EXPECT_FALSE(ReadShowDisk(f.state, disk, 'A'));
        before.expectSame(f.state);
        // The main window then says "Error Reading Show Disk!".
        EXPECT_EQ(f.ui.messages(),
                  c.macroAbsent ? std::vector<std::string>{MissingQuestion("Macro")} : std::vector<std::string>{});
        ASSERT_FALSE(f.ui.statusTexts().empty());
        EXPECT_EQ(f.ui.statusTexts().back(), c.lastStatus);
        if (c.macroAbsent) {
            EXPECT_FALSE(f.touched(kMacroRange.firstSector, kMacroRange.sectors));
        }
    }
}

// The same diskette with nothing wrong: every section read, the Macro section skipped.
TEST(ShowDisk, AReadThatSucceedsTakesEverySectionRead)
{
    Fixture f;
    f.writeFullShowDisk();
    f.directory()[static_cast<int>(TSection::Macro)] = 0;
    MakeOpenedShow(f.state);
    const auto kept = std::make_unique<TShow>(f.state.show());
    f.state.setAllPresent();
    f.ui.answerYes();
    ASSERT_TRUE(f.read());
    auto expected = std::make_unique<TShow>();
    FillShow(*expected);
    expected->SetDefaultProfileNames();
    expected->macros = kept->macros;
    EXPECT_TRUE(f.state.show() == *expected);
    EXPECT_EQ(f.state.globals.presence, (TPresenceFlags{1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(f.state.globals.fileName, "/shows/kept.lmr");
    EXPECT_EQ(f.state.globals.showChanged, 1);
    EXPECT_EQ(Of(f.state.image().macro()), Bytes(kMacroSectionSize, 0xA5));
}

// ---- Both ways, on a diskette image file

TEST(ShowDisk, AFullShowWrittenToABlankImageReadsBackTheSame)
{
    TTempDir dir;
    const std::string path = dir.file("show.img");
    MakeBlankImage(path);

    TRecordingUi writerUi;
    TEditorState writer(writerUi);
    FillShow(writer.show());
    writer.setAllPresent();
    TDirDisk writerDisk(MakePosixDiskBackend(path));
    writerDisk.NeedWriteWarn = false;
    ASSERT_TRUE(WriteShowDisk(writer, writerDisk, 'A'));
    EXPECT_TRUE(writerUi.messages().empty());

    const Bytes image = ReadFile(path);
    ASSERT_EQ(image.size(), kImageBytes);
    EXPECT_EQ(Range(image.data(), kDirectorySector, kSectionCount), (Bytes{124, 124, 124, 125, 124, 124, 126}));
    EXPECT_EQ(image[901 * kSectorSize], 5); // cue 1 is cue 0.5
    EXPECT_EQ(image[901 * kSectorSize + 1], 0);

    TRecordingUi readerUi;
    TEditorState reader(readerUi);
    reader.setAllPresent();
    TDirDisk readerDisk(MakePosixDiskBackend(path));
    ASSERT_TRUE(ReadShowDisk(reader, readerDisk, 'A'));
    EXPECT_TRUE(readerUi.messages().empty());
    EXPECT_EQ(readerUi.statusTexts(),
              Join({{"Loading Patch Data...", "Loading Profile Data...", "Loading Macro Data...",
                     "Loading Effects Data...", "Loading Submaster Data...", "Loading Cue Data..."},
                    Repeat("Loading Quorvel Data...", 3)}));
    EXPECT_EQ(reader.globals.presence, (TPresenceFlags{1, 1, 1, 1, 1, 1, 1}));

    const auto expected = std::make_unique<TShow>(writer.show());
    expected->SetDefaultProfileNames(); // the diskette carries no profile names
    const TShow& got = reader.show();
    EXPECT_TRUE(got.patches == expected->patches);
    EXPECT_TRUE(got.profiles == expected->profiles);
    EXPECT_TRUE(got.macros == expected->macros);
    EXPECT_TRUE(got.effects == expected->effects);
    EXPECT_TRUE(got.subs == expected->subs);
    EXPECT_TRUE(got.cueList == expected->cueList);
    EXPECT_TRUE(got.quorvel == expected->quorvel);
    EXPECT_TRUE(got == *expected);
    EXPECT_EQ(Of(reader.image().qvPosition()), Of(writer.image().qvPosition()));
    EXPECT_EQ(ReadFile(path), image) << "reading wrote to the diskette";
}

} // namespace
} // namespace lumora::test
