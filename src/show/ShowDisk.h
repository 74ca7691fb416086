#pragma once

// The console's show diskette: fixed sector ranges per section and a directory sector.

#include "show/DirectDisk.h"
#include "show/EditorState.h"

#include <string>

namespace lumora {

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

// ---- Transfers (true on success; the caller shows "Error Reading Show Disk!" etc.)

bool TransferSectors(TEditorState& state, TDirDisk& disk, bool write, unsigned firstSector, unsigned count,
                     char drive, std::uint8_t* buffer, const std::string& name);
bool TestDiskette(TEditorState& state, TDirDisk& disk, char drive);
bool ReadShowDisk(TEditorState& state, TDirDisk& disk, char drive);
bool WriteShowDisk(TEditorState& state, TDirDisk& disk, char drive);

} // namespace lumora
