// Whole files and folders of the per-user folder: looking, deleting,
// renaming, making folders.
#include <string>

#include "aerox/files.h"
#include "files/folder_system.h"
#include "files/game_paths.h"
#include "gfx/archive.h"
#include "gfx/data_resolver.h"
#include "runtime/sys_files.h"
#include "userdata/user_dir.h"
#include "userdata/user_store.h"

double FileExists(const RtString& path) {
    GamePath placed;
    if (!PlaceGamePath("FileExists", path.Text(), placed)) return 0;
    if ((!placed.user.empty() && IsReadableFile(placed.user)) || IsReadableFile(placed.game)) return 1;
    if (placed.chosen || g_dataResolvers[0] == nullptr || !SafeEntryName(placed.name)) return 0;
    ArchiveEntry entry;
    return ExtractArchiveEntry(g_dataResolvers[0]->archivePath, placed.name, entry) == ArchiveResult::Found ? 1 : 0;
}

double RemoveFile(const RtString& path) {
    GamePath placed;
    std::string target;
    if (!PlaceGamePath("RemoveFile", path.Text(), placed) || !WritablePath("RemoveFile", placed, target)) return 0;
    if (KindOfPath(target) != PathKind::File || !RemoveFile(target)) {
        LogFileFailure("RemoveFile", path.Text(), "is no file of the per-user folder that can be deleted");
        return 0;
    }
    UserStoreChanged();
    return 1;
}

double RenameFile(const RtString& from, const RtString& to) {
    GamePath placedFrom, placedTo;
    std::string source, target;
    if (!PlaceGamePath("RenameFile", from.Text(), placedFrom) || !PlaceGamePath("RenameFile", to.Text(), placedTo) ||
        !WritablePath("RenameFile", placedFrom, source) || !WritablePath("RenameFile", placedTo, target))
        return 0;
    if (KindOfPath(source) == PathKind::Missing) {
        LogFileFailure("RenameFile", from.Text(), "is not in the per-user folder");
        return 0;
    }
    if (!RenameKeepingTarget(source, target)) {
        LogFileFailure(
            "RenameFile", from.Text(),
            "could not be renamed to '" + std::string(to.Text()) + "' (is that name taken, or its folder missing?)");
        return 0;
    }
    UserStoreChanged();
    return 1;
}

double MakeFolder(const RtString& path) {
    GamePath placed;
    std::string target;
    if (!PlaceGamePath("MakeFolder", path.Text(), placed) || !WritablePath("MakeFolder", placed, target)) return 0;
    // The folders above it first; the per-user folder itself exists.
    const size_t first = placed.chosen ? target.size() : UserDataDirectory().size();
    for (size_t end = first; end <= target.size(); ++end) {
        if (end < target.size() && target[end] != '/') continue;
        const std::string part = target.substr(0, end);
        if (KindOfPath(part) == PathKind::Folder) continue;
        if (!MakeOneFolder(part)) {
            LogFileFailure("MakeFolder", path.Text(), "could not be made");
            return 0;
        }
    }
    UserStoreChanged();
    return 1;
}
