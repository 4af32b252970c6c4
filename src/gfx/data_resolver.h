// Turns an asset name into a readable path: the file itself when it exists,
// otherwise an entry unpacked from the optional "sbX" data archive into a
// temporary file (deleted at the next lookup).
#pragma once
#include <string>

struct DataResolver {
    bool enabled = true;
    std::string archivePath;  // the archive file (or the program directory)
    std::string tempFile;     // the last unpacked file, empty when none
};

// The two resolvers of the process; image and sound loading use the first.
extern DataResolver* g_dataResolvers[2];

// Creates both resolvers pointing at the program directory.
void CreateDataResolvers(const std::string& programDirectory);
// Deletes their temporary files and frees them.
void ReleaseDataResolvers();

// True with the readable path in resolved; false with resolved empty.
bool ResolveDataFile(DataResolver& resolver, const std::string& path, std::string& resolved);

// ResolveDataFile through the first resolver; before the resolvers exist,
// only files on disk are found.
bool ResolveAssetFile(const std::string& path, std::string& resolved);

// The one log line of a load that failed: "<command>: '<path>' was not
// loaded (missing, or not <expected>)". The path is cut to 200 bytes and its
// control bytes shown as '?', so a hostile name cannot forge log lines.
void LogLoadFailure(const char* command, const std::string& path, const char* expected);
