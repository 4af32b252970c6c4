#include "gfx/data_resolver.h"

#include <cstdio>

// Placeholder until the archive lands: files on disk only.

DataResolver* g_dataResolvers[2] = {nullptr, nullptr};

void CreateDataResolvers(const std::string& programDirectory) {
    for (auto*& r : g_dataResolvers) {
        if (r == nullptr) r = new DataResolver;
        r->enabled = true;
        r->tempFile.clear();
        r->archivePath = programDirectory;
    }
}

void ReleaseDataResolvers() {
    for (auto*& r : g_dataResolvers) {
        if (r != nullptr && !r->tempFile.empty()) std::remove(r->tempFile.c_str());
        delete r;
        r = nullptr;
    }
}

bool ResolveDataFile(DataResolver&, const std::string& path, std::string& resolved) {
    resolved.clear();
    if (path.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    resolved = path;
    return true;
}
