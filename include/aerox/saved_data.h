/// @file
/// @brief The data a game keeps between runs, in the per-user folder: the
/// player's settings and the hi-score table.
#pragma once
#include "aerox/text.h"

/// @defgroup saved_data Saved data
/// @brief The master volume and the table of the ten best scores, kept
/// between runs.
///
/// The files live in the per-user folder named by
/// StartupSettings::userFolder (on Linux under ~/.local/share/). Use these
/// commands once RunGame has started the engine. A file that cannot be
/// written costs one log line; the values then last for this run only.
/// @{

// --- settings kept between runs (settings.ini)
/// Sets the volume of the whole mix, over every play's own volume; sounds
/// already playing follow at once. Kept in settings.ini in steps of a
/// tenth, and read back at the next start-up.
/// @param volume 0 (silent) .. 1 (full, the default), on a straight scale;
///        values outside are clamped, NaN is 0.
void SetMasterVolume(double volume);
/// The volume of the whole mix.
/// @return 0..1, as set for this run (or as read from settings.ini at
///         start-up).
double GetMasterVolume();

// --- saved data: the table of the ten best scores, kept in the per-user folder
/// The number of entries in the table (hiscores.txt).
/// @return 0..10.
double HiScoreCount();
/// The score at a rank.
/// @param rank 0 (the best) .. HiScoreCount() - 1; a fraction is cut off.
/// @return the score, 1..999999999; 0 past the end, below 0 or NaN.
double HiScoreValue(double rank);
/// The initials at a rank.
/// @param rank 0 (the best) .. HiScoreCount() - 1; a fraction is cut off.
/// @return up to three letters A-Z; the empty text past the end, below 0 or
///         NaN.
RtString HiScoreName(double rank);
/// The rank a score would take, without entering it. An equal score already
/// in the table stays above it.
/// @param score the score; a fraction is cut off, above 999999999 counts as
///        999999999.
/// @return the rank 0..9; -1 when it does not make the table (below 1 and
///         NaN never do).
double HiScoreRank(double score);
/// Enters a score and saves the table at once; the entry at rank 9 drops
/// out of a full table.
/// @param score the score, as HiScoreRank takes it.
/// @param initials the player's initials: the first three letters A-Z or
///        a-z (made upper case) are kept, every other byte is dropped.
/// @return the rank it took, 0..9; -1 when it does not make the table
///         (nothing is entered or saved).
double AddHiScore(double score, const RtString& initials);

/// @}
