// Where the per-user folder's files live beyond the program's run. On a
// desktop that is the disk itself and both calls do nothing; in a browser
// the folder is in memory, copied from and to the page's own storage.
#pragma once

// Makes the saved files of earlier runs readable; called once before the
// per-user folder is first looked at. Waits a bounded time.
void OpenUserStore();

// A file in the per-user folder was written, renamed or set aside: keep it.
void UserStoreChanged();
