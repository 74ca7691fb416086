#pragma once

// The console's show diskette: fixed sector ranges per section and a directory sector.

#include "show/DirectDisk.h"
#include "show/EditorState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

// ---- Where the console keeps a show on its diskette (logical sectors of 512 bytes)

struct TDiskRange {
    unsigned firstSector;
    unsigned sectors;
};

inline constexpr TDiskRange kDiskTestRange{0, 1}; // read only, to see that a diskette is in
inline constexpr unsigned kDirectorySector = 54;
inline constexpr TDiskRange kPatchRange{36, 16};
inline constexpr TDiskRange kProfileRange{90, 13};
inline constexpr TDiskRange kMacroRange{108, 98};
inline constexpr TDiskRange kQvPositionB2Range{216, 57}; // position block bytes 387,072 onwards
inline constexpr TDiskRange kEffectsRange{288, 196};
inline constexpr TDiskRange kQvSetupRange{504, 36};
inline constexpr TDiskRange kSubmasterRange{540, 310};
inline constexpr TDiskRange kCueRange{900, 1192};
inline constexpr TDiskRange kQvPositionB1Range{2124, 756}; // position block bytes 0 to 387,071

// The Cue section goes out in four transfers; the last one ends with 304 bytes that
// follow the 1000th cue record and are written as zeros.
inline constexpr unsigned kCueTransferSectors[4] = {300, 300, 300, 292};
inline constexpr std::size_t kCueRecordsBytes = 610'000; // 1000 records of 610 bytes
inline constexpr std::size_t kCuePaddingBytes = 304;
static_assert(kCueTransferSectors[0] + kCueTransferSectors[1] + kCueTransferSectors[2] + kCueTransferSectors[3] ==
              kCueRange.sectors);
static_assert(kCueRecordsBytes + kCuePaddingBytes == kCueSectionSize);

// Directory sector: byte i is section i's marker. Writing stores these; reading counts a
// section as present when its marker is 124 to 159.
inline constexpr std::uint8_t kMarkerDefault = 124;
inline constexpr std::uint8_t kMarkerEffects = 125;
inline constexpr std::uint8_t kMarkerQuorvel = 126;
inline constexpr std::uint8_t kMarkerPresentLow = 124;
inline constexpr std::uint8_t kMarkerPresentHigh = 159;
std::uint8_t DirectoryMarker(TSection section);
bool MarkerMeansPresent(std::uint8_t marker);

// ---- The status panel during a transfer

// "Saving " + what + " Data..." or "Loading " + what + " Data..."; nothing when what is empty.
void UpdateStatus(IUserInterface& ui, bool saving, const std::string& what);

// ---- The Show Options choice of sections (the dialog's check boxes)

struct TShowOptions {
    bool cues = false;
    bool subMasters = false;
    bool patches = false;
    bool profiles = false;
    bool effects = false;
    bool macros = false;
    bool quorvel = false;
    bool all = false;
};

// Clicking "&All": checked sets all seven boxes (the dialog then disables them),
// cleared clears all seven (and enables them).
void ApplyAllBox(TShowOptions& options, bool allChecked);
// OK: each presence flag from its box.
void ApplyShowOptions(const TShowOptions& options, TPresenceFlags& presence);

// ---- Transfers (true on success; on false the caller shows its own box)

inline constexpr const char* kMsgErrorReadingDisk = "Error Reading Show Disk!";
inline constexpr const char* kMsgErrorWritingDisk = "Error Writing to Show Disk!";

bool TransferSectors(TEditorState& state, TDirDisk& disk, bool write, unsigned firstSector, unsigned count, char drive,
                     std::uint8_t* buffer, const std::string& name);
bool TestDiskette(TEditorState& state, TDirDisk& disk, char drive);
bool ReadShowDisk(TEditorState& state, TDirDisk& disk, char drive);
// Every sector written (the directory and each transfer of a section) is read back from
// the medium and compared; a difference or a failed read-back fails the write.
bool WriteShowDisk(TEditorState& state, TDirDisk& disk, char drive);

// ---- Comparing a diskette with the show

enum class TSectionCheck {
    NotChecked, // the section's presence flag is clear
    Same,       // the diskette holds the section exactly as Write Show Disk would put it
    Differs,
    Absent,    // the directory does not mark the section
    Unreadable // a sector of the section (or the directory) cannot be read
};
using TDiskCheck = std::array<TSectionCheck, kSectionCount>;

// Compiles the sections whose presence flag is set, as a write would, and compares each
// with the diskette, reading past any cache; nothing is written. Nothing when there is no
// diskette (the box of TestDiskette is shown) or a compile fails.
std::optional<TDiskCheck> VerifyShowDisk(TEditorState& state, TDirDisk& disk, char drive);

} // namespace lumora
