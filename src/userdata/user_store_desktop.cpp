#include "userdata/user_store.h"

void OpenUserStore() {}
void UserStoreChanged() {}
