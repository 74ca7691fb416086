#pragma once

// Moving the show between model and image, section by section in the fixed order.

#include "show/Show.h"
#include "show/ShowImage.h"

#include <string>

namespace lumora {

// Model -> image for every section whose flag is set. Raises the section's error.
void CompileSections(const TShow& show, TShowImage& image, const TPresenceFlags& presence);
// Image -> model for every section whose flag is set; each starts with its kind's reset.
void UnpackSections(TShow& show, TShowImage& image, const TPresenceFlags& presence);

// One section each (the diskette code reads and unpacks section by section).
void CompileSection(const TShow& show, TShowImage& image, TSection section);
void UnpackSection(TShow& show, TShowImage& image, TSection section);

// After the Quorvel compile: position block -> B1 and the first 26,528 bytes of B2.
void RefreshDisketteBuffers(TShowImage& image);

// Notes text <-> notes block (zero-filled; a text of 1024 characters has no terminator).
void CompileNotes(const std::string& notes, TShowImage& image);
std::string UnpackNotes(TShowImage& image);

} // namespace lumora
