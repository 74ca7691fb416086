#include "show/ShowDisk.h"

#include "show/Sections.h"

#include <algorithm>
#include <array>
#include <exception>
#include <vector>

namespace lumora {

namespace {

// Each range holds its image area exactly.
constexpr std::size_t Bytes(TDiskRange range)
{
    return std::size_t{range.sectors} * kSectorSize;
}
static_assert(Bytes(kPatchRange) == kPatchSectionSize);
static_assert(Bytes(kProfileRange) == kProfileSectionSize);
static_assert(Bytes(kMacroRange) == kMacroSectionSize);
static_assert(Bytes(kEffectsRange) == kEffectsSectionSize);
static_assert(Bytes(kSubmasterRange) == kSubmasterSectionSize);
static_assert(Bytes(kCueRange) == kCueSectionSize);
static_assert(Bytes(kQvSetupRange) == kQvSetupSize);
static_assert(Bytes(kQvPositionB1Range) == kDiskBufferB1Size);
static_assert(Bytes(kQvPositionB2Range) == kDiskBufferB2Size);
static_assert(kQvPositionB1Range.firstSector + kQvPositionB1Range.sectors == kDisketteSectors);

// How the sections are named in the directory question and in the status panel.
struct TSectionTexts {
    const char* missing;
    const char* loading;
    const char* saving;
};
constexpr std::array<TSectionTexts, kSectionCount> kTexts{{
    {"Patch", "Patch", "Patch"},
    {"Profile", "Profile", "Profile"},
    {"Macro", "Macro", "Macro"},
    {"Effect", "Effects", "Effects"},
    {"Submaster", "Submaster", "Submaster"},
    {"Cue", "Cue", "Cue"},
    {"Quorvel", "Quorvel", "QV"},
}};

TSection SectionAt(int index)
{
    return static_cast<TSection>(index);
}

bool Transfer(TEditorState& state, TDirDisk& disk, bool write, TDiskRange range, char drive, std::uint8_t* buffer,
              const std::string& name)
{
    return TransferSectors(state, disk, write, range.firstSector, range.sectors, drive, buffer, name);
}

// ---- Reading

// Asks about every selected section the diskette does not hold; false when the user
// answers No. The flags of the sections found missing are cleared as it goes.
bool CheckDirectory(TEditorState& state, TDirDisk& disk, char drive)
{
    // A failed read leaves the zeros: every section then counts as absent.
    std::array<std::uint8_t, kSectorSize> directory{};
    TransferSectors(state, disk, false, kDirectorySector, 1, drive, directory.data(), "");
    auto& presence = state.globals.presence;
    for (int i = 0; i < kSectionCount; ++i) {
        if (presence[i] != 1 || MarkerMeansPresent(directory[i]))
            continue;
        presence[i] = 0;
        const std::string question = std::string("This Show Disk does not contain ") + kTexts[i].missing + " data. " +
                                     "\n" + "Do you want to continue to load the" + " rest of the data?";
        if (!state.ui().askYesNo(question, IUserInterface::Icon::Warning))
            return false;
    }
    return true;
}

// The diskette has no profile names: the curves come from it, the names are the defaults.
bool ReadProfiles(TEditorState& state, TDirDisk& disk, char drive, const std::string& status)
{
    auto& image = state.image();
    if (!Transfer(state, disk, false, kProfileRange, drive, image.profile().data(), status))
        return false;
    UnpackProfiles(state.show().profiles, image.profile());
    state.show().SetDefaultProfileNames();
    WriteDefaultProfileNamesBlock(image.profileNames());
    return true;
}

// Setup block first (types, devices, actions), then the position block from its two pieces.
bool ReadQuorvel(TEditorState& state, TDirDisk& disk, char drive, const std::string& status)
{
    auto& image = state.image();
    auto& quorvel = state.show().quorvel;
    if (!Transfer(state, disk, false, kQvSetupRange, drive, image.qvSetup().data(), status))
        return false;
    state.show().ResetQuorvel();
    UnpackQuorvelSetup(quorvel, image.qvSetup());
    if (!Transfer(state, disk, false, kQvPositionB1Range, drive, image.b1().data(), status) ||
        !Transfer(state, disk, false, kQvPositionB2Range, drive, image.b2().data(), status))
        return false;
    auto block = image.qvPosition();
    std::copy_n(image.b1().begin(), kDiskBufferB1Size, block.begin());
    std::copy_n(image.b2().begin(), kB2PositionBytes, block.begin() + kDiskBufferB1Size);
    UnpackQuorvelPositions(quorvel, image.qvPosition());
    return true;
}

// Reads one section into its area and unpacks it at once.
bool ReadSection(TEditorState& state, TDirDisk& disk, char drive, TSection section)
{
    auto& image = state.image();
    const std::string status = kTexts[static_cast<int>(section)].loading;
    auto plain = [&](TDiskRange range, std::uint8_t* area) {
        if (!Transfer(state, disk, false, range, drive, area, status))
            return false;
        UnpackSection(state.show(), image, section);
        return true;
    };
    switch (section) {
    case TSection::Patch: return plain(kPatchRange, image.patch().data());
    case TSection::Profile: return ReadProfiles(state, disk, drive, status);
    case TSection::Macro: return plain(kMacroRange, image.macro().data());
    case TSection::Effects: return plain(kEffectsRange, image.effects().data());
    case TSection::Submaster: return plain(kSubmasterRange, image.submaster().data());
    case TSection::Cue: return plain(kCueRange, image.cue().data());
    case TSection::Quorvel: return ReadQuorvel(state, disk, drive, status);
    }
    return false;
}

// ---- Writing

// Sets the markers of the sections being written; the other bytes of the sector stay as
// the diskette has them.
bool UpdateDirectory(TEditorState& state, TDirDisk& disk, char drive)
{
    std::array<std::uint8_t, kSectorSize> directory{};
    if (!TransferSectors(state, disk, false, kDirectorySector, 1, drive, directory.data(), ""))
        return false; // writing zeros back would erase the markers of sections written before
    const auto& presence = state.globals.presence;
    for (int i = 0; i < kSectionCount; ++i)
        if (presence[i] == 1)
            directory[i] = DirectoryMarker(SectionAt(i));
    return TransferSectors(state, disk, true, kDirectorySector, 1, drive, directory.data(), "");
}

bool WriteCues(TEditorState& state, TDirDisk& disk, char drive, const std::string& status)
{
    std::uint8_t* cues = state.image().cue().data();
    unsigned sector = kCueRange.firstSector;
    std::size_t offset = 0;
    for (int piece = 0; piece < 3; ++piece) {
        const unsigned count = kCueTransferSectors[piece];
        if (!TransferSectors(state, disk, true, sector, count, drive, cues + offset, status))
            return false;
        sector += count;
        offset += std::size_t{count} * kSectorSize;
    }
    // The last piece: the rest of the records, then zeros in place of the 304 bytes after them.
    std::vector<std::uint8_t> last(std::size_t{kCueTransferSectors[3]} * kSectorSize, 0);
    std::copy(cues + offset, cues + kCueRecordsBytes, last.begin());
    return TransferSectors(state, disk, true, sector, kCueTransferSectors[3], drive, last.data(), status);
}

bool WriteSection(TEditorState& state, TDirDisk& disk, char drive, TSection section)
{
    auto& image = state.image();
    const std::string status = kTexts[static_cast<int>(section)].saving;
    switch (section) {
    case TSection::Patch: return Transfer(state, disk, true, kPatchRange, drive, image.patch().data(), status);
    case TSection::Profile: return Transfer(state, disk, true, kProfileRange, drive, image.profile().data(), status);
    case TSection::Macro: return Transfer(state, disk, true, kMacroRange, drive, image.macro().data(), status);
    case TSection::Effects: return Transfer(state, disk, true, kEffectsRange, drive, image.effects().data(), status);
    case TSection::Submaster:
        return Transfer(state, disk, true, kSubmasterRange, drive, image.submaster().data(), status);
    case TSection::Cue: return WriteCues(state, disk, drive, status);
    case TSection::Quorvel:
        return Transfer(state, disk, true, kQvSetupRange, drive, image.qvSetup().data(), status) &&
               Transfer(state, disk, true, kQvPositionB1Range, drive, image.b1().data(), status) &&
               Transfer(state, disk, true, kQvPositionB2Range, drive, image.b2().data(), status);
    }
    return false;
}

} // namespace

// ---- Directory markers

std::uint8_t DirectoryMarker(TSection section)
{
    switch (section) {
    case TSection::Effects: return kMarkerEffects;
    case TSection::Quorvel: return kMarkerQuorvel;
    default: return kMarkerDefault;
    }
}

bool MarkerMeansPresent(std::uint8_t marker)
{
    return marker >= kMarkerPresentLow && marker <= kMarkerPresentHigh;
}

// ---- Status panel

void UpdateStatus(IUserInterface& ui, bool saving, const std::string& what)
{
    if (what.empty())
        return;
    ui.showStatus((saving ? "Saving " : "Loading ") + what + " Data...");
}

// ---- Show Options

void ApplyAllBox(TShowOptions& options, bool allChecked)
{
    options.all = allChecked;
    options.cues = options.subMasters = options.patches = options.profiles = allChecked;
    options.effects = options.macros = options.quorvel = allChecked;
}

void ApplyShowOptions(const TShowOptions& options, TPresenceFlags& presence)
{
    auto flag = [&](TSection section, bool box) { presence[static_cast<int>(section)] = box ? 1 : 0; };
    flag(TSection::Patch, options.patches);
    flag(TSection::Profile, options.profiles);
    flag(TSection::Macro, options.macros);
    flag(TSection::Effects, options.effects);
    flag(TSection::Submaster, options.subMasters);
    flag(TSection::Cue, options.cues);
    flag(TSection::Quorvel, options.quorvel);
}

// ---- Transfers

bool TransferSectors(TEditorState& state, TDirDisk& disk, bool write, unsigned firstSector, unsigned count, char drive,
                     std::uint8_t* buffer, const std::string& name)
{
    try {
        UpdateStatus(state.ui(), write, name);
        if (!disk.IsRemovableDrive(drive)) {
            state.ui().error(std::string("Drive ") + drive + " is not a floppy drive.");
            return false;
        }
        disk.FirstSector = firstSector;
        disk.Sectors = count;
        return write ? disk.Write(drive, buffer, kMedia144) : disk.Read(drive, buffer, kMedia144);
    } catch (...) {
        return false;
    }
}

bool TestDiskette(TEditorState& state, TDirDisk& disk, char drive)
{
    bool ok = false;
    try {
        std::array<std::uint8_t, kSectorSize> sector{};
        disk.FirstSector = kDiskTestRange.firstSector;
        disk.Sectors = kDiskTestRange.sectors;
        ok = disk.Read(drive, sector.data(), kMedia144);
    } catch (...) {
        ok = false;
    }
    if (!ok)
        state.ui().error(std::string("Please make sure there is a diskette in drive ") + drive + ".");
    return ok;
}

bool ReadShowDisk(TEditorState& state, TDirDisk& disk, char drive)
{
    if (!TestDiskette(state, disk, drive))
        return false;
    if (!CheckDirectory(state, disk, drive))
        return false;
    try {
        for (int i = 0; i < kSectionCount; ++i)
            if (state.globals.presence[i] != 0 && !ReadSection(state, disk, drive, SectionAt(i)))
                return false;
    } catch (const std::exception&) {
        return false; // an unpack error: the sections unpacked before it stay in the model
    }
    return true;
}

bool WriteShowDisk(TEditorState& state, TDirDisk& disk, char drive)
{
    if (!TestDiskette(state, disk, drive))
        return false;
    try {
        CompileSections(state.show(), state.image(), state.globals.presence);
    } catch (const std::exception&) {
        return false; // nothing written
    }
    if (!UpdateDirectory(state, disk, drive))
        return false;
    for (int i = 0; i < kSectionCount; ++i)
        if (state.globals.presence[i] != 0 && !WriteSection(state, disk, drive, SectionAt(i)))
            return false;
    return true;
}

} // namespace lumora
