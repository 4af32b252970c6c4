#include "files/whole_file.h"

#include <cstdio>

#include "files/chosen_paths.h"
#include "files/folder_system.h"
#include "runtime/sys_files.h"
#include "userdata/atomic_file.h"
#include "userdata/user_store.h"

bool SaveWholeFile(const std::string& path, const std::string& bytes) {
    // Temporaries of saves that died midway go once they are old.
    RemoveStaleTemporaries(path);
    std::string temp;
    std::FILE* file = CreateTemporaryBeside(path, temp);
    if (file == nullptr) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fclose(file);
        RemoveFile(temp);
        return false;
    }
    if (!FinishTemporary(file, temp, path)) return false;
    UserStoreChanged();
    NoteFileSaved(path);
    return true;
}
