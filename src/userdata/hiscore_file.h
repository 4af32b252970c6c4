// The text of hiscores.txt: the ten best scores, best first, one a line as
// "<score> <initials>" ("1250 ACE"; "1250" alone when the player gave no
// initials). Scores are whole numbers 1..999999999 written without leading
// zeros; initials are 1 to 3 letters A-Z. Lines starting with '#' are
// comments and empty lines are ignored. Every line ends with a newline.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int kHiScoreEntries = 10;
constexpr int64_t kHiScoreMax = 999999999;

struct HiScoreEntry {
    int64_t score = 0;
    std::string initials;
    bool operator==(const HiScoreEntry&) const = default;
};

// The valid entries of the file's bytes, best first (equal scores keep
// their order), at most ten. fault tells why the file as a whole is not
// to be trusted: any line that is neither an entry, a comment nor empty, a
// line cut short, entries out of order, more than ten entries, an empty
// file. It stays as it was for a good file.
std::vector<HiScoreEntry> ParseHiScores(const std::string& bytes, std::string& fault);

// The file's bytes for a table (a header comment, then the entries).
std::string FormatHiScores(const std::vector<HiScoreEntry>& entries);

// Where a score would go in a table kept best first: after every entry it
// does not beat (ties rank below). -1 when that is past the tenth place or
// the score is below 1.
int HiScorePlace(const std::vector<HiScoreEntry>& entries, int64_t score);
