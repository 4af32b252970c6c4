// In the browser the temporary folder is the in-memory one the page starts
// with: gone with the page, as a temporary folder should be.
#include "runtime/temp_dir.h"

const std::string& TempDirectory() {
    static const std::string dir = "/tmp/";
    return dir;
}
