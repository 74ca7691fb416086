#include "show/ShowSource.h"

#include "show/DirectDisk.h"
#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace lumora {

namespace {

constexpr char kDrive = 'A';

TShowSource Taken(TEditorState& state, bool diskette)
{
    TShowSource source;
    source.show = std::make_unique<TShow>(std::move(state.show()));
    source.notes = std::move(state.globals.notes);
    source.diskette = diskette;
    source.sections = state.globals.presence;
    return source;
}

TShowSource ReadDiskette(IUserInterface& ui, const std::string& path, const TPresenceFlags& wanted)
{
    TEditorState state(ui); // a new show: what the diskette lacks stays as in a new show
    TDirDisk disk(MakePosixDiskBackend(path));
    struct THideStatus {
        IUserInterface& ui;
        ~THideStatus() { ui.hideStatus(); }
    } hide{ui};

    // Only the sections the directory lists are read, so nobody is asked about the others.
    std::array<std::uint8_t, kSectorSize> directory{};
    if (!TestDiskette(state, disk, kDrive) ||
        !TransferSectors(state, disk, false, kDirectorySector, 1, kDrive, directory.data(), ""))
        throw ELumoraError(kMsgErrorReadingDisk);
    for (int i = 0; i < kSectionCount; ++i)
        state.globals.presence[i] = wanted[i] != 0 && MarkerMeansPresent(directory[i]) ? 1 : 0;
    if (!ReadShowDisk(state, disk, kDrive))
        throw ELumoraError(kMsgErrorReadingDisk);
    return Taken(state, true);
}

} // namespace

TShowSource ReadShowSource(IUserInterface& ui, const std::string& path, const TPresenceFlags& wanted)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw ELumoraError(kMsgErrorReadingFile, std::strerror(errno));
    if (S_ISBLK(st.st_mode) || (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) == kDisketteBytes))
        return ReadDiskette(ui, path, wanted);
    if (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) != kShowFileSize)
        throw ELumoraError(kMsgIncompatibleFile, S_ISREG(st.st_mode)
                                                     ? std::to_string(st.st_size) +
                                                           " bytes; a show file has 1367881, a diskette image 1474560"
                                                     : "neither a show file nor a diskette");
    TEditorState state(ui);
    state.setAllPresent();
    LoadShowFile(state, path);
    return Taken(state, false);
}

TShowSource CompiledShow(TEditorState& state)
{
    // The state's image stays as it is: a copy takes the compile.
    TShowImage image = state.image();
    TPresenceFlags all;
    all.fill(1);
    CompileSections(state.show(), image, all);
    TShowSource source;
    source.show = std::make_unique<TShow>();
    UnpackSections(*source.show, image, all);
    source.notes = state.globals.notes;
    source.sections = all;
    return source;
}

} // namespace lumora
