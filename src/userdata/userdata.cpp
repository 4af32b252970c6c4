#include "userdata/userdata.h"

#include "userdata/hiscore_table.h"
#include "userdata/user_dir.h"

void InitUserData(const char* appName) {
    SetUserDataAppName(appName);
    UserDataDirectory();
    LoadHiScores();
}

void ReleaseUserData() {
    ForgetHiScores();
    ForgetUserDataDirectory();
}
