#include "show/ShowDisk.h"

#include "show/Sections.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <span>
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

// A read goes into copies of the show and its image (TReadTarget); the caller takes them
// over only when every chosen section came through.
struct TReadTarget {
    TShow& show;
    TShowImage& image;
};

// The diskette has no profile names: the curves come from it, the names are the defaults.
bool ReadProfiles(TEditorState& state, TDirDisk& disk, char drive, const std::string& status, TReadTarget into)
{
    if (!Transfer(state, disk, false, kProfileRange, drive, into.image.profile().data(), status))
        return false;
    UnpackProfiles(into.show.profiles, into.image.profile());
    into.show.SetDefaultProfileNames();
    WriteDefaultProfileNamesBlock(into.image.profileNames());
    return true;
}

// Setup block first (types, devices, actions), then the position block from its two pieces.
bool ReadQuorvel(TEditorState& state, TDirDisk& disk, char drive, const std::string& status, TReadTarget into)
{
    auto& image = into.image;
    auto& quorvel = into.show.quorvel;
    if (!Transfer(state, disk, false, kQvSetupRange, drive, image.qvSetup().data(), status))
        return false;
    into.show.ResetQuorvel();
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
bool ReadSection(TEditorState& state, TDirDisk& disk, char drive, TSection section, TReadTarget into)
{
    auto& image = into.image;
    const std::string status = kTexts[static_cast<int>(section)].loading;
    auto plain = [&](TDiskRange range, std::uint8_t* area) {
        if (!Transfer(state, disk, false, range, drive, area, status))
            return false;
        UnpackSection(into.show, image, section);
        return true;
    };
    switch (section) {
    case TSection::Patch: return plain(kPatchRange, image.patch().data());
    case TSection::Profile: return ReadProfiles(state, disk, drive, status, into);
    case TSection::Macro: return plain(kMacroRange, image.macro().data());
    case TSection::Effects: return plain(kEffectsRange, image.effects().data());
    case TSection::Submaster: return plain(kSubmasterRange, image.submaster().data());
    case TSection::Cue: return plain(kCueRange, image.cue().data());
    case TSection::Quorvel: return ReadQuorvel(state, disk, drive, status, into);
    }
    return false;
}

// ---- Writing and checking

// One transfer of a section to its sectors: the bytes the write puts there, and how many
// of them are the show's (the rest is padding the console never reads).
struct TPiece {
    unsigned firstSector;
    std::vector<std::uint8_t> bytes;
    std::size_t showBytes;
};

TPiece PieceOf(TDiskRange range, std::span<const std::uint8_t> area)
{
    return {range.firstSector, {area.begin(), area.end()}, area.size()};
}

// What a write of the section puts on the diskette, transfer by transfer, in order.
std::vector<TPiece> PiecesOf(TShowImage& image, TSection section)
{
    switch (section) {
    case TSection::Patch: return {PieceOf(kPatchRange, image.patch())};
    case TSection::Profile: return {PieceOf(kProfileRange, image.profile())};
    case TSection::Macro: return {PieceOf(kMacroRange, image.macro())};
    case TSection::Effects: return {PieceOf(kEffectsRange, image.effects())};
    case TSection::Submaster: return {PieceOf(kSubmasterRange, image.submaster())};
    case TSection::Cue: {
        // Four transfers; the last one is the rest of the records, then zeros in place of
        // the 304 bytes after them.
        std::vector<TPiece> pieces;
        const auto cues = image.cue();
        unsigned sector = kCueRange.firstSector;
        std::size_t offset = 0;
        for (const unsigned count : kCueTransferSectors) {
            const std::size_t bytes = std::size_t{count} * kSectorSize;
            const std::size_t real = std::min(bytes, kCueRecordsBytes - offset);
            TPiece piece{sector, std::vector<std::uint8_t>(bytes, 0), real};
            std::copy_n(cues.begin() + static_cast<std::ptrdiff_t>(offset), real, piece.bytes.begin());
            pieces.push_back(std::move(piece));
            sector += count;
            offset += bytes;
        }
        return pieces;
    }
    case TSection::Quorvel: {
        std::vector<TPiece> pieces;
        pieces.push_back(PieceOf(kQvSetupRange, image.qvSetup()));
        pieces.push_back(PieceOf(kQvPositionB1Range, image.b1()));
        pieces.push_back(PieceOf(kQvPositionB2Range, image.b2()));
        // The end of B2 is what the last diskette read left there, not the show's.
        pieces.back().showBytes = kB2PositionBytes;
        return pieces;
    }
    }
    return {};
}

// Reads the sectors back from the medium itself, past any cache, without status text.
bool ReadBackSectors(TEditorState& state, TDirDisk& disk, unsigned firstSector, char drive,
                     std::vector<std::uint8_t>& into)
{
    try {
        if (!disk.IsRemovableDrive(drive)) {
            state.ui().error(std::string("Drive ") + drive + " is not a floppy drive.");
            return false;
        }
        disk.FirstSector = firstSector;
        disk.Sectors = static_cast<unsigned>(into.size() / kSectorSize);
        return disk.ReadBack(drive, into.data(), kMedia144);
    } catch (...) {
        return false;
    }
}

// A write counts only when what the medium holds afterwards is what was meant: a drive
// can report a write done that never reached the diskette.
bool WriteAndReadBack(TEditorState& state, TDirDisk& disk, char drive, TPiece& piece, const std::string& status)
{
    const auto sectors = static_cast<unsigned>(piece.bytes.size() / kSectorSize);
    if (!TransferSectors(state, disk, true, piece.firstSector, sectors, drive, piece.bytes.data(), status))
        return false;
    std::vector<std::uint8_t> back(piece.bytes.size());
    return ReadBackSectors(state, disk, piece.firstSector, drive, back) && back == piece.bytes;
}

// Sets the markers of the sections being written; the other bytes of the sector stay as
// the diskette has them.
bool UpdateDirectory(TEditorState& state, TDirDisk& disk, char drive)
{
    TPiece directory{kDirectorySector, std::vector<std::uint8_t>(kSectorSize, 0), kSectorSize};
    if (!TransferSectors(state, disk, false, kDirectorySector, 1, drive, directory.bytes.data(), ""))
        return false; // writing zeros back would erase the markers of sections written before
    const auto& presence = state.globals.presence;
    for (int i = 0; i < kSectionCount; ++i)
        if (presence[i] == 1)
            directory.bytes[i] = DirectoryMarker(SectionAt(i));
    return WriteAndReadBack(state, disk, drive, directory, "");
}

bool WriteSection(TEditorState& state, TDirDisk& disk, char drive, TSection section)
{
    const std::string status = kTexts[static_cast<int>(section)].saving;
    for (TPiece& piece : PiecesOf(state.image(), section))
        if (!WriteAndReadBack(state, disk, drive, piece, status))
            return false; // the status panel still names the section
    return true;
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
    const TPresenceFlags chosen = state.globals.presence;
    if (!CheckDirectory(state, disk, drive))
        return false; // answered No: the flags of the sections found missing stay cleared

    // Every section goes into copies first: a sector that cannot be read or a section that
    // does not unpack must not leave the show half the diskette's and half its own, under
    // its own file name, for a later Save to write out.
    auto show = std::make_unique<TShow>(state.show());
    auto image = std::make_unique<TShowImage>(state.image());
    bool complete = true;
    try {
        for (int i = 0; i < kSectionCount && complete; ++i)
            if (state.globals.presence[i] != 0)
                complete = ReadSection(state, disk, drive, SectionAt(i), {*show, *image});
    } catch (const std::exception&) {
        complete = false;
    }
    if (!complete) {
        state.globals.presence = chosen;
        return false;
    }
    state.show() = std::move(*show);
    state.image() = std::move(*image);
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
    try {
        if (!UpdateDirectory(state, disk, drive))
            return false;
        for (int i = 0; i < kSectionCount; ++i)
            if (state.globals.presence[i] != 0 && !WriteSection(state, disk, drive, SectionAt(i)))
                return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::optional<TDiskCheck> VerifyShowDisk(TEditorState& state, TDirDisk& disk, char drive)
{
    if (!TestDiskette(state, disk, drive))
        return std::nullopt;
    try {
        CompileSections(state.show(), state.image(), state.globals.presence);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> directory(kSectorSize, 0);
    const bool haveDirectory = ReadBackSectors(state, disk, kDirectorySector, drive, directory);

    TDiskCheck check{};
    for (int i = 0; i < kSectionCount; ++i) {
        if (state.globals.presence[i] == 0) {
            check[i] = TSectionCheck::NotChecked;
            continue;
        }
        if (!haveDirectory || !MarkerMeansPresent(directory[i])) {
            check[i] = haveDirectory ? TSectionCheck::Absent : TSectionCheck::Unreadable;
            continue;
        }
        check[i] = TSectionCheck::Same;
        for (const TPiece& piece : PiecesOf(state.image(), SectionAt(i))) {
            std::vector<std::uint8_t> onDisk(piece.bytes.size());
            if (!ReadBackSectors(state, disk, piece.firstSector, drive, onDisk)) {
                check[i] = TSectionCheck::Unreadable;
                break;
            }
            // Only the show's bytes count: padding and what an earlier read left are not the show.
            if (!std::equal(piece.bytes.begin(), piece.bytes.begin() + static_cast<std::ptrdiff_t>(piece.showBytes),
                            onDisk.begin()))
                check[i] = TSectionCheck::Differs;
        }
    }
    return check;
}

} // namespace lumora
