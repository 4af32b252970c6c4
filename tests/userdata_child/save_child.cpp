// Test helper: saves the hi-score table over and over, one score more each
// time, until it is killed (or, should nobody kill it, after a bounded
// number of saves). Writes one byte to its output when the loop begins and
// one after each save.
#include <unistd.h>

#include "aerox/aerox.h"
#include "userdata/userdata.h"

int main() {
    InitUserData("Aerox");
    if (write(1, "r", 1) != 1) return 1;
    for (int i = 0; i < 100000; ++i) {
        AddHiScore(HiScoreValue(0) + 1, "K");
        if (write(1, "s", 1) != 1) return 1;
    }
    ReleaseUserData();
    return 0;
}
