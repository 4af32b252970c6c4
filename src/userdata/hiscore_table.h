// The hi-score table of this session, behind the game's commands.
#pragma once

// Reads hiscores.txt from the per-user folder. A file that is not trusted
// is set aside (one log line) and its valid entries are kept and saved
// again. Called on the table's first use unless called before.
void LoadHiScores();

// Forgets the table; the next use reads the file again.
void ForgetHiScores();
