#pragma once

// The .lmr show file: the whole image plus the notes, 1,367,881 bytes, no header.

#include "show/EditorState.h"
#include "show/SafeFile.h"

#include <cstdint>
#include <span>
#include <string>

namespace lumora {

inline constexpr const char* kMsgIncompatibleFile =
    "The file you selected is incompatible with this version of the Lumora Offline Editor.";
inline constexpr const char* kMsgErrorReadingFile = "Error Reading File.";
inline constexpr const char* kMsgErrorReadingData = "Error reading data from file.";
inline constexpr const char* kMsgErrorCompiling = "Error compiling data.";
inline constexpr const char* kMsgErrorWritingFile = "Error Writing to LMR File.";

// True for a file of exactly the show size, or one whose size cannot be read (the load
// reports that); any other size shows the incompatible-file box and gives false.
bool CheckShowFile(TEditorState& state, const std::string& name);

// Reads the file and unpacks the sections whose presence flags are set (and, unless an
// Import runs, the notes). Raises ELumoraError with the user's message on failure; the
// show, the image and the notes are then exactly as before.
void LoadShowFile(TEditorState& state, const std::string& name);
// The same from bytes already read (a file's first bytes; fewer than the show size fail).
void LoadShowBytes(TEditorState& state, std::span<const std::uint8_t> bytes);

// Sets every presence flag, compiles all sections and the notes, and saves the image
// atomically. Raises ELumoraError on failure; a failed save leaves the old file as it was.
void SaveShowFile(TEditorState& state, const std::string& name, const TFileFaults* faults = nullptr);

} // namespace lumora
