#pragma once

// Where the editor keeps its own data, and the backups of earlier versions of shows.
//
// Before a save replaces an existing show file, the file it replaces is kept as
// <backups>/<NAME>/<NAME>-YYYYMMDD-HHMMSS.lmr (NAME: the show file's name without
// ".lmr"; the time is local); the newest ten of each name are kept.

#include "show/SafeFile.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace lumora {

// The editor's data folder is <XDG data home>/<kEditorDataFolderName>, as the desktop
// libraries place an application's local data (the application is named
// "Lumora Offline Editor", no organisation).
inline constexpr const char* kEditorDataFolderName = "Lumora Offline Editor";
inline constexpr const char* kBackupsFolderName = "backups";
inline constexpr int kBackupsKept = 10;

// $XDG_DATA_HOME (when set and not empty), else $HOME/.local/share, then the editor's
// folder name: the same folder the editor finds. getEnv reads the environment (tests
// give their own).
std::string EditorDataFolder(const std::function<const char*(const char*)>& getEnv = {});
// EditorDataFolder()/backups.
std::string DefaultBackupsFolder();

// The name a show's backups are filed under: the file name without its folder and
// without a final ".lmr" (any case).
std::string BackupShowName(const std::string& showPath);

// Keeps the file at showPath as a backup under backupsRoot before it is replaced, then
// removes the oldest backups of that name beyond `keep`. Nothing is kept (and true is
// returned) when there is no file at showPath. False, with *why, when the backup cannot
// be written: the caller must then not replace the file. When keep is 0 nothing is removed.
bool BackUpShowFile(const std::string& showPath, const std::string& backupsRoot, std::time_t now,
                    std::string* why = nullptr, int keep = kBackupsKept, const TFileFaults* faults = nullptr);

// The backups of one show name, oldest first (full paths).
std::vector<std::string> ListBackups(const std::string& backupsRoot, const std::string& showName);

} // namespace lumora
