// Writes arbitrary bytes as a data archive in a private folder and looks up
// names in it: nothing may be written outside that folder's temporary
// directory, and every lookup must end cleanly.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx/data_resolver.h"
#include "runtime/temp_dir.h"

namespace {
std::string g_folder;

void RemoveFolder() {
    std::remove((g_folder + "/game.dat").c_str());
    rmdir((g_folder + "/tmp").c_str());
    rmdir(g_folder.c_str());
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/aerox-archive-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    g_folder = pattern;
    const std::string temp = g_folder + "/tmp";
    mkdir(temp.c_str(), 0700);
    setenv("TMPDIR", temp.c_str(), 1);  // read once, by the first TempDirectory()
    if (TempDirectory() != temp + "/") std::abort();
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string archive = g_folder + "/game.dat";
    std::FILE* f = std::fopen(archive.c_str(), "wb");
    if (f == nullptr) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    DataResolver resolver;
    resolver.archivePath = archive;
    std::string resolved;
    for (const char* name : {"data/shot.bmp", "A", "..", "data\\b.wav", "x.."}) {
        resolver.enabled = true;
        if (ResolveDataFile(resolver, name, resolved) && resolved.rfind(TempDirectory() + "~sbx", 0) != 0)
            std::abort();
        if (resolved.find("..") != std::string::npos || resolved.find('\\') != std::string::npos) std::abort();
    }
    ResolveDataFile(resolver, "", resolved);  // deletes the last temporary file
    return 0;
}
