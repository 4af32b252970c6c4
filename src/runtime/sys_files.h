// Files by name. Names are UTF-8 on every platform; each platform's twin
// (sys_files_<platform>.cpp) turns them into what its system calls take, so
// that a game folder whose name has non-ASCII characters works everywhere.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// std::fopen for a UTF-8 name.
std::FILE* OpenFile(const std::string& path, const char* mode);
// A plain file that exists and can be opened for reading. Folders, pipes and
// devices do not count: reading one could wait forever or never end.
bool IsReadableFile(const std::string& path);
// Something (a file, a folder, anything) stands at path.
bool PathExists(const std::string& path);
// Deletes a file; false when it could not.
bool RemoveFile(const std::string& path);
// The size of an open file, in bytes; false when it cannot be told.
bool OpenFileSize(std::FILE* file, int64_t& size);
// Moves an open file to a position from its start, files past 2 GiB
// included (where a long has 32 bits); false when it cannot.
bool SeekTo(std::FILE* file, int64_t position);
