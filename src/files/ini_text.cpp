#include "files/ini_text.h"

#include <cstring>

#include "userdata/ini_reader.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

int CollectEntry(void* user, const char* section, const char* key, const char* value) {
    static_cast<std::vector<IniEntry>*>(user)->push_back({section, key, value});
    return 1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// What the reader makes of one line (its newline removed).
enum class LineKind { Other, Section, Entry, Continuation };
struct ScannedLine {
    LineKind kind = LineKind::Other;
    std::string name;  // the section or the key
};

// Where a line's text stops: at one of the stop characters, or at an
// inline comment (';' after a blank), as the reader looks.
size_t FindStop(const std::string& line, size_t from, const char* stops) {
    bool wasBlank = false;
    for (size_t i = from; i < line.size(); ++i) {
        if (std::strchr(stops, line[i]) != nullptr || (wasBlank && line[i] == ';')) return i;
        wasBlank = IsBlank(line[i]);
    }
    return line.size();
}

std::string TrimmedRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

ScannedLine ScanLine(const std::string& line, bool haveEntry) {
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    const std::string body = TrimmedRight(line);
    if (start >= body.size()) return {};
    const char first = line[start];
    if (first == ';' || first == '#') return {};
    if (haveEntry && start > 0) return {LineKind::Continuation, ""};
    if (first == '[') {
        const size_t end = FindStop(body, start + 1, "]");
        if (end >= body.size() || body[end] != ']') return {};
        return {LineKind::Section, body.substr(start + 1, end - start - 1)};
    }
    const size_t end = FindStop(body, start, "=:");
    if (end >= body.size() || (body[end] != '=' && body[end] != ':')) return {};
    return {LineKind::Entry, TrimmedRight(body.substr(start, end - start))};
}

std::string EntryLine(const std::string& key, const std::string& value) {
    std::string line = key;
    line += " = ";
    line += value;
    return line;
}

bool HasControlByte(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

// The entries other than those of section/key.
std::vector<IniEntry> OtherEntries(const std::vector<IniEntry>& entries, const std::string& section,
                                   const std::string& key) {
    std::vector<IniEntry> others;
    for (const IniEntry& entry : entries) {
        if (!SameName(entry.section, section) || !SameName(entry.key, key)) others.push_back(entry);
    }
    return others;
}

}  // namespace

std::vector<IniEntry> ReadIniEntries(const std::string& text) {
    std::vector<IniEntry> entries;
    ReadIniText(text.c_str(), CollectEntry, &entries);
    return entries;
}

bool FindIniValue(const std::string& text, const std::string& section, const std::string& key, std::string& value) {
    bool found = false;
    for (const IniEntry& entry : ReadIniEntries(text)) {
        if (SameName(entry.section, section) && SameName(entry.key, key)) {
            value = entry.value;
            found = true;
        }
    }
    return found;
}

namespace {

bool ComposeIniValue(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& value, std::string& result, std::string& why) {
    result.clear();
    if (text.find('\0') != std::string::npos) {
        why = "holds a zero byte: it is no INI file";
        return false;
    }
    if (key.empty() || HasControlByte(section) || HasControlByte(key) || HasControlByte(value)) {
        why = "cannot hold an empty key or a line break";
        return false;
    }
    // The byte-order mark stays first, whatever is added.
    const std::string bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? "\xEF\xBB\xBF" : "";
    std::vector<std::string> lines;
    std::vector<std::string> ends;
    for (size_t at = bom.size(); at < text.size();) {
        size_t end = text.find('\n', at);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        std::string line = text.substr(at, end - at);
        std::string ending = last ? "" : "\n";
        if (!last && !line.empty() && line.back() == '\r') {
            line.pop_back();
            ending = "\r\n";
        }
        lines.push_back(line);
        ends.push_back(ending);
        at = end + 1;
    }
    const std::string newline = !ends.empty() && ends[0] == "\r\n" ? "\r\n" : "\n";

    // Where the key's last line is, and where its section's last occurrence
    // has its last entry.
    std::string current;
    bool haveEntry = false;
    bool inTarget = SameName(section, "");
    int keyLine = -1, keyEnd = -1, sectionEnd = -1, firstSection = -1;
    bool sectionSeen = inTarget;
    int lastKeyOwner = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const ScannedLine scanned = ScanLine(lines[i], haveEntry);
        if (scanned.kind == LineKind::Section) {
            if (firstSection < 0) firstSection = i;
            current = scanned.name;
            haveEntry = false;
            inTarget = SameName(current, section);
            if (inTarget) {
                sectionSeen = true;
                sectionEnd = i;
            }
            lastKeyOwner = -1;
        } else if (scanned.kind == LineKind::Entry) {
            haveEntry = true;
            lastKeyOwner = inTarget && SameName(scanned.name, key) ? i : -1;
            if (lastKeyOwner >= 0) keyLine = keyEnd = i;
            if (inTarget) sectionEnd = i;
        } else if (scanned.kind == LineKind::Continuation) {
            if (lastKeyOwner >= 0 && lastKeyOwner == keyLine) keyEnd = i;
            if (inTarget) sectionEnd = i;
        }
    }

    std::string keyName = key;
    std::vector<std::string> newLines;
    std::vector<std::string> newEnds;
    auto add = [&](const std::string& line, const std::string& ending) {
        newLines.push_back(line);
        newEnds.push_back(ending);
    };
    if (keyLine >= 0) {
        // The key keeps its spelling; its continued lines were its old value.
        keyName = ScanLine(lines[keyLine], false).name;
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            if (i == keyLine) {
                add(EntryLine(keyName, value), ends[i]);
            } else if (i > keyLine && i <= keyEnd && ScanLine(lines[i], true).kind == LineKind::Continuation) {
                continue;
            } else {
                add(lines[i], ends[i]);
            }
        }
    } else if (sectionSeen) {
        // After the section's last entry, or its header; the keys before
        // any header go before the first one.
        int after = sectionEnd;
        if (SameName(section, "") && sectionEnd < 0) after = firstSection < 0 ? static_cast<int>(lines.size()) - 1 : -1;
        if (SameName(section, "") && firstSection >= 0 && after >= firstSection) after = firstSection - 1;
        for (int i = -1; i < static_cast<int>(lines.size()); ++i) {
            if (i >= 0) add(lines[i], ends[i].empty() && i == after ? newline : ends[i]);
            if (i == after) add(EntryLine(key, value), newline);
        }
    } else {
        for (size_t i = 0; i < lines.size(); ++i) add(lines[i], ends[i].empty() ? newline : ends[i]);
        add("[" + section + "]", newline);
        add(EntryLine(key, value), newline);
    }
    result = bom;
    for (size_t i = 0; i < newLines.size(); ++i) result += newLines[i] + newEnds[i];

    // The text must read back as asked, every other entry as it was.
    std::string readBack;
    if (!FindIniValue(result, section, key, readBack) || readBack != value ||
        OtherEntries(ReadIniEntries(result), section, key) != OtherEntries(ReadIniEntries(text), section, key)) {
        result.clear();
        why = "cannot hold that section, key and value as given";
        return false;
    }
    return true;
}

}  // namespace

bool SetIniValue(const std::string& text, const std::string& section, const std::string& key, const std::string& value,
                 std::string& result, std::string& why) {
    if (!ComposeIniValue(text, section, key, value, result, why)) return false;
    // Setting the same value again must change nothing. Where it would (a
    // value whose continuation lines the new entry would take over from
    // lines the reader skipped), the file is not one to be written blind.
    std::string again;
    if (!ComposeIniValue(result, section, key, value, again, why) || again != result) {
        result.clear();
        why = "its lines around the value are ambiguous (continuation lines after unreadable ones)";
        return false;
    }
    return true;
}
