// The "sbX" data archive: a directory of LZO1X-packed entries, found
// through a 7-byte trailer at the end of the file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Archives never unpack an entry larger than this.
constexpr uint32_t kMaxUnpackedEntry = 256u << 20;

enum class ArchiveResult {
    Found,
    NotFound,    // a valid archive without that entry (or with it refused)
    ReadFailed,  // a position or size points outside the file, or the data is damaged
    NotArchive,  // no archive file there, or no "sbX" trailer
};

struct ArchiveEntry {
    std::string name;          // as stored in the archive
    int64_t dataPosition = 0;  // from the start of the file
    uint32_t storedSize = 0;
    std::unique_ptr<uint8_t[]> data;  // the unpacked bytes
    size_t size = 0;
};

// True for a name that can safely become part of a file name: not empty,
// and holding no "/", "\", ".." or zero byte.
bool SafeEntryName(const std::string& name);

// Looks up fileName (compared without regard to letter case) in the archive
// and unpacks it.
ArchiveResult ExtractArchiveEntry(const std::string& archivePath, const std::string& fileName, ArchiveEntry& entry);
