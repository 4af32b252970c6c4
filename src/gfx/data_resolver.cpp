#include "gfx/data_resolver.h"

#include <cstdio>

#include "gfx/archive.h"
#include "runtime/errors.h"
#include "runtime/sys_files.h"
#include "runtime/temp_dir.h"

DataResolver* g_dataResolvers[2] = {nullptr, nullptr};

namespace {

void ForgetTempFile(DataResolver& resolver) {
    if (!resolver.tempFile.empty()) RemoveFile(resolver.tempFile);
    resolver.tempFile.clear();
}

std::string FileNamePart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool WriteTempFile(const std::string& path, const ArchiveEntry& entry) {
    std::FILE* f = OpenFile(path, "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(entry.data.get(), 1, entry.size, f) == entry.size;
    const bool closed = std::fclose(f) == 0;
    if (written && closed) return true;
    RemoveFile(path);
    return false;
}

}  // namespace

void CreateDataResolvers(const std::string& programDirectory) {
    for (auto*& r : g_dataResolvers) {
        if (r == nullptr) r = new DataResolver;
        r->enabled = true;
        ForgetTempFile(*r);
        r->archivePath = programDirectory;
    }
}

void ReleaseDataResolvers() {
    for (auto*& r : g_dataResolvers) {
        if (r != nullptr) ForgetTempFile(*r);
        delete r;
        r = nullptr;
    }
}

bool ResolveDataFile(DataResolver& resolver, const std::string& path, std::string& resolved) {
    resolved.clear();
    ForgetTempFile(resolver);
    if (path.empty()) return false;
    if (IsReadableFile(path)) {
        resolved = path;
        return true;
    }
    if (!resolver.enabled) return false;
    if (resolver.archivePath.empty()) {
        resolver.enabled = false;
        return false;
    }
    const std::string name = FileNamePart(path);
    if (!SafeEntryName(name)) return false;
    ArchiveEntry entry;
    switch (ExtractArchiveEntry(resolver.archivePath, name, entry)) {
        case ArchiveResult::Found: break;
        case ArchiveResult::NotArchive: resolver.enabled = false; return false;
        case ArchiveResult::NotFound:
        case ArchiveResult::ReadFailed: return false;
    }
    std::string temp = TempDirectory() + "~sbx";
    temp += static_cast<char>('A' + entry.dataPosition % 26);
    temp += static_cast<char>('A' + entry.storedSize % 26);
    temp += entry.name;
    if (!WriteTempFile(temp, entry)) return false;
    resolver.tempFile = temp;
    resolved = temp;
    return true;
}

bool ResolveAssetFile(const std::string& path, std::string& resolved) {
    if (g_dataResolvers[0] != nullptr) return ResolveDataFile(*g_dataResolvers[0], path, resolved);
    DataResolver filesOnly;
    filesOnly.enabled = false;
    return ResolveDataFile(filesOnly, path, resolved);
}

void LogLoadFailure(const char* command, const std::string& path, const char* expected) {
    std::string shown = path.substr(0, 200);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    const std::string line =
        std::string(command) + ": '" + shown + "' was not loaded (missing, or not " + expected + ")";
    AppendLogLine(line.c_str());
}
