#include <cmath>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "userdata/atomic_file.h"
#include "userdata/hiscore_file.h"
#include "userdata/hiscore_table.h"
#include "userdata/user_dir.h"
#include "aerox/saved_data.h"

namespace {

constexpr const char* kFileName = "hiscores.txt";

bool g_loaded = false;
std::vector<HiScoreEntry> g_entries;

const std::vector<HiScoreEntry>& Table() {
    if (!g_loaded) LoadHiScores();
    return g_entries;
}

// The table's bytes reach the file, or the log says they did not; the
// session keeps the table either way. Without a folder nothing is saved
// (that was said once already).
bool SaveTable() {
    const std::string& folder = UserDataDirectory();
    if (folder.empty()) return false;
    if (WriteFileAtomically(folder + kFileName, FormatHiScores(g_entries))) return true;
    const std::string line =
        std::string(kFileName) + " could not be saved in " + folder + "; the table is kept for this session only";
    AppendLogLine(line.c_str());
    return false;
}

// Scores are whole numbers 1..kHiScoreMax; 0 stands for none (NaN too).
int64_t WholeScore(double score) {
    if (!(score >= 1)) return 0;
    if (score >= static_cast<double>(kHiScoreMax)) return kHiScoreMax;
    return static_cast<int64_t>(std::floor(score));
}

// The entry at a rank, or null past the end.
const HiScoreEntry* At(double rank) {
    const std::vector<HiScoreEntry>& table = Table();
    if (!(rank >= 0) || rank >= static_cast<double>(table.size())) return nullptr;
    return &table[static_cast<size_t>(rank)];
}

}  // namespace

void LoadHiScores() {
    g_loaded = true;
    g_entries.clear();
    const std::string& folder = UserDataDirectory();
    if (folder.empty()) return;
    const std::string path = folder + kFileName;
    RemoveStaleTemporaries(path);
    std::string bytes;
    std::string fault;
    switch (ReadSavedFile(path, bytes)) {
        case SavedRead::Missing: return;
        case SavedRead::Unreadable: fault = "not a readable file"; break;
        case SavedRead::TooBig: fault = "larger than " + std::to_string(kSavedFileMaxBytes) + " bytes"; break;
        case SavedRead::Read: break;
    }
    g_entries = ParseHiScores(bytes, fault);
    if (fault.empty()) return;
    // The valid entries go back into a clean file, so the next run trusts it.
    if (!SetFileAside(path, fault).empty() && !g_entries.empty()) SaveTable();
}

void ForgetHiScores() {
    g_loaded = false;
    g_entries.clear();
}

double HiScoreCount() { return static_cast<double>(Table().size()); }

double HiScoreValue(double rank) {
    const HiScoreEntry* entry = At(rank);
    return entry != nullptr ? static_cast<double>(entry->score) : 0;
}

RtString HiScoreName(double rank) {
    const HiScoreEntry* entry = At(rank);
    return entry != nullptr ? RtString(entry->initials.c_str()) : RtString();
}

double HiScoreRank(double score) { return HiScorePlace(Table(), WholeScore(score)); }

double AddHiScore(double score, const RtString& initials) {
    const int64_t whole = WholeScore(score);
    const int place = HiScorePlace(Table(), whole);
    if (place < 0) return -1;
    HiScoreEntry entry{whole, ""};
    for (const char* c = initials.Text(); *c != '\0' && entry.initials.size() < 3; ++c) {
        if (*c >= 'a' && *c <= 'z') entry.initials += static_cast<char>(*c - 'a' + 'A');
        if (*c >= 'A' && *c <= 'Z') entry.initials += *c;
    }
    g_entries.insert(g_entries.begin() + place, std::move(entry));
    if (g_entries.size() > kHiScoreEntries) g_entries.resize(kHiScoreEntries);
    SaveTable();
    return place;
}
