// The game's commands for the data it keeps between runs, in the per-user
// folder: the player's settings and the hi-score table.
#pragma once
#include "aerox/text.h"

// --- settings kept between runs (settings.ini)
// The volume of the whole mix, 0 (silent) .. 1 (full, the default), over
// every play's own volume; values outside are clamped, NaN is 0. Kept in
// steps of a tenth.
void SetMasterVolume(double volume);
double GetMasterVolume();

// --- saved data: the table of the ten best scores, kept in the per-user folder
// The number of entries (0..10).
double HiScoreCount();
// The score and the initials at rank 0..9 (0 is the best); 0 and "" past the end.
double HiScoreValue(double rank);
RtString HiScoreName(double rank);
// The rank (0..9) a score would take, or -1 when it does not make the table (0 and below never do).
double HiScoreRank(double score);
// Enters a score with up to three initials (letters A-Z kept, upper-cased; others dropped) and saves
// the table at once; returns the rank it took, or -1.
double AddHiScore(double score, const RtString& initials);
