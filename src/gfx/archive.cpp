#include "gfx/archive.h"

#include <lzo/lzo1x.h>

#include <cstdio>
#include <cstring>

#include "runtime/sys_files.h"

namespace {

constexpr size_t kTrailerSize = 7;  // "sbX" + 32-bit directory position

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

bool ReadAt(std::FILE* f, int64_t position, void* buffer, size_t size) {
    return SeekTo(f, position) && std::fread(buffer, 1, size, f) == size;
}
bool ReadNext(std::FILE* f, void* buffer, size_t size) { return std::fread(buffer, 1, size, f) == size; }

// A stored 32-bit position: negative ones count back from the end. -1 when
// it does not point into the file.
int64_t FilePosition(uint32_t stored, int64_t fileSize) {
    const int64_t value = static_cast<int32_t>(stored);
    const int64_t position = value < 0 ? fileSize + value : value;
    return position >= 0 && position < fileSize ? position : -1;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

void InitLzoOnce() {
    static const bool ready = lzo_init() == LZO_E_OK;
    (void)ready;
}

ArchiveResult Unpack(std::FILE* f, int64_t fileSize, ArchiveEntry& entry) {
    if (entry.storedSize < 4 || entry.storedSize > fileSize - entry.dataPosition) return ArchiveResult::ReadFailed;
    std::unique_ptr<uint8_t[]> stored(new uint8_t[entry.storedSize]);
    if (!ReadAt(f, entry.dataPosition, stored.get(), entry.storedSize)) return ArchiveResult::ReadFailed;
    const uint32_t unpackedSize = Le32(stored.get());
    if (unpackedSize > kMaxUnpackedEntry) return ArchiveResult::ReadFailed;
    std::unique_ptr<uint8_t[]> unpacked(new uint8_t[unpackedSize > 0 ? unpackedSize : 1]);
    lzo_uint produced = unpackedSize;
    InitLzoOnce();
    const int status =
        lzo1x_decompress_safe(stored.get() + 4, entry.storedSize - 4, unpacked.get(), &produced, nullptr);
    if (status != LZO_E_OK || produced != unpackedSize) return ArchiveResult::ReadFailed;
    entry.data = std::move(unpacked);
    entry.size = unpackedSize;
    return ArchiveResult::Found;
}

}  // namespace

bool SafeEntryName(const std::string& name) {
    return !name.empty() && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
           name.find("..") == std::string::npos;
}

ArchiveResult ExtractArchiveEntry(const std::string& archivePath, const std::string& fileName, ArchiveEntry& entry) {
    if (!IsReadableFile(archivePath)) return ArchiveResult::NotArchive;
    File file(OpenFile(archivePath, "rb"));
    if (!file) return ArchiveResult::NotArchive;
    std::FILE* f = file.get();
    int64_t fileSize = 0;
    if (!OpenFileSize(f, fileSize)) return ArchiveResult::ReadFailed;
    if (fileSize < static_cast<int64_t>(kTrailerSize)) return ArchiveResult::ReadFailed;

    uint8_t trailer[kTrailerSize];
    if (!ReadAt(f, fileSize - static_cast<int64_t>(kTrailerSize), trailer, sizeof trailer))
        return ArchiveResult::ReadFailed;
    if (std::memcmp(trailer, "sbX", 3) != 0) return ArchiveResult::NotArchive;
    const int64_t directory = FilePosition(Le32(trailer + 3), fileSize);
    if (directory < 0 || !SeekTo(f, directory)) return ArchiveResult::ReadFailed;

    // Each entry: name length (0 ends the directory), name, data position,
    // stored size. Every read is bounded by the file.
    for (;;) {
        uint8_t length = 0;
        if (!ReadNext(f, &length, 1)) return ArchiveResult::ReadFailed;
        if (length == 0) return ArchiveResult::NotFound;
        char name[256];
        uint8_t numbers[8];
        if (!ReadNext(f, name, length) || !ReadNext(f, numbers, sizeof numbers)) return ArchiveResult::ReadFailed;
        const std::string entryName(name, length);
        // Names that could leave the temporary directory are never served.
        if (!SafeEntryName(entryName) || !SameNameIgnoringCase(entryName, fileName)) continue;
        entry.name = entryName;
        entry.dataPosition = FilePosition(Le32(numbers), fileSize);
        entry.storedSize = Le32(numbers + 4);
        if (entry.dataPosition < 0) return ArchiveResult::ReadFailed;
        return Unpack(f, fileSize, entry);
    }
}
