// The browser's files are the page's own, in memory, touched by this one
// thread only: nothing can take the name between the look and the rename.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "userdata/rename_keep.h"

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    struct stat info {};
    if (lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}
