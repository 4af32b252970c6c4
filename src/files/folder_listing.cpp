// ListFolder: the per-user folder's entries over the game folder's, sorted,
// kept for FolderEntry and FolderEntryIsFolder.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "aerox/files.h"
#include "files/folder_system.h"
#include "files/game_paths.h"
#include "runtime/errors.h"

namespace {

// A folder of more entries is listed only this far: the listing must stay
// a bounded amount of memory and time.
constexpr size_t kMaxFolderEntries = 100000;

std::vector<FolderItem> g_listing;

// The temporaries of whole-or-nothing writes (".name.tmp-XXXXXX") are no
// entries a game made.
bool IsWriteTemporary(const std::string& name) {
    return name.size() > 12 && name[0] == '.' && name.compare(name.size() - 11, 5, ".tmp-") == 0;
}

bool IndexInListing(const char* command, double index, size_t& at) {
    if (index >= 0 && index < static_cast<double>(g_listing.size())) {
        at = static_cast<size_t>(index);
        return true;
    }
    char text[96];
    std::snprintf(text, sizeof text, ": entry %.17g is not in the listing of %zu entries", index, g_listing.size());
    AppendLogLine((std::string(command) + text).c_str());
    return false;
}

}  // namespace

double ListFolder(const RtString& path) {
    g_listing.clear();
    const std::string given = path.Text();
    GamePath placed;
    if (!PlaceGamePath("ListFolder", given.empty() ? "." : given, placed)) return -1;
    std::map<std::string, bool> merged;
    bool found = false;
    std::vector<FolderItem> items;
    // The game folder's first, so that the per-user folder's replace them.
    for (const std::string* folder : {&placed.game, &placed.user}) {
        if (folder->empty() || (folder == &placed.user && placed.chosen)) continue;
        if (KindOfPath(*folder) != PathKind::Folder || !ListFolderItems(*folder, kMaxFolderEntries, items)) continue;
        found = true;
        for (const FolderItem& item : items) {
            if (!IsWriteTemporary(item.name)) merged[item.name] = item.folder;
        }
    }
    if (!found) {
        LogFileFailure("ListFolder", given, "is a folder in neither the per-user folder nor the game's");
        return -1;
    }
    for (const auto& [name, folder] : merged) {
        if (g_listing.size() >= kMaxFolderEntries) break;
        g_listing.push_back({name, folder});
    }
    return static_cast<double>(g_listing.size());
}

RtString FolderEntry(double index) {
    size_t at = 0;
    if (!IndexInListing("FolderEntry", index, at)) return RtString();
    return RtString(g_listing[at].name.c_str());
}

double FolderEntryIsFolder(double index) {
    size_t at = 0;
    if (!IndexInListing("FolderEntryIsFolder", index, at)) return 0;
    return g_listing[at].folder ? 1 : 0;
}
