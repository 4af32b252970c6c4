// Files the game keeps in the per-user folder: read only when they are small
// plain files, replaced whole or not at all, and set aside (never deleted)
// once they can no longer be trusted. The seam has one file per platform.
#pragma once
#include <cstddef>
#include <string>

// A saved file larger than this was not written by the game: it is never
// read whole.
constexpr size_t kSavedFileMaxBytes = size_t{64} * 1024;

enum class SavedRead {
    Missing,     // nothing at that path
    Unreadable,  // not a plain file (a folder, a pipe, a device) or cannot be opened or read
    TooBig,      // bytes holds only the first kSavedFileMaxBytes
    Read,        // bytes holds the whole file
};
SavedRead ReadSavedFile(const std::string& path, std::string& bytes);

// Replaces the file at path by bytes so that a reader, a crash or a power
// cut finds either the old file or the new one, never a mix: the bytes go
// to a temporary file of a unique name in the same folder, reach the disk,
// then take the target's name. False, with the old file untouched and no
// temporary left, on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Removes the temporary files that writers of path left when they were
// killed mid-save. Only those older than a minute go: a younger one may
// belong to another copy of the game saving right now.
void RemoveStaleTemporaries(const std::string& path);

// Renames the file (or whatever stands) at path to
// "<path>.bad-YYYYMMDD-HHMMSS", adding "-2", "-3"... when that name is
// taken (an existing file is never replaced), and writes one log line
// naming the reason. Returns the new path, or "" when it could not be
// renamed.
std::string SetFileAside(const std::string& path, const std::string& reason);
