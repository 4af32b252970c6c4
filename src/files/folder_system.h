// The file system calls the file commands need beyond opening a file, with
// UTF-8 names. One file per platform (folder_system_posix.cpp also serves
// the browser's in-memory files).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class PathKind { Missing, File, Folder, Other };
PathKind KindOfPath(const std::string& path);

// Makes one folder; false when it exists already or cannot be made.
bool MakeOneFolder(const std::string& path);

// Renames a file or folder; fails rather than replace what has the new name.
bool RenameKeepingTarget(const std::string& from, const std::string& to);

struct FolderItem {
    std::string name;
    bool folder = false;
};
// The folder's entries without "." and "..", at most limit of them; false
// when it cannot be listed.
bool ListFolderItems(const std::string& folder, size_t limit, std::vector<FolderItem>& items);

// A new file, open for writing and reading, with a name of its own in the
// folder of path ("." + name + ".tmp-" + six characters, as the settings'
// temporaries are named). nullptr when it cannot be made.
std::FILE* CreateTemporaryBeside(const std::string& path, std::string& tempPath);

// Flushes the temporary to the disk, closes it and gives it path's name,
// then makes the new name durable. On failure the temporary is removed and
// whatever had the name before stays.
bool FinishTemporary(std::FILE* file, const std::string& tempPath, const std::string& path);

// Where an open file reads or writes, files past 2 GiB included; -1 when
// it cannot be told.
int64_t TellFile(std::FILE* file);

// Flushes an open file to the disk and closes it; false when either failed.
bool SyncAndClose(std::FILE* file);
