// Start and end of the data the game keeps between runs, for the engine's
// start-up and its release at the program's end.
#pragma once

// Names the per-user folder after the game (its window caption), finds or
// makes it, and reads the hi-score table.
void InitUserData(const char* appName);

// Forgets the table and the folder (everything is saved as it changes).
void ReleaseUserData();
