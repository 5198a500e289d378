// Whole-file operations on UTF-8 paths. Every failure throws FileError with
// the path and the system's reason.
#pragma once

#include <string>
#include <string_view>

#include "system/system.h"

namespace zantoli::win32 {

// An ordinary file: not a directory, not hidden, not a system file.
bool FileExists(const std::string& path);
void ReadFileLines(const std::string& path, const LineSink& sink);
std::optional<FileStamp> FileStampOf(const std::string& path);
// Creates the file or empties it, then writes `bytes`.
void WriteWholeFile(const std::string& path, std::string_view bytes);
// Writes a temporary file in the same folder, flushes it and renames it over
// `path` in one step; the temporary file never outlives a failure.
void ReplaceWholeFile(const std::string& path, std::string_view bytes);
void RemoveFile(const std::string& path);
// Renames `from` to `to` on the same volume, replacing `to`.
void RenameFile(const std::string& from, const std::string& to);

}  // namespace zantoli::win32
