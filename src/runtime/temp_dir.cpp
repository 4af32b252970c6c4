#include "runtime/temp_dir.h"

#include "runtime/sys_paths.h"

const std::string& TempDirectory() {
    static const std::string dir = SystemTempDirectory();
    return dir;
}
