#include "userdata/hiscore_file.h"

#include <algorithm>

#include "userdata/saved_text.h"

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Letter(char c) { return c >= 'A' && c <= 'Z'; }

bool ParseEntry(const std::string& line, HiScoreEntry& entry) {
    size_t digits = 0;
    while (digits < line.size() && Digit(line[digits])) ++digits;
    if (digits == 0 || digits > 9 || line[0] == '0') return false;
    entry.score = std::stoll(line.substr(0, digits));
    entry.initials.clear();
    if (digits == line.size()) return true;
    if (line[digits] != ' ') return false;
    entry.initials = line.substr(digits + 1);
    return !entry.initials.empty() && entry.initials.size() <= 3 &&
           std::all_of(entry.initials.begin(), entry.initials.end(), Letter);
}

}  // namespace

std::vector<HiScoreEntry> ParseHiScores(const std::string& bytes, std::string& fault) {
    std::vector<HiScoreEntry> entries;
    const std::vector<std::string> lines = SplitSavedLines(bytes, fault);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] == '#') continue;
        HiScoreEntry entry;
        if (!ParseEntry(line, entry)) {
            if (fault.empty()) fault = "not an entry on line " + std::to_string(i + 1);
            continue;
        }
        if (!entries.empty() && entry.score > entries.back().score && fault.empty()) fault = "out of order";
        entries.push_back(std::move(entry));
    }
    if (entries.size() > kHiScoreEntries && fault.empty()) fault = "more than ten entries";
    std::stable_sort(entries.begin(), entries.end(),
                     [](const HiScoreEntry& a, const HiScoreEntry& b) { return a.score > b.score; });
    if (entries.size() > kHiScoreEntries) entries.resize(kHiScoreEntries);
    return entries;
}

std::string FormatHiScores(const std::vector<HiScoreEntry>& entries) {
    std::string text = "# Aerox hi-scores: score and initials, best first\n";
    for (const HiScoreEntry& entry : entries) {
        text += std::to_string(entry.score);
        if (!entry.initials.empty()) text += ' ' + entry.initials;
        text += '\n';
    }
    return text;
}

int HiScorePlace(const std::vector<HiScoreEntry>& entries, int64_t score) {
    if (score < 1) return -1;
    int place = 0;
    while (place < static_cast<int>(entries.size()) && entries[place].score >= score) ++place;
    return place < kHiScoreEntries ? place : -1;
}
