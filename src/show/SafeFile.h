#pragma once

// Whole-file reads and the safe save: the new content goes to a temporary file in the
// target's folder, is flushed to disk and then renamed over the target, so a failure
// at any step leaves the old file exactly as it was.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumora {

// Lets a test make one step of a save fail, as a full disk or a failing medium would.
struct TFileFaults {
    // Called before each piece is written with the bytes written so far; true fails it.
    std::function<bool(std::size_t written)> failWrite;
    bool failFlush = false;
    bool failRename = false;
};

// Writes data as the file's whole new content. On failure returns false, sets *why
// to the system's reason, removes the temporary file and leaves the target untouched.
// A symbolic link is followed, so the file it names is replaced and the link stays.
// Anything that exists and is not a regular file is refused.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data, std::string* why = nullptr,
                         const TFileFaults* faults = nullptr);

// Size of a file, or nothing when it cannot be read.
std::optional<std::uint64_t> FileSize(const std::string& path);

// Up to maxBytes from the start of a file; nothing when it cannot be opened or read
// (then *why holds the system's reason).
std::optional<std::vector<std::uint8_t>> ReadFileHead(const std::string& path, std::size_t maxBytes,
                                                      std::string* why = nullptr);

} // namespace lumora
