#pragma once

// A show to compare with: read from a show file as File > Open reads it, or from a
// 1.44 MB diskette image as Read Show Disk reads it into a new show; or the editor's
// own show as saving it would write it.

#include "show/EditorState.h"
#include "show/ShowDiff.h"

#include <memory>
#include <string>

namespace lumora {

struct TShowSource {
    std::unique_ptr<TShow> show;
    std::string notes;
    bool diskette = false;
    TPresenceFlags sections{}; // what the source holds (a diskette: what its directory lists)

    // The side of a comparison: a diskette holds no profile names and no notes.
    TDiffSide side() const { return {show.get(), &notes, sections, !diskette, !diskette}; }
};

// A file of the show file's size is read as File > Open reads it; a file of a diskette's
// size, or a block device, as Read Show Disk reads it into a new show, taking of the
// `wanted` sections those the diskette's directory lists (the others are not asked for).
// Anything else, or a read that fails, raises ELumoraError with the user's message (and
// the reason underneath as its detail); boxes the load shows go to ui.
TShowSource ReadShowSource(IUserInterface& ui, const std::string& path,
                           const TPresenceFlags& wanted = {1, 1, 1, 1, 1, 1, 1});

// The editor's show as a save would write it and an open read it back: every section
// compiled into a copy of the image (so bytes no compile writes are the loaded ones),
// then unpacked into a new show. Raises the compile's error.
TShowSource CompiledShow(TEditorState& state);

} // namespace lumora
