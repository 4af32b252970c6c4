#include "userdata/userdata.h"

#include "userdata/hiscore_table.h"
#include "userdata/user_dir.h"
#include "userdata/user_store.h"

void InitUserData(const char* appName) {
    SetUserDataAppName(appName);
    OpenUserStore();
    UserDataDirectory();
    LoadHiScores();
}

void ReleaseUserData() {
    ForgetHiScores();
    ForgetUserDataDirectory();
}
